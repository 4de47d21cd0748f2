#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace core {

// The encodings a text file written by a teacher's editor may arrive in.
enum class Charset { Gbk, Utf8, Utf16Le, Utf16Be };

struct DetectedCharset {
  Charset charset = Charset::Gbk;
  std::size_t byteOrderMarkSize = 0;  // bytes before the text
};

// The charset named by a UTF-8 or UTF-16 byte-order mark at the start.
std::optional<DetectedCharset> FromByteOrderMark(std::string_view bytes);

// A UTF-8 or UTF-16 byte-order mark decides at once. Without one the text is
// GBK, the program's own code page, unless it is confidently UTF-8.
DetectedCharset DetectCharset(std::string_view bytes);

// Whether bytes without a byte-order mark are UTF-8 beyond reasonable doubt.
// Much GBK text is well-formed UTF-8 too, so well-formedness alone is not
// enough: every character must also have a GBK form (the text is converted
// to GBK), and the text must either be long enough for a charset detector's
// statistics to be sure, or, when it is too short for them (a name or two),
// read as Chinese characters with no letters of other scripts. Implemented
// with a charset detection library; a platform without one supplies its own.
bool IsConfidentlyUtf8(std::string_view bytes);

}  // namespace core
