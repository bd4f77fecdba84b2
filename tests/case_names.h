#pragma once
// Names for parameterised cases made from how each case prints itself, the
// same in every build: only [A-Za-z0-9_], signs as words, other bytes in hex,
// the index first so that no two clash. '5083333' cut at 5 ->
// "0_5083333_cut_at_5"; '-5,25' -> "8_minus_5_comma_25"; 'è5' -> "4_C3A85".
// Use: INSTANTIATE_TEST_SUITE_P(Texts, Utf8CutTest, testing::Values(...), CaseName());

#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "conversion/cell_board.h"

namespace angoli {

// PrintTo(Row::B) -> "row B"
inline void PrintTo(Row row, std::ostream* os) { *os << "row " << "ABC"[IndexOf(row)]; }

// A row's typed texts, left to right: PrintRow(Row::A, {"45", "5"}, os) -> "row A '45' '5'"
inline void PrintRow(Row row, const std::vector<std::string>& texts, std::ostream* os) {
  PrintTo(row, os);
  for (const std::string& text : texts) *os << " '" << text << "'";
}

struct CaseName {
  template <typename Case>
  std::string operator()(const testing::TestParamInfo<Case>& info) const {
    constexpr std::size_t kMaxLength = 48;  // a long text is told apart by the index
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string name = std::to_string(info.index) + '_';
    for (const char c : testing::PrintToString(info.param)) {
      const auto byte = static_cast<unsigned char>(c);
      const bool letter = (byte | 0x20) >= 'a' && (byte | 0x20) <= 'z';
      if (letter || (byte >= '0' && byte <= '9')) {
        name += c;
      } else if (byte >= 0x80) {
        name += kHex[byte >> 4];
        name += kHex[byte & 0xF];
      } else {
        if (name.back() != '_') name += '_';
        name += c == '-' ? "minus_" : c == '+' ? "plus_" : c == ',' ? "comma_"
              : c == '.' ? "dot_" : "";
      }
      if (name.size() >= kMaxLength) break;
    }
    while (name.back() == '_') name.pop_back();
    return name;
  }
};

}  // namespace angoli
