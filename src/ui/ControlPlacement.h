#pragma once

#include <cstddef>
#include <optional>

#include "ui/ControlSpec.h"

namespace ui {

// Whether the window has a caption bar: a frame and a caption or close box.
bool HasCaptionBar(const WindowSpec& decl);

// A page container's pages: one per title, at least one.
int PageCount(const ControlSpec& c);

// Where a control sits inside another of its window: the holder's index and,
// when the holder is a page container, the page (the declared one, kept in
// range); nothing for a control of the window itself. Holders come first.
struct Holder {
  std::size_t index;
  std::optional<int> page;
};
std::optional<Holder> HolderOf(const WindowSpec& decl, std::size_t control);

}  // namespace ui
