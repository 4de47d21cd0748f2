#pragma once

#include <QPointer>
#include <QString>
#include <QFont>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Catalogue.h"
#include "ui/Layer.h"

class QEventLoop;
class QTimer;

namespace ui::qt {

class FreshWindowGuard;

// One control of an open window.
struct BuiltControl {
  const ControlSpec* decl = nullptr;
  QPointer<QWidget> widget;              // nullptr for timers
  QTimer* timer = nullptr;               // timers only
  int interval = 0;                      // timers: the current interval
  std::vector<QPointer<QWidget>> pages;  // page containers: one child area per page
  int page = 0;                          // page containers: the current page
  QString caption;                       // labels and buttons: the caption as set (with CR LF)
  QFont font;                            // the catalogue's font; a long caption may be drawn smaller
  bool fitPending = false;               // the caption changed while the control was not on screen
  bool fitsOnShow = false;               // a filter measures the pending caption when the control shows
};

// A window from load to close.
struct OpenWindow {
  const WindowSpec* decl = nullptr;
  QPointer<QWidget> widget;
  std::vector<BuiltControl> controls;
  QEventLoop* modalLoop = nullptr;  // set while a modal load waits for the window
  // The controls are made when first needed: a caption set before then is
  // kept here, by control index, and given to the control when it is made.
  bool built = false;
  std::vector<std::optional<std::string>> pendingTexts;
  bool modal = false;
  std::optional<WindowId> owner;  // the window that keeps this one above it
};

// The window layer on Qt Widgets.
class QtLayer final : public Layer {
 public:
  QtLayer(const HandlerTable& handlers, LayerOptions options);
  ~QtLayer() override;

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
  bool RegisterFontFile(const std::filesystem::path& fontFile) override;

  void Post(std::function<void()> work) override;
  int Run(WindowId startup) override;
  void EndProgram(int exitCode) override;

  // For the test driver.
  OpenWindow* Find(WindowId w);
  BuiltControl* FindControl(ControlId c);
  bool FireTimer(ControlId c);  // one period of a running timer
  std::optional<int> ExitCode() const { return exitCode_; }
  bool Ended() const { return exitCode_.has_value(); }
  // The window of a top-level widget, if it is one of ours.
  std::optional<WindowId> WindowOf(const QWidget* topLevel) const;
  // Called when the user closes a window by its title bar.
  void ClosedByUser(WindowId w);
  // Draws the caption at the largest size that fits its control.
  static void ApplyFittingFont(BuiltControl& control);
  // Makes the window's controls if they are not made yet.
  void EnsureBuilt(OpenWindow& window);

 private:
  enum class Access { Read, Write };
  BuiltControl* Require(ControlId c, Access access);
  void Fatal(const char* utf8Message);
  void Build(OpenWindow& window, QWidget* top);
  // Makes the controls of windows still waiting for them once `shown` has
  // been drawn for the first time.
  void BuildOthersAfterFirstPaint(QWidget* shown);
  // Shows the caption at the catalogue's font size, or smaller where it
  // would not fit the control otherwise.
  void FitCaption(ControlId id, BuiltControl& control);
  void Deliver(Handler h);
  void Destroy(WindowId w);

  const HandlerTable& handlers_;
  std::unique_ptr<FreshWindowGuard> guard_;
  LayerOptions options_;
  std::array<std::unique_ptr<OpenWindow>, kWindowCount> open_{};
  std::optional<WindowId> startup_;
  std::optional<int> exitCode_;
  // Posted work runs in its name; what is still queued goes with it.
  std::unique_ptr<QObject> postedWork_;
};

// The layer behind a Layer reference, when it is the Qt one.
QtLayer* AsQtLayer(Layer& layer);

}  // namespace ui::qt
