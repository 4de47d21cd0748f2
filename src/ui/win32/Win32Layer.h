#pragma once

#include <windows.h>

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Catalogue.h"
#include "ui/Layer.h"
#include "ui/win32/FreshWindowGuard.h"

namespace ui::win32 {

// One control of an open window.
struct BuiltControl {
  const ControlSpec* decl = nullptr;
  HWND hwnd = nullptr;      // nullptr for timers; the host window of an edit box
  HWND edit = nullptr;      // edit boxes: the edit control inside the host
  std::vector<HWND> pages;  // page containers: one child area per page
  int page = 0;             // page containers: the current page
  int interval = 0;         // timers: the current interval
};

// A window from load to close.
struct OpenWindow {
  const WindowSpec* decl = nullptr;
  HWND hwnd = nullptr;
  std::vector<BuiltControl> controls;
  bool modal = false;
  bool* modalDone = nullptr;  // set while a modal load waits for the window
  std::vector<HWND> disabledWhileModal;
  std::optional<WindowId> owner;
  // Moving the window with the pointer.
  bool dragging = false;
  POINT dragLast{};
};

// The window layer on Win32 windows and the standard controls.
class Win32Layer final : public Layer {
 public:
  Win32Layer(const HandlerTable& handlers, LayerOptions options);
  ~Win32Layer() override;

  bool LoadWindow(WindowId w, std::optional<WindowId> owner, bool modal) override;
  void CloseWindow(WindowId w) override;
  bool IsOpen(WindowId w) const override;

  std::string Text(ControlId c) override;
  void SetText(ControlId c, std::string_view text) override;
  bool Visible(ControlId c) override;
  void SetVisible(ControlId c, bool visible) override;
  bool Enabled(ControlId c) override;
  void SetEnabled(ControlId c, bool enabled) override;
  int Selection(ControlId c) override;
  void SetSelection(ControlId c, int index) override;
  int AddItem(ControlId c, std::string_view text) override;
  bool Checked(ControlId c) override;
  void SetChecked(ControlId c, bool checked) override;
  void SetPicture(ControlId c, std::string encoded) override;
  void SetInterval(ControlId c, int ms) override;
  int Page(ControlId c) override;
  void SetPage(ControlId c, int page) override;

  void ShowMessage(std::optional<WindowId> owner, std::string_view text, std::string_view title) override;
  std::string BrowseForPath(std::string_view prompt) override;
  // Both spellings of the font file, so that the layer follows the interface
  // whichever one it declares.
  bool RegisterFontFile(const std::string& nativePath);
  bool RegisterFontFile(const std::filesystem::path& fontFile) override;

  void Post(std::function<void()> work) override;
  int Run(WindowId startup) override;
  void EndProgram(int exitCode) override;

  // For the window procedures and the test driver.
  OpenWindow* Find(WindowId w);
  BuiltControl* FindControl(ControlId c);
  std::optional<ControlId> ControlOf(HWND hwnd);  // a control's own window
  std::optional<WindowId> WindowOf(HWND topLevel) const;
  bool FireTimer(ControlId c);
  std::optional<int> ExitCode() const { return exitCode_; }
  bool Ended() const { return exitCode_.has_value(); }
  void ClosedByUser(WindowId w);
  void Deliver(Handler h);
  void OnCommand(HWND child, int code);
  // The window is to show at another scale, in dots per inch, in the
  // suggested place: it and every control are laid out anew.
  void ChangeScale(WindowId w, int dpi, const RECT& suggested);
  void OnTimer(WindowId w, UINT_PTR id);
  // Drag anywhere: a press at a point of the screen starts moving the window.
  void BeginDrag(WindowId w, POINT screen);
  bool DragMove(WindowId w, POINT screen);
  void EndDrag(WindowId w);
  // The browse dialog while it is open (for the driver).
  HWND BrowseDialog() const { return browseDialog_; }
  const std::string& BrowsePrompt() const { return browsePrompt_; }
  void SetTypedPath(const wchar_t* typed) { typedPath_ = typed ? typed : L""; }
  void SetBrowseDialog(HWND dialog) { browseDialog_ = dialog; }
  // For the test driver: the time its posted input stands for.
  void SetInputTime(DWORD at) { guard_.SetInputTime(at); }

 private:
  enum class Access { Read, Write };
  BuiltControl* Require(ControlId c, Access access);
  void Fatal(const char* utf8Message);
  void Build(OpenWindow& window);
  void Destroy(WindowId w);
  // Disables every other top-level window of the program while a modal window
  // or box is open; returns the windows to enable again afterwards.
  std::vector<HWND> DisableOthers(HWND except);
  void RunNestedLoop(const bool& done);

  const HandlerTable& handlers_;
  LayerOptions options_;
  std::array<std::unique_ptr<OpenWindow>, kWindowCount> open_{};
  std::optional<WindowId> startup_;
  std::optional<int> exitCode_;
  HWND hiddenOwner_ = nullptr;  // owner of windows kept out of the task bar
  HWND browseDialog_ = nullptr;
  std::string browsePrompt_;  // GBK
  std::wstring typedPath_;    // typed into the browse dialog, naming nothing
  FreshWindowGuard guard_;
};

Win32Layer* AsWin32Layer(Layer& layer);

// Runs one message through the program's keyboard handling and the window
// procedures; false when WM_QUIT arrived (it is posted again for outer loops).
bool PumpOneMessage();

}  // namespace ui::win32
