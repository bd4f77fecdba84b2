// The tool takes no command-line options of its own: QApplication keeps only
// Qt's standard ones.

#include <QApplication>

#include "window/qt/application.h"
#include "window/qt/main_window.h"

int main(int argc, char* argv[]) {
  // A native Wayland client can neither centre its window nor take the focus
  // back after a warning closes, so typing is lost until a click. Where an X
  // server answers (Xwayland) the window goes there, and a session with
  // Wayland alone still starts; a platform the user chose, with
  // QT_QPA_PLATFORM or -platform, wins.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "xcb;wayland");
  QApplication app(argc, argv);
  angoli::SetUpApplication(app);
  angoli::MainWindow window;
  window.show();
  // Where no window manager hands out the focus (a bare X server) the window
  // would never become active, and its first activation sets up row A.
  window.activateWindow();
  return QApplication::exec();
}
