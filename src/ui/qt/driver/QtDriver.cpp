#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <memory>

#include "ui/Backend.h"
#include "ui/DriverBase.h"
#include "ui/qt/QtLayer.h"
#include "ui/qt/QtText.h"
#include "ui/qt/TextFit.h"

namespace ui::qt {
namespace {

using namespace std::chrono_literals;

// How long the UI thread may stay busy before a test gives up on it.
constexpr auto kUiTimeout = 60s;

class QtDriver final : public DriverBase {
 public:
  explicit QtDriver(QtLayer& layer) : DriverBase(layer), layer_(layer) {}

  void Sync(std::function<void()> fn) override {
    auto done = std::make_shared<std::promise<void>>();
    auto future = done->get_future();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [fn = std::move(fn), done] {
          fn();
          done->set_value();
        },
        Qt::QueuedConnection);
    if (future.wait_for(kUiTimeout) != std::future_status::ready) {
      std::fprintf(stderr, "the UI thread did not answer within the time limit\n");
      std::abort();
    }
  }

  bool Click(ControlId c) override {
    return Act(c, [](QWidget* w) { ClickAt(w, w->rect().center()); });
  }

  bool PressMouse(ControlId c) override {
    return Act(c, [](QWidget* w) { ClickAt(w, w->rect().center()); });
  }

  bool Type(ControlId c, std::string_view gbk) override {
    const QString text = FromGbk(gbk);
    return Act(c, [text](QWidget* w) {
      w->setFocus(Qt::OtherFocusReason);
      QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(w, Qt::Key_Delete);
      for (QChar ch : text) {
        // Each character arrives as a key press carrying its text, as an input
        // method delivers characters that have no key of their own.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &release);
      }
    });
  }

  bool DoubleClick(ControlId c) override {
    auto global = std::make_shared<QPoint>();
    auto started = std::make_shared<unsigned long>();
    // The first click may open a modal window, and then the driver is back
    // while that window waits.
    if (!Act(c, [global, started](QWidget* w) {
          QWidget* top = w->window();
          *global = top->windowHandle()->mapToGlobal(w->mapTo(top, w->rect().center()));
          *started = QTest::lastMouseTimestamp;
          PressAndRelease(top, *global);
        })) {
      return false;
    }
    Post([this, global, started] {
      // The second click lands on whatever is under the pointer now: a window
      // that opened modal in between, or the window clicked first.
      QWidget* top = QApplication::activeModalWidget();
      if (!top || !top->frameGeometry().contains(*global)) top = QApplication::widgetAt(*global);
      if (!top) return;
      QTest::lastMouseTimestamp = static_cast<int>(*started) + 150;
      PressAndRelease(top->window(), *global);
    });
    return true;
  }

  bool ChooseItem(ControlId c, int index) override {
    return Act(c, [index](QWidget* w) {
      auto* combo = qobject_cast<QComboBox*>(w);
      if (!combo || index < 0 || index >= combo->count()) return;
      combo->showPopup();
      QAbstractItemView* view = combo->view();
      const QRect item = view->visualRect(view->model()->index(index, combo->modelColumn()));
      QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    });
  }

  bool DoubleClickItem(ControlId c, int index) override {
    return ActOnItem(c, index, [](QWidget* viewport, QPoint at) {
      // A double click is a click followed at once by a second press.
      QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
      QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    });
  }

  bool SelectItem(ControlId c, int index) override {
    return ActOnItem(c, index, [](QWidget* viewport, QPoint at) {
      QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
    });
  }

  bool Drag(ControlId c, int dx, int dy) override {
    return Act(c, [dx, dy](QWidget* w) {
      QWidget* top = w->window();
      QPointer<QWindow> window = top->windowHandle();
      const QPoint start = w->mapTo(top, w->rect().center());
      const QPoint startGlobal = top->mapToGlobal(start);
      auto send = [&](QPoint local, QPoint global, Qt::MouseButtons held, QEvent::Type type) {
        if (window) {
          qt_handleMouseEvent(window, local, global, held, Qt::LeftButton, type, Qt::NoModifier,
                              ++QTest::lastMouseTimestamp);
        }
      };
      send(start, startGlobal, Qt::LeftButton, QEvent::MouseButtonPress);
      // The window may follow the pointer: each move is reported where the
      // pointer now is in the window's (moved) coordinates.
      const QPoint endGlobal = startGlobal + QPoint(dx, dy);
      send(top->mapFromGlobal(endGlobal), endGlobal, Qt::LeftButton, QEvent::MouseMove);
      send(top->mapFromGlobal(endGlobal), endGlobal, Qt::NoButton, QEvent::MouseButtonRelease);
    });
  }

  std::optional<WindowId> ModalWindow() override {
    return Read([&]() -> std::optional<WindowId> {
      QWidget* modal = QApplication::activeModalWidget();
      return modal ? layer_.WindowOf(modal) : std::nullopt;
    });
  }

  bool IsShown(ControlId c) override {
    return Read([&] {
      BuiltControl* b = layer_.FindControl(c);
      return b && b->widget && b->widget->isVisible();
    });
  }

  bool IsEnabled(ControlId c) override {
    return Read([&] {
      BuiltControl* b = layer_.FindControl(c);
      return b && b->widget && b->widget->isEnabled();
    });
  }

  Rect WindowGeometry(WindowId w) override {
    return Read([&] {
      OpenWindow* window = layer_.Find(w);
      if (!window || !window->widget) return Rect{};
      const QRect frame = window->widget->frameGeometry();
      return Rect{frame.left(), frame.top(), window->decl->width, window->decl->height};
    });
  }

  Rect ClientGeometry(WindowId w) override {
    return Read([&] {
      OpenWindow* window = layer_.Find(w);
      if (!window || !window->widget) return Rect{};
      const QPoint topLeft = window->widget->mapToGlobal(QPoint(0, 0));
      return Rect{topLeft.x(), topLeft.y(), window->widget->width(), window->widget->height()};
    });
  }

  Rect ScreenRect(ControlId c) override {
    return Read([&] {
      BuiltControl* b = layer_.FindControl(c);
      if (!b || !b->widget) return Rect{};
      const QPoint topLeft = b->widget->mapToGlobal(QPoint(0, 0));
      return Rect{topLeft.x(), topLeft.y(), b->widget->width(), b->widget->height()};
    });
  }

  bool CaptionFits(ControlId c) override {
    return Read([&] {
      BuiltControl* b = layer_.FindControl(c);
      if (!b || !b->widget || b->caption.isEmpty()) return true;
      // A control not on screen has its caption measured when it shows: it
      // is looked at as it will be drawn then.
      if (b->fitPending && !b->widget->isVisible()) QtLayer::ApplyFittingFont(*b);
      const auto area = CaptionAreaOf(b->widget, b->decl->wrap);
      if (!area) return true;
      return QFontInfo(b->widget->font()).pixelSize() >= kSmallestCaptionPx &&
             TextFits(b->widget->font(), ForDisplay(b->caption), *area);
    });
  }

  uint64_t NativeHandle(WindowId w) override {
    return Read([&]() -> uint64_t {
      OpenWindow* window = layer_.Find(w);
      return window && window->widget && window->widget->isVisible() ? window->widget->winId() : 0;
    });
  }

  std::optional<MessageBoxInfo> OpenMessageBox() override {
    return Read([&]() -> std::optional<MessageBoxInfo> {
      QMessageBox* box = CurrentMessageBox();
      if (!box) return std::nullopt;
      MessageBoxInfo info{ToGbk(box->text()), ToGbk(box->windowTitle()), std::nullopt};
      const int owner = box->property("brevantOwner").toInt();
      if (owner >= 0) info.owner = static_cast<WindowId>(owner);
      return info;
    });
  }

  bool AnswerMessageBox() override {
    return Attempt([]() -> Action {
      QMessageBox* box = CurrentMessageBox();
      QPointer<QAbstractButton> button = box ? box->button(QMessageBox::Ok) : nullptr;
      if (!button) return {};
      return [button] {
        TakeAMoment();
        QTest::mouseClick(button, Qt::LeftButton);
      };
    });
  }

  std::optional<std::string> OpenBrowseDialog() override {
    return Read([&]() -> std::optional<std::string> {
      QFileDialog* dialog = CurrentBrowseDialog();
      if (!dialog) return std::nullopt;
      return ToGbk(dialog->windowTitle());
    });
  }

  bool AnswerBrowseDialog(std::string_view gbkPath) override {
    const QString path = FromGbk(gbkPath);
    return Attempt([path]() -> Action {
      QPointer<QFileDialog> dialog = CurrentBrowseDialog();
      if (!dialog) return {};
      return [dialog, path] {
        if (path.isEmpty()) {
          dialog->reject();
        } else {
          // The user types the full path into the name field and accepts it.
          if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            name->setText(path);
          } else {
            dialog->selectFile(path);
          }
          static_cast<QDialog*>(dialog)->accept();
        }
      };
    });
  }

  bool Snapshot(WindowId w, const std::filesystem::path& pngPath) override {
    return Read([&] {
      OpenWindow* window = layer_.Find(w);
      if (!window || !window->widget) return false;
      layer_.EnsureBuilt(*window);
      return Framed(*window).save(QString::fromStdString(pngPath.string()), "PNG");
    });
  }

 private:
  void PostToUiThread(std::function<void()> fn) override {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(fn), Qt::QueuedConnection);
  }

  Rect PlacedRect(ControlId c) override {
    const QRect g = layer_.FindControl(c)->widget->geometry();
    return Rect{g.left(), g.top(), g.width(), g.height()};
  }

  Action CloseBox(WindowId w) override {
    QPointer<QWidget> top = layer_.Find(w)->widget;
    if (!top || Blocked(top)) return {};
    return [top] {
      if (top) top->close();
    };
  }

  static void ClickAt(QWidget* w, QPoint at) {
    // Through the window system, as a real pointer would: the event goes to
    // whatever is on top at that point, and blocked windows get nothing.
    // Nothing else is processed here; the driver lets the event loop settle.
    QWidget* top = w->window();
    const QPoint global = top->windowHandle()->mapToGlobal(w->mapTo(top, at));
    PressAndRelease(top, global);
  }

  // Left button down and up at a point of the screen, in the window given.
  static void PressAndRelease(QWidget* top, QPoint global) {
    QPointer<QWindow> window = top->windowHandle();
    const QPointF local = window->mapFromGlobal(global);
    qt_handleMouseEvent(window, local, global, Qt::LeftButton, Qt::LeftButton,
                        QEvent::MouseButtonPress, Qt::NoModifier, QTest::lastMouseTimestamp);
    QTest::lastMouseTimestamp += 60;
    if (window) {
      qt_handleMouseEvent(window, local, global, Qt::NoButton, Qt::LeftButton,
                          QEvent::MouseButtonRelease, Qt::NoModifier, QTest::lastMouseTimestamp);
    }
  }

  // Each action of the user comes a moment after the one before: never as
  // part of a double click, and never onto a window that has just opened.
  static void TakeAMoment() { QTest::lastMouseTimestamp += 1000; }

  static bool Blocked(QWidget* w) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal != w->window() && !modal->isAncestorOf(w);
  }

  // Checks on the UI thread that the user could reach the control, then acts.
  bool Act(ControlId c, std::function<void(QWidget*)> action) {
    return Attempt([this, c, action = std::move(action)]() -> Action {
      BuiltControl* b = layer_.FindControl(c);
      if (!b || !b->widget || !b->widget->isVisible() || !b->widget->isEnabled() ||
          Blocked(b->widget))
        return {};
      return [widget = b->widget, action] {
        TakeAMoment();
        action(widget);
      };
    });
  }

  bool ActOnItem(ControlId c, int index, std::function<void(QWidget*, QPoint)> action) {
    return Act(c, [index, action = std::move(action)](QWidget* w) {
      auto* list = qobject_cast<QListWidget*>(w);
      if (!list || index < 0 || index >= list->count()) return;
      list->scrollToItem(list->item(index));
      action(list->viewport(), list->visualItemRect(list->item(index)).center());
    });
  }

  void Settle() override {
    // Events posted while an action runs are handled before it counts as done.
    for (int round = 0; round < 3; ++round) Sync([] {});
  }

  static QMessageBox* CurrentMessageBox() {
    if (auto* active = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) return active;
    QMessageBox* last = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) last = box;
    }
    return last;
  }

  static QFileDialog* CurrentBrowseDialog() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible())
        return dialog;
    }
    return nullptr;
  }

  // The window as the user sees it, at its outer size: a fixed window gets a
  // plain frame and caption bar around its client area.
  static QImage Framed(const OpenWindow& window) {
    const QImage client = window.widget->grab().toImage();
    const WindowSpec& decl = *window.decl;
    if (decl.border == Border::None) return client;
    QImage outer(decl.width, decl.height, QImage::Format_ARGB32);
    outer.fill(QColor(240, 240, 240));
    QPainter painter(&outer);
    painter.setPen(QColor(100, 100, 100));
    painter.drawRect(0, 0, decl.width - 1, decl.height - 1);
    const int top = decl.height - 3 - client.height();
    if (top > 3) {
      painter.fillRect(1, 1, decl.width - 2, top - 1, QColor(255, 255, 255));
      painter.setPen(Qt::black);
      painter.drawText(QRect(8, 1, decl.width - 60, top - 1), Qt::AlignVCenter | Qt::AlignLeft,
                       window.widget->windowTitle());
      if (decl.systemMenu)
        painter.drawText(QRect(decl.width - 28, 1, 24, top - 1), Qt::AlignCenter,
                         QStringLiteral("×"));
      if (decl.minimizeBox)
        painter.drawText(QRect(decl.width - 52, 1, 24, top - 1), Qt::AlignCenter,
                         QStringLiteral("–"));
    }
    painter.drawImage(3, top, client);
    return outer;
  }

  QtLayer& layer_;
};

}  // namespace
}  // namespace ui::qt

std::unique_ptr<ui::Driver> ui::CreateDriver(Layer& layer) {
  return MakeDriver<qt::QtDriver, qt::QtLayer>(layer);
}
