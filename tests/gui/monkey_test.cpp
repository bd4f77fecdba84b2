// A monkey at the real window: thousands of random clicks, keystrokes and
// pastes drawn from one seed, and after every one of them the window checked
// for what no input may break. The run is bounded by its number of steps, so
// it does the same on a slow machine as on a fast one.
//
// ANGOLI_MONKEY_SEED and ANGOLI_MONKEY_STEPS change the run. A failure names
// the seed, the step and its action, and the actions that led there: the same
// seed repeats the same run.

#include <QClipboard>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <map>

#include "gui_support.h"
#include "validation/calcola.h"

namespace {

constexpr std::uint64_t kDefaultSeed = 1969;
constexpr int kDefaultSteps = 4000;

const QString kRows = QStringLiteral("ABC");

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
  bool ok = false;
  const std::uint64_t value = qEnvironmentVariable(name).toULongLong(&ok, 0);
  return ok ? value : fallback;
}

// What a user can type. Digits most, as a user does; then what turns an entry
// wrong: sign and comma out of place, the decimal point, letters, blanks, and
// characters beyond ASCII, digits of other scripts among them.
const QString kDigits = QStringLiteral("0123456789");
const QString kLetters = QStringLiteral("abcdefxyzADEMS.+'\"");
const QString kForeign = QString::fromUtf8("àèéìòù°ß€ñ½′٣５");
// Only a paste brings a character beyond the basic plane: a key gives one
// UTF-16 unit at a time.
const QStringList kAstral = {QString::fromUtf8("𝟓"), QString::fromUtf8("😀")};

class Monkey {
 public:
  explicit Monkey(std::uint64_t seed) : random_(seed) {}

  int Below(int n) { return static_cast<int>(random_() % static_cast<std::uint64_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  QChar Of(const QString& set) { return set[Below(static_cast<int>(set.size()))]; }

  QChar Character() {
    const int kind = Below(100);
    if (kind < 70) return Of(kDigits);
    if (kind < 74) return '-';
    if (kind < 78) return ',';
    if (kind < 86) return Of(kLetters);
    if (kind < 93) return ' ';
    return Of(kForeign);
  }

  // A clipboard text: often something like a number, else any mix.
  QString PasteText() {
    QString text;
    if (Chance(40)) {
      if (Chance(20)) text += '-';
      for (int n = 1 + Below(6); n > 0; --n) text += Of(kDigits);
      if (Chance(30)) text.insert(1 + Below(static_cast<int>(text.size())), ',');
      return text;
    }
    for (int n = Below(9); n > 0; --n) {
      if (Chance(8))
        text += kAstral[Below(static_cast<int>(kAstral.size()))];
      else
        text += Character();
    }
    return text;
  }

 private:
  std::mt19937_64 random_;
};

// "'5'", "' '", "'é'": a character as a failure report shows it.
QString Quoted(const QString& text) { return '\'' + text + '\''; }

bool IsDigitsCell(const QString& name) {
  return name == QLatin1String("A2") || name == QLatin1String("B3") ||
         name == QLatin1String("C4");
}

std::size_t MaxLength(int cellIndex) {
  return angoli::MaxLength(angoli::kBoardOrder[static_cast<std::size_t>(cellIndex)]);
}

}  // namespace

class MonkeyTest : public QObject {
  Q_OBJECT

 private slots:
  // Every warning box makes the offscreen platform say that it cannot pass
  // on size hints; only that line is dropped.
  void initTestCase() {
    previousHandler_ = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
          if (message == QLatin1String("This plugin does not support propagateSizeHints()"))
            return;
          previousHandler_(type, context, message);
        });
  }
  void cleanupTestCase() {
    qInstallMessageHandler(previousHandler_);
    QGuiApplication::clipboard()->clear();
  }

  void randomSession() {
    const std::uint64_t seed = FromEnvironment("ANGOLI_MONKEY_SEED", kDefaultSeed);
    const int steps = static_cast<int>(FromEnvironment("ANGOLI_MONKEY_STEPS", kDefaultSteps));
    // Printed before the run too, so that even a crash leaves the seed behind.
    qInfo("monkey: seed %llu, %d steps (ANGOLI_MONKEY_SEED, ANGOLI_MONKEY_STEPS)",
          static_cast<unsigned long long>(seed), steps);

    for (const angoli::CheckStep& step : angoli::kCheckSteps) {
      const QString message =
          QString::fromUtf8(step.message.data(), qsizetype(step.message.size()));
      warnings_[message] += kRows[int(angoli::IndexOf(step.row))];
    }
    QCOMPARE(warnings_.size(), std::size_t{8});

    window_ = std::make_unique<gui::Window>();
    QVERIFY(window_->Start());
    ListenToButtons();
    gui::WarningCatcher catcher(window_->main);
    Monkey monkey(seed);

    QElapsedTimer clock;
    clock.start();
    for (int step = 1; step <= steps; ++step) {
      const QStringList before = window_->texts();
      const int boxesBefore = catcher.count();
      calcClicks_.clear();
      resets_ = 0;
      rowAtStepStart_ = row_;

      const QString action = Act(monkey);
      // Lets the window repaint and take back the activation that a closed
      // box hands it, as the event loop of the tool would.
      QCoreApplication::processEvents();
      QString fault;
      if (!window_->main.isActiveWindow() && !window_->Reactivate())
        fault = QStringLiteral("the window is no longer active");
      if (fault.isEmpty()) fault = CheckMode();
      if (fault.isEmpty())
        fault = CheckStep(action, before, catcher.count() - boxesBefore, catcher.last());
      if (!fault.isEmpty()) return Fail(seed, step, action, fault);
      recent_.push_back(action);
      if (recent_.size() > 12) recent_.pop_front();
    }

    qInfo("monkey: %d steps in %lld ms: %d presses, %d conversions (rows A %d, B %d, C %d), "
          "%d warnings, %d changes of row, %d resets",
          steps, static_cast<long long>(clock.elapsed()), presses_, conversions_,
          conversionsOf_[0], conversionsOf_[1], conversionsOf_[2], catcher.count(), rowChanges_,
          resetCount_);
    // A run that never converted, or never warned, would have checked little.
    QVERIFY2(conversions_ > 0 && catcher.count() > 0,
             qPrintable(QStringLiteral("seed %1: %2 conversions, %3 warnings")
                            .arg(seed)
                            .arg(conversions_)
                            .arg(catcher.count())));
  }

 private:
  // Counts the clicks of the three "Calcola" and of "Reset", however they
  // come: a mouse click or a blank typed on the focused button.
  void ListenToButtons() {
    for (QChar row : kRows) {
      auto* calc = gui::Find<QPushButton>(window_->main, QStringLiteral("Calc") + row);
      connect(calc, &QPushButton::clicked, this, [this, row] { calcClicks_ << row; });
    }
    connect(gui::Find<QPushButton>(window_->main, QStringLiteral("Command1")),
            &QPushButton::clicked, this, [this] { ++resets_; });
  }

  // One random action of the user; returns what it was.
  QString Act(Monkey& monkey) {
    const int kind = monkey.Below(100);
    if (kind < 3) {
      const QChar row = kRows[monkey.Below(3)];
      window_->choose(row);
      chosen_ = row;
      return QStringLiteral("click Opt") + row;
    }
    if (kind < 21) {
      // Mostly the input row's cells, where typing does something.
      const QStringList cells = monkey.Chance(70) ? gui::CellsOf(row_) : gui::kCellNames;
      const QString cell = cells[monkey.Below(static_cast<int>(cells.size()))];
      window_->click(cell);
      return QStringLiteral("click ") + cell;
    }
    if (kind < 32) {
      window_->calcola();
      return QStringLiteral("click Calcola");
    }
    if (kind < 34) {
      window_->click(QStringLiteral("Command1"));
      return QStringLiteral("click Reset");
    }
    const QString focus = gui::FocusedName();
    if (kind < 72) {
      QChar c = monkey.Character();
      // A blank on the focused "Chiudi" would end the tool.
      while (c == ' ' && focus == QLatin1String("Chiudi")) c = monkey.Character();
      gui::Type(QString(c));
      return QStringLiteral("type %1 on %2").arg(Quoted(c), focus);
    }
    if (kind < 80) {
      gui::Press(Qt::Key_Backspace);
      return QStringLiteral("Backspace on ") + focus;
    }
    if (kind < 84) {
      gui::Press(QKeySequence::SelectAll);
      return QStringLiteral("Ctrl+A on ") + focus;
    }
    if (kind < 89) {
      gui::Press(Qt::Key_Tab);
      return QStringLiteral("Tab from ") + focus;
    }
    if (kind < 91) {
      gui::Press(Qt::Key_Backtab, Qt::ShiftModifier);
      return QStringLiteral("Shift+Tab from ") + focus;
    }
    const QString text = monkey.PasteText();
    QGuiApplication::clipboard()->setText(text);
    gui::Press(QKeySequence::Paste);
    return QStringLiteral("paste %1 on %2").arg(Quoted(text), focus);
  }

  // One input row, shown the same way by every widget, and every cell within
  // its length. Follows a change of row.
  QString CheckMode() {
    QString visible, checked;
    for (QChar row : kRows) {
      if (gui::Find(window_->main, QStringLiteral("Calc") + row)->isVisible()) visible += row;
      if (gui::Find<QRadioButton>(window_->main, QStringLiteral("Opt") + row)->isChecked())
        checked += row;
    }
    if (visible.size() != 1) return QStringLiteral("visible Calcola of rows '%1'").arg(visible);
    if (checked != visible)
      return QStringLiteral("option buttons of rows '%1' checked, Calcola of row %2 visible")
          .arg(checked, visible);
    const QChar row = visible.front();
    if (row != chosen_)
      return QStringLiteral("the input row is %1, the user chose %2").arg(row).arg(chosen_);
    if (row != row_) {
      ++rowChanges_;
      row_ = row;
    }

    for (int i = 0; i < gui::kCellNames.size(); ++i) {
      const QString& name = gui::kCellNames[i];
      const QLineEdit* cell = window_->cell(name);
      const bool own = name.front() == row;
      if (cell->isReadOnly() == own)
        return QStringLiteral("%1 is %2").arg(name, own ? "locked" : "open to typing");
      if (gui::TextColour(cell) != (own ? gui::kBlack : gui::kRed))
        return QStringLiteral("%1 is written in %2").arg(name, gui::TextColour(cell).name());
      const QString text = cell->text();
      if (!text.isValidUtf16())
        return QStringLiteral("%1 holds half a character: %2").arg(name, Quoted(text));
      if (std::size_t(text.toUcs4().size()) > MaxLength(i))
        return QStringLiteral("%1 holds %2, more than %3 characters")
            .arg(name, Quoted(text))
            .arg(MaxLength(i));
    }
    return {};
  }

  // What the step may have changed, given what it did.
  QString CheckStep(const QString& action, const QStringList& before, int boxes,
                    const gui::Warning& box) {
    const QStringList after = window_->texts();
    if (calcClicks_.size() > 1)
      return QStringLiteral("one action clicked Calcola %1 times").arg(calcClicks_.size());
    if (action == QLatin1String("click Calcola") && calcClicks_.isEmpty())
      return QStringLiteral("the click on Calcola reached no button");
    if (!calcClicks_.isEmpty()) return CheckPress(before, after, boxes, box);

    if (boxes != 0) return QStringLiteral("a box appeared without a press: ") + box.text;
    if (resets_ > 0 || row_ != rowAtStepStart_) {
      if (after != QStringList(9, QString()))
        return QStringLiteral("cells left after emptying: ") + after.join('|');
      resetCount_ += resets_;
      return {};
    }
    // Typing, pasting and moving about change nothing outside the input row.
    for (int i = 0; i < after.size(); ++i) {
      if (gui::kCellNames[i].front() != row_ && after[i] != before[i])
        return QStringLiteral("locked %1 changed from %2 to %3")
            .arg(gui::kCellNames[i], Quoted(before[i]), Quoted(after[i]));
    }
    return {};
  }

  // A press warns once and empties at most the cell it names, or it converts
  // and leaves the entry as it was, with full digits cells in the other rows.
  QString CheckPress(const QStringList& before, const QStringList& after, int boxes,
                     const gui::Warning& box) {
    ++presses_;
    if (calcClicks_.front() != row_)
      return QStringLiteral("Calcola of row %1 pressed in row %2")
          .arg(calcClicks_.front())
          .arg(row_);
    if (boxes > 1) return QStringLiteral("%1 boxes for one press").arg(boxes);
    if (boxes == 1) {
      if (box.title != QLatin1String("ATTENZIONE") || !warnings_.count(box.text))
        return QStringLiteral("box \"%1\": \"%2\"").arg(box.title, box.text);
      if (!warnings_[box.text].contains(row_))
        return QStringLiteral("row %1 warned \"%2\"").arg(row_).arg(box.text);
      // The cell to correct, or the button when a number is out of range.
      const QString focus = window_->focusName();
      if (!gui::CellsOf(row_).contains(focus) && focus != QLatin1String("Calc") + row_)
        return QStringLiteral("after the warning the focus is on %1").arg(focus);
      QStringList changed;
      for (int i = 0; i < after.size(); ++i)
        if (after[i] != before[i]) changed << gui::kCellNames[i];
      if (changed.size() > 1) return QStringLiteral("a warning changed ") + changed.join(',');
      if (!changed.isEmpty()) {
        const QString& name = changed.front();
        if (!window_->text(name).isEmpty() || name.front() != row_)
          return QStringLiteral("a warning wrote %1 into %2")
              .arg(Quoted(window_->text(name)), name);
        if (window_->focusName() != name)
          return QStringLiteral("the focus is on %1, not on the emptied %2")
              .arg(window_->focusName(), name);
      }
      return {};
    }

    ++conversions_;
    ++conversionsOf_[kRows.indexOf(row_)];
    for (int i = 0; i < after.size(); ++i) {
      const QString& name = gui::kCellNames[i];
      if (name.front() == row_) {
        if (after[i] != before[i])
          return QStringLiteral("the conversion changed the entry %1 from %2 to %3")
              .arg(name, Quoted(before[i]), Quoted(after[i]));
      } else if (IsDigitsCell(name)) {
        const QString& digits = after[i];
        const bool plain = std::all_of(digits.begin(), digits.end(),
                                       [](QChar c) { return c >= '0' && c <= '9'; });
        if (!plain || std::size_t(digits.size()) != MaxLength(i))
          return QStringLiteral("the conversion wrote %1 into %2").arg(Quoted(digits), name);
      }
    }
    return {};
  }

  void Fail(std::uint64_t seed, int step, const QString& action, const QString& fault) {
    const QString report =
        QStringLiteral(
            "seed %1 (ANGOLI_MONKEY_SEED=%1 repeats the run), step %2, action \"%3\": %4\n"
            "  cells: %5\n  the actions before: %6")
            .arg(seed)
            .arg(step)
            .arg(action, fault, window_->texts().join('|'),
                 QStringList(recent_.begin(), recent_.end()).join(" / "));
    QTest::qFail(qPrintable(report), __FILE__, __LINE__);
  }

  static inline QtMessageHandler previousHandler_ = nullptr;
  std::unique_ptr<gui::Window> window_;
  std::map<QString, QString> warnings_;  // each warning, and the rows that give it
  std::deque<QString> recent_;
  QChar chosen_ = 'A';  // the row of the option button last clicked
  QChar row_ = 'A';     // the input row the widgets showed after the last step
  QChar rowAtStepStart_ = 'A';  // the input row before the current step
  QList<QChar> calcClicks_;
  int resets_ = 0;
  int presses_ = 0;
  int conversions_ = 0;
  int conversionsOf_[3] = {};
  int rowChanges_ = 0;
  int resetCount_ = 0;
};

ANGOLI_GUI_TEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
