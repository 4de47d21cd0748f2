#include "ui/Backend.h"

#include <QApplication>
#include <QMetaObject>
#include <QStyleFactory>
#include <QThread>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <thread>

#include "ui/qt/Fonts.h"
#include "ui/qt/QtLayer.h"

namespace ui {
namespace {

QApplication* g_application = nullptr;

void StartToolkit(int& argc, char** argv, const FontFaces& given) {
  const FontFaces faces = qt::ReadFacesFromCopies(given);
  // Reading the faces' names and the font configuration needs no display, and
  // the toolkit reads no font while it connects to the display: the two run
  // side by side.
  std::thread fonts;
  try {
    fonts = std::thread([&faces] { qt::KeepInstalledCopiesOut(faces); });
  } catch (const std::system_error&) {
    qt::KeepInstalledCopiesOut(faces);
  }
  g_application = new QApplication(argc, argv);
  if (fonts.joinable()) fonts.join();
  // The toolkit takes the system's locale; numbers in files and texts always
  // use "." as their decimal point.
  std::setlocale(LC_NUMERIC, "C");
  // One look on every desktop, whatever style the desktop prefers.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  qt::RegisterFaces(faces);
}

bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform) return true;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

}  // namespace

void InitBackend(int& argc, char** argv, const FontFaces& faces) {
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "Brevant needs a graphical display, and none is available here (DISPLAY and "
                 "WAYLAND_DISPLAY are not set).\n"
                 "Start it from a desktop session, or under a virtual display:\n"
                 "  xvfb-run -a %s\n",
                 argc > 0 ? argv[0] : "brevant");
    std::exit(2);
  }
  StartToolkit(argc, argv, faces);
}

int RunWithUiThread(int& argc, char** argv, const FontFaces& faces,
                    const std::function<int()>& body, bool onDisplay) {
  setenv("QT_QPA_PLATFORM", onDisplay ? "xcb" : "offscreen", 1);
  StartToolkit(argc, argv, faces);
  int result = 1;
  std::thread worker([&] {
    result = body();
    QMetaObject::invokeMethod(
        g_application, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
  });
  QApplication::exec();
  worker.join();
  return result;
}

}  // namespace ui

#include <future>

namespace ui {

void RunOnUiThread(const std::function<void()>& fn) {
  if (QThread::currentThread() == QCoreApplication::instance()->thread()) {
    fn();
    return;
  }
  std::promise<void> done;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [&] {
        fn();
        done.set_value();
      },
      Qt::QueuedConnection);
  done.get_future().wait();
}

// The layer on Qt's widgets, for the program and its tests alike.
std::unique_ptr<Layer> CreateLayer(const HandlerTable& handlers, LayerOptions options) {
  return std::make_unique<qt::QtLayer>(handlers, options);
}

}  // namespace ui
