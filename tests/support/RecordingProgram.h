#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/shared/AppState.h"
#include "support/FakeClock.h"
#include "support/RecordingLayer.h"
#include "support/RunDirectory.h"
#include "support/TextLiterals.h"

namespace testing_support {

namespace fs = std::filesystem;

// The whole program on the recording layer, with no window system: the real
// handlers, catalogue and file store in a fresh temporary run directory, a
// fake clock, and a platform whose folders are the test's and which starts
// no program. The run directory and the font folder hold what every start
// writes (the font files and the downloader), as after an earlier start; so
// a start writes none of them again.
//
// The test acts as the user through the functions below; each returns once
// the handlers it set off are done or wait in a modal window.
class RecordingProgram : public RunDirectory {
  // What f does with the layer, on its UI thread.
  template <typename F>
  auto On(F f) {
    RecordingLayer& ui = layer();
    return ui.Get([&] { return f(ui); });
  }

 public:
  RecordingProgram();
  ~RecordingProgram();
  RecordingProgram(const RecordingProgram&) = delete;
  RecordingProgram& operator=(const RecordingProgram&) = delete;

  FakeClock& Clock() { return clock_; }
  // A copy of the program-wide state.
  app::AppState State();

  // Loads MainWindow as the program start does; the start work waits in the
  // splash window unless the splash is skipped.
  void Start();
  // Start(), then the splash timer ticks (when the splash is open).
  void StartPastSplash();
  // Ends the program and takes it down; the run directory stays.
  void End();

  // The user's input (see RecordingLayer).
  bool Click(ui::ControlId c) {
    return On([=](RecordingLayer& ui) { return ui.Click(c); });
  }
  bool Type(ui::ControlId c, std::string_view gbk) {
    return On([&](RecordingLayer& ui) { return ui.Type(c, gbk); });
  }
  bool ChooseItem(ui::ControlId c, int i) {
    return On([=](RecordingLayer& ui) { return ui.ChooseItem(c, i); });
  }
  bool SelectItem(ui::ControlId c, int i) {
    return On([=](RecordingLayer& ui) { return ui.SelectItem(c, i); });
  }
  bool DoubleClickItem(ui::ControlId c, int i) {
    return On([=](RecordingLayer& ui) { return ui.DoubleClickItem(c, i); });
  }
  bool FireTimer(ui::ControlId c) {
    return On([=](RecordingLayer& ui) { return ui.FireTimer(c); });
  }
  bool CloseByUser(ui::WindowId w) {
    return On([=](RecordingLayer& ui) { return ui.CloseByUser(w); });
  }
  // The answer to the next browse dialog; without one a dialog is cancelled.
  void AnswerNextBrowse(std::string gbkPath) {
    On([&](RecordingLayer& ui) { ui.AnswerNextBrowse(std::move(gbkPath)); });
  }

  // What the user sees. A control of a window that is not open reads as
  // empty, -1 or false.
  bool IsOpen(ui::WindowId w) {
    return On([=](RecordingLayer& ui) { return ui.IsOpen(w); });
  }
  std::vector<ui::WindowId> OpenWindows() {
    return On([](RecordingLayer& ui) { return ui.OpenWindows(); });
  }
  // How often the window was built; loading an open window builds nothing.
  int Builds(ui::WindowId w) {
    return On([=](RecordingLayer& ui) { return ui.Builds(w); });
  }
  std::optional<ui::WindowId> ModalWindow() {
    return On([](RecordingLayer& ui) { return ui.ModalWindow(); });
  }
  std::string Text(ui::ControlId c) {
    return On([=](RecordingLayer& ui) { return ui.IsOpen(c.window) ? ui.Text(c) : std::string(); });
  }
  bool IsShown(ui::ControlId c) {
    return On([=](RecordingLayer& ui) { return ui.IsShown(c); });
  }
  bool IsEnabled(ui::ControlId c) {
    return On([=](RecordingLayer& ui) { return ui.IsOpen(c.window) && ui.Enabled(c); });
  }
  bool IsChecked(ui::ControlId c) {
    return On([=](RecordingLayer& ui) { return ui.IsOpen(c.window) && ui.Checked(c); });
  }
  int Selection(ui::ControlId c) {
    return On([=](RecordingLayer& ui) { return ui.IsOpen(c.window) ? ui.Selection(c) : -1; });
  }
  std::vector<std::string> Items(ui::ControlId c) {
    return On([=](RecordingLayer& ui) { return ui.Items(c); });
  }
  int Page(ui::ControlId c) {
    return On([=](RecordingLayer& ui) { return ui.IsOpen(c.window) ? ui.Page(c) : -1; });
  }
  int Interval(ui::ControlId c) {
    return On([=](RecordingLayer& ui) { return ui.Interval(c); });
  }
  std::string Picture(ui::ControlId c) {
    return On([=](RecordingLayer& ui) { return ui.Picture(c); });
  }
  // The oldest message box not taken yet. Every box is answered as it shows,
  // but the windows take no input until it is taken.
  std::optional<ui::MessageBoxInfo> TakeMessage() {
    return On([](RecordingLayer& ui) { return ui.TakeMessage(); });
  }
  std::vector<std::string> BrowsePrompts() {
    return On([](RecordingLayer& ui) { return ui.BrowsePrompts(); });
  }
  std::optional<int> ExitCode() {
    return On([](RecordingLayer& ui) { return ui.ExitCode(); });
  }

 private:
  struct Parts;
  RecordingLayer& layer();
  void WaitForStartWrites() const;

  fs::path root_;
  FakeClock clock_;
  std::unique_ptr<Parts> parts_;
};

}  // namespace testing_support
