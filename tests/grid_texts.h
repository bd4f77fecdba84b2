#pragma once
// The entries the grid tests walk through, and the texts of a row as a
// failure message shows them.

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/cell_board.h"

#ifndef ANGOLI_EXHAUSTIVE_STRIDE
#define ANGOLI_EXHAUSTIVE_STRIDE 1
#endif

namespace angoli {

// The grids check every kStride-th entry; a sanitizer build, slower, thins them.
inline constexpr long long kStride = ANGOLI_EXHAUSTIVE_STRIDE;
static_assert(kStride >= 1, "ANGOLI_EXHAUSTIVE_STRIDE must be at least 1");

// All nine texts in board order.
using Texts = std::array<std::string, 9>;

// Degrees the grids are walked with: both signs of zero, a leading zero, the widest.
inline const std::vector<std::string> kDegreeTexts = {"0", "-0", "5", "-5", "07", "45", "99", "-9"};

// Padded(7, 3) -> "007"; Padded(45, 2) -> "45"
inline std::string Padded(long long value, std::size_t width) {
  const std::string digits = std::to_string(value);
  return std::string(width - digits.size(), '0') + digits;
}

// Every digits text of 1 to maxLength characters, shorter ones first:
// DigitTexts(2) -> "0" … "9", "00" … "99".
inline std::vector<std::string> DigitTexts(std::size_t maxLength) {
  std::vector<std::string> texts;
  long long count = 10;
  for (std::size_t length = 1; length <= maxLength; ++length, count *= 10) {
    for (long long v = 0; v < count; ++v) texts.push_back(Padded(v, length));
  }
  return texts;
}

// Whole minutes or seconds as a user may type them: '0' … '59', then '00' … '09'.
inline std::vector<std::string> SixtyTexts() {
  std::vector<std::string> texts;
  for (int v = 0; v < 60; ++v) texts.push_back(std::to_string(v));
  for (int v = 0; v < 10; ++v) texts.push_back(Padded(v, 2));
  return texts;
}

// A digits text counts from the comma, so its value in units of the cell's
// last digit depends on its length: FromComma("5", 4) -> 5000; FromComma("05", 4) -> 500.
inline long long FromComma(std::string_view digits, std::size_t width) {
  long long value = 0;
  for (std::size_t i = 0; i < width; ++i) {
    value = value * 10 + (i < digits.size() ? digits[i] - '0' : 0);
  }
  return value;
}

// A row's texts, left to right, on an otherwise empty board:
// RowTexts(Row::B, {"45", "30", "5"}) has '45' in B1, '30' in B2, '5' in B3.
inline Texts RowTexts(Row row, std::initializer_list<std::string> texts) {
  Texts board;
  auto text = texts.begin();
  for (Cell cell : kBoardOrder) {
    if (RowOf(cell) == row && text != texts.end()) board[IndexOf(cell)] = *text++;
  }
  return board;
}

// RowText(texts, Row::B) -> "row B '45' '30' '5'"
inline std::string RowText(const Texts& texts, Row row) {
  std::string line = std::string("row ") + "ABC"[IndexOf(row)];
  for (Cell cell : kBoardOrder) {
    if (RowOf(cell) == row) line += " '" + texts[IndexOf(cell)] + "'";
  }
  return line;
}

}  // namespace angoli
