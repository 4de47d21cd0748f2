#pragma once

#include <string>
#include <string_view>

namespace core {

// Conversions between Unicode (UTF-8, UTF-16) and the GBK code page, done by the platform's own
// converter. A character without a GBK form becomes "?".
std::string Utf8ToGbk(std::string_view utf8);
std::string Utf16ToGbk(std::u16string_view utf16);
std::string GbkToUtf8(std::string_view gbk);

}  // namespace core
