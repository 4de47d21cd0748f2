#include "ui/qt/ControlWidgets.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <limits>

#include "ui/Resources.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/PictureBox.h"
#include "ui/qt/QtText.h"
#include "ui/qt/SuperButton.h"
#include "ui/qt/WindowWidget.h"

namespace ui::qt {
namespace {

QColor ToQColor(Color c) {
  return QColor(c.r, c.g, c.b);
}

Qt::Alignment AlignmentOf(const ControlSpec& c) {
  Qt::Alignment a = c.halign == HAlign::Left     ? Qt::AlignLeft
                    : c.halign == HAlign::Center ? Qt::AlignHCenter
                                                 : Qt::AlignRight;
  a |= c.valign == VAlign::Top      ? Qt::AlignTop
       : c.valign == VAlign::Center ? Qt::AlignVCenter
                                    : Qt::AlignBottom;
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

// Connects a button's click to the control's handler.
template <typename Button>
Button* Clickable(Button* button, const ControlMaking& m) {
  QObject::connect(button, &QAbstractButton::clicked,
                   [deliver = m.deliver, h = m.decl.handler] { deliver(h); });
  return button;
}

QWidget* MakeSuperButton(const ControlMaking& m) {
  auto* button = new SuperButton(m.decl.scheme, m.parent);
  m.built.caption = FromUtf8(m.decl.text);
  button->setText(m.built.caption);
  return Clickable(button, m);
}

QWidget* MakeLabel(const ControlMaking& m) {
  const ControlSpec& c = m.decl;
  const bool transparent = c.kind == Kind::TransparentLabel;
  QLabel* label = transparent ? new TransparentLabel(m.parent) : new QLabel(m.parent);
  m.built.caption = FromUtf8(c.text);
  label->setText(ForDisplay(m.built.caption));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(AlignmentOf(c));
  label->setWordWrap(c.wrap);
  // A label on the default background lets its container show through,
  // as the system's own labels do inside a group box.
  SetColors(label, c.textColor, c.backColor, QPalette::WindowText, QPalette::Window,
            !transparent && !c.backColor.isDefault);
  return label;
}

QWidget* MakeEditBox(const ControlMaking& m) {
  const ControlSpec& c = m.decl;
  auto* edit = new QLineEdit(FromUtf8(c.text), m.parent);
  edit->setMaxLength(std::numeric_limits<int>::max());  // no limit of its own
  edit->setFrame(c.frame);
  edit->setAlignment(c.halign == HAlign::Center  ? Qt::AlignCenter
                     : c.halign == HAlign::Right ? Qt::AlignRight
                                                 : Qt::AlignLeft);
  if (c.editMode == EditMode::Password) {
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
  }
  edit->setReadOnly(c.editMode == EditMode::ReadOnly);
  SetColors(edit, c.textColor, c.backColor, QPalette::Text, QPalette::Base, false);
  return edit;
}

QWidget* MakeButton(const ControlMaking& m) {
  auto* button = new QPushButton(m.parent);
  m.built.caption = FromUtf8(m.decl.text);
  button->setText(ForDisplay(m.built.caption));
  return Clickable(button, m);
}

QWidget* MakeRadioButton(const ControlMaking& m) {
  auto* radio = new RadioButton(m.parent);
  m.built.caption = FromUtf8(m.decl.text);
  radio->setText(ForDisplay(m.built.caption));
  radio->setChecked(m.decl.checked);
  return Clickable(radio, m);
}

QWidget* MakeGroupBox(const ControlMaking& m) {
  const ControlSpec& c = m.decl;
  auto* group = new QGroupBox(m.parent);
  m.built.caption = FromUtf8(c.text);
  group->setTitle(ForDisplay(m.built.caption));
  SetColors(group, c.textColor, c.backColor, QPalette::WindowText, QPalette::Window,
            !c.backColor.isDefault);
  if (m.window.dragAnywhere) group->installEventFilter(new DragToMove(m.top));
  return group;
}

QWidget* MakeComboBox(const ControlMaking& m) {
  const ControlSpec& c = m.decl;
  auto* combo = new QComboBox(m.parent);
  // An editable combo box lays its text out as soon as it is made
  // editable: in its own font, not in the default one with its fallbacks.
  combo->setFont(MakeFont(c.font));
  combo->setEditable(c.comboStyle != ComboStyle::DropDownList);
  combo->addItems(ItemsOf(c.items));
  combo->setCurrentIndex(c.selection);
  if (combo->isEditable()) combo->setEditText(FromUtf8(c.text));
  return combo;
}

QWidget* MakeListBox(const ControlMaking& m) {
  auto* list = new QListWidget(m.parent);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  // Items are one line each in one font, as in a system list box; the
  // view then need not measure every item, which keeps a list of
  // 100,000 register lines quick to open.
  list->setUniformItemSizes(true);
  list->addItems(ItemsOf(m.decl.items));
  QObject::connect(list, &QListWidget::itemDoubleClicked,
                   [deliver = m.deliver, h = m.decl.handler] { deliver(h); });
  return list;
}

QWidget* MakePictureBox(const ControlMaking& m) {
  const ControlSpec& c = m.decl;
  auto* picture = new PressablePicture(c.pictureMode, m.parent,
                                       [deliver = m.deliver, h = c.handler] { deliver(h); });
  SetColors(picture, kDefaultColor, c.backColor, QPalette::WindowText, QPalette::Window,
            !c.backColor.isDefault);
  picture->SetEncodedPicture(std::string(Picture(c.picture)));
  return picture;
}

QWidget* MakePageContainer(const ControlMaking& m) {
  const ControlSpec& c = m.decl;
  auto* area = new QWidget(m.parent);
  const QStringList titles = ItemsOf(c.items);
  for (qsizetype p = 0; p < std::max<qsizetype>(1, titles.size()); ++p) {
    auto* page = new QWidget(area);
    page->setObjectName(titles.value(p));
    page->setGeometry(0, 0, c.width, c.height);
    page->setVisible(p == 0);
    m.built.pages.emplace_back(page);
  }
  return area;
}

using Maker = QWidget* (*)(const ControlMaking&);

Maker MakerFor(Kind kind) {
  switch (kind) {
    case Kind::SuperButton:
      return MakeSuperButton;
    case Kind::TransparentLabel:
    case Kind::Label:
      return MakeLabel;
    case Kind::EditBox:
      return MakeEditBox;
    case Kind::Button:
      return MakeButton;
    case Kind::RadioButton:
      return MakeRadioButton;
    case Kind::GroupBox:
      return MakeGroupBox;
    case Kind::ComboBox:
      return MakeComboBox;
    case Kind::ListBox:
      return MakeListBox;
    case Kind::PictureBox:
      return MakePictureBox;
    case Kind::PageContainer:
      return MakePageContainer;
    case Kind::Timer:
      break;
  }
  return nullptr;
}

}  // namespace

void SetColors(QWidget* widget, Color text, Color back, QPalette::ColorRole textRole,
               QPalette::ColorRole backRole, bool fillBackground) {
  QPalette palette = widget->palette();
  if (!text.isDefault) palette.setColor(textRole, ToQColor(text));
  if (!back.isDefault) palette.setColor(backRole, ToQColor(back));
  widget->setPalette(palette);
  widget->setAutoFillBackground(fillBackground);
}

QWidget* MakeControlWidget(const ControlMaking& m) {
  const Maker make = MakerFor(m.decl.kind);
  return make ? make(m) : nullptr;
}

}  // namespace ui::qt
