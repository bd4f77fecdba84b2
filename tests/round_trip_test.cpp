// Converting a result row back: from row A the angle comes back exactly; from
// rows B and C it comes back within one unit of the last digit of the coarser
// of the two rows. Each result row is pressed as a user would press it, so it
// must also pass every check.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "conversion/memory_board.h"
#include "validation/calcola.h"
#include "window/modes.h"

#ifndef ANGOLI_EXHAUSTIVE_STRIDE
#define ANGOLI_EXHAUSTIVE_STRIDE 1
#endif

namespace angoli {
namespace {

using Texts = std::array<std::string, 9>;
constexpr long long kStride = ANGOLI_EXHAUSTIVE_STRIDE;

// Units of the last digit of each row, in thousandths of a second of arc.
constexpr long long kUnitA = 36;  // 0.00001°
constexpr long long kUnitB = 6;   // 0.0001'
constexpr long long kUnitC = 1;   // 0.001"
constexpr long long kDegree = 3600000;

long long DigitsValue(const std::string& digits, std::size_t width) {
  long long value = 0;
  for (std::size_t i = 0; i < width; ++i) {
    value = value * 10 + (i < digits.size() ? digits[i] - '0' : 0);
  }
  return value;
}

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
      magnitude = DigitsValue(at(Cell::A2), 5) * kUnitA;
      break;
    case Row::B:
      degrees = at(Cell::B1);
      magnitude = WholeValue(at(Cell::B2)) * 60000 + DigitsValue(at(Cell::B3), 4) * kUnitB;
      break;
    case Row::C:
      degrees = at(Cell::C1);
      magnitude = WholeValue(at(Cell::C2)) * 60000 + WholeValue(at(Cell::C3)) * 1000 +
                  DigitsValue(at(Cell::C4), 3) * kUnitC;
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

std::string Describe(const Texts& t, Row row) {
  std::string text = std::string("row ") + "ABC"[IndexOf(row)];
  for (Cell cell : kBoardOrder) {
    if (RowOf(cell) == row) text += " '" + t[IndexOf(cell)] + "'";
  }
  return text;
}

// Every digit string of 1 to `width` characters, in order of length then value.
std::vector<std::string> DigitTexts(std::size_t width) {
  std::vector<std::string> texts;
  long long count = 10;
  for (std::size_t length = 1; length <= width; ++length, count *= 10) {
    for (long long v = 0; v < count; ++v) {
      std::string s = std::to_string(v);
      texts.push_back(std::string(length - s.size(), '0') + s);
    }
  }
  return texts;
}

std::vector<std::string> WholeTexts() {  // '0'…'59', '00'…'09'
  std::vector<std::string> texts;
  for (int v = 0; v < 60; ++v) texts.push_back(std::to_string(v));
  for (int v = 0; v < 10; ++v) texts.push_back("0" + std::to_string(v));
  return texts;
}

const std::vector<std::string> kDegrees = {"0", "-0", "5", "-5", "07", "45", "99", "-9"};

// Converts `input` from `from`, then each result row back, and checks the
// angle each gives back for `from` against `tolerance` (in thousandths of a
// second; 0: exact). Returns false after reporting a failure.
bool CheckRoundTrip(const Texts& input, Row from, const std::array<long long, 3>& tolerance) {
  bool passed = false;
  const Texts results = Press(input, from, passed);
  if (!passed) {
    ADD_FAILURE() << Describe(input, from) << " was refused";
    return false;
  }
  for (Row via : kRows) {
    if (via == from) continue;
    const Texts back = Press(results, via, passed);
    const long long error = std::llabs(AngleOf(back, from) - AngleOf(input, from));
    const bool degreesKept = back[IndexOf(FirstCell(from))] == input[IndexOf(FirstCell(from))];
    if (!passed || error > tolerance[IndexOf(via)] || (tolerance[IndexOf(via)] == 0 && !degreesKept)) {
      ADD_FAILURE() << Describe(input, from) << " -> " << Describe(results, via) << " -> "
                    << Describe(back, from) << (passed ? "" : " (refused)") << ", off by "
                    << error << " thousandths of a second";
      return false;
    }
  }
  return true;
}

TEST(RoundTrip, FromRowAComesBackExactly) {
  const std::vector<std::string> digits = DigitTexts(5);
  long long checked = 0;
  for (std::size_t i = 0; i < digits.size() * kDegrees.size(); i += kStride) {
    Texts input;
    input[IndexOf(Cell::A1)] = kDegrees[i % kDegrees.size()];
    input[IndexOf(Cell::A2)] = digits[i / kDegrees.size()];
    ASSERT_TRUE(CheckRoundTrip(input, Row::A, {0, 0, 0}));
    ++checked;
  }
  std::printf("row A: %lld entries\n", checked);
}

// Back through row A the coarser row is A; between rows B and C it is row B.
TEST(RoundTrip, FromRowBComesBackWithinTheCoarserRow) {
  const std::vector<std::string> digits = DigitTexts(4);
  const std::vector<std::string> wholes = WholeTexts();
  long long checked = 0;
  for (std::size_t i = 0; i < wholes.size() * digits.size(); i += kStride) {
    Texts input;
    input[IndexOf(Cell::B1)] = kDegrees[i % kDegrees.size()];
    input[IndexOf(Cell::B2)] = wholes[i % wholes.size()];
    input[IndexOf(Cell::B3)] = digits[i / wholes.size()];
    ASSERT_TRUE(CheckRoundTrip(input, Row::B, {kUnitA - 1, 0, kUnitB - 1}));
    ++checked;
  }
  std::printf("row B: %lld entries\n", checked);
}

TEST(RoundTrip, FromRowCComesBackWithinTheCoarserRow) {
  // Every seventh entry of the grid: minutes and seconds vary fastest.
  const std::vector<std::string> digits = DigitTexts(3);
  const std::vector<std::string> wholes = WholeTexts();
  const std::size_t count = wholes.size() * wholes.size() * digits.size();
  long long checked = 0;
  for (std::size_t i = 0; i < count; i += 7 * kStride) {
    Texts input;
    input[IndexOf(Cell::C1)] = kDegrees[i % kDegrees.size()];
    input[IndexOf(Cell::C2)] = wholes[i % wholes.size()];
    input[IndexOf(Cell::C3)] = wholes[(i / wholes.size()) % wholes.size()];
    input[IndexOf(Cell::C4)] = digits[i / (wholes.size() * wholes.size())];
    ASSERT_TRUE(CheckRoundTrip(input, Row::C, {kUnitA - 1, kUnitB - 1, 0}));
    ++checked;
  }
  std::printf("row C: %lld entries\n", checked);
}

}  // namespace
}  // namespace angoli
