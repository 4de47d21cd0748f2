#include "ui/qt/QtLayer.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <limits>
#include <cstdio>

#include "ui/Resources.h"
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

bool HasCaptionBar(const WindowSpec& decl) {
  return decl.border != Border::None && (decl.caption[0] != '\0' || decl.systemMenu);
}

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

QColor ToQColor(Color c) { return QColor(c.r, c.g, c.b); }

void SetColors(QWidget* widget, Color text, Color back, QPalette::ColorRole textRole,
               QPalette::ColorRole backRole, bool fillBackground) {
  QPalette palette = widget->palette();
  if (!text.isDefault) palette.setColor(textRole, ToQColor(text));
  if (!back.isDefault) palette.setColor(backRole, ToQColor(back));
  widget->setPalette(palette);
  widget->setAutoFillBackground(fillBackground);
}

Qt::Alignment AlignmentOf(const ControlSpec& c) {
  Qt::Alignment a = c.halign == HAlign::Left ? Qt::AlignLeft : c.halign == HAlign::Center ? Qt::AlignHCenter : Qt::AlignRight;
  a |= c.valign == VAlign::Top ? Qt::AlignTop : c.valign == VAlign::Center ? Qt::AlignVCenter : Qt::AlignBottom;
  return a;
}

QStringList ItemsOf(const char* utf8) {
  const QString all = FromUtf8(utf8);
  return all.isEmpty() ? QStringList() : all.split(QLatin1Char('\n'));
}

// A label that draws only its text; a press on it goes nowhere, so it does not
// move the window.
class TransparentLabel final : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void mousePressEvent(QMouseEvent* event) override { event->accept(); }
};

// A picture box reports the left button going down, then lets the press reach
// the window (which may move).
class PressablePicture final : public PictureBox {
 public:
  PressablePicture(PictureMode mode, QWidget* parent, std::function<void()> onPress)
      : PictureBox(mode, parent), onPress_(std::move(onPress)) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && onPress_) onPress_();
    event->ignore();
  }

 private:
  std::function<void()> onPress_;
};

// A radio button that takes a click anywhere in its rectangle, not only on
// its circle and caption.
class RadioButton final : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// Runs a function each time the control it watches is shown, before it is
// drawn.
class FitOnShow final : public QObject {
 public:
  FitOnShow(QObject* control, std::function<void()> onShow) : QObject(control), onShow_(std::move(onShow)) {}

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
  AfterFirstPaint(QWidget* widget, std::function<void()> then) : QObject(widget), then_(std::move(then)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && then_) {
      watched->removeEventFilter(this);
      // Queued: it runs once this drawing is done and back in the event loop.
      QMetaObject::invokeMethod(this, [this, then = std::move(then_)] {
        then();
        deleteLater();
      }, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  std::function<void()> then_;
};

}  // namespace

QtLayer::QtLayer(const HandlerTable& handlers, LayerOptions options)
    : handlers_(handlers),
      guard_(std::make_unique<FreshWindowGuard>()),
      options_(options),
      postedWork_(std::make_unique<QObject>()) {}

QtLayer::~QtLayer() {
  for (int i = 0; i < kWindowCount; ++i) Destroy(static_cast<WindowId>(i));
}

OpenWindow* QtLayer::Find(WindowId w) {
  const auto i = static_cast<std::size_t>(w);
  return i < open_.size() ? open_[i].get() : nullptr;
}

bool QtLayer::IsOpen(WindowId w) const {
  const auto i = static_cast<std::size_t>(w);
  return i < open_.size() && open_[i] != nullptr;
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
  Build(window, window.widget.data());
  std::vector<std::optional<std::string>> texts = std::move(window.pendingTexts);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (texts[i]) SetText({window.decl->id, static_cast<uint16_t>(i)}, *texts[i]);
  }
}

void QtLayer::BuildOthersAfterFirstPaint(QWidget* shown) {
  shown->installEventFilter(new AfterFirstPaint(shown, [this] {
    for (const std::unique_ptr<OpenWindow>& window : open_) {
      if (window) EnsureBuilt(*window);
    }
  }));
}

std::optional<WindowId> QtLayer::WindowOf(const QWidget* topLevel) const {
  for (std::size_t i = 0; i < open_.size(); ++i) {
    if (open_[i] && open_[i]->widget == topLevel) return static_cast<WindowId>(i);
  }
  return std::nullopt;
}

void QtLayer::Deliver(Handler h) {
  if (!Ended()) handlers_.Call(h);
}

bool QtLayer::LoadWindow(WindowId w, std::optional<WindowId> owner, bool modal) {
  if (Ended() || w >= WindowId::Count) return false;
  if (OpenWindow* open = Find(w)) {
    EnsureBuilt(*open);
    // Brought to the front, out of the task bar if it was minimised.
    open->widget->setWindowState(open->widget->windowState() & ~Qt::WindowMinimized);
    open->widget->show();
    open->widget->raise();
    open->widget->activateWindow();
    return true;
  }
  const WindowSpec& decl = Window(w);
  OpenWindow* ownerWindow = owner ? Find(*owner) : nullptr;
  auto* top = new WindowWidget(ownerWindow ? ownerWindow->widget.data() : nullptr, FlagsFor(decl, ownerWindow != nullptr),
                               [this, w] { ClosedByUser(w); });
  top->setObjectName(QString::fromUtf8(decl.name));
  top->setWindowTitle(FromUtf8(decl.caption));
  top->setFixedSize(ClientSize(decl));
  if (!decl.background.isDefault) SetColors(top, kDefaultColor, decl.background, QPalette::WindowText, QPalette::Window, true);
  if (decl.dragAnywhere) top->installEventFilter(new DragToMove(top));

  auto window = std::make_unique<OpenWindow>();
  window->decl = &decl;
  window->widget = top;
  window->modal = modal;
  window->owner = ownerWindow ? owner : std::nullopt;
  window->pendingTexts.resize(decl.controls.size());
  open_[static_cast<std::size_t>(w)] = std::move(window);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    top->move(area.left() + (area.width() - decl.width) / 2, area.top() + (area.height() - decl.height) / 2);
  }
  if (modal) top->setWindowModality(Qt::ApplicationModal);
  // The window appears once its created handler has set it up: the main
  // window shows its stored language and scores from the first moment, and a
  // splash closed at once is never seen. A window opened by that handler (the
  // splash) is the only one on screen meanwhile. The controls are made when
  // the handler first needs more than to set a caption, or once that window
  // has been drawn: the splash appears without waiting for the main window's
  // controls.
  Deliver(decl.created);
  OpenWindow* stillOpen = Find(w);
  if (!stillOpen || stillOpen->widget != top) return true;
  EnsureBuilt(*stillOpen);
  if (decl.caption[0] == '\0') KeepCaptionEmpty(top);
  if (decl.border == Border::Fixed && !HasCaptionBar(decl)) ShowBorderOnly(top);
  if (std::any_of(open_.begin(), open_.end(), [](const auto& other) { return other && !other->built; })) {
    BuildOthersAfterFirstPaint(top);
  }
  top->show();
  if (!startup_ || w != *startup_) guard_->Guard(top);
  if (!modal) return true;
  QEventLoop loop;
  stillOpen->modalLoop = &loop;
  loop.exec();
  return true;
}

void QtLayer::Build(OpenWindow& window, QWidget* top) {
  const WindowSpec& decl = *window.decl;
  window.controls.resize(decl.controls.size());
  for (std::size_t i = 0; i < decl.controls.size(); ++i) {
    const ControlSpec& c = decl.controls[i];
    BuiltControl& b = window.controls[i];
    b.decl = &c;
    QWidget* parent = top;
    if (c.container) {
      for (std::size_t j = 0; j < i; ++j) {
        if (std::string_view(decl.controls[j].name) != c.container) continue;
        BuiltControl& holder = window.controls[j];
        parent = holder.pages.empty() ? holder.widget.data()
                                      : holder.pages[static_cast<std::size_t>(std::clamp<int>(c.page, 0, static_cast<int>(holder.pages.size()) - 1))].data();
        break;
      }
    }
    const ControlId id{decl.id, static_cast<uint16_t>(i)};
    QWidget* widget = nullptr;
    switch (c.kind) {
      case Kind::SuperButton: {
        auto* button = new SuperButton(c.scheme, parent);
        b.caption = FromUtf8(c.text);
        button->setText(b.caption);
        QObject::connect(button, &QAbstractButton::clicked, [this, h = c.handler] { Deliver(h); });
        widget = button;
        break;
      }
      case Kind::TransparentLabel:
      case Kind::Label: {
        const bool transparent = c.kind == Kind::TransparentLabel;
        QLabel* label = transparent ? new TransparentLabel(parent) : new QLabel(parent);
        b.caption = FromUtf8(c.text);
        label->setText(ForDisplay(b.caption));
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(AlignmentOf(c));
        label->setWordWrap(c.wrap);
        // A label on the default background lets its container show through,
        // as the system's own labels do inside a group box.
        SetColors(label, c.textColor, c.backColor, QPalette::WindowText, QPalette::Window,
                  !transparent && !c.backColor.isDefault);
        widget = label;
        break;
      }
      case Kind::EditBox: {
        auto* edit = new QLineEdit(FromUtf8(c.text), parent);
        edit->setMaxLength(std::numeric_limits<int>::max());  // no limit of its own
        edit->setFrame(c.frame);
        edit->setAlignment(c.halign == HAlign::Center ? Qt::AlignCenter : c.halign == HAlign::Right ? Qt::AlignRight : Qt::AlignLeft);
        if (c.editMode == EditMode::Password) {
          edit->setEchoMode(QLineEdit::Password);
          edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
        }
        edit->setReadOnly(c.editMode == EditMode::ReadOnly);
        SetColors(edit, c.textColor, c.backColor, QPalette::Text, QPalette::Base, false);
        widget = edit;
        break;
      }
      case Kind::Button: {
        auto* button = new QPushButton(parent);
        b.caption = FromUtf8(c.text);
        button->setText(ForDisplay(b.caption));
        QObject::connect(button, &QAbstractButton::clicked, [this, h = c.handler] { Deliver(h); });
        widget = button;
        break;
      }
      case Kind::RadioButton: {
        auto* radio = new RadioButton(parent);
        b.caption = FromUtf8(c.text);
        radio->setText(ForDisplay(b.caption));
        radio->setChecked(c.checked);
        QObject::connect(radio, &QAbstractButton::clicked, [this, h = c.handler] { Deliver(h); });
        widget = radio;
        break;
      }
      case Kind::GroupBox: {
        auto* group = new QGroupBox(parent);
        b.caption = FromUtf8(c.text);
        group->setTitle(ForDisplay(b.caption));
        SetColors(group, c.textColor, c.backColor, QPalette::WindowText, QPalette::Window, !c.backColor.isDefault);
        if (decl.dragAnywhere) group->installEventFilter(new DragToMove(top));
        widget = group;
        break;
      }
      case Kind::ComboBox: {
        auto* combo = new QComboBox(parent);
        // An editable combo box lays its text out as soon as it is made
        // editable: in its own font, not in the default one with its fallbacks.
        combo->setFont(MakeFont(c.font));
        combo->setEditable(c.comboStyle != ComboStyle::DropDownList);
        combo->addItems(ItemsOf(c.items));
        combo->setCurrentIndex(c.selection);
        if (combo->isEditable()) combo->setEditText(FromUtf8(c.text));
        widget = combo;
        break;
      }
      case Kind::ListBox: {
        auto* list = new QListWidget(parent);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        // Items are one line each in one font, as in a system list box; the
        // view then need not measure every item, which keeps a list of
        // 100,000 register lines quick to open.
        list->setUniformItemSizes(true);
        list->addItems(ItemsOf(c.items));
        QObject::connect(list, &QListWidget::itemDoubleClicked, [this, h = c.handler] { Deliver(h); });
        widget = list;
        break;
      }
      case Kind::PictureBox: {
        auto* picture = new PressablePicture(c.pictureMode, parent, [this, h = c.handler] { Deliver(h); });
        SetColors(picture, kDefaultColor, c.backColor, QPalette::WindowText, QPalette::Window, !c.backColor.isDefault);
        picture->SetEncodedPicture(std::string(Picture(c.picture)));
        widget = picture;
        break;
      }
      case Kind::Timer: {
        b.timer = new QTimer(top);
        b.timer->setTimerType(Qt::PreciseTimer);  // the clock and the countdown count seconds
        QObject::connect(b.timer, &QTimer::timeout, [this, id] {
          if (BuiltControl* timer = FindControl(id)) Deliver(timer->decl->handler);
        });
        SetInterval(id, c.interval);
        continue;
      }
      case Kind::PageContainer: {
        auto* area = new QWidget(parent);
        const QStringList titles = ItemsOf(c.items);
        for (qsizetype p = 0; p < std::max<qsizetype>(1, titles.size()); ++p) {
          auto* page = new QWidget(area);
          page->setObjectName(titles.value(p));
          page->setGeometry(0, 0, c.width, c.height);
          page->setVisible(p == 0);
          b.pages.emplace_back(page);
        }
        widget = area;
        break;
      }
    }
    widget->setObjectName(QString::fromUtf8(c.name));
    widget->setGeometry(c.left, c.top, c.width, c.height);
    if (c.kind == Kind::ListBox && !c.container) {
      // The list stays inside the window's client area, whatever the frame.
      const QSize client = ClientSize(decl);
      widget->resize(std::min<int>(c.width, client.width() - c.left), std::min<int>(c.height, client.height() - c.top));
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

void QtLayer::ClosedByUser(WindowId w) {
  if (startup_ && w == *startup_) {
    EndProgram(0);
    return;
  }
  Destroy(w);
}

void QtLayer::CloseWindow(WindowId w) {
  if (!IsOpen(w)) return;
  if (startup_ && w == *startup_) {
    EndProgram(0);
    return;
  }
  Destroy(w);
}

void QtLayer::Destroy(WindowId w) {
  std::unique_ptr<OpenWindow>& slot = open_[static_cast<std::size_t>(w)];
  if (!slot) return;
  // Windows owned by this one go with it.
  for (std::size_t i = 0; i < open_.size(); ++i) {
    if (open_[i] && open_[i]->owner == w) Destroy(static_cast<WindowId>(i));
  }
  std::unique_ptr<OpenWindow> window = std::move(slot);
  if (window->modalLoop) window->modalLoop->quit();
  for (BuiltControl& control : window->controls) {
    if (control.timer) control.timer->stop();
  }
  if (QWidget* widget = window->widget) {
    if (auto* top = qobject_cast<WindowWidget*>(widget)) top->AllowClose();
    widget->hide();
    // The window may be closing from one of its own handlers: delete it once
    // control is back in the event loop.
    widget->deleteLater();
  }
}

void QtLayer::EndProgram(int exitCode) {
  if (Ended()) return;
  exitCode_ = exitCode;
  for (QWidget* box : QApplication::topLevelWidgets()) {
    if (auto* message = qobject_cast<QDialog*>(box); message && message->isVisible()) message->reject();
  }
  for (int i = 0; i < kWindowCount; ++i) Destroy(static_cast<WindowId>(i));
  if (!options_.hostedEventLoop) QCoreApplication::exit(exitCode);
}

void QtLayer::Post(std::function<void()> work) {
  QMetaObject::invokeMethod(
      postedWork_.get(),
      [this, work = std::move(work)] {
        if (!Ended()) work();
      },
      Qt::QueuedConnection);
}

int QtLayer::Run(WindowId startup) {
  startup_ = startup;
  if (!LoadWindow(startup, kNoOwner, false)) {
    if (Ended()) return *exitCode_;
    Fatal("载入启动窗口失败");
    return 1;
  }
  if (Ended() || options_.hostedEventLoop) return exitCode_.value_or(0);
  const int code = QApplication::exec();
  return exitCode_.value_or(code);
}

void QtLayer::Fatal(const char* utf8Message) {
  std::fprintf(stderr, "%s\n", utf8Message);
  if (!options_.hostedEventLoop) {
    QMessageBox box(QMessageBox::Critical, QString(), QString::fromUtf8(utf8Message), QMessageBox::Ok);
    box.exec();
  }
  EndProgram(1);
}

BuiltControl* QtLayer::Require(ControlId c, Access access) {
  if (Ended()) return nullptr;
  BuiltControl* control = FindControl(c);
  if (!control) {
    Fatal(access == Access::Read ? "读取组件属性时发现指定窗口尚未载入" : "修改组件属性时发现指定窗口尚未载入");
    return nullptr;
  }
  return control;
}

std::string QtLayer::Text(ControlId c) {
  BuiltControl* b = Require(c, Access::Read);
  if (!b || !b->widget) return {};
  switch (b->decl->kind) {
    case Kind::EditBox:
      return ToGbk(static_cast<QLineEdit*>(b->widget.data())->text());
    case Kind::ComboBox:
      return ToGbk(static_cast<QComboBox*>(b->widget.data())->currentText());
    case Kind::ListBox: {
      const QListWidgetItem* item = static_cast<QListWidget*>(b->widget.data())->currentItem();
      return item ? ToGbk(item->text()) : std::string();
    }
    default:
      return ToGbk(b->caption);
  }
}

void QtLayer::SetText(ControlId c, std::string_view text) {
  if (OpenWindow* window = Find(c.window); window && !window->built && !Ended() && c.index < window->pendingTexts.size()) {
    window->pendingTexts[c.index] = std::string(text);
    return;
  }
  BuiltControl* b = Require(c, Access::Write);
  if (!b || !b->widget) return;
  const QString value = FromGbk(text);
  switch (b->decl->kind) {
    case Kind::EditBox:
      static_cast<QLineEdit*>(b->widget.data())->setText(value);
      return;
    case Kind::ComboBox:
      if (auto* combo = static_cast<QComboBox*>(b->widget.data()); combo->isEditable()) combo->setEditText(value);
      return;
    case Kind::SuperButton:
      b->caption = value;
      static_cast<SuperButton*>(b->widget.data())->setText(value);
      FitCaption(c, *b);
      return;
    case Kind::Label:
    case Kind::TransparentLabel:
      b->caption = value;
      static_cast<QLabel*>(b->widget.data())->setText(ForDisplay(value));
      FitCaption(c, *b);
      return;
    case Kind::Button:
    case Kind::RadioButton:
      b->caption = value;
      static_cast<QAbstractButton*>(b->widget.data())->setText(ForDisplay(value));
      FitCaption(c, *b);
      return;
    case Kind::GroupBox:
      b->caption = value;
      static_cast<QGroupBox*>(b->widget.data())->setTitle(ForDisplay(value));
      FitCaption(c, *b);
      return;
    default:
      return;
  }
}

bool QtLayer::Visible(ControlId c) {
  BuiltControl* b = Require(c, Access::Read);
  return b && b->widget && !b->widget->isHidden();
}

void QtLayer::SetVisible(ControlId c, bool visible) {
  BuiltControl* b = Require(c, Access::Write);
  if (b && b->widget) b->widget->setVisible(visible);
}

bool QtLayer::Enabled(ControlId c) {
  BuiltControl* b = Require(c, Access::Read);
  return b && b->widget && b->widget->isEnabled();
}

void QtLayer::SetEnabled(ControlId c, bool enabled) {
  BuiltControl* b = Require(c, Access::Write);
  if (b && b->widget) b->widget->setEnabled(enabled);
}

int QtLayer::Selection(ControlId c) {
  BuiltControl* b = Require(c, Access::Read);
  if (!b || !b->widget) return -1;
  if (b->decl->kind == Kind::ComboBox) return static_cast<QComboBox*>(b->widget.data())->currentIndex();
  if (b->decl->kind == Kind::ListBox) {
    auto* list = static_cast<QListWidget*>(b->widget.data());
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
  }
  return -1;
}

void QtLayer::SetSelection(ControlId c, int index) {
  BuiltControl* b = Require(c, Access::Write);
  if (!b || !b->widget) return;
  if (b->decl->kind == Kind::ComboBox) {
    auto* combo = static_cast<QComboBox*>(b->widget.data());
    combo->setCurrentIndex(std::clamp(index, -1, combo->count() - 1));
  } else if (b->decl->kind == Kind::ListBox) {
    auto* list = static_cast<QListWidget*>(b->widget.data());
    const int row = std::clamp(index, -1, list->count() - 1);
    if (row < 0) {
      list->clearSelection();
      list->setCurrentRow(-1);
    } else {
      list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    }
  }
}

int QtLayer::AddItem(ControlId c, std::string_view text) {
  BuiltControl* b = Require(c, Access::Write);
  if (!b || !b->widget) return -1;
  if (b->decl->kind == Kind::ComboBox) {
    auto* combo = static_cast<QComboBox*>(b->widget.data());
    const int selected = combo->currentIndex();
    combo->addItem(FromGbk(text));
    // Adding to an empty list box selects nothing.
    combo->setCurrentIndex(selected);
    return combo->count() - 1;
  }
  if (b->decl->kind == Kind::ListBox) {
    auto* list = static_cast<QListWidget*>(b->widget.data());
    list->addItem(FromGbk(text));
    return list->count() - 1;
  }
  return -1;
}

bool QtLayer::Checked(ControlId c) {
  BuiltControl* b = Require(c, Access::Read);
  return b && b->decl->kind == Kind::RadioButton && static_cast<QRadioButton*>(b->widget.data())->isChecked();
}

void QtLayer::SetChecked(ControlId c, bool checked) {
  BuiltControl* b = Require(c, Access::Write);
  if (!b || b->decl->kind != Kind::RadioButton) return;
  auto* radio = static_cast<QRadioButton*>(b->widget.data());
  // An exclusive radio button cannot be cleared directly.
  radio->setAutoExclusive(false);
  radio->setChecked(checked);
  radio->setAutoExclusive(true);
}

void QtLayer::SetPicture(ControlId c, std::string encoded) {
  BuiltControl* b = Require(c, Access::Write);
  if (b && b->decl->kind == Kind::PictureBox)
    static_cast<PictureBox*>(b->widget.data())->SetEncodedPicture(std::move(encoded));
}

void QtLayer::SetInterval(ControlId c, int ms) {
  BuiltControl* b = Require(c, Access::Write);
  if (!b || !b->timer) return;
  ms = std::max(ms, 0);
  if (ms == b->interval) return;
  b->interval = ms;
  b->timer->stop();
  if (ms > 0 && !options_.manualTimers) b->timer->start(ms);
}

bool QtLayer::FireTimer(ControlId c) {
  BuiltControl* b = FindControl(c);
  if (!b || !b->timer || b->interval <= 0 || Ended()) return false;
  Deliver(b->decl->handler);
  return true;
}

int QtLayer::Page(ControlId c) {
  BuiltControl* b = Require(c, Access::Read);
  return b ? b->page : 0;
}

void QtLayer::SetPage(ControlId c, int page) {
  BuiltControl* b = Require(c, Access::Write);
  if (!b || b->pages.empty()) return;
  b->page = std::clamp(page, 0, static_cast<int>(b->pages.size()) - 1);
  for (std::size_t p = 0; p < b->pages.size(); ++p) b->pages[p]->setVisible(static_cast<int>(p) == b->page);
}

void QtLayer::ShowMessage(std::optional<WindowId> owner, std::string_view text, std::string_view title) {
  if (Ended()) return;
  OpenWindow* ownerWindow = owner ? Find(*owner) : nullptr;
  QMessageBox box(QMessageBox::NoIcon, FromGbk(title), FromGbk(text), QMessageBox::Ok,
                  ownerWindow ? ownerWindow->widget.data() : nullptr);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.setProperty("brevantOwner", ownerWindow ? static_cast<int>(*owner) : -1);
  guard_->Guard(&box);
  box.exec();
}

std::string QtLayer::BrowseForPath(std::string_view prompt) {
  if (Ended()) return {};
  QFileDialog dialog(QApplication::activeWindow(), FromGbk(prompt));
  dialog.setObjectName(QStringLiteral("BrowseDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setWindowModality(Qt::ApplicationModal);
  guard_->Guard(&dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return ToGbk(dialog.selectedFiles().first());
}

bool QtLayer::RegisterFontFile(const std::filesystem::path& fontFile) { return qt::RegisterFontFile(fontFile); }

QtLayer* AsQtLayer(Layer& layer) { return dynamic_cast<QtLayer*>(&layer); }

}  // namespace ui::qt

namespace ui {

std::unique_ptr<Layer> CreateLayer(const HandlerTable& handlers, LayerOptions options) {
  return std::make_unique<qt::QtLayer>(handlers, options);
}

}  // namespace ui
