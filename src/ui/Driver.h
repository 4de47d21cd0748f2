#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Ids.h"

namespace ui {

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct MessageBoxInfo {
  std::string text;   // GBK
  std::string title;  // GBK
  std::optional<WindowId> owner;
};

// The window layer's second face, for tests: it acts as the user on the real
// widgets. It is used from a test thread; every action is carried to the UI
// thread and returns once the UI thread is idle again, so an action that opens
// a modal window returns while that window is open.
class Driver {
 public:
  virtual ~Driver() = default;

  // Runs fn on the UI thread (for example to start the program) and waits
  // until the UI thread is idle; fn may open modal windows.
  virtual void Post(std::function<void()> fn) = 0;
  // Runs fn on the UI thread and waits for it to return.
  virtual void Sync(std::function<void()> fn) = 0;

  // Actions. Each returns false when the control's window is not open or the
  // control cannot take the action (hidden, disabled, blocked by a modal window).
  virtual bool Click(ControlId c) = 0;  // left click in the control's centre
  // Two clicks in the centre as quick as a double click; the second lands on
  // whatever is under the pointer by then (a window the first one opened).
  virtual bool DoubleClick(ControlId c) = 0;
  virtual bool PressMouse(ControlId c) = 0;  // left button down and up on a picture box or label
  virtual bool Type(ControlId edit, std::string_view gbk) = 0;  // replaces the contents by typing
  virtual bool ChooseItem(ControlId combo, int index) = 0;
  virtual bool DoubleClickItem(ControlId list, int index) = 0;
  virtual bool SelectItem(ControlId list, int index) = 0;
  virtual bool FireTimer(
      ControlId timer) = 0;                  // one period elapses; false when the timer is stopped
  virtual bool CloseByUser(WindowId w) = 0;  // the title bar's close box
  // Presses the left button on the control's centre, moves the pointer by
  // (dx, dy) and releases it.
  virtual bool Drag(ControlId c, int dx, int dy) = 0;

  // Reading what the user sees.
  virtual bool IsOpen(WindowId w) = 0;
  virtual std::vector<WindowId> OpenWindows() = 0;
  virtual std::optional<WindowId> ModalWindow() = 0;  // the window modal input goes to
  virtual std::string Text(ControlId c) = 0;          // GBK
  virtual bool IsShown(ControlId c) = 0;              // visible on screen (own flag, page, window)
  virtual bool IsEnabled(ControlId c) = 0;
  virtual bool IsChecked(ControlId c) = 0;
  virtual int Selection(ControlId c) = 0;
  virtual std::vector<std::string> Items(ControlId c) = 0;
  virtual int Page(ControlId c) = 0;
  virtual int Interval(ControlId timer) = 0;
  virtual Rect Geometry(ControlId c) = 0;       // relative to its container's client area
  virtual Rect WindowGeometry(WindowId w) = 0;  // outer frame on the screen
  virtual Rect ClientGeometry(WindowId w) = 0;  // the client area on the screen
  virtual Rect ScreenRect(ControlId c) = 0;     // where the control is on the screen
  // Whether the control's caption shows whole inside it, drawn at 10 px or
  // more; true for controls without a caption.
  virtual bool CaptionFits(ControlId c) = 0;
  // The window system's handle of the open window (an X11 window id), 0 when
  // it is not open.
  virtual uint64_t NativeHandle(WindowId w) = 0;

  // The open message box, if any; answering presses its OK button.
  virtual std::optional<MessageBoxInfo> OpenMessageBox() = 0;
  virtual bool AnswerMessageBox() = 0;
  // The open browse dialog, if any; answering with "" cancels it.
  virtual std::optional<std::string> OpenBrowseDialog() = 0;  // its prompt
  virtual bool AnswerBrowseDialog(std::string_view gbkPath) = 0;

  // Whether the program has ended, and its exit code.
  virtual std::optional<int> ExitCode() = 0;

  // Renders the window (and, for a page container, the current page) to PNG.
  virtual bool Snapshot(WindowId w, const std::filesystem::path& pngPath) = 0;
};

}  // namespace ui
