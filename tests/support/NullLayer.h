#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "ui/Layer.h"

namespace testing_support {

// A window layer that shows nothing and keeps nothing: for tests of code that
// needs a layer but no windows. A test overrides what it wants to observe.
class NullLayer : public ui::Layer {
 public:
  bool LoadWindow(ui::WindowId, std::optional<ui::WindowId>, bool) override { return false; }
  void CloseWindow(ui::WindowId) override {}
  bool IsOpen(ui::WindowId) const override { return false; }
  std::string Text(ui::ControlId) override { return {}; }
  void SetText(ui::ControlId, std::string_view) override {}
  bool Visible(ui::ControlId) override { return false; }
  void SetVisible(ui::ControlId, bool) override {}
  bool Enabled(ui::ControlId) override { return false; }
  void SetEnabled(ui::ControlId, bool) override {}
  int Selection(ui::ControlId) override { return -1; }
  void SetSelection(ui::ControlId, int) override {}
  int AddItem(ui::ControlId, std::string_view) override { return -1; }
  bool Checked(ui::ControlId) override { return false; }
  void SetChecked(ui::ControlId, bool) override {}
  void SetPicture(ui::ControlId, std::string) override {}
  void SetInterval(ui::ControlId, int) override {}
  int Page(ui::ControlId) override { return 0; }
  void SetPage(ui::ControlId, int) override {}
  void ShowMessage(std::optional<ui::WindowId>, std::string_view, std::string_view) override {}
  std::string BrowseForPath(std::string_view) override { return {}; }
  bool RegisterFontFile(const std::filesystem::path&) override { return false; }
  void Post(std::function<void()>) override {}
  int Run(ui::WindowId) override { return 0; }
  void EndProgram(int) override {}
};

}  // namespace testing_support
