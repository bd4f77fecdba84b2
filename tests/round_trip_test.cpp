// Converting a result row back: from row A the angle comes back exactly; from
// rows B and C it comes back within one unit of the last digit of the coarser
// of the two rows. Each result row is pressed as a user would press it, so it
// must also pass every check. Each row shown also survives "Copia angolo"
// then "Incolla angolo": its text reads back into the very same cells; and a
// sample of them, as a line of a list, converts as pasted into the window.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "conversion/angle_text.h"
#include "conversion/memory_board.h"
#include "list/angle_list.h"
#include "tests/grid_texts.h"
#include "validation/calcola.h"
#include "window/modes.h"

namespace angoli {
namespace {

// Units of the last digit of each row, in thousandths of a second of arc.
constexpr long long kUnitA = 36;  // 0.00001°
constexpr long long kUnitB = 6;   // 0.0001'
constexpr long long kUnitC = 1;   // 0.001"
constexpr long long kDegree = 3600000;

long long WholeValue(const std::string& text) {
  return std::labs(std::stol(text));  // texts written by the tool, or typed by the test
}

// The exact angle a row shows, in thousandths of a second, signed by its degrees text.
long long AngleOf(const Texts& t, Row row) {
  auto at = [&](Cell c) -> const std::string& { return t[IndexOf(c)]; };
  long long magnitude = 0;
  std::string degrees;
  switch (row) {
    case Row::A:
      degrees = at(Cell::A1);
      magnitude = FromComma(at(Cell::A2), 5) * kUnitA;
      break;
    case Row::B:
      degrees = at(Cell::B1);
      magnitude = WholeValue(at(Cell::B2)) * 60000 + FromComma(at(Cell::B3), 4) * kUnitB;
      break;
    case Row::C:
      degrees = at(Cell::C1);
      magnitude = WholeValue(at(Cell::C2)) * 60000 + WholeValue(at(Cell::C3)) * 1000 +
                  FromComma(at(Cell::C4), 3) * kUnitC;
      break;
  }
  magnitude += WholeValue(degrees) * kDegree;
  return degrees[0] == '-' ? -magnitude : magnitude;
}

// The board after typing `row`'s texts from `source` and pressing "Calcola".
Texts Press(const Texts& source, Row row, bool& passed) {
  MemoryBoard board;
  OnRowChosen(board, row);
  for (Cell cell : kBoardOrder) {
    if (RowOf(cell) == row) board.Type(cell, source[IndexOf(cell)]);
  }
  passed = Calcola(board, row) && board.Messages().empty();
  return board.Texts();
}

// Whether a text converts as a line of a list exactly as pasted into the
// window and copied row by row, wherever the window's cells hold the results.
bool ConvertsAsTheWindow(const std::string& text) {
  static LineConverter converter;
  const LineResult& line = converter.Convert(text);
  MemoryBoard board;
  const bool pasted = PasteAngle(board, text).converted;
  bool fits = line.kind == LineKind::Converted;
  for (const std::string& row : line.rows) fits = fits && ReadAngle(row).reading == AngleReading::Angle;
  if (!fits) return !pasted || line.kind == LineKind::Converted;
  for (Row row : kRows) {
    if (line.rows[IndexOf(row)] != CopyAngle(board, row).value_or("-")) {
      ADD_FAILURE() << "'" << text << "' as a line gives '" << line.rows[IndexOf(row)] << "', pasted '"
                    << CopyAngle(board, row).value_or("-") << "'";
      return false;
    }
  }
  return true;
}

// Converts `input` from `from`, then each result row back, and checks the
// angle each gives back for `from` against `tolerance` (in thousandths of a
// second; 0: exact). Returns false after reporting a failure.
bool CheckRoundTrip(const Texts& input, Row from, const std::array<long long, 3>& tolerance) {
  bool passed = false;
  const Texts results = Press(input, from, passed);
  if (!passed) {
    ADD_FAILURE() << RowText(input, from) << " was refused";
    return false;
  }
  for (Row via : kRows) {
    std::vector<std::string> cells;  // a text read back as a row of the same width is the same row
    for (Cell cell : CellsOf(via)) cells.push_back(results[IndexOf(cell)]);
    if (ReadAngle(WriteAngle(via, cells)).texts != cells) {
      ADD_FAILURE() << RowText(results, via) << " copied as '" << WriteAngle(via, cells) << "' pastes back otherwise";
      return false;
    }
    static long long sampled = 0;
    if (sampled++ % 29 == 0 && !ConvertsAsTheWindow(WriteAngle(via, cells))) return false;
    if (via == from) continue;
    const Texts back = Press(results, via, passed);
    const long long error = std::llabs(AngleOf(back, from) - AngleOf(input, from));
    const bool degreesKept = back[IndexOf(FirstCell(from))] == input[IndexOf(FirstCell(from))];
    if (!passed || error > tolerance[IndexOf(via)] || (tolerance[IndexOf(via)] == 0 && !degreesKept)) {
      ADD_FAILURE() << RowText(input, from) << " -> " << RowText(results, via) << " -> "
                    << RowText(back, from) << (passed ? "" : " (refused)") << ", off by "
                    << error << " thousandths of a second";
      return false;
    }
  }
  return true;
}

TEST(RoundTrip, FromRowAComesBackExactly) {
  const std::vector<std::string> digits = DigitTexts(5);
  long long checked = 0;
  for (std::size_t i = 0; i < digits.size() * kDegreeTexts.size(); i += kStride) {
    const Texts input =
        RowTexts(Row::A, {kDegreeTexts[i % kDegreeTexts.size()], digits[i / kDegreeTexts.size()]});
    ASSERT_TRUE(CheckRoundTrip(input, Row::A, {0, 0, 0}));
    ++checked;
  }
  std::printf("row A: %lld entries\n", checked);
}

// Back through row A the coarser row is A; between rows B and C it is row B.
TEST(RoundTrip, FromRowBComesBackWithinTheCoarserRow) {
  const std::vector<std::string> digits = DigitTexts(4);
  const std::vector<std::string> wholes = SixtyTexts();
  long long checked = 0;
  for (std::size_t i = 0; i < wholes.size() * digits.size(); i += kStride) {
    const Texts input = RowTexts(Row::B, {kDegreeTexts[i % kDegreeTexts.size()],
                                          wholes[i % wholes.size()], digits[i / wholes.size()]});
    ASSERT_TRUE(CheckRoundTrip(input, Row::B, {kUnitA - 1, 0, kUnitB - 1}));
    ++checked;
  }
  std::printf("row B: %lld entries\n", checked);
}

TEST(RoundTrip, FromRowCComesBackWithinTheCoarserRow) {
  // Every seventh entry of the grid: minutes and seconds vary fastest.
  const std::vector<std::string> digits = DigitTexts(3);
  const std::vector<std::string> wholes = SixtyTexts();
  const std::size_t count = wholes.size() * wholes.size() * digits.size();
  long long checked = 0;
  for (std::size_t i = 0; i < count; i += 7 * kStride) {
    const Texts input = RowTexts(Row::C, {kDegreeTexts[i % kDegreeTexts.size()],
                                          wholes[i % wholes.size()],
                                          wholes[(i / wholes.size()) % wholes.size()],
                                          digits[i / (wholes.size() * wholes.size())]});
    ASSERT_TRUE(CheckRoundTrip(input, Row::C, {kUnitA - 1, kUnitB - 1, 0}));
    ++checked;
  }
  std::printf("row C: %lld entries\n", checked);
}

}  // namespace
}  // namespace angoli
