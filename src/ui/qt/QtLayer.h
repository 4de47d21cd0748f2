#pragma once

#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/LayerBase.h"

class QEventLoop;
class QTimer;

namespace ui::qt {

class FreshWindowGuard;

// One control of an open window.
struct BuiltControl {
  const ControlSpec* decl = nullptr;
  QPointer<QWidget> widget;              // nullptr for timers
  QTimer* timer = nullptr;               // timers only
  std::vector<QPointer<QWidget>> pages;  // page containers: one child area per page
  QString caption;                       // labels and buttons: the caption as set (with CR LF)
  QFont font;               // the catalogue's font; a long caption may be drawn smaller
  bool fitPending = false;  // the caption changed while the control was not on screen
  bool fitsOnShow = false;  // a filter measures the pending caption when the control shows
};

// A window from load to close.
struct OpenWindow final : WindowState {
  QPointer<QWidget> widget;
  std::vector<BuiltControl> controls;
  QEventLoop* modalLoop = nullptr;  // set while a modal load waits for the window
  // The controls are made when first needed: a caption set before then is
  // kept here, by control index, and given to the control when it is made.
  bool built = false;
  std::vector<std::optional<std::string>> pendingTexts;
};

// The window layer on Qt Widgets.
class QtLayer final : public LayerBase {
 public:
  QtLayer(const HandlerTable& handlers, LayerOptions options);
  ~QtLayer() override;

  // Qt's fonts and event queue.
  bool RegisterFontFile(const std::filesystem::path& fontFile) override;
  void Post(std::function<void()> work) override;

  // For the test driver.
  OpenWindow* Find(WindowId w) const { return static_cast<OpenWindow*>(FindOpenWindow(w)); }
  BuiltControl* FindControl(ControlId c);
  // The window of a top-level widget, if it is one of ours.
  std::optional<WindowId> WindowOf(const QWidget* topLevel) const;
  // Draws the caption at the largest size that fits its control.
  static void ApplyFittingFont(BuiltControl& control);
  // Makes the window's controls if they are not made yet.
  void EnsureBuilt(OpenWindow& window);

 private:
  std::unique_ptr<WindowState> CreateNative(const WindowSpec& decl, std::optional<WindowId> owner,
                                            bool modal) override;
  void Prepare(WindowState& window) override { EnsureBuilt(static_cast<OpenWindow&>(window)); }
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

  static BuiltControl& Built(const Native& c);
  std::string ReadText(const Native& c) override;
  void WriteText(const Native& c, std::string_view gbk) override;
  bool DeferText(WindowState& window, std::size_t index, std::string_view gbk) override;
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

  void Build(OpenWindow& window);
  void BuildControl(OpenWindow& window, std::size_t index);
  // Makes the controls of windows still waiting for them once `shown` has
  // been drawn for the first time.
  void BuildOthersAfterFirstPaint(QWidget* shown);
  // Shows the caption at the catalogue's font size, or smaller where it
  // would not fit the control otherwise.
  void FitCaption(ControlId id, BuiltControl& control);

  std::unique_ptr<FreshWindowGuard> guard_;
  // Posted work runs in its name; what is still queued goes with it.
  std::unique_ptr<QObject> postedWork_;
};

// The layer behind a Layer reference, when it is the Qt one.
QtLayer* AsQtLayer(Layer& layer);

}  // namespace ui::qt
