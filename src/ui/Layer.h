#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ui/HandlerTable.h"
#include "ui/Ids.h"

namespace ui {

inline constexpr std::optional<WindowId> kNoOwner = std::nullopt;

// The window layer: builds windows from the catalogue, delivers their events
// to the handler table and gives handlers access to control properties.
// Every text crossing this interface is a GBK byte string.
class Layer {
 public:
  virtual ~Layer() = default;

  // Builds the window, shows it and fires its created handler. An open window
  // is raised instead and nothing is rebuilt. A modal load returns only when
  // the window has been closed; meanwhile the program's other windows take no
  // input. Returns false when the window cannot be loaded.
  virtual bool LoadWindow(WindowId w, std::optional<WindowId> owner, bool modal) = 0;
  // Destroys the window; a pending modal load of it returns. Closing the
  // start-up window ends the program.
  virtual void CloseWindow(WindowId w) = 0;
  virtual bool IsOpen(WindowId w) const = 0;

  // Caption of labels, group boxes and buttons; contents of edit boxes; the
  // edit text of a combo box.
  virtual std::string Text(ControlId c) = 0;
  virtual void SetText(ControlId c, std::string_view text) = 0;
  virtual bool Visible(ControlId c) = 0;  // the control's own visible flag
  virtual void SetVisible(ControlId c, bool visible) = 0;
  virtual bool Enabled(ControlId c) = 0;
  virtual void SetEnabled(ControlId c, bool enabled) = 0;
  // Combo and list boxes: 0-based, -1 for none; a set is clamped to [-1, count-1].
  virtual int Selection(ControlId c) = 0;
  virtual void SetSelection(ControlId c, int index) = 0;
  // Appends an item; returns its index or -1.
  virtual int AddItem(ControlId c, std::string_view text) = 0;
  virtual bool Checked(ControlId c) = 0;
  virtual void SetChecked(ControlId c, bool checked) = 0;
  // Decodes the encoded picture bytes and shows them in the box's mode; bytes
  // that do not decode give an empty picture. The box keeps the bytes until
  // it draws them, so they are taken, not copied.
  virtual void SetPicture(ControlId c, std::string encoded) = 0;
  // Timers: negative counts as 0; the same interval changes nothing; 0 stops.
  virtual void SetInterval(ControlId c, int ms) = 0;
  virtual int Page(ControlId c) = 0;
  virtual void SetPage(ControlId c, int page) = 0;

  // One OK button; owned by the owner window, modal for the whole program.
  virtual void ShowMessage(std::optional<WindowId> owner, std::string_view text,
                           std::string_view title) = 0;
  // The folder-and-file browse dialog; returns the chosen path or "" on cancel.
  virtual std::string BrowseForPath(std::string_view prompt) = 0;

  // Makes the faces of a font file available to windows built from now on.
  // Safe on any thread.
  virtual bool RegisterFontFile(const std::filesystem::path& fontFile) = 0;

  // Runs work on the UI thread once the events before it are handled, also
  // while a modal window waits. Safe from any thread; work that has not run
  // when the program ends is dropped.
  virtual void Post(std::function<void()> work) = 0;

  // Loads the start-up window and runs the event loop until it is closed.
  // Returns the program's exit code.
  virtual int Run(WindowId startup) = 0;
  // Shuts the window layer down and ends the program with the exit code; no
  // further event is handled.
  virtual void EndProgram(int exitCode) = 0;
};

struct LayerOptions {
  // Timers do not run by themselves; the test driver fires their ticks.
  bool manualTimers = false;
  // The event loop belongs to the host (a test): ending the program records
  // the exit code and closes every window instead of leaving the loop.
  bool hostedEventLoop = false;
};

// Implemented by the backend. The layer delivers events to the table's handlers.
std::unique_ptr<Layer> CreateLayer(const HandlerTable& handlers, LayerOptions options = {});

}  // namespace ui
