// The window on real display servers (run by scripts/test-session.sh):
// asked to maximise as a Wayland client under weston, and as an X11 client
// the hints its window manager reads.

#include <QProcess>
#include <QWindow>

#include "gui_support.h"

class DesktopTest : public QObject {
  Q_OBJECT

 private slots:
  // A compositor must be obeyed when it maximises the window: the program
  // goes on with its entry, its controls in place, and its size once restored.
  void maximise() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
    gui::Window window;
    window.main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.main));
    // A headless weston has no seat, so it activates no window.
    QApplication::setActiveWindow(&window.main);
    window.fill('A', {"45", "50833"});
    const QSize size = window.main.size();
    const QStringList entry = window.texts();
    QMap<QString, QRect> places;
    for (QWidget* control : window.main.findChildren<QWidget*>())
      places.insert(control->objectName(), control->geometry());

    window.main.windowHandle()->setWindowStates(Qt::WindowMaximized);
    QTRY_VERIFY(window.main.width() > size.width());
    QTest::qWait(500);  // a broken connection would end the program here
    for (QWidget* control : window.main.findChildren<QWidget*>())
      QCOMPARE(control->geometry(), places.value(control->objectName()));
    QCOMPARE(window.texts(), entry);
    window.calcola();
    QCOMPARE(window.text("C1"), QStringLiteral("45"));
    window.click("Command1");
    window.fill('A', {"x"});
    gui::WarningCatcher catcher(window.main);
    window.calcola();
    QCOMPARE(catcher.count(), 1);

    window.main.windowHandle()->setWindowStates(Qt::WindowNoState);
    QTRY_COMPARE(window.main.size(), size);
  }

  // Read from the X server: the functions and the decorations the window
  // asks for (Motif hints: flags, functions, decorations, ...) leave out
  // maximise, which would only show a large empty window.
  void noMaximiseOffered() {
    angoli::MainWindow main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QProcess xprop;
    xprop.start("xprop", {"-id", QString::number(main.winId()), "_MOTIF_WM_HINTS"});
    QVERIFY(xprop.waitForFinished());
    const QStringList hints = QString(xprop.readAll()).section('=', 1).split(',');
    QCOMPARE(hints.size(), 5);
    const auto hint = [&](int i) { return hints[i].trimmed().toUInt(nullptr, 16); };
    QCOMPARE(hint(0) & 3, 3u);  // functions and decorations both given
    QCOMPARE(hint(1) & 0x10, 0u);
    QCOMPARE(hint(2) & 0x40, 0u);
  }
};

ANGOLI_GUI_TEST_MAIN(DesktopTest)
#include "desktop_test.moc"
