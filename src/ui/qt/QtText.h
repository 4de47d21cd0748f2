#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace ui::qt {

// The backend's edge: the program's GBK texts to and from the toolkit's strings.
QString FromGbk(std::string_view gbk);
std::string ToGbk(const QString& text);
// A catalogue text (UTF-8 in the source) as shown.
inline QString FromUtf8(const char* utf8) {
  return QString::fromUtf8(utf8);
}
// CR LF inside a caption is one line break on screen.
QString ForDisplay(const QString& caption);

}  // namespace ui::qt
