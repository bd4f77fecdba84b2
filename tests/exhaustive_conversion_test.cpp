// Every entry the cells can hold, converted by the tool and by a reference
// that works in exact integers (units of the last digit of each cell), so a
// fault of binary floating point or of the text handling shows up as a
// differing text. The reference is written apart from the tool on purpose: a
// shared helper would share its faults.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "conversion/conversions.h"
#include "conversion/memory_board.h"
#include "tests/grid_texts.h"

namespace angoli {
namespace {

constexpr long long kMaxReported = 20;

std::string& At(Texts& t, Cell c) { return t[IndexOf(c)]; }
const std::string& At(const Texts& t, Cell c) { return t[IndexOf(c)]; }

// ---------------------------------------------------------------------------
// Reference

long long ValueOf(std::string_view digits) {
  long long v = 0;
  for (char ch : digits) v = v * 10 + (ch - '0');
  return v;
}

// num / den, den > 0, rounded half away from zero.
long long RoundDiv(long long num, long long den) {
  const long long q = (2 * (num < 0 ? -num : num) + den) / (2 * den);
  return num < 0 ? -q : q;
}

// The degrees one unit further from zero, keeping the typed sign; nothing when
// the degrees cell could not hold them.
std::optional<std::string> DegreesPlusOne(const std::string& degrees) {
  const bool negative = !degrees.empty() && degrees[0] == '-';
  const std::string_view magnitude = std::string_view(degrees).substr(negative ? 1 : 0);
  std::string up = (negative ? "-" : "") + std::to_string(ValueOf(magnitude) + 1);
  if (up.size() > MaxLength(Cell::A1)) return std::nullopt;
  return up;
}

struct Expected {
  Texts texts;
  bool degreesCarry = false;  // some result row carried into its degrees
};

// fifths: the fraction of a degree in 1e-5, 100000 when the rounding reached
// a whole degree.
void PutRowA(Expected& e, const std::string& degrees, long long fifths) {
  std::string deg = degrees;
  if (fifths == 100000) {
    e.degreesCarry = true;
    if (auto up = DegreesPlusOne(degrees)) {
      deg = *up;
      fifths = 0;
    } else {
      fifths = 99999;
    }
  }
  At(e.texts, Cell::A1) = deg;
  At(e.texts, Cell::A2) = Padded(fifths, 5);
}

// fourths: the fraction of a minute in 1e-4, 10000 when the rounding reached
// a whole minute.
void PutRowB(Expected& e, const std::string& degrees, std::string minutesText,
             long long minutes, long long fourths) {
  std::string deg = degrees;
  if (fourths == 10000) {
    fourths = 0;
    minutesText = std::to_string(++minutes);
    if (minutes == 60) {
      e.degreesCarry = true;
      minutesText = "0";
      if (auto up = DegreesPlusOne(degrees)) {
        deg = *up;
      } else {
        minutesText = "59";
        fourths = 9999;
      }
    }
  }
  At(e.texts, Cell::B1) = deg;
  At(e.texts, Cell::B2) = minutesText;
  At(e.texts, Cell::B3) = Padded(fourths, 4);
}

// thirds: the seconds within the minute in 1e-3. Neither source row can bring
// them to a whole minute (at most 59.994 from row B), so no carry is handled.
void PutRowC(Expected& e, const std::string& degrees, const std::string& minutesText,
             long long thirds) {
  At(e.texts, Cell::C1) = degrees;
  At(e.texts, Cell::C2) = minutesText;
  At(e.texts, Cell::C3) = std::to_string(thirds / 1000);
  At(e.texts, Cell::C4) = Padded(thirds % 1000, 3);
}

// Only the digits of each input cell matter to the results; the sign lives on
// the degrees text, which is copied unless a carry rewrites it.
Expected Reference(Row row, const Texts& in) {
  Expected e{in};
  switch (row) {
    case Row::A: {
      const std::string& deg = At(in, Cell::A1);
      const long long fifths = FromComma(At(in, Cell::A2), 5);
      // Both products are exact: 1e-5 degree = 6e-4 minute = 36e-3 second.
      const long long fourths = fifths * 6;
      const long long thirds = fifths * 36;
      PutRowB(e, deg, std::to_string(fourths / 10000), fourths / 10000, fourths % 10000);
      PutRowC(e, deg, std::to_string(thirds / 60000), thirds % 60000);
      break;
    }
    case Row::B: {
      const std::string& deg = At(in, Cell::B1);
      const long long fourths = FromComma(At(in, Cell::B3), 4);
      const long long minutes = ValueOf(At(in, Cell::B2));
      // degrees * 1e5 = (minutes * 1e4) / 6
      PutRowA(e, deg, RoundDiv(minutes * 10000 + fourths, 6));
      // 1e-4 minute = 6e-3 second, exact.
      PutRowC(e, deg, At(in, Cell::B2), fourths * 6);
      break;
    }
    case Row::C: {
      const std::string& deg = At(in, Cell::C1);
      const long long minutes = ValueOf(At(in, Cell::C2));
      const long long thirds =
          ValueOf(At(in, Cell::C3)) * 1000 + FromComma(At(in, Cell::C4), 3);
      // minutes * 1e4 = (seconds * 1e3) / 6;  degrees * 1e5 = (seconds * 1e3) / 36
      PutRowB(e, deg, At(in, Cell::C2), minutes, RoundDiv(thirds, 6));
      PutRowA(e, deg, RoundDiv(minutes * 60000 + thirds, 36));
      break;
    }
  }
  return e;
}

// ---------------------------------------------------------------------------
// Running the tool and comparing

class Checker {
 public:
  // Returns the reference's result so callers can pick cases out of it.
  Expected Check(Row row, const Texts& in) {
    Expected want = Reference(row, in);
    MemoryBoard board;
    for (const CellInfo& info : kCells) {
      if (info.row == row) board.SetText(info.cell, At(in, info.cell));
    }
    const bool converted = Calcolo(board, row);
    const Texts got = board.Texts();
    ++checked_;
    if (!converted || got != want.texts) {
      if (++mismatches_ <= kMaxReported) {
        std::string wantRows, gotRows;
        for (Row r : kRows) {
          if (r == row) continue;
          wantRows += "  " + RowText(want.texts, r);
          gotRows += "  " + RowText(got, r);
        }
        ADD_FAILURE() << RowText(in, row) << (converted ? "" : "  (returned false)")
                      << "\n  expected" << wantRows << "\n  actual  " << gotRows;
      }
    }
    return want;
  }

  // Keeps counting past the reported mismatches so the total shows how
  // widespread a fault is.
  void Finish() const {
    ::testing::Test::RecordProperty("cases", std::to_string(checked_));
    std::printf("[ cases    ] %lld checked (stride %lld), %lld mismatching\n", checked_,
                kStride, mismatches_);
    EXPECT_EQ(mismatches_, 0) << "mismatching cases; at most the first " << kMaxReported
                               << " are shown above";
  }

 private:
  long long checked_ = 0;
  long long mismatches_ = 0;
};

// Thins a grid to every kStride-th case by the case's position, so the cases
// kept are spread over every cell of the grid.
class Stride {
 public:
  bool Take() { return index_++ % kStride == 0; }

 private:
  long long index_ = 0;
};

// ---------------------------------------------------------------------------
// Worked examples: they pin the reference down before it judges the tool.
// A null expected cell is one the example does not state.

struct Example {
  Row row;
  std::array<const char*, 9> texts;  // A1 A2 | B1 B2 B3 | C1 C2 C3 C4
};

const Example kExamples[] = {
    {Row::A, {"45", "05", "45", "3", "0000", "45", "3", "0", "000"}},
    {Row::A, {"45", "3", "45", "18", "0000", "45", "18", "0", "000"}},
    {Row::A, {"0", "00001", "0", "0", "0006", "0", "0", "0", "036"}},
    {Row::A, {"99", "99999", "99", "59", "9994", "99", "59", "59", "964"}},
    {Row::A, {"-5", "25", "-5", "15", "0000", "-5", "15", "0", "000"}},
    {Row::A, {"45", "50833", "45", "30", "4998", "45", "30", "29", "988"}},
    {Row::B, {"46", "00000", "45", "59", "9999", "45", "59", "59", "994"}},
    {Row::B, {"-1", "00000", "-0", "59", "9999", nullptr, nullptr, nullptr, nullptr}},
    {Row::B, {"99", "99999", "99", "59", "9999", nullptr, nullptr, nullptr, nullptr}},
    {Row::B, {nullptr, "00001", "0", "0", "0003", nullptr, nullptr, nullptr, nullptr}},
    {Row::B, {"07", "09167", "07", "05", "5", "07", "05", "30", "000"}},
    {Row::B, {"45", "50833", "45", "30", "5", "45", "30", "30", "000"}},
    {Row::C, {"46", "00000", "46", "0", "0000", "45", "59", "59", "998"}},
    {Row::C, {"99", "99999", "99", "59", "9999", "99", "59", "59", "998"}},
    {Row::C, {"0", "12346", "0", "7", "4074", "0", "7", "24", "444"}},
    {Row::C, {"0", "00014", "0", "0", "0083", "0", "0", "0", "5"}},
    {Row::C, {nullptr, nullptr, nullptr, nullptr, "0001", "0", "0", "0", "003"}},
    {Row::C, {"45", "50833", "45", "30", "5000", "45", "30", "30", "0"}},
};

TEST(ExhaustiveConversion, WorkedExamples) {
  for (const Example& ex : kExamples) {
    Texts in;
    for (const CellInfo& info : kCells) {
      if (info.row == ex.row) At(in, info.cell) = ex.texts[IndexOf(info.cell)];
    }
    const Texts want = Reference(ex.row, in).texts;
    for (const CellInfo& info : kCells) {
      const char* stated = ex.texts[IndexOf(info.cell)];
      if (stated != nullptr) {
        EXPECT_EQ(At(want, info.cell), stated) << "reference, " << RowText(in, ex.row)
                                               << ", cell " << info.name;
      }
    }
  }
  // The tool against the same examples, through the reference just confirmed.
  Checker checker;
  for (const Example& ex : kExamples) {
    Texts in;
    for (const CellInfo& info : kCells) {
      if (info.row == ex.row) At(in, info.cell) = ex.texts[IndexOf(info.cell)];
    }
    checker.Check(ex.row, in);
  }
  checker.Finish();
}

// ---------------------------------------------------------------------------
// The grids

TEST(ExhaustiveConversion, RowA) {
  const std::vector<std::string> fractions = DigitTexts(MaxLength(Cell::A2));
  Checker checker;
  Stride stride;
  for (const std::string& deg : kDegreeTexts) {
    for (const std::string& a2 : fractions) {
      if (stride.Take()) checker.Check(Row::A, RowTexts(Row::A, {deg, a2}));
    }
  }
  checker.Finish();
}

TEST(ExhaustiveConversion, RowB) {
  const std::vector<std::string> fractions = DigitTexts(MaxLength(Cell::B3));
  Checker checker;
  Stride stride;
  for (const std::string& b2 : SixtyTexts()) {
    for (const std::string& b3 : fractions) {
      if (stride.Take()) checker.Check(Row::B, RowTexts(Row::B, {"45", b2, b3}));
    }
  }
  checker.Finish();
}

TEST(ExhaustiveConversion, RowC) {
  const std::vector<std::string> sixty = SixtyTexts();
  const std::vector<std::string> fractions = DigitTexts(MaxLength(Cell::C4));
  Checker checker;
  Stride stride;
  for (const std::string& c2 : sixty) {
    for (const std::string& c3 : sixty) {
      for (const std::string& c4 : fractions) {
        if (stride.Take()) checker.Check(Row::C, RowTexts(Row::C, {"45", c2, c3, c4}));
      }
    }
  }
  checker.Finish();
}

// The carries are picked from the whole grids by the reference alone, not
// thinned: they are few, and they are where a sign or an overflow goes wrong.
TEST(ExhaustiveConversion, CarriesWithOtherDegrees) {
  std::vector<std::pair<Row, Texts>> carries;
  const std::vector<std::string> sixty = SixtyTexts();
  for (const std::string& b2 : sixty) {
    for (const std::string& b3 : DigitTexts(MaxLength(Cell::B3))) {
      const Texts in = RowTexts(Row::B, {"45", b2, b3});
      if (Reference(Row::B, in).degreesCarry) carries.emplace_back(Row::B, in);
    }
  }
  const std::vector<std::string> thousandths = DigitTexts(MaxLength(Cell::C4));
  for (const std::string& c2 : sixty) {
    for (const std::string& c3 : sixty) {
      for (const std::string& c4 : thousandths) {
        const Texts in = RowTexts(Row::C, {"45", c2, c3, c4});
        if (Reference(Row::C, in).degreesCarry) carries.emplace_back(Row::C, in);
      }
    }
  }
  ASSERT_FALSE(carries.empty());

  Checker checker;
  for (const char* deg : {"0", "-0", "07", "-5", "-9", "99"}) {
    for (auto [row, in] : carries) {
      At(in, FirstCell(row)) = deg;
      checker.Check(row, in);
    }
  }
  checker.Finish();
}

}  // namespace
}  // namespace angoli
