// The window at work, driven by real clicks and keystrokes: start-up and
// activation, the three modes, typing and pasting into cells, locked cells,
// the shared "Calcola" rectangle, the Tab order, "Reset".

#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QWindow>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

#include "gui_support.h"

using gui::Find;
using gui::FocusedName;
using gui::Press;
using gui::Type;

namespace {

// A valid entry for each row: the same angle, 45 degrees 30 minutes 30 seconds.
QStringList EntryFor(QChar row) {
  if (row == 'A') return {"45", "50833"};
  if (row == 'B') return {"45", "30", "5"};
  return {"45", "30", "30", "0"};
}

}  // namespace

class BehaviourTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = std::make_unique<gui::Window>();
    QVERIFY(window_->Start());
  }
  void cleanup() {
    window_.reset();
    QGuiApplication::clipboard()->clear();
  }

  void stateAfterStartUp() {
    VerifyMode('A');
    QCOMPARE(window_->texts(), QStringList(9, QString()));
    QCOMPARE(FocusedName(), QStringLiteral("A1"));
  }

  // An option clicked before the window's first activation: the activation
  // still makes row A the input row, and the option group shows it.
  void optionClickedBeforeFirstActivation() {
    window_ = std::make_unique<gui::Window>();
    Find<QRadioButton>(window_->main, "OptB")->click();
    QVERIFY(window_->Start());
    VerifyMode('A');
    window_->choose('B');
    VerifyMode('B');
  }

  // Coming back to the tool activates the window again: nothing is reset.
  void secondActivation() {
    window_->choose('B');
    window_->fill('B', {"45", "30"});
    QWidget other;
    other.resize(100, 100);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(!window_->main.isActiveWindow());

    window_->main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window_->main));
    VerifyMode('B');
    QCOMPARE(window_->text("B1"), QStringLiteral("45"));
    QCOMPARE(window_->text("B2"), QStringLiteral("30"));
    QCOMPARE(FocusedName(), QStringLiteral("B2"));
  }

  // Asked to maximise, by the title bar or the compositor, the window goes on
  // with its entry and its controls in place: a Wayland compositor ends a
  // client that does not take the maximised size (ctest:
  // behaviour_test_wayland). Restored, it has its own size again, the least
  // it can have.
  void maximise() {
    gui::MakeActive(window_->main);  // a headless weston activates nothing
    window_->fill('A', {"45", "x"});
    const QRect controls = window_->main.childrenRect();
    window_->main.windowHandle()->setWindowStates(Qt::WindowMaximized);
    QTRY_VERIFY(window_->main.width() > window_->main.minimumWidth());
    QCOMPARE(window_->main.childrenRect(), controls);
    gui::WarningCatcher catcher(window_->main);
    window_->calcola();
    QCOMPARE(catcher.count(), 1);
    Type("50833");
    window_->calcola();
    QCOMPARE(window_->text("C1"), QStringLiteral("45"));
    window_->main.windowHandle()->setWindowStates(Qt::WindowNoState);
    QTRY_COMPARE(window_->main.size(), window_->main.minimumSize());
  }

  // Choosing a row by its option button empties the board; the current row's
  // button empties nothing. Exactly one option button stays selected.
  void chooseRow_data() {
    QTest::addColumn<QChar>("from");
    QTest::addColumn<QChar>("to");
    for (QChar from : {'A', 'B', 'C'})
      for (QChar to : {'A', 'B', 'C'})
        QTest::addRow("%c to %c", from.toLatin1(), to.toLatin1()) << from << to;
  }

  void chooseRow() {
    QFETCH(QChar, from);
    QFETCH(QChar, to);
    if (from != 'A') window_->choose(from);
    window_->fill(from, EntryFor(from));
    window_->calcola();
    const QStringList converted = window_->texts();
    QVERIFY2(!converted.contains(QString()), qPrintable(converted.join('|')));

    window_->choose(to);
    VerifyMode(to);
    if (from == to) {
      QCOMPARE(window_->texts(), converted);
    } else {
      QCOMPARE(window_->texts(), QStringList(9, QString()));
      QCOMPARE(FocusedName(), gui::CellsOf(to).front());
    }
  }

  void reset_data() {
    QTest::addColumn<QChar>("row");
    QTest::newRow("row A") << QChar('A');
    QTest::newRow("row B") << QChar('B');
    QTest::newRow("row C") << QChar('C');
  }

  // "Reset" empties every cell and keeps the row; the tool moves no focus
  // (the click itself leaves it on the button).
  void reset() {
    QFETCH(QChar, row);
    if (row != 'A') window_->choose(row);
    window_->fill(row, EntryFor(row));
    window_->calcola();
    window_->click("Command1");
    QCOMPARE(window_->texts(), QStringList(9, QString()));
    VerifyMode(row);
    QCOMPARE(FocusedName(), QStringLiteral("Command1"));
  }

  void typing_data() {
    QTest::addColumn<QChar>("row");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("A2 refuses a sixth character") << QChar('A') << "A2" << "123456" << "12345";
    QTest::newRow("B2 refuses a third character") << QChar('B') << "B2" << "453" << "45";
    QTest::newRow("A1 holds two") << QChar('A') << "A1" << "123" << "12";
    QTest::newRow("B3 holds four") << QChar('B') << "B3" << "12345" << "1234";
    QTest::newRow("C4 holds three") << QChar('C') << "C4" << "9876" << "987";
    QTest::newRow("letters stand") << QChar('A') << "A1" << "x5" << "x5";
    QTest::newRow("sign and comma stand") << QChar('C') << "C3" << "-," << "-,";
    QTest::newRow("leading blank kept") << QChar('B') << "B3" << " 5" << " 5";
    QTest::newRow("accented letters") << QChar('A') << "A2" << QString::fromUtf8("àèìòùé") << QString::fromUtf8("àèìòù");
  }

  // Anything can be typed up to the cell's limit, and the core reads it back
  // unchanged.
  void typing() {
    QFETCH(QChar, row);
    QFETCH(QString, cell);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    if (row != 'A') window_->choose(row);
    window_->click(cell);
    Type(typed);
    QCOMPARE(window_->text(cell), expected);
    const int index = int(gui::kCellNames.indexOf(cell));
    QCOMPARE(QString::fromStdString(window_->main.Board().Text(angoli::kBoardOrder[index])),
             expected);
  }

  void pasting_data() {
    QTest::addColumn<QChar>("row");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("typedFirst");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");
    QTest::newRow("A2 keeps five") << QChar('A') << "A2" << "" << "5083333" << "50833";
    QTest::newRow("A1 after one typed") << QChar('A') << "A1" << "4" << "567" << "45";
    QTest::newRow("B3 full takes nothing") << QChar('B') << "B3" << "1234" << "9" << "1234";
    QTest::newRow("C4 letters") << QChar('C') << "C4" << "" << "abcd" << "abc";
    // Qt counts UTF-16 units: a character beyond the basic plane is dropped
    // whole, never split in two.
    QTest::newRow("A1 no half emoji") << QChar('A') << "A1" << "" << "1\U0001F600" << "1";
    QTest::newRow("B2 emoji fits") << QChar('B') << "B2" << "" << "\U0001F600" << "\U0001F600";
  }

  void pasting() {
    QFETCH(QChar, row);
    QFETCH(QString, cell);
    QFETCH(QString, typedFirst);
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);
    if (row != 'A') window_->choose(row);
    QGuiApplication::clipboard()->setText(clipboard);
    window_->click(cell);
    Type(typedFirst);
    Press(QKeySequence::Paste);
    QCOMPARE(window_->text(cell), expected);
  }

  void lockedCells_data() {
    QTest::addColumn<QChar>("row");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("expected");
    QTest::newRow("B1 in row A") << QChar('A') << "B1" << "12" << "12";
    QTest::newRow("B3 cut to four") << QChar('A') << "B3" << "12345" << "1234";
    QTest::newRow("C4 shorter") << QChar('A') << "C4" << "12" << "12";
    QTest::newRow("A2 cut to five") << QChar('B') << "A2" << "5083333" << "50833";
    QTest::newRow("C1 in row B") << QChar('B') << "C1" << "-5" << "-5";
    QTest::newRow("A1 in row C") << QChar('C') << "A1" << "99" << "99";
  }

  // A locked cell takes the program's writes and the focus, lets the user
  // select and copy, and refuses every change.
  void lockedCells() {
    QFETCH(QChar, row);
    QFETCH(QString, cell);
    QFETCH(QString, written);
    QFETCH(QString, expected);
    if (row != 'A') window_->choose(row);
    const auto which = angoli::kBoardOrder[gui::kCellNames.indexOf(cell)];
    window_->main.Board().SetText(which, written.toStdString());
    QCOMPARE(window_->text(cell), expected);

    window_->click(cell);
    QCOMPARE(FocusedName(), cell);
    Type("7");
    Press(Qt::Key_Backspace);
    QGuiApplication::clipboard()->setText("3");
    Press(QKeySequence::Paste);
    QCOMPARE(window_->text(cell), expected);

    Press(QKeySequence::SelectAll);
    QCOMPARE(window_->cell(cell)->selectedText(), expected);
    Press(QKeySequence::Copy);
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    Press(QKeySequence::Cut);
    QCOMPARE(window_->text(cell), expected);

    window_->main.Board().SetText(which, "");
    QCOMPARE(window_->text(cell), QString());
  }

  // Locked cells stay light yellow behind red text; the input row is black.
  void cellColoursOnScreen() {
    window_->fill('A', EntryFor('A'));
    window_->calcola();
    auto looks = [](QLineEdit* cell) {
      const QImage image = cell->grab().toImage();
      int red = 0, black = 0;
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
          const QColor c = image.pixelColor(x, y);
          if (c.red() > 200 && c.green() < 90 && c.blue() < 90) ++red;
          if (c.red() < 60 && c.green() < 60 && c.blue() < 60) ++black;
        }
      return std::tuple(image.pixelColor(4, image.height() / 2), red, black);
    };
    for (const QString& name : gui::kCellNames) {
      const auto [background, red, black] = looks(window_->cell(name));
      QCOMPARE(background, QColor(255, 255, 192));
      if (name.front() == 'A') {
        QVERIFY2(black > 10 && red == 0, qPrintable(name));
      } else {
        QVERIFY2(red > 10 && black == 0, qPrintable(name));
      }
    }
  }

  void calcolaRectangle_data() {
    QTest::addColumn<QChar>("row");
    QTest::newRow("row A") << QChar('A');
    QTest::newRow("row B") << QChar('B');
    QTest::newRow("row C") << QChar('C');
  }

  // A click on the shared rectangle, or Space on the focused button, reaches
  // only the input row's "Calcola"; the hidden two never take the focus.
  void calcolaRectangle() {
    QFETCH(QChar, row);
    if (row != 'A') window_->choose(row);
    const QString rows = QStringLiteral("ABC");
    std::vector<std::unique_ptr<QSignalSpy>> clicks;
    for (QChar r : rows)
      clicks.push_back(std::make_unique<QSignalSpy>(
          Find<QPushButton>(window_->main, QStringLiteral("Calc") + r), &QPushButton::clicked));
    auto counts = [&] {
      QList<int> result;
      for (const auto& spy : clicks) result << int(spy->count());
      return result;
    };
    auto only = [&](int n) {
      QList<int> result(3, 0);
      result[rows.indexOf(row)] = n;
      return result;
    };

    window_->fill(row, EntryFor(row));
    window_->calcola();
    QCOMPARE(counts(), only(1));
    QCOMPARE(FocusedName(), QStringLiteral("Calc") + row);  // the click's focus
    Press(Qt::Key_Space);
    QCOMPARE(counts(), only(2));
  }

  // Enter in a cell presses nothing: no button is a default button.
  void enterDoesNothing() {
    QSignalSpy calc(Find<QPushButton>(window_->main, "CalcA"), &QPushButton::clicked);
    Type("45");
    Press(Qt::Key_Return);
    Press(Qt::Key_Enter);
    QTest::qWait(20);
    QCOMPARE(calc.count(), 0);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(window_->texts(), QStringList({"45", "", "", "", "", "", "", "", ""}));
  }

  void tabOrder_data() {
    QTest::addColumn<QChar>("row");
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<QStringList>("expected");  // from the row's first cell round to it
    const QStringList a = {"A1", "A2", "B1", "B2", "B3", "C1", "C2", "C3", "C4",
                           "CalcA", "Command1", "Chiudi", "OptA", "A1"};
    const QStringList b = {"B1", "B2", "B3", "C1", "C2", "C3", "C4", "CalcB",
                           "Command1", "Chiudi", "A1", "A2", "OptB", "B1"};
    const QStringList c = {"C1", "C2", "C3", "C4", "CalcC", "Command1", "Chiudi",
                           "A1", "A2", "B1", "B2", "B3", "OptC", "C1"};
    auto reversed = [](QStringList list) {
      std::reverse(list.begin(), list.end());
      return list;
    };
    QTest::newRow("row A") << QChar('A') << false << a;
    QTest::newRow("row B") << QChar('B') << false << b;
    QTest::newRow("row C") << QChar('C') << false << c;
    QTest::newRow("row A backwards") << QChar('A') << true << reversed(a);
    QTest::newRow("row C backwards") << QChar('C') << true << reversed(c);
  }

  // Tab follows the tab-index order through cells (locked ones included) and
  // buttons; it skips the hidden "Calcola" buttons and the labels, and enters
  // the option buttons at the selected one.
  void tabOrder() {
    QFETCH(QChar, row);
    QFETCH(bool, backwards);
    QFETCH(QStringList, expected);
    if (row != 'A') window_->choose(row);
    QCOMPARE(FocusedName(), gui::CellsOf(row).front());
    QStringList visited = {FocusedName()};
    for (int i = 1; i < expected.size(); ++i) {
      Press(backwards ? Qt::Key_Backtab : Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
      visited << FocusedName();
    }
    QCOMPARE(visited, expected);
  }

  // A press on an option button released off it focuses the button without
  // selecting it; Tab must still enter the group at the selected one.
  void tabStopStaysOnTheSelectedOption() {
    QWidget& main = window_->main;
    const QWidget* optB = gui::Find(main, QStringLiteral("OptB"));
    const QWidget* legend = gui::Find(main, QStringLiteral("Label8"));
    QTest::mousePress(main.windowHandle(), Qt::LeftButton, {}, optB->mapTo(&main, optB->rect().center()));
    QTest::mouseRelease(main.windowHandle(), Qt::LeftButton, {}, legend->mapTo(&main, legend->rect().center()));
    QVERIFY(!qobject_cast<const QRadioButton*>(optB)->isChecked());
    window_->click(QStringLiteral("A1"));
    QStringList visited;
    for (int i = 0; i < 13; ++i) {
      Press(Qt::Key_Tab);
      visited << FocusedName();
    }
    QCOMPARE(visited, QStringList({"A2", "B1", "B2", "B3", "C1", "C2", "C3", "C4", "CalcA",
                                   "Command1", "Chiudi", "OptA", "A1"}));

    // The arrow keys still move the selection through the group.
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(FocusedName(), QStringLiteral("OptA"));
    Press(Qt::Key_Down);
    QVERIFY(qobject_cast<const QRadioButton*>(optB)->isChecked());
    QTRY_COMPARE(FocusedName(), QStringLiteral("B1"));
  }

  void labelsTakeNoFocus_data() {
    QTest::addColumn<QString>("label");
    for (const char* name : {"lbDecimali", "Label1", "Label3", "Label4", "Label6", "Label7",
                             "Label5", "Label2", "lbGradi", "Label8", "Label9"})
      QTest::newRow(name) << QString(name);
  }

  void labelsTakeNoFocus() {
    QFETCH(QString, label);
    window_->click(label);
    QCOMPARE(FocusedName(), QStringLiteral("A1"));
  }

  // Qt's own texts that the user meets are Italian: the cells' menu, after
  // the program's own three items.
  void italianContextMenu_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("unlocked") << "A1"
                              << QStringList{"Annulla", "Rifai", "Taglia", "Copia", "Incolla",
                                             "Elimina", "Seleziona tutto"};
    QTest::newRow("locked") << "B1" << QStringList{"Copia", "Seleziona tutto"};
  }

  void italianContextMenu() {
    QFETCH(QString, cell);
    QFETCH(QStringList, expected);
    std::unique_ptr<QMenu> menu = window_->main.CellMenu(angoli::kBoardOrder[gui::kCellNames.indexOf(cell)]);
    QStringList texts;
    for (QAction* action : menu->actions())
      if (!action->isSeparator()) texts << action->text().section('\t', 0, 0).remove('&');
    QCOMPARE(texts, QStringList({"Incolla angolo", "Copia angolo", "Converti elenco"}) + expected);
  }

  // "Incolla angolo" (Ctrl+Shift+V) with row B chosen and '7' typed in B1,
  // then "Copia angolo" (Ctrl+Shift+C) of the row of a clicked cell.
  void angleClipboard_data() {
    QTest::addColumn<QStringList>("step");  // pasted, focus after, cell clicked, copied ("": as pasted), [key (V), box title]
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<QStringList>("board");  // none: as before the paste
    const QStringList angle = {"45", "50833", "45", "30", "4998", "45", "30", "29", "988"};
    const QString none = "Negli appunti non c'è un angolo", wide = "L'angolo negli appunti non sta nelle celle";
    QTest::newRow("row A, copy B") << QStringList{"45,50833", "A1", "B3", "45° 30,4998′"} << QStringList() << angle;
    QTest::newRow("row B, copy C") << QStringList{"45° 30,4998′", "B1", "C1", "45° 30′ 29,988″"} << QStringList() << angle;
    QTest::newRow("row C, copy A") << QStringList{"45° 30′ 29,988″", "C1", "A1", "45,50833"} << QStringList() << angle;
    QTest::newRow("not an angle") << QStringList{"ciao", "B1", "", ""} << QStringList{none} << QStringList();
    QTest::newRow("too wide") << QStringList{"100°", "B1", "", ""} << QStringList{wide} << QStringList();
    QTest::newRow("empty row copied") << QStringList{"", "B1", "C2", ""}
                                      << QStringList{none, "La riga non contiene un angolo da copiare"} << QStringList();
    QTest::newRow("Converti elenco") << QStringList{"1\nx", "B1", "", "1\t1,0\t1° 0,0000′\t1° 0′ 0,000″\t\nx\t\t\t\tnon è un angolo\n", "E",
        "Conversione angoli"} << QStringList{"1 angolo su 2 convertito. La tabella è negli appunti."} << QStringList();
    QTest::newRow("no list converts") << QStringList{"x\n", "B1", "", "", "E"} << QStringList{"Negli appunti non c'è un elenco di angoli"} << QStringList();
    QTest::newRow("a list pasted") << QStringList{"1\n2", "B1", "", ""} << QStringList{"Negli appunti c'è più di una riga: per convertirle "
                                   "tutte usare \"Converti elenco\" (Ctrl+Maiusc+E)"} << QStringList();
  }

  void angleClipboard() {
    QFETCH(QStringList, step);
    QFETCH(QStringList, warnings);
    QFETCH(QStringList, board);
    window_->choose('B');
    Type("7");
    if (board.isEmpty()) board = window_->texts();
    // A box says what the clipboard holds already.
    gui::WarningCatcher catcher(window_->main, [&] { QCOMPARE(QGuiApplication::clipboard()->text(), step[3].isEmpty() ? step[0] : step[3]); });
    QGuiApplication::clipboard()->setText(step[0]);
    Press(QKeySequence("Ctrl+Shift+" + step.value(4, "V")));
    QCOMPARE(window_->texts(), board);
    QVERIFY(window_->Reactivate());  // as the window system does once a box has gone
    QCOMPARE(FocusedName(), step[1]);
    VerifyMode(step[1].front());
    if (!step[2].isEmpty()) {
      window_->click(step[2]);
      Press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
      QCOMPARE(QGuiApplication::clipboard()->text(), step[3].isEmpty() ? step[0] : step[3]);
    }
    QCOMPARE(catcher.count(), warnings.size());
    if (!warnings.isEmpty()) QCOMPARE(catcher.last().title + ": " + catcher.last().text, step.value(5, "ATTENZIONE") + ": " + warnings.back());
  }

 private:
  // The mode of the input row: own cells unlocked and black, the others
  // locked and red, only the own "Calcola" shown, only the own option chosen.
  void VerifyMode(QChar row) {
    for (const QString& name : gui::kCellNames) {
      QLineEdit* cell = window_->cell(name);
      const bool own = name.front() == row;
      QVERIFY2(cell->isReadOnly() != own, qPrintable(name));
      QCOMPARE(gui::TextColour(cell), own ? gui::kBlack : gui::kRed);
    }
    for (QChar r : {'A', 'B', 'C'}) {
      QCOMPARE(Find(window_->main, QStringLiteral("Calc") + r)->isHidden(), r != row);
      QCOMPARE(Find<QRadioButton>(window_->main, QStringLiteral("Opt") + r)->isChecked(),
               r == row);
    }
  }

  std::unique_ptr<gui::Window> window_;
};

ANGOLI_GUI_TEST_MAIN(BehaviourTest)
#include "behaviour_test.moc"
