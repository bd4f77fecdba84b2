// Lists of angles through the core, without the program around it: one line
// converted and its table line written, over a mix of notations, signs,
// hemisphere letters, wide degrees and refusals; and the same lines as one
// text through the splitter. Prints lines per second.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "list/angle_list.h"

namespace {

using namespace angoli;

// The notations bench/make_angle_list.py writes, in about its mix.
constexpr std::string_view kLines[] = {
    "45,50833",          "-12.345678",        "9",                 "275,5",
    "45° 30,4998′",      "S 12° 30,25′",      "120 15.5",          "− 3° 51′",
    "45° 30′ 29,988″",   "45°30'30.5\"",      "45:30:30",          "45d 30m 15s",
    "N 45° 30′ 15″",     "9° 11′ 24″ E",      "14° 1′ 19.3414″ O", "-144° 5′ 17.81741″",
    "359° 59′ 59,9996″", "-179.99999",        "0,00001",           "86 27,873806",
    "ciao",              "45° 75′",           "45.4642, 9.1900",   "",
};

void BM_ConvertLine(benchmark::State& state) {
  LineConverter converter;
  std::string table;
  std::size_t i = 0;
  for (auto _ : state) {
    const std::string_view line = kLines[i];
    i = (i + 1) % std::size(kLines);
    AppendTableLine(table, line, converter.Convert(line));
    table += '\n';
    if (table.size() > (1u << 16)) table.clear();  // a program writes its table out as it goes
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_ConvertLine);

void BM_ConvertListText(benchmark::State& state) {
  std::string text;
  for (int copies = 0; copies < 40; ++copies)
    for (std::string_view line : kLines) (text += line) += '\n';
  for (auto _ : state) benchmark::DoNotOptimize(ConvertList(text, "\n"));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * 40 * std::size(kLines)));
}
BENCHMARK(BM_ConvertListText);

}  // namespace

BENCHMARK_MAIN();
