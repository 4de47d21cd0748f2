#pragma once

#include <cstddef>
#include <string_view>

namespace core {

// The byte structure of GBK text (code page 936): a byte below 0x80 and the
// single bytes 0x80 and 0xFF stand alone; a lead byte 0x81-0xFE takes the
// next byte as its trail when that is 0x40-0x7E or 0x80-0xFE. A lead byte
// without such a trail (last in the text, or before any other byte) is
// malformed: both converters decode it as U+FFFD and go on with the next byte.
inline bool IsGbkLeadByte(unsigned char b) {
  return b >= 0x81 && b <= 0xFE;
}
inline bool IsGbkTrailByte(unsigned char b) {
  return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

// The number of bytes of the character at the start of gbk (not empty): 1 or
// 2, and 0 for a malformed lead byte.
inline std::size_t GbkCharLength(std::string_view gbk) {
  const auto lead = static_cast<unsigned char>(gbk[0]);
  if (!IsGbkLeadByte(lead)) return 1;
  if (gbk.size() >= 2 && IsGbkTrailByte(static_cast<unsigned char>(gbk[1]))) return 2;
  return 0;
}

}  // namespace core
