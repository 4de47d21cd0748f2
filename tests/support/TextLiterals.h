#pragma once

#include <string>
#include <string_view>

namespace testing_support {

// GBK bytes of a UTF-8 literal.
std::string G(std::string_view utf8);

}  // namespace testing_support
