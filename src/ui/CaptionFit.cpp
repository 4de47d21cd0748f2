#include "ui/CaptionFit.h"

namespace ui {

int FittingCaptionPx(int ownPx, const std::function<bool(int px)>& fitsAt) {
  if (fitsAt(ownPx)) return ownPx;
  int px = ownPx;
  while (px > kSmallestCaptionPx) {
    --px;
    if (fitsAt(px)) break;
  }
  return px;
}

}  // namespace ui
