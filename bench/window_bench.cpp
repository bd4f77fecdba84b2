// One click on the visible "Calcola" of the real window, on Qt's offscreen
// platform: from the mouse press until every result cell holds its new text
// and has been painted with it. Next to it, the button's click() alone, which
// leaves out the mouse events and the painting. Each row alternates between
// two entries whose results differ in every cell, so that no click finds its
// results already standing. Prints ns and us per click.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "window/qt/application.h"
#include "window/qt/main_window.h"

namespace {

using angoli::Row;

angoli::MainWindow* window = nullptr;

const std::array<const char*, 9> kCellNames = {"A1", "A2", "B1", "B2", "B3",
                                               "C1", "C2", "C3", "C4"};
const char kRowLetters[] = "ABC";

QLineEdit* CellNamed(const char* name) {
  return window->findChild<QLineEdit*>(QString::fromLatin1(name));
}

// A left click at the centre of a control, delivered to the window the way
// the window system delivers it: Qt itself finds the widget under the
// pointer, so only the visible "Calcola" can take it.
void ClickOn(const char* name) {
  const QWidget* control = window->findChild<QWidget*>(QString::fromLatin1(name));
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                    control->mapTo(window, control->rect().center()));
}

// Notes which of the cells it watches have been painted.
class PaintWatcher : public QObject {
 public:
  QSet<const QObject*> painted;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted.insert(watched);
    return QObject::eventFilter(watched, event);
  }
};

struct Entry {
  std::vector<QString> input;   // the input row's cells, left to right
  std::vector<QString> result;  // the other rows' cells, in board order, once known
};

class RowUnderTest {
 public:
  RowUnderTest(Row row, std::vector<QString> first, std::vector<QString> second)
      : letter_(kRowLetters[static_cast<int>(row)]) {
    for (const char* name : kCellNames)
      (name[0] == letter_ ? inputCells_ : resultCells_).push_back(CellNamed(name));
    entries_[0].input = std::move(first);
    entries_[1].input = std::move(second);
  }

  // Makes the row the input row with a click on its option button, and
  // learns what each entry gives. Returns an error, or nothing.
  std::string SetUp() {
    const std::string option = std::string("Opt") + letter_;
    ClickOn(option.c_str());
    // A warning would wait for its OK: close it, and give up.
    bool refused = false;
    QTimer boxCloser;
    QObject::connect(&boxCloser, &QTimer::timeout, &boxCloser, [&refused] {
      if (QWidget* box = QApplication::activeModalWidget()) {
        refused = true;
        box->close();
      }
    });
    boxCloser.start(10);
    for (Entry& entry : entries_) {
      Enter(entry);
      ClickOn("CalcA");  // the rectangle that the three buttons share
      entry.result = Results();
      if (refused) return "the entry was refused";
    }
    for (std::size_t i = 0; i < resultCells_.size(); ++i) {
      if (entries_[0].result[i] == entries_[1].result[i])
        return "both entries give " + entries_[0].result[i].toStdString() + " in " +
               resultCells_[i]->objectName().toStdString();
    }
    return {};
  }

  void Enter(const Entry& entry) {
    for (std::size_t i = 0; i < inputCells_.size(); ++i) inputCells_[i]->setText(entry.input[i]);
  }
  std::vector<QString> Results() const {
    std::vector<QString> texts;
    for (const QLineEdit* cell : resultCells_) texts.push_back(cell->text());
    return texts;
  }
  bool ResultsAre(const Entry& entry) const {
    for (std::size_t i = 0; i < resultCells_.size(); ++i)
      if (resultCells_[i]->text() != entry.result[i]) return false;
    return true;
  }
  const Entry& entry(std::size_t i) const { return entries_[i % 2]; }
  const std::vector<QLineEdit*>& resultCells() const { return resultCells_; }

 private:
  char letter_;
  std::vector<QLineEdit*> inputCells_;
  std::vector<QLineEdit*> resultCells_;
  std::array<Entry, 2> entries_;
};

RowUnderTest MakeRow(Row row) {
  switch (row) {
    case Row::A:
      return RowUnderTest(row, {"45", "50833"}, {"7", "12345"});
    case Row::B:
      return RowUnderTest(row, {"45", "30", "5"}, {"7", "12", "3456"});
    case Row::C:
      break;
  }
  return RowUnderTest(row, {"45", "30", "30", "0"}, {"7", "12", "34", "567"});
}

// How a press reaches "Calcola".
enum class Way {
  // A mouse click on the window, delivered as the window system delivers
  // it; the click ends once the result cells hold their new texts and have
  // been painted with them.
  MouseClick,
  // QPushButton::click() on the visible button: the press and its writes
  // alone, without the mouse events and without painting. For reference.
  ButtonClick,
};

void Press(benchmark::State& state, Row row, Way way) {
  RowUnderTest under = MakeRow(row);
  if (const std::string error = under.SetUp(); !error.empty()) {
    state.SkipWithError(error.c_str());
    return;
  }
  auto* calc = window->findChild<QPushButton*>(
      QStringLiteral("Calc") + QLatin1Char(kRowLetters[static_cast<int>(row)]));
  PaintWatcher paints;
  for (QLineEdit* cell : under.resultCells()) cell->installEventFilter(&paints);
  const qsizetype resultCells = static_cast<qsizetype>(under.resultCells().size());
  QElapsedTimer waiting;

  std::size_t i = 0;  // SetUp pressed for entry 1 last
  for (auto _ : state) {
    state.PauseTiming();
    const Entry& next = under.entry(i++);
    under.Enter(next);
    QCoreApplication::processEvents();
    paints.painted.clear();
    state.ResumeTiming();

    if (way == Way::ButtonClick) {
      calc->click();
    } else {
      // QTest runs the event loop once after the release, which paints.
      ClickOn("CalcA");  // the rectangle that the three buttons share
      waiting.start();
      while (paints.painted.size() < resultCells && waiting.elapsed() < 1000)
        QCoreApplication::processEvents();
      if (paints.painted.size() < resultCells) {
        state.SkipWithError("the result cells were not painted within a second");
        break;
      }
    }
    if (!under.ResultsAre(next)) {
      state.SkipWithError("a result cell does not hold its new text");
      break;
    }
  }
  for (QLineEdit* cell : under.resultCells()) cell->removeEventFilter(&paints);
}

// Keeps each run's time so that a short table in microseconds can follow.
class ClickReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (!run.error_occurred) nanoseconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  void PrintSummary() const {
    std::printf("\n%-28s %12s %10s   target for MouseClick: < 1000 us\n", "press of Calcola",
                "ns", "us");
    for (const auto& [name, ns] : nanoseconds_)
      std::printf("%-28s %12.0f %10.1f\n", name.c_str(), ns, ns / 1000.0);
  }

 private:
  std::map<std::string, double> nanoseconds_;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  benchmark::Initialize(&argc, argv);
  QApplication app(argc, argv);
  angoli::SetUpApplication(app);
  angoli::MainWindow tool;
  window = &tool;
  tool.show();
  // Its first activation makes row A the input row, as at the tool's start.
  tool.activateWindow();
  if (!QTest::qWaitForWindowActive(&tool)) {
    std::fprintf(stderr, "the window did not become active\n");
    return 1;
  }

  for (Row row : angoli::kRows) {
    const std::string letter(1, kRowLetters[static_cast<int>(row)]);
    benchmark::RegisterBenchmark(("MouseClick/Row" + letter).c_str(), Press, row,
                                 Way::MouseClick)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("ButtonClick/Row" + letter).c_str(), Press, row,
                                 Way::ButtonClick)
        ->UseRealTime();
  }
  ClickReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintSummary();
  benchmark::Shutdown();
  return 0;
}
