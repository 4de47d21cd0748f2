// The text rules on any bytes: narrowing full-width forms, text to number,
// splitting at a separator, cutting at the first zero byte.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzInput.h"
#include "core/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string_view separator = fuzz::TakePart(input);
  if (separator.size() > 8) separator = separator.substr(0, 8);

  const std::string narrow = text::NarrowFullWidth(input);
  FUZZ_CHECK(narrow.size() <= input.size());

  const double number = text::ToNumber(input);
  FUZZ_CHECK(!std::isnan(number));
  const int32_t whole = text::ToInt(input);
  if (std::isfinite(number) && std::fabs(number) < 2e9)
    FUZZ_CHECK(whole == static_cast<int32_t>(std::trunc(number)));
  // A number written out (13 significant digits) reads back as nearly the same.
  if (std::isfinite(number)) {
    const double back = text::ToNumber(text::FromDouble(number));
    FUZZ_CHECK(std::fabs(back - number) <= 1e-12 * std::fabs(number));
  }
  FUZZ_CHECK(text::ToNumber(text::FromInt(whole)) == whole);

  // Joining the fields with the separator gives the text back, less an empty
  // rest after the last separator.
  const auto fields = text::Split(input, separator);
  std::size_t joined = 0;
  for (const std::string& field : fields) joined += field.size() + separator.size();
  FUZZ_CHECK(input.empty() || separator.empty() || joined >= input.size());
  for (const std::string& field : fields) FUZZ_CHECK(field.size() <= input.size());

  const std::string_view cut = text::UpToNul(input);
  FUZZ_CHECK(cut.find('\0') == std::string_view::npos);
  return 0;
}
