#include "ui/ControlPlacement.h"

#include <algorithm>
#include <string_view>

namespace ui {

bool HasCaptionBar(const WindowSpec& decl) {
  return decl.border != Border::None && (decl.caption[0] != '\0' || decl.systemMenu);
}

int PageCount(const ControlSpec& c) {
  const std::string_view titles(c.items);
  return titles.empty() ? 1 : static_cast<int>(std::count(titles.begin(), titles.end(), '\n')) + 1;
}

std::optional<Holder> HolderOf(const WindowSpec& decl, std::size_t control) {
  const ControlSpec& c = decl.controls[control];
  if (!c.container) return std::nullopt;
  for (std::size_t j = 0; j < control; ++j) {
    const ControlSpec& holder = decl.controls[j];
    if (std::string_view(holder.name) != c.container) continue;
    if (holder.kind != Kind::PageContainer) return Holder{j, std::nullopt};
    return Holder{j, std::clamp<int>(c.page, 0, PageCount(holder) - 1)};
  }
  return std::nullopt;
}

}  // namespace ui
