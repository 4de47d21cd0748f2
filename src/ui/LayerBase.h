#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Catalogue.h"
#include "ui/ControlPlacement.h"
#include "ui/Layer.h"

namespace ui {

// What the layer answers about a control from its own bookkeeping.
struct ControlState {
  const ControlSpec* decl = nullptr;
  int interval = 0;  // timers: the current interval
  int page = 0;      // page containers: the current page
};

// A window from load to close, as every backend keeps it; a backend's window
// adds its toolkit's handles.
struct WindowState {
  virtual ~WindowState() = default;
  const WindowSpec* decl = nullptr;
  std::optional<WindowId> owner;  // the window that keeps this one above it
  bool modal = false;
  uint64_t opening = 0;              // which opening of all: tells a window from one reopened
  std::vector<ControlState> states;  // by control index
};

// The window rules every backend shares, written once: the open-window table,
// loading (an open window is raised; the created handler runs before the
// window shows; a modal load waits until it closes), closing (owned windows
// go along; the start-up window's close ends the program), timers, pages and
// the fatal end when a handler touches a window that is not open. A backend
// supplies the primitives below.
class LayerBase : public Layer {
 public:
  LayerBase(const HandlerTable& handlers, LayerOptions options);

  bool LoadWindow(WindowId w, std::optional<WindowId> owner, bool modal) override;
  void CloseWindow(WindowId w) override;
  bool IsOpen(WindowId w) const override;
  void SetInterval(ControlId c, int ms) override;
  int Page(ControlId c) override;
  void SetPage(ControlId c, int page) override;
  int Run(WindowId startup) override;
  void EndProgram(int exitCode) override;

  // Which kinds of control have which property, and the dialogs' rules; the
  // values themselves live in the window system's controls.
  std::string Text(ControlId c) override;
  void SetText(ControlId c, std::string_view text) override;
  bool Visible(ControlId c) override { return FlagOf(c, Flag::Visible); }
  void SetVisible(ControlId c, bool visible) override { SetFlag(c, Flag::Visible, visible); }
  bool Enabled(ControlId c) override { return FlagOf(c, Flag::Enabled); }
  void SetEnabled(ControlId c, bool enabled) override { SetFlag(c, Flag::Enabled, enabled); }
  int Selection(ControlId c) override;
  void SetSelection(ControlId c, int index) override;
  int AddItem(ControlId c, std::string_view text) override;
  bool Checked(ControlId c) override { return FlagOf(c, Flag::Checked); }
  void SetChecked(ControlId c, bool checked) override { SetFlag(c, Flag::Checked, checked); }
  void SetPicture(ControlId c, std::string encoded) override;
  void ShowMessage(std::optional<WindowId> owner, std::string_view text,
                   std::string_view title) override;
  std::string BrowseForPath(std::string_view prompt) override;

  // For the backend's event handling and the test driver.
  bool Ended() const { return exitCode_.has_value(); }
  std::optional<int> ExitCode() const { return exitCode_; }
  WindowState* FindOpenWindow(WindowId w) const;
  // The open windows, in the order of their ids.
  std::vector<WindowState*> OpenStates() const;
  // The first open window the test holds for.
  std::optional<WindowId> FirstOpen(const std::function<bool(const WindowState&)>& holds) const;
  // The control's state, its window's controls made first where they are
  // made when needed; nullptr when its window is not open.
  const ControlState* ReadyState(ControlId c);
  // The title bar's close box: the same as a handler's close.
  void ClosedByUser(WindowId w) { CloseWindow(w); }
  bool TimerRuns(ControlId c);  // a timer with an interval above 0
  // One period of a running timer; false when there is none.
  bool FireTimer(ControlId c);
  // The items of a combo or list box, as the user sees them; none for
  // other controls or a window that is not open.
  std::vector<std::string> Items(ControlId c);
  // Runs the handler unless the program has ended.
  void Deliver(Handler h);

 protected:
  enum class Access { Read, Write };
  // Whether a handler may go on to the control: not once the program has
  // ended, nor (which ends the program) when the control's window is not open.
  bool Reach(ControlId c, Access access);
  // Reports the message and ends the program with 1.
  void Fatal(const char* utf8Message);
  // Destroys every window; for the backend's destructor.
  void DestroyAll();
  const LayerOptions& Options() const { return options_; }

  // A control of an open window that the window system holds (any kind but
  // a timer), as the property primitives are given it.
  struct Native {
    WindowState& window;
    std::size_t index;
    const ControlSpec& decl;
  };
  enum class Flag { Visible, Enabled, Checked };

  // Primitives: control properties. Selections and items are asked only of
  // combo and list boxes, the checked flag only of radio buttons, a picture
  // only of picture boxes; a selection written is in range.
  virtual std::string ReadText(const Native& c) = 0;
  virtual void WriteText(const Native& c, std::string_view gbk) = 0;
  // A text set before the window's controls are made may be kept for later;
  // true when it was.
  virtual bool DeferText(WindowState&, std::size_t, std::string_view) { return false; }
  virtual bool ReadFlag(const Native& c, Flag flag) = 0;
  virtual void WriteFlag(const Native& c, Flag flag, bool on) = 0;
  virtual int ReadSelection(const Native& c) = 0;
  virtual void WriteSelection(const Native& c, int index) = 0;
  virtual int ItemCount(const Native& c) = 0;
  virtual int AppendItem(const Native& c, std::string_view gbk) = 0;
  virtual std::string ItemText(const Native& c, int index) = 0;
  virtual void ShowPicture(const Native& c, std::string encoded) = 0;
  // Primitives: the system's dialogs, modal for the whole program. The owner
  // is open, or none.
  virtual void ShowMessageBox(WindowState* owner, std::string_view text,
                              std::string_view title) = 0;
  virtual std::string Browse(std::string_view prompt) = 0;

  // Primitives: windows. The native window, not shown yet; nullptr when it cannot be
  // made. The owner is open, or none.
  virtual std::unique_ptr<WindowState> CreateNative(const WindowSpec& decl,
                                                    std::optional<WindowId> owner, bool modal) = 0;
  // The window is in the table and its created handler is about to run.
  virtual void Created(WindowState&) {}
  // Before a handler's access to a control of the window: a backend that
  // makes controls when first needed makes them now.
  virtual void Prepare(WindowState&) {}
  // Shows the window after its created handler; fresh: a window the rest of
  // the click that opened it must not reach.
  virtual void ShowNative(WindowState& window, bool fresh) = 0;
  virtual void RaiseNative(WindowState& window) = 0;
  // Runs events until EndModalLoop is called for the window or the program ends.
  virtual void RunModalLoop(WindowState& window) = 0;
  virtual void EndModalLoop(WindowState& window) = 0;
  // Takes the window off the screen; it has left the table already and goes
  // once this returns. Its timers stop.
  virtual void DestroyNative(WindowState& window) = 0;
  // Stops the timer and, for ms above 0, starts it again at that period.
  virtual void RestartTimer(WindowState& window, std::size_t index, int ms) = 0;
  virtual void ShowPageNative(WindowState& window, std::size_t index, int page) = 0;
  // Closes open message boxes and dialogs: the program is ending.
  virtual void CloseDialogs() = 0;
  // Runs the program's event loop until QuitEventLoop; returns its exit code.
  virtual int RunEventLoop() = 0;
  virtual void QuitEventLoop(int exitCode) = 0;
  // Tells the user why the program cannot go on.
  virtual void ShowFatal(const char* utf8Message) = 0;

 private:
  void Destroy(WindowId w);
  // The control for a property primitive; nothing for a timer, or when the
  // handler may not go on (see Reach).
  std::optional<Native> NativeOf(ControlId c, Access access);
  // Only radio buttons have the checked flag.
  bool FlagOf(ControlId c, Flag flag);
  void SetFlag(ControlId c, Flag flag, bool on);
  // Combo and list boxes hold items and a selection.
  std::optional<Native> ListOf(ControlId c, Access access);

  const HandlerTable& handlers_;
  LayerOptions options_;
  std::array<std::unique_ptr<WindowState>, kWindowCount> open_{};
  std::optional<WindowId> startup_;
  std::optional<int> exitCode_;
  uint64_t openings_ = 0;
};

}  // namespace ui
