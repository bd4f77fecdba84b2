// Any bytes as a list of angles, fed to the splitter in pieces of sizes drawn
// from the first input byte, so that "\r\n" and byte-order marks fall across
// pieces. Every line gives one table line of five columns and no line end,
// whatever converts reads back as an angle in each row, and the pieces give
// the same table as the whole text at once.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "conversion/angle_text.h"
#include "list/angle_list.h"

namespace {

using namespace angoli;

void Require(bool condition) {
  if (!condition) std::abort();
}

// Whether a table line has the columns its result calls for and stays one line:
// ("45\t45\t45° 0′\t45° 0′ 0″\t", Converted) -> true.
bool IsWellFormed(std::string_view tableLine, LineKind kind) {
  std::size_t tabs = 0;
  for (char c : tableLine) {
    if (c == '\n' || c == '\r') return false;
    if (c == '\t') ++tabs;
  }
  return tabs == (kind == LineKind::Blank ? 0 : 4);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned pieceSeed = data[0];
  const bool decimalPoint = (pieceSeed & 0x80) != 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

  LineConverter converter;
  LineSplitter splitter;
  std::string table;
  std::size_t lines = 0;
  const auto onLine = [&](std::string_view line) {
    Require(line.size() <= kLongestLine + 1);
    ++lines;
    const LineResult& result = converter.Convert(line);
    const std::size_t start = table.size();
    AppendTableLine(table, line, result, decimalPoint);
    Require(IsWellFormed(std::string_view(table).substr(start), result.kind));
    table += '\n';
    if (result.kind != LineKind::Converted) return;
    for (const std::string& row : result.rows)
      Require(ReadAngle(row, kListWidths).reading == AngleReading::Angle);
  };
  // Piece sizes from a small generator the seed byte starts: 1 to 16 bytes.
  std::uint32_t state = pieceSeed * 2654435761u + 1;
  for (std::size_t pos = 0; pos < text.size();) {
    state = state * 1664525u + 1013904223u;
    const std::size_t piece = 1 + (state >> 24) % (1 + (pieceSeed & 0x0F));
    splitter.Feed(text.substr(pos, piece), onLine);
    pos += piece;
  }
  splitter.Finish(onLine);

  Require(lines == CountLines(text).lines);
  if (!decimalPoint) Require(table == ConvertList(text, "\n").table);
  return 0;
}
