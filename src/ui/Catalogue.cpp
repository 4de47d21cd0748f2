#include "ui/Catalogue.h"

#include <array>

namespace ui {
namespace {

constexpr std::array<const WindowSpec*, kWindowCount> kWindows = {
    &catalogue::kMainWindow,          &catalogue::kSplashWindow,
    &catalogue::kCountdownDoneWindow, &catalogue::kAdminPasswordSetupWindow,
    &catalogue::kAdminLoginWindow,    &catalogue::kAdminSettingsWindow,
    &catalogue::kRootSettingsWindow,  &catalogue::kNameListPickerWindow,
    &catalogue::kDrawResultWindow,    &catalogue::kUpdaterWindow,
};

constexpr bool InWindowIdOrder() {
  for (std::size_t i = 0; i < kWindows.size(); ++i) {
    if (static_cast<std::size_t>(kWindows[i]->id) != i) return false;
  }
  return true;
}
static_assert(InWindowIdOrder(), "the window table follows WindowId");

}  // namespace

const WindowSpec& Window(WindowId id) {
  return *kWindows[static_cast<std::size_t>(id)];
}

std::span<const WindowSpec* const> AllWindows() {
  return kWindows;
}

}  // namespace ui
