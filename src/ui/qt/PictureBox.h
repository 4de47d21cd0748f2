#pragma once

#include <QImage>
#include <QWidget>
#include <string>

#include "ui/ControlSpec.h"

namespace ui::qt {

// Shows a picture in its display mode over its background colour. The
// picture is decoded when it is first drawn, and only its drawn size is kept.
class PictureBox : public QWidget {
  Q_OBJECT
 public:
  PictureBox(PictureMode mode, QWidget* parent);
  void SetEncodedPicture(std::string bytes);
  // Where the picture is drawn, in the box's coordinates; empty when none.
  QRect PictureRect();
  bool HasPicture();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Decode();

  PictureMode mode_;
  std::string encoded_;  // not yet decoded
  QSize imageSize_;      // the decoded picture's size; empty when none
  QImage drawn_;         // the picture at its drawn size
};

}  // namespace ui::qt
