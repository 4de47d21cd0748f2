#pragma once

#include <windows.h>

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/LayerBase.h"
#include "ui/win32/FreshWindowGuard.h"

namespace ui::win32 {

// One control of an open window.
struct BuiltControl {
  const ControlSpec* decl = nullptr;
  HWND hwnd = nullptr;              // nullptr for timers; the host window of an edit box
  HWND edit = nullptr;              // edit boxes: the edit control inside the host
  std::vector<HWND> pages;          // page containers: one child area per page
  bool later = false;               // not made yet (see MadeLater)
  std::optional<std::string> text;  // GBK: set by a handler while not made yet
};

// A window from load to close.
struct OpenWindow final : WindowState {
  HWND hwnd = nullptr;
  std::vector<BuiltControl> controls;
  bool* modalDone = nullptr;  // set while a modal load waits for the window
  std::vector<HWND> disabledWhileModal;
  // Moving the window with the pointer.
  bool dragging = false;
  POINT dragLast{};
};

// The window layer on Win32 windows and the standard controls.
class Win32Layer final : public LayerBase {
 public:
  Win32Layer(const HandlerTable& handlers, LayerOptions options);
  ~Win32Layer() override;

  // The system's fonts and message queue. Both spellings of the font file,
  // so that the layer follows the interface whichever one it declares.
  bool RegisterFontFile(const std::string& nativePath);
  bool RegisterFontFile(const std::filesystem::path& fontFile) override;
  void Post(std::function<void()> work) override;

  // For the window procedures and the test driver.
  OpenWindow* Find(WindowId w) const { return static_cast<OpenWindow*>(FindOpenWindow(w)); }
  BuiltControl* FindControl(ControlId c);
  std::optional<ControlId> ControlOf(HWND hwnd);  // a control's own window
  std::optional<WindowId> WindowOf(HWND topLevel) const;
  // The close box: a window blocked by a modal one takes no input.
  void OnCloseBox(WindowId w);
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
  std::unique_ptr<WindowState> CreateNative(const WindowSpec& decl, std::optional<WindowId> owner,
                                            bool modal) override;
  void Created(WindowState& window) override { Build(static_cast<OpenWindow&>(window)); }
  void ShowNative(WindowState& window, bool fresh) override;
  void RaiseNative(WindowState& window) override;
  void RunModalLoop(WindowState& window) override;
  void EndModalLoop(WindowState& window) override;
  void DestroyNative(WindowState& window) override;
  void RestartTimer(WindowState& window, std::size_t index, int ms) override;
  void ShowPageNative(WindowState& window, std::size_t index, int page) override;
  void CloseDialogs() override;
  int RunEventLoop() override;
  void QuitEventLoop(int exitCode) override;
  void ShowFatal(const char* utf8Message) override;

  BuiltControl& Built(const Native& c);
  std::string ReadText(const Native& c) override;
  void WriteText(const Native& c, std::string_view gbk) override;
  bool ReadFlag(const Native& c, Flag flag) override;
  void WriteFlag(const Native& c, Flag flag, bool on) override;
  int ReadSelection(const Native& c) override;
  void WriteSelection(const Native& c, int index) override;
  int ItemCount(const Native& c) override;
  int AppendItem(const Native& c, std::string_view gbk) override;
  std::string ItemText(const Native& c, int index) override;
  void ShowPicture(const Native& c, std::string encoded) override;
  void ShowMessageBox(WindowState* owner, std::string_view text, std::string_view title) override;
  std::string Browse(std::string_view prompt) override;

  bool DeferText(WindowState& window, std::size_t index, std::string_view gbk) override;
  // Makes the window's controls: those it shows now, the rest later.
  void Build(OpenWindow& window);
  void Make(OpenWindow& window, std::size_t index);
  // The control, and what comes with it, when it was left to be made later.
  void EnsureMade(OpenWindow& window, std::size_t index);
  void MakeAllLater(OpenWindow& window);
  // Disables every other top-level window of the program while a modal window
  // or box is open; returns the windows to enable again afterwards.
  std::vector<HWND> DisableOthers(HWND except);

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
