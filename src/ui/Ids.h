#pragma once

#include <cstdint>

namespace ui {

// The windows of the program (and of the updater, built from the same layer).
enum class WindowId : uint8_t {
  MainWindow,
  SplashWindow,
  CountdownDoneWindow,
  AdminPasswordSetupWindow,
  AdminLoginWindow,
  AdminSettingsWindow,
  RootSettingsWindow,
  NameListPickerWindow,
  DrawResultWindow,
  UpdaterWindow,
  Count
};

inline constexpr int kWindowCount = static_cast<int>(WindowId::Count);

// A control is addressed by its window and its row in that window's table.
struct ControlId {
  WindowId window;
  uint16_t index;
  friend constexpr bool operator==(ControlId, ControlId) = default;
};

}  // namespace ui
