// "Calcola" in the real window: conversions typed with real keystrokes, and
// the warning box with the cell emptied and focused only once it is closed.

#include <QLocale>

#include <memory>

#include "gui_support.h"

using gui::FocusedName;
using gui::Press;
using gui::Type;

class CalcolaWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = std::make_unique<gui::Window>();
    QVERIFY(window_->Start());
  }
  void cleanup() {
    window_.reset();
    QLocale::setDefault(QLocale::system());
  }

  // Row B '45' '30' '5' typed key by key, "Calcola", then a letter in B3;
  // under a locale whose decimal separator is the point, as numbers never
  // meet the locale.
  void roadOfOneConversion() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    window_->choose('B');
    QCOMPARE(FocusedName(), QStringLiteral("B1"));
    Type("45");
    Press(Qt::Key_Tab);
    Type("30");
    Press(Qt::Key_Tab);
    Type("5");
    window_->calcola();
    QCOMPARE(window_->texts(),
             QStringList({"45", "50833", "45", "30", "5", "45", "30", "30", "000"}));
    for (const QString& name : gui::kCellNames)
      QCOMPARE(gui::TextColour(window_->cell(name)), name.front() == 'B' ? gui::kBlack : gui::kRed);

    window_->click("B3");
    Press(QKeySequence::SelectAll);
    Type("x");
    QCOMPARE(window_->text("B3"), QStringLiteral("x"));

    QString textWhileOpen, focusWhileOpen;
    gui::WarningCatcher catcher(window_->main, [&] {
      textWhileOpen = window_->text("B3");
      focusWhileOpen = window_->main.focusWidget()->objectName();
    });
    window_->calcola();
    QCOMPARE(catcher.count(), 1);
    QCOMPARE(catcher.last().title, QStringLiteral("ATTENZIONE"));
    QCOMPARE(catcher.last().text,
             QStringLiteral("Immettere un numero nella cella delle frazioni di minuti"));
    QCOMPARE(catcher.last().icon, QMessageBox::Information);
    QCOMPARE(catcher.last().buttons, QStringList{"OK"});
    QCOMPARE(textWhileOpen, QStringLiteral("x"));
    QCOMPARE(focusWhileOpen, QStringLiteral("CalcB"));
    QCOMPARE(window_->focusName(), QStringLiteral("B3"));
    QCOMPARE(window_->texts(),
             QStringList({"45", "50833", "45", "30", "", "45", "30", "30", "000"}));
    QVERIFY(window_->Reactivate());
    QCOMPARE(FocusedName(), QStringLiteral("B3"));
    Type("9");
    QCOMPARE(window_->text("B3"), QStringLiteral("9"));
  }

  void warnings_data() {
    QTest::addColumn<QChar>("row");
    QTest::addColumn<QStringList>("entry");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<bool>("emptied");  // numeric failures; range failures keep the text
    const QString degrees = "Immettere un numero nella cella dei gradi";
    const QString minutes = "Immettere un numero nella cella dei minuti";
    const QString minutesRange = "I minuti devono essere compresi tra 0 e 59";
    QTest::newRow("A all empty") << QChar('A') << QStringList{"", ""} << degrees << "A1" << true;
    QTest::newRow("A2 letter") << QChar('A') << QStringList{"45", "x"}
                               << "Immettere un numero nella cella delle frazioni di gradi"
                               << "A2" << true;
    QTest::newRow("B all empty") << QChar('B') << QStringList{"", "", ""} << degrees << "B1" << true;
    QTest::newRow("B2 letter") << QChar('B') << QStringList{"45", "x", "5"} << minutes << "B2" << true;
    QTest::newRow("B2 is 60") << QChar('B') << QStringList{"45", "60", "5"} << minutesRange << "B2" << false;
    QTest::newRow("B2 negative") << QChar('B') << QStringList{"45", "-5", "5"} << minutesRange << "B2" << false;
    QTest::newRow("B3 letter before B2 75") << QChar('B') << QStringList{"45", "75", "x"}
                                            << "Immettere un numero nella cella delle frazioni di minuti"
                                            << "B3" << true;
    QTest::newRow("C1 blank") << QChar('C') << QStringList{" ", "30", "30", "0"} << degrees << "C1" << true;
    QTest::newRow("C3 letter") << QChar('C') << QStringList{"45", "30", "s", "0"}
                               << "Immettere un numero nella cella dei secondi" << "C3" << true;
    QTest::newRow("C4 letter") << QChar('C') << QStringList{"45", "30", "30", "y"}
                               << "Immettere un numero nella cella delle frazioni di secondi"
                               << "C4" << true;
    QTest::newRow("C2 75 before C3 80") << QChar('C') << QStringList{"45", "75", "80", "0"}
                                        << minutesRange << "C2" << false;
    QTest::newRow("C3 is 60") << QChar('C') << QStringList{"45", "30", "60", "0"}
                              << "I secondi devono essere compresi tra 0 e 59" << "C3" << false;
  }

  // The box: title, text, information icon, one OK, modal to the window.
  // While it is open nothing has changed; once closed, a numeric failure has
  // emptied and focused its cell and a range failure has left everything.
  // The row stays the input row: the window's new activation resets nothing.
  void warnings() {
    QFETCH(QChar, row);
    QFETCH(QStringList, entry);
    QFETCH(QString, message);
    QFETCH(QString, cell);
    QFETCH(bool, emptied);
    if (row != 'A') window_->choose(row);
    window_->fill(row, entry);
    const QStringList before = window_->texts();

    QStringList textsWhileOpen;
    QString focusWhileOpen;
    gui::WarningCatcher catcher(window_->main, [&] {
      textsWhileOpen = window_->texts();
      focusWhileOpen = window_->main.focusWidget()->objectName();
    });
    window_->calcola();
    const QString calc = QStringLiteral("Calc") + row;

    QCOMPARE(catcher.count(), 1);
    const gui::Warning& shown = catcher.last();
    QCOMPARE(shown.title, QStringLiteral("ATTENZIONE"));
    QCOMPARE(shown.text, message);
    QCOMPARE(shown.icon, QMessageBox::Information);
    QCOMPARE(shown.buttons, QStringList{"OK"});
    QVERIFY(shown.modal);
    QVERIFY(shown.childOfMain);
    QCOMPARE(textsWhileOpen, before);
    QCOMPARE(focusWhileOpen, calc);

    QStringList after = before;
    if (emptied) after[gui::kCellNames.indexOf(cell)] = QString();
    QCOMPARE(window_->focusName(), emptied ? cell : calc);
    QCOMPARE(window_->texts(), after);
    // The window system activates the window again once the box has gone.
    QVERIFY(window_->Reactivate());
    QCOMPARE(FocusedName(), emptied ? cell : calc);
    QCOMPARE(window_->texts(), after);
    for (const QString& name : gui::kCellNames)
      QCOMPARE(window_->cell(name)->isReadOnly(), name.front() != row);
    QVERIFY(!gui::Find(window_->main, calc)->isHidden());
  }

 private:
  std::unique_ptr<gui::Window> window_;
};

ANGOLI_GUI_TEST_MAIN(CalcolaWindowTest)
#include "calcola_window_test.moc"
