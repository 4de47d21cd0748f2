#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace draw {

// The names of a name-list file's bytes (already cut at the first zero byte):
// line k holds the name for number k. Lines end in CR LF or in a lone LF; a
// blank inner line is an empty name that keeps the later positions; a line end
// after the last line adds nothing. A file in UTF-8 (a byte-order mark, or
// valid UTF-8 holding non-ASCII bytes) is converted to GBK first.
std::vector<std::string> NamesOfFile(std::string_view bytes);

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing beyond U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

}  // namespace draw
