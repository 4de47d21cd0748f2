// The yardstick of the start-up benchmark: a Qt Widgets program that shows
// an empty window of the main window's size and does nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setFixedSize(712, 477);
  window.show();
  return QApplication::exec();
}
