#pragma once

#include <string>
#include <string_view>

namespace core {

// Conversions between UTF-8 and the GBK code page, done by the platform's own
// converter. A character without a GBK form becomes "?".
std::string Utf8ToGbk(std::string_view utf8);
std::string GbkToUtf8(std::string_view gbk);

}  // namespace core
