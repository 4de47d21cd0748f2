#pragma once

#include <string>
#include <string_view>

namespace ui::win32 {

// The backend's edge: the program's GBK texts to and from the system's
// UTF-16 strings.
std::wstring FromGbk(std::string_view gbk);
std::string ToGbk(std::wstring_view text);
// A catalogue text (UTF-8 in the source) as shown.
std::wstring FromUtf8(std::string_view utf8);
// A path as the C library spells it in the system's ANSI code page.
std::wstring FromAnsi(std::string_view ansi);

}  // namespace ui::win32
