#pragma once

#include <functional>

namespace ui {

// The smallest size, in pixels at 96 dots per inch, a shrunk caption is
// drawn at.
inline constexpr int kSmallestCaptionPx = 10;

// The size a caption is drawn at: the control's own size when the caption
// fits at it, else the largest smaller size where it fits, but never below
// the smallest size (where a caption too long for any size is drawn).
// fitsAt measures the caption at a size.
int FittingCaptionPx(int ownPx, const std::function<bool(int px)>& fitsAt);

}  // namespace ui
