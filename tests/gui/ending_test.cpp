// The end of the tool: "Chiudi", or the window closed through the window
// system, ends the event loop at once, whatever the cells hold.

#include <QWindow>

#include "gui_support.h"

class EndingTest : public QObject {
  Q_OBJECT

 private slots:
  void ending_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("typedFirst");
    QTest::newRow("Chiudi") << "Chiudi" << "";
    QTest::newRow("Chiudi with an unconverted entry") << "Chiudi" << "45";
    QTest::newRow("Chiudi from the keyboard") << "Space on Chiudi" << "";
    QTest::newRow("window closed") << "close window" << "45";
  }

  // Runs the tool's event loop as main() does and ends it the user's way.
  void ending() {
    QFETCH(QString, how);
    QFETCH(QString, typedFirst);
    gui::Window window;
    QVERIFY(window.Start());
    gui::Type(typedFirst);

    QTimer::singleShot(0, &window.main, [&] {
      if (how == "Chiudi") {
        window.click("Chiudi");
      } else if (how == "Space on Chiudi") {
        gui::Find(window.main, "Chiudi")->setFocus(Qt::TabFocusReason);
        gui::Press(Qt::Key_Space);
      } else {
        window.main.windowHandle()->close();  // as the title bar's close box does
      }
    });
    QTimer stuck;
    stuck.setSingleShot(true);
    connect(&stuck, &QTimer::timeout, &stuck, [] { QCoreApplication::exit(99); });
    stuck.start(5000);

    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window.main.isVisible());
    QCOMPARE(window.text("A1"), typedFirst);  // nothing ran on the way out
  }
};

ANGOLI_GUI_TEST_MAIN(EndingTest)
#include "ending_test.moc"
