#pragma once

#include "ui/ControlSpec.h"

// The colour schemes of the super buttons: resting, pointer over, third pair.
namespace ui::catalogue {

inline constexpr Color kStepBack = Rgb(255, 240, 245);

inline constexpr Scheme kAccentScheme{kWhite, kAccent, kLightGrey, kAccent, kWhite, kAccent};
inline constexpr Scheme kAccentGreyHoverScheme{kWhite, kAccent, kWhite, kGrey, kWhite, kAccent};
inline constexpr Scheme kStepScheme{kBlack, kStepBack, kLightGrey, kStepBack, kBlack, kStepBack};
inline constexpr Scheme kCloseScheme{kWhite, kAccent, kWhite, kRed, kWhite, kRed};
inline constexpr Scheme kPlainScheme{kBlack, kWhite, kBlack, kWhite, kBlack, kWhite};
inline constexpr Scheme kNoticeScheme{kWhite, kLightGrey, kWhite, kGrey, kWhite, kLightGrey};
inline constexpr Scheme kResultScheme{kWhite, kAccent, kGrey, kAccent, kWhite, kAccent};
// The two buttons that lie outside their page and are never seen.
inline constexpr Scheme kOffPageScheme{kWhite, kBlack, kWhite, kRed, kWhite, kRed};

}  // namespace ui::catalogue
