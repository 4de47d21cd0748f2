#include "scores/ScoreBox.h"

#include "ui/Catalogue.h"

namespace scores {

ui::ControlId ScoreBox(int group) {
  static constexpr ui::ControlId kBoxes[] = {ui::MainWindow::编辑框1, ui::MainWindow::编辑框2,
                                             ui::MainWindow::编辑框3, ui::MainWindow::编辑框4};
  return kBoxes[group - 1];
}

std::string ScoreFile(int group) {
  return std::to_string(group) + ".vlok";
}

}  // namespace scores
