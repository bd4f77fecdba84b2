// The tool takes no command-line options of its own: QApplication keeps only
// Qt's standard ones.

#include <QApplication>

#include "window/qt/application.h"
#include "window/qt/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  angoli::SetUpApplication(app);
  angoli::MainWindow window;
  window.show();
  // Where no window manager hands out the focus (a bare X server) the window
  // would never become active, and its first activation sets up row A.
  window.activateWindow();
  return QApplication::exec();
}
