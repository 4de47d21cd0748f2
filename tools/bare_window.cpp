// The yardsticks of the start-up benchmark: a Qt Widgets program that shows
// an empty window of the main window's size and does nothing else; with
// --label, the same window shows one line of text in the default font, which
// is the least a window with text pays (the toolkit lists the system's fonts).
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setFixedSize(712, 477);
  if (argc > 1 && std::strcmp(argv[1], "--label") == 0) {
    auto* label = new QLabel(QStringLiteral("Brevant"), &window);
    label->setGeometry(0, 0, 200, 40);
  }
  window.show();
  return QApplication::exec();
}
