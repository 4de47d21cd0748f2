#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace draw {

// The names of a name-list file, from its whole bytes: line k holds the name
// for number k. Lines end in CR LF or in a lone LF; a blank inner line is an
// empty name that keeps the later positions; a line end after the last line
// adds nothing; the text ends at its first zero character. The file may be
// GBK, UTF-8 or UTF-16 with a byte-order mark (core::DetectCharset decides);
// the names are GBK.
std::vector<std::string> NamesOfFile(std::string_view bytes);

// The lines of the register of name-list files, from its bytes, as both the
// lists on screen and the draw read them: a line ends at LF (a CR just before
// it is dropped), at a zero byte or at 0x1A; a last line without a line end
// still counts; empty lines are kept. At most maxLines lines, the first ones.
std::vector<std::string> RegisterLines(std::string_view bytes,
                                       std::size_t maxLines = std::string_view::npos);

}  // namespace draw
