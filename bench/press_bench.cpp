// One press of "Calcola" per row on the in-memory board (checks, conversion,
// writes), next to one std::from_chars + std::to_chars pair: the least any
// conversion of a number text can cost. Prints ns per press and the ratio.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "conversion/memory_board.h"
#include "validation/calcola.h"
#include "window/modes.h"

namespace {

using namespace angoli;

void BM_FromCharsToCharsPair(benchmark::State& state) {
  const std::string text = "45.50833";
  char out[32];
  for (auto _ : state) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    benchmark::DoNotOptimize(value);
    auto written = std::to_chars(out, out + sizeof out, value, std::chars_format::fixed, 4);
    benchmark::DoNotOptimize(written.ptr);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FromCharsToCharsPair);

void Press(benchmark::State& state, Row row, std::vector<std::string> texts) {
  MemoryBoard board;
  OnRowChosen(board, row);
  std::size_t i = 0;
  for (Cell cell : kBoardOrder) {
    if (RowOf(cell) == row) board.Type(cell, texts[i++]);
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(Calcola(board, row));
    benchmark::ClobberMemory();
  }
  if (!board.Messages().empty()) state.SkipWithError("the entry was refused");
}
BENCHMARK_CAPTURE(Press, RowA, Row::A, {"45", "50833"});
BENCHMARK_CAPTURE(Press, RowB, Row::B, {"45", "30", "5"});
BENCHMARK_CAPTURE(Press, RowC, Row::C, {"45", "30", "30", "0"});

// Keeps each run's time so the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) nanoseconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  void PrintRatios() const {
    const auto floor = nanoseconds_.find("BM_FromCharsToCharsPair");
    if (floor == nanoseconds_.end()) return;
    std::printf("\n%-16s %10s %14s   targets: < 1000 ns, <= 10x\n", "press", "ns", "x pair");
    for (const auto& [name, ns] : nanoseconds_) {
      if (name.rfind("Press/", 0) != 0) continue;
      std::printf("%-16s %10.1f %14.2f\n", name.c_str() + 6, ns, ns / floor->second);
    }
  }

 private:
  std::map<std::string, double> nanoseconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
