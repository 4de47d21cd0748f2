#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <type_traits>
#include <vector>

#include "ui/Catalogue.h"
#include "ui/Driver.h"
#include "ui/Layer.h"

namespace testing_support {

// A window layer without a window system, for handler tests. It keeps what
// the handlers set on the controls of each open window, takes the user's
// input as a window system would, records every message box and answers
// browse dialogs as the test told it. A box is answered as it shows (it has
// only OK), so the handler goes on at once; but until the test has taken it
// (TakeMessage) the windows take no input, as behind a box on screen.
//
// It keeps the layer's rules that handlers rely on: a window is built from
// its catalogue row and its created handler runs before the load returns;
// loading an open window raises it and builds nothing; a modal load returns
// once its window has closed, and meanwhile only that window takes input;
// closing a window closes the windows it owns, and closing the start-up
// window ends the program; selections and pages are clamped; a timer ticks
// only at an interval above 0; touching a control of a window that is not
// open ends the program with 1; once the program has ended no handler runs.
//
// Handlers run on a thread of the layer's own, its UI thread, so that a modal
// load can wait there while the test goes on. Everything but Do, Get, Stop,
// Post and RegisterFontFile is for that thread: the test calls it inside Do.
class RecordingLayer final : public ui::Layer {
 public:
  explicit RecordingLayer(const ui::HandlerTable& handlers);
  ~RecordingLayer() override;
  RecordingLayer(const RecordingLayer&) = delete;
  RecordingLayer& operator=(const RecordingLayer&) = delete;

  // Runs fn on the UI thread and returns once that thread waits for work
  // again: fn has returned, or waits in a modal load. From the test thread.
  void Do(std::function<void()> fn);
  // What f returns on the UI thread; f must not wait in a modal load.
  template <typename F>
  auto Get(F f) {
    if constexpr (std::is_void_v<decltype(f())>) {
      Do([&] { f(); });
    } else {
      decltype(f()) result{};
      Do([&] { result = f(); });
      return result;
    }
  }
  // Ends the UI thread; what is posted afterwards is dropped.
  void Stop();

  // The user's input. Each is false when the control cannot take it: its
  // window is not open, it is not shown or not enabled, a modal window other
  // than its own is open, or a message box has not been taken yet.
  bool Click(ui::ControlId c);  // a radio button clears the others of its container
  bool Type(ui::ControlId edit, std::string_view gbk);
  bool ChooseItem(ui::ControlId combo, int index);
  bool SelectItem(ui::ControlId list, int index);
  bool DoubleClickItem(ui::ControlId list, int index);
  bool FireTimer(ui::ControlId timer);  // also false when the timer is stopped
  bool CloseByUser(ui::WindowId w);

  // What the handlers left.
  std::vector<ui::WindowId> OpenWindows() const;
  std::optional<ui::WindowId> ModalWindow() const;  // the window input goes to
  bool IsShown(ui::ControlId c) const;              // own flag, its container's page, window open
  std::vector<std::string> Items(ui::ControlId c) const;
  int Interval(ui::ControlId timer) const;
  std::string Picture(ui::ControlId box) const;  // the encoded bytes it was last given
  int Builds(ui::WindowId w) const;              // how often the window was built
  // The oldest message box not taken yet.
  std::optional<ui::MessageBoxInfo> TakeMessage();
  // The answer to the next browse dialog; "" cancels, as does a dialog that
  // has no answer waiting.
  void AnswerNextBrowse(std::string gbkPath) { browseAnswers_.push_back(std::move(gbkPath)); }
  const std::vector<std::string>& BrowsePrompts() const { return browsePrompts_; }
  std::optional<int> ExitCode() const { return exitCode_; }

  // ui::Layer
  bool LoadWindow(ui::WindowId w, std::optional<ui::WindowId> owner, bool modal) override;
  void CloseWindow(ui::WindowId w) override;
  bool IsOpen(ui::WindowId w) const override;
  std::string Text(ui::ControlId c) override;
  void SetText(ui::ControlId c, std::string_view text) override;
  bool Visible(ui::ControlId c) override;
  void SetVisible(ui::ControlId c, bool visible) override;
  bool Enabled(ui::ControlId c) override;
  void SetEnabled(ui::ControlId c, bool enabled) override;
  int Selection(ui::ControlId c) override;
  void SetSelection(ui::ControlId c, int index) override;
  int AddItem(ui::ControlId c, std::string_view text) override;
  bool Checked(ui::ControlId c) override;
  void SetChecked(ui::ControlId c, bool checked) override;
  void SetPicture(ui::ControlId c, std::string encoded) override;
  void SetInterval(ui::ControlId c, int ms) override;
  int Page(ui::ControlId c) override;
  void SetPage(ui::ControlId c, int page) override;
  void ShowMessage(std::optional<ui::WindowId> owner, std::string_view text,
                   std::string_view title) override;
  std::string BrowseForPath(std::string_view prompt) override;
  bool RegisterFontFile(const std::filesystem::path&) override { return true; }
  void Post(std::function<void()> work) override;
  int Run(ui::WindowId startup) override;
  void EndProgram(int exitCode) override;

 private:
  struct Control {
    const ui::ControlSpec* row;
    std::string text;  // caption, edit text or a combo box's edit text
    bool visible, enabled, checked;
    int selection = -1;
    std::vector<std::string> items;  // combo and list items, or page titles
    int page = 0, interval = 0;
    std::string picture;
  };
  struct OpenWindow {
    std::optional<ui::WindowId> owner;
    bool modal = false;
    uint64_t opening = 0;  // which opening of all: later ones stand above
    std::vector<Control> controls;
  };

  bool Ended() const { return exitCode_.has_value(); }
  void Deliver(ui::Handler h);
  OpenWindow* Find(ui::WindowId w) const;
  Control* Find(ui::ControlId c) const;
  Control* Require(ui::ControlId c);     // ends the program when the window is not open
  bool Reaches(ui::WindowId w) const;    // whether the user's input reaches the window
  Control* TakesInput(ui::ControlId c);  // nullptr when the user cannot reach it
  void Destroy(ui::WindowId w);
  // Runs queued work until done() holds or the thread stops.
  void RunUntil(const std::function<bool()>& done);
  void Queue(std::function<void()> work);

  const ui::HandlerTable& handlers_;
  std::array<std::unique_ptr<OpenWindow>, ui::kWindowCount> open_{};
  std::array<int, ui::kWindowCount> builds_{};
  uint64_t openings_ = 0;
  std::optional<ui::WindowId> startup_;
  std::optional<int> exitCode_;
  std::vector<ui::MessageBoxInfo> messages_;
  std::size_t messagesTaken_ = 0;
  std::deque<std::string> browseAnswers_;
  std::vector<std::string> browsePrompts_;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> work_;
  uint64_t queued_ = 0, taken_ = 0;  // work items so far
  bool idle_ = false, stopping_ = false;
  std::thread thread_;
};

}  // namespace testing_support
