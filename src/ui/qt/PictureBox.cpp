#include "ui/qt/PictureBox.h"

#include <QPainter>

#include "ui/image/FitRect.h"
#include "ui/image/Image.h"

namespace ui::qt {

PictureBox::PictureBox(PictureMode mode, QWidget* parent) : QWidget(parent), mode_(mode) {}

void PictureBox::SetEncodedPicture(std::string_view bytes) {
  const Image decoded = DecodeImage(bytes);
  if (decoded.empty()) {
    image_ = QImage();
  } else {
    // The decoded pixels are copied so the picture owns its memory.
    image_ = QImage(decoded.rgba.data(), decoded.width, decoded.height, decoded.width * 4,
                    QImage::Format_RGBA8888)
                 .copy();
  }
  scaled_ = QImage();
  update();
}

QRect PictureBox::PictureRect() const {
  if (image_.isNull()) return {};
  const auto r = ui::PictureRect(mode_, width(), height(), image_.width(), image_.height());
  return QRect(r.left, r.top, r.width, r.height);
}

void PictureBox::paintEvent(QPaintEvent*) {
  if (image_.isNull()) return;
  const QRect target = PictureRect();
  if (scaled_.size() != target.size()) {
    scaled_ = image_.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  QPainter painter(this);
  painter.drawImage(target.topLeft(), scaled_);
}

}  // namespace ui::qt
