#include "support/TextLiterals.h"

#include "core/Gbk.h"

namespace testing_support {

std::string G(std::string_view utf8) {
  return core::Utf8ToGbk(utf8);
}

}  // namespace testing_support
