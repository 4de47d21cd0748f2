#include "ui/qt/QtLayer.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "ui/qt/ControlWidgets.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/FreshWindowGuard.h"
#include "ui/qt/PictureBox.h"
#include "ui/qt/QtText.h"
#include "ui/qt/SuperButton.h"
#include "ui/qt/TextFit.h"
#include "ui/qt/WindowWidget.h"
#include "ui/qt/X11Hints.h"

namespace ui::qt {
namespace {

// The frame a fixed window gets around its client area: the outer size in
// the catalogue includes it.
constexpr int kFrameWidth = 3;
constexpr int kCaptionHeight = 23;

QSize ClientSize(const WindowSpec& decl) {
  if (decl.border == Border::None) return {decl.width, decl.height};
  const int caption = HasCaptionBar(decl) ? kCaptionHeight : 0;
  return {decl.width - 2 * kFrameWidth, decl.height - 2 * kFrameWidth - caption};
}

// An owned window is a dialog of its owner to the window manager, which keeps
// it above the owner (also above an owner that stays on top).
Qt::WindowFlags FlagsFor(const WindowSpec& decl, bool owned) {
  Qt::WindowFlags flags = !decl.taskbar ? Qt::Tool : owned ? Qt::Dialog : Qt::Window;
  if (decl.border == Border::None) {
    flags |= Qt::FramelessWindowHint;
  } else {
    flags |= Qt::CustomizeWindowHint;
    if (HasCaptionBar(decl)) flags |= Qt::WindowTitleHint;
    if (decl.systemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (decl.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  }
  if (decl.topmost) flags |= Qt::WindowStaysOnTopHint;
  return flags;
}

// Runs a function each time the control it watches is shown, before it is
// drawn.
class FitOnShow final : public QObject {
 public:
  FitOnShow(QObject* control, std::function<void()> onShow)
      : QObject(control), onShow_(std::move(onShow)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) onShow_();
    return false;
  }

 private:
  std::function<void()> onShow_;
};

// Runs a function once, after the first drawing of the widget it watches has
// reached the screen.
class AfterFirstPaint final : public QObject {
 public:
  AfterFirstPaint(QWidget* widget, std::function<void()> then)
      : QObject(widget), then_(std::move(then)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && then_) {
      watched->removeEventFilter(this);
      // Queued: it runs once this drawing is done and back in the event loop.
      QMetaObject::invokeMethod(
          this,
          [this, then = std::move(then_)] {
            then();
            deleteLater();
          },
          Qt::QueuedConnection);
    }
    return false;
  }

 private:
  std::function<void()> then_;
};

}  // namespace

QtLayer::QtLayer(const HandlerTable& handlers, LayerOptions options)
    : LayerBase(handlers, options),
      guard_(std::make_unique<FreshWindowGuard>()),
      postedWork_(std::make_unique<QObject>()) {}

QtLayer::~QtLayer() {
  DestroyAll();
}

BuiltControl* QtLayer::FindControl(ControlId c) {
  OpenWindow* window = Find(c.window);
  if (!window) return nullptr;
  EnsureBuilt(*window);
  if (c.index >= window->controls.size()) return nullptr;
  return &window->controls[c.index];
}

void QtLayer::EnsureBuilt(OpenWindow& window) {
  if (window.built || !window.widget) return;
  window.built = true;
  Build(window);
  std::vector<std::optional<std::string>> texts = std::move(window.pendingTexts);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (texts[i]) SetText({window.decl->id, static_cast<uint16_t>(i)}, *texts[i]);
  }
}

void QtLayer::BuildOthersAfterFirstPaint(QWidget* shown) {
  shown->installEventFilter(new AfterFirstPaint(shown, [this] {
    for (WindowState* window : OpenStates()) EnsureBuilt(static_cast<OpenWindow&>(*window));
  }));
}

std::optional<WindowId> QtLayer::WindowOf(const QWidget* topLevel) const {
  return FirstOpen([topLevel](const WindowState& w) {
    return static_cast<const OpenWindow&>(w).widget == topLevel;
  });
}

std::unique_ptr<WindowState> QtLayer::CreateNative(const WindowSpec& decl,
                                                   std::optional<WindowId> owner, bool modal) {
  const WindowId w = decl.id;
  OpenWindow* ownerWindow = owner ? Find(*owner) : nullptr;
  auto* top =
      new WindowWidget(ownerWindow ? ownerWindow->widget.data() : nullptr,
                       FlagsFor(decl, ownerWindow != nullptr), [this, w] { ClosedByUser(w); });
  top->setObjectName(QString::fromUtf8(decl.name));
  top->setWindowTitle(FromUtf8(decl.caption));
  top->setFixedSize(ClientSize(decl));
  if (!decl.background.isDefault)
    SetColors(top, kDefaultColor, decl.background, QPalette::WindowText, QPalette::Window, true);
  if (decl.dragAnywhere) top->installEventFilter(new DragToMove(top));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    top->move(area.left() + (area.width() - decl.width) / 2,
              area.top() + (area.height() - decl.height) / 2);
  }
  if (modal) top->setWindowModality(Qt::ApplicationModal);

  auto window = std::make_unique<OpenWindow>();
  window->widget = top;
  window->pendingTexts.resize(decl.controls.size());
  return window;
}

void QtLayer::RaiseNative(WindowState& state) {
  QWidget* top = static_cast<OpenWindow&>(state).widget;
  // Brought to the front, out of the task bar if it was minimised.
  top->setWindowState(top->windowState() & ~Qt::WindowMinimized);
  top->show();
  top->raise();
  top->activateWindow();
}

// A window opened by the created handler (the splash) is the only one on
// screen while that handler runs. The controls are made when the handler
// first needs more than to set a caption, or once that window has been
// drawn: the splash appears without waiting for the main window's controls.
void QtLayer::ShowNative(WindowState& state, bool fresh) {
  auto& window = static_cast<OpenWindow&>(state);
  QWidget* top = window.widget;
  EnsureBuilt(window);
  if (window.decl->caption[0] == '\0') KeepCaptionEmpty(top);
  if (window.decl->border == Border::Fixed && !HasCaptionBar(*window.decl)) ShowBorderOnly(top);
  if (FirstOpen(
          [](const WindowState& other) { return !static_cast<const OpenWindow&>(other).built; }))
    BuildOthersAfterFirstPaint(top);
  top->show();
  if (fresh) guard_->Guard(top);
}

void QtLayer::RunModalLoop(WindowState& window) {
  const WindowId w = window.decl->id;
  const uint64_t opening = window.opening;
  QEventLoop loop;
  static_cast<OpenWindow&>(window).modalLoop = &loop;
  loop.exec();
  // Left by the end of the event loop: the window no longer waits.
  if (OpenWindow* still = Find(w); still && still->opening == opening) still->modalLoop = nullptr;
}

void QtLayer::EndModalLoop(WindowState& window) {
  if (QEventLoop* loop = static_cast<OpenWindow&>(window).modalLoop) loop->quit();
}

void QtLayer::Build(OpenWindow& window) {
  window.controls.resize(window.decl->controls.size());
  for (std::size_t i = 0; i < window.controls.size(); ++i) BuildControl(window, i);
}

void QtLayer::BuildControl(OpenWindow& window, std::size_t index) {
  const WindowSpec& decl = *window.decl;
  const ControlSpec& c = decl.controls[index];
  BuiltControl& b = window.controls[index];
  b.decl = &c;
  QWidget* top = window.widget.data();
  const ControlId id{decl.id, static_cast<uint16_t>(index)};
  if (c.kind == Kind::Timer) {
    b.timer = new QTimer(top);
    b.timer->setTimerType(Qt::PreciseTimer);  // the clock and the countdown count seconds
    QObject::connect(b.timer, &QTimer::timeout, [this, id] {
      if (BuiltControl* timer = FindControl(id)) Deliver(timer->decl->handler);
    });
    SetInterval(id, c.interval);
    return;
  }
  QWidget* parent = top;
  if (const std::optional<Holder> holder = HolderOf(decl, index)) {
    const BuiltControl& h = window.controls[holder->index];
    parent =
        holder->page ? h.pages[static_cast<std::size_t>(*holder->page)].data() : h.widget.data();
  }
  QWidget* widget = MakeControlWidget({decl, c, b, parent, top, [this](Handler h) { Deliver(h); }});
  widget->setObjectName(QString::fromUtf8(c.name));
  widget->setGeometry(c.left, c.top, c.width, c.height);
  if (c.kind == Kind::ListBox && !c.container) {
    // The list stays inside the window's client area, whatever the frame.
    const QSize client = ClientSize(decl);
    widget->resize(std::min<int>(c.width, client.width() - c.left),
                   std::min<int>(c.height, client.height() - c.top));
  }
  b.widget = widget;
  if (c.kind != Kind::PictureBox && c.kind != Kind::PageContainer) {
    b.font = MakeFont(c.font);
    widget->setFont(b.font);
    FitCaption(id, b);
  }
  widget->setEnabled(c.enabled);
  if (!c.visible) widget->setVisible(false);
}

// Draws a caption that does not fit its control in a smaller size.
void QtLayer::ApplyFittingFont(BuiltControl& b) {
  b.fitPending = false;
  if (const auto area = CaptionAreaOf(b.widget, b.decl->wrap)) {
    b.widget->setFont(FittingFont(b.font, ForDisplay(b.caption), *area));
  }
}

// Measuring a caption loads its face at its size. A control that is not on
// screen (its window not yet shown, or on a page not shown) is measured when it
// shows, once however often its caption changed meanwhile: the main window's
// captions are not measured before the splash appears, nor its other pages'
// before the main window does.
void QtLayer::FitCaption(ControlId id, BuiltControl& b) {
  if (!b.widget || b.caption.isEmpty()) return;
  if (b.widget->isVisible()) {
    ApplyFittingFont(b);
    return;
  }
  b.fitPending = true;
  if (b.fitsOnShow) return;
  b.fitsOnShow = true;
  b.widget->installEventFilter(new FitOnShow(b.widget, [this, id] {
    BuiltControl* control = FindControl(id);
    if (control && control->fitPending && control->widget) ApplyFittingFont(*control);
  }));
}

void QtLayer::DestroyNative(WindowState& state) {
  auto& window = static_cast<OpenWindow&>(state);
  for (BuiltControl& control : window.controls) {
    if (control.timer) control.timer->stop();
  }
  if (QWidget* widget = window.widget) {
    if (auto* top = qobject_cast<WindowWidget*>(widget)) top->AllowClose();
    widget->hide();
    // The window may be closing from one of its own handlers: delete it once
    // control is back in the event loop.
    widget->deleteLater();
  }
}

void QtLayer::CloseDialogs() {
  for (QWidget* box : QApplication::topLevelWidgets()) {
    if (auto* message = qobject_cast<QDialog*>(box); message && message->isVisible())
      message->reject();
  }
}

void QtLayer::QuitEventLoop(int exitCode) {
  QCoreApplication::exit(exitCode);
}

int QtLayer::RunEventLoop() {
  return QApplication::exec();
}

void QtLayer::Post(std::function<void()> work) {
  QMetaObject::invokeMethod(
      postedWork_.get(),
      [this, work = std::move(work)] {
        if (!Ended()) work();
      },
      Qt::QueuedConnection);
}

void QtLayer::ShowFatal(const char* utf8Message) {
  QMessageBox box(QMessageBox::Critical, QString(), QString::fromUtf8(utf8Message),
                  QMessageBox::Ok);
  box.exec();
}

BuiltControl& QtLayer::Built(const Native& c) {
  return static_cast<OpenWindow&>(c.window).controls[c.index];
}

std::string QtLayer::ReadText(const Native& c) {
  const BuiltControl& b = Built(c);
  switch (c.decl.kind) {
    case Kind::EditBox:
      return ToGbk(static_cast<QLineEdit*>(b.widget.data())->text());
    case Kind::ComboBox:
      return ToGbk(static_cast<QComboBox*>(b.widget.data())->currentText());
    case Kind::ListBox: {
      const QListWidgetItem* item = static_cast<QListWidget*>(b.widget.data())->currentItem();
      return item ? ToGbk(item->text()) : std::string();
    }
    default:
      return ToGbk(b.caption);
  }
}

bool QtLayer::DeferText(WindowState& state, std::size_t index, std::string_view text) {
  auto& window = static_cast<OpenWindow&>(state);
  if (window.built) return false;
  window.pendingTexts[index] = std::string(text);
  return true;
}

void QtLayer::WriteText(const Native& c, std::string_view text) {
  BuiltControl& b = Built(c);
  const QString value = FromGbk(text);
  switch (c.decl.kind) {
    case Kind::EditBox:
      static_cast<QLineEdit*>(b.widget.data())->setText(value);
      return;
    case Kind::ComboBox:
      if (auto* combo = static_cast<QComboBox*>(b.widget.data()); combo->isEditable())
        combo->setEditText(value);
      return;
    case Kind::SuperButton:
      static_cast<SuperButton*>(b.widget.data())->setText(value);
      break;
    case Kind::Label:
    case Kind::TransparentLabel:
      static_cast<QLabel*>(b.widget.data())->setText(ForDisplay(value));
      break;
    case Kind::Button:
    case Kind::RadioButton:
      static_cast<QAbstractButton*>(b.widget.data())->setText(ForDisplay(value));
      break;
    case Kind::GroupBox:
      static_cast<QGroupBox*>(b.widget.data())->setTitle(ForDisplay(value));
      break;
    default:
      return;
  }
  b.caption = value;
  FitCaption({c.window.decl->id, static_cast<uint16_t>(c.index)}, b);
}

bool QtLayer::ReadFlag(const Native& c, Flag flag) {
  const QWidget* widget = Built(c).widget;
  switch (flag) {
    case Flag::Visible:
      return !widget->isHidden();
    case Flag::Enabled:
      return widget->isEnabled();
    case Flag::Checked:
      return static_cast<const QRadioButton*>(widget)->isChecked();
  }
  return false;
}

void QtLayer::WriteFlag(const Native& c, Flag flag, bool on) {
  QWidget* widget = Built(c).widget;
  switch (flag) {
    case Flag::Visible:
      widget->setVisible(on);
      return;
    case Flag::Enabled:
      widget->setEnabled(on);
      return;
    case Flag::Checked: {
      auto* radio = static_cast<QRadioButton*>(widget);
      // An exclusive radio button cannot be cleared directly.
      radio->setAutoExclusive(false);
      radio->setChecked(on);
      radio->setAutoExclusive(true);
      return;
    }
  }
}

int QtLayer::ReadSelection(const Native& c) {
  QWidget* widget = Built(c).widget;
  if (c.decl.kind == Kind::ComboBox) return static_cast<QComboBox*>(widget)->currentIndex();
  auto* list = static_cast<QListWidget*>(widget);
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->row(selected.first());
}

void QtLayer::WriteSelection(const Native& c, int index) {
  QWidget* widget = Built(c).widget;
  if (c.decl.kind == Kind::ComboBox) {
    static_cast<QComboBox*>(widget)->setCurrentIndex(index);
    return;
  }
  auto* list = static_cast<QListWidget*>(widget);
  if (index < 0) {
    list->clearSelection();
    list->setCurrentRow(-1);
  } else {
    list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
  }
}

int QtLayer::ItemCount(const Native& c) {
  QWidget* widget = Built(c).widget;
  return c.decl.kind == Kind::ComboBox ? static_cast<QComboBox*>(widget)->count()
                                       : static_cast<QListWidget*>(widget)->count();
}

int QtLayer::AppendItem(const Native& c, std::string_view text) {
  QWidget* widget = Built(c).widget;
  if (c.decl.kind == Kind::ComboBox) {
    auto* combo = static_cast<QComboBox*>(widget);
    const int selected = combo->currentIndex();
    combo->addItem(FromGbk(text));
    // Adding to an empty list box selects nothing.
    combo->setCurrentIndex(selected);
    return combo->count() - 1;
  }
  auto* list = static_cast<QListWidget*>(widget);
  list->addItem(FromGbk(text));
  return list->count() - 1;
}

std::string QtLayer::ItemText(const Native& c, int index) {
  QWidget* widget = Built(c).widget;
  return ToGbk(c.decl.kind == Kind::ComboBox
                   ? static_cast<QComboBox*>(widget)->itemText(index)
                   : static_cast<QListWidget*>(widget)->item(index)->text());
}

void QtLayer::ShowPicture(const Native& c, std::string encoded) {
  static_cast<PictureBox*>(Built(c).widget.data())->SetEncodedPicture(std::move(encoded));
}

void QtLayer::RestartTimer(WindowState& state, std::size_t index, int ms) {
  QTimer* timer = static_cast<OpenWindow&>(state).controls[index].timer;
  timer->stop();
  if (ms > 0) timer->start(ms);
}

void QtLayer::ShowPageNative(WindowState& state, std::size_t index, int page) {
  const BuiltControl& area = static_cast<OpenWindow&>(state).controls[index];
  for (std::size_t p = 0; p < area.pages.size(); ++p)
    area.pages[p]->setVisible(static_cast<int>(p) == page);
}

void QtLayer::ShowMessageBox(WindowState* owner, std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::NoIcon, FromGbk(title), FromGbk(text), QMessageBox::Ok,
                  owner ? static_cast<OpenWindow*>(owner)->widget.data() : nullptr);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.setProperty("brevantOwner", owner ? static_cast<int>(owner->decl->id) : -1);
  guard_->Guard(&box);
  box.exec();
}

std::string QtLayer::Browse(std::string_view prompt) {
  QFileDialog dialog(QApplication::activeWindow(), FromGbk(prompt));
  dialog.setObjectName(QStringLiteral("BrowseDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setWindowModality(Qt::ApplicationModal);
  guard_->Guard(&dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return ToGbk(dialog.selectedFiles().first());
}

bool QtLayer::RegisterFontFile(const std::filesystem::path& fontFile) {
  return qt::RegisterFontFile(fontFile);
}

QtLayer* AsQtLayer(Layer& layer) {
  return dynamic_cast<QtLayer*>(&layer);
}

}  // namespace ui::qt
