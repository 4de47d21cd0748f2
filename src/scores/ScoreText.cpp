#include <cmath>

#include "core/Text.h"
#include "scores/Scores.h"

namespace scores {

// Whatever the box holds counts as a number the way atof reads it, full-width
// digits included; "abc" counts as 0. So does a number beyond the range of a
// double ("1e999", or thousands of digits), which would otherwise stay "inf"
// for good.
std::string SteppedScore(std::string_view boxText, double step) {
  double score = text::ToNumber(boxText) + step;
  if (!std::isfinite(score)) score = step;
  return text::FromDouble(score);
}

std::string_view ScoreText(std::string_view bytes) {
  return bytes.substr(0, bytes.find_first_of(std::string_view("\0\x1A", 2)));
}

}  // namespace scores
