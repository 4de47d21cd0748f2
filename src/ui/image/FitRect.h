#pragma once

#include <algorithm>
#include <cstdint>

#include "ui/ControlSpec.h"
#include "ui/Driver.h"

namespace ui {

// Where a picture of imgW x imgH is drawn inside a box of boxW x boxH, in the
// box's own coordinates.
//   Natural:   its own size at the top-left corner.
//   Stretched: the whole box, proportions ignored.
//   Fit:       its own size, centred, when it fits the box both ways; else
//              scaled by min(boxW / imgW, boxH / imgH) and centred.
// Fit works in whole pixels: the side that limits the scale takes the box's
// size exactly and the other side is rounded to the nearest pixel (at least
// one, so a very thin picture does not vanish).
constexpr Rect PictureRect(PictureMode mode, int boxW, int boxH, int imgW, int imgH) {
  boxW = std::max(boxW, 0);
  boxH = std::max(boxH, 0);
  if (imgW <= 0 || imgH <= 0) return {};
  switch (mode) {
    case PictureMode::Natural:
      return {0, 0, imgW, imgH};
    case PictureMode::Stretched:
      return {0, 0, boxW, boxH};
    case PictureMode::Fit:
      break;
  }
  int w = imgW, h = imgH;
  if (imgW > boxW || imgH > boxH) {
    const int64_t iw = imgW, ih = imgH, bw = boxW, bh = boxH;
    // Compare boxW / imgW with boxH / imgH without division.
    if (bw * ih <= bh * iw) {
      w = boxW;
      h = static_cast<int>((ih * bw * 2 + iw) / (iw * 2));
      if (boxH > 0) h = std::max(h, 1);
    } else {
      h = boxH;
      w = static_cast<int>((iw * bh * 2 + ih) / (ih * 2));
      if (boxW > 0) w = std::max(w, 1);
    }
  }
  return {(boxW - w) / 2, (boxH - h) / 2, w, h};
}

}  // namespace ui
