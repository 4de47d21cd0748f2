#include "ui/qt/PictureBox.h"

#include <QPainter>

#include "ui/image/FitRect.h"
#include "ui/image/Image.h"

namespace ui::qt {

PictureBox::PictureBox(PictureMode mode, QWidget* parent) : QWidget(parent), mode_(mode) {}

void PictureBox::SetEncodedPicture(std::string bytes) {
  encoded_ = std::move(bytes);
  imageSize_ = QSize();
  drawn_ = QImage();
  update();
}

void PictureBox::Decode() {
  if (encoded_.empty()) return;
  const std::string bytes = std::move(encoded_);
  encoded_.clear();
  const bool fit = mode_ == PictureMode::Fit;
  const Image decoded = DecodeImage(bytes, fit ? width() : 0, fit ? height() : 0);
  if (decoded.empty()) return;
  imageSize_ = QSize(decoded.width, decoded.height);
  const QImage full(decoded.rgba.data(), decoded.width, decoded.height, decoded.width * 4,
                    QImage::Format_RGBA8888);
  const QRect target = PictureRect();
  drawn_ = target.size() == full.size()
               ? full.copy()
               : full.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QRect PictureBox::PictureRect() {
  Decode();
  if (imageSize_.isEmpty()) return {};
  const auto r = ui::PictureRect(mode_, width(), height(), imageSize_.width(), imageSize_.height());
  return QRect(r.left, r.top, r.width, r.height);
}

bool PictureBox::HasPicture() {
  Decode();
  return !imageSize_.isEmpty();
}

void PictureBox::paintEvent(QPaintEvent*) {
  const QRect target = PictureRect();
  if (drawn_.isNull()) return;
  QPainter painter(this);
  painter.drawImage(target.topLeft(), drawn_);
}

}  // namespace ui::qt
