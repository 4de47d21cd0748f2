#pragma once

#include <QImage>
#include <QWidget>

#include "ui/ControlSpec.h"

namespace ui::qt {

// Shows a decoded picture in its display mode over its background colour.
class PictureBox : public QWidget {
  Q_OBJECT
 public:
  PictureBox(PictureMode mode, QWidget* parent);
  void SetEncodedPicture(std::string_view bytes);
  // Where the picture is drawn, in the box's coordinates; empty when none.
  QRect PictureRect() const;
  bool HasPicture() const { return !image_.isNull(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PictureMode mode_;
  QImage image_;
  mutable QImage scaled_;  // the picture at its drawn size
};

}  // namespace ui::qt
