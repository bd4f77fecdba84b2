// The three conversions on chosen angles: rounding, carries, signs and copies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "conversion/conversions.h"
#include "conversion/memory_board.h"
#include "tests/case_names.h"

namespace angoli {
namespace {

struct ConversionCase {
  Row from;
  std::vector<std::string> input;  // the input row, left to right
  std::vector<std::string> a, b, c;  // the rows after the conversion
};

void PrintTo(const ConversionCase& c, std::ostream* os) { PrintRow(c.from, c.input, os); }

class ConversionTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(ConversionTest, WritesBothOtherRows) {
  const ConversionCase& c = GetParam();
  MemoryBoard board;
  for (Cell cell : kBoardOrder) board.SetText(cell, "x");  // earlier results, all overwritten
  const std::vector<Cell> inputCells = CellsOf(c.from);
  for (std::size_t i = 0; i < inputCells.size(); ++i) board.SetText(inputCells[i], c.input[i]);

  ASSERT_TRUE(Calcolo(board, c.from));
  const std::vector<std::string>* expected[] = {&c.a, &c.b, &c.c};
  for (Row row : kRows) {
    const std::vector<Cell> cells = CellsOf(row);
    const std::vector<std::string>& want = row == c.from ? c.input : *expected[IndexOf(row)];
    for (std::size_t i = 0; i < cells.size(); ++i) {
      EXPECT_EQ(board.Text(cells[i]), want[i]) << NameOf(cells[i]);
    }
  }
}

using V = std::vector<std::string>;

INSTANTIATE_TEST_SUITE_P(
    FromRowA, ConversionTest,
    testing::Values(
        ConversionCase{Row::A, {"45", "50833"}, {}, {"45", "30", "4998"}, {"45", "30", "29", "988"}},
        // Read as the double just below 45.05; the noise must not cost a minute.
        ConversionCase{Row::A, {"45", "05"}, {}, {"45", "3", "0000"}, {"45", "3", "0", "000"}},
        ConversionCase{Row::A, {"45", "3"}, {}, {"45", "18", "0000"}, {"45", "18", "0", "000"}},
        ConversionCase{Row::A, {"45", "1"}, {}, {"45", "6", "0000"}, {"45", "6", "0", "000"}},
        ConversionCase{Row::A, {"45", "5"}, {}, {"45", "30", "0000"}, {"45", "30", "0", "000"}},
        // Sign and magnitude: the minutes of -5.25° are 15, not 45.
        ConversionCase{Row::A, {"-5", "25"}, {}, {"-5", "15", "0000"}, {"-5", "15", "0", "000"}},
        ConversionCase{Row::A, {"-0", "25"}, {}, {"-0", "15", "0000"}, {"-0", "15", "0", "000"}},
        ConversionCase{Row::A, {"07", "5"}, {}, {"07", "30", "0000"}, {"07", "30", "0", "000"}},
        ConversionCase{Row::A, {"0", "00001"}, {}, {"0", "0", "0006"}, {"0", "0", "0", "036"}},
        ConversionCase{Row::A, {"99", "99999"}, {}, {"99", "59", "9994"}, {"99", "59", "59", "964"}},
        ConversionCase{Row::A, {"-9", "99999"}, {}, {"-9", "59", "9994"}, {"-9", "59", "59", "964"}},
        ConversionCase{Row::A, {"1", "0"}, {}, {"1", "0", "0000"}, {"1", "0", "0", "000"}}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    FromRowB, ConversionTest,
    testing::Values(
        ConversionCase{Row::B, {"45", "30", "5"}, {"45", "50833"}, {}, {"45", "30", "30", "000"}},
        // The rounding of the degrees reaches the next degree and carries into it.
        ConversionCase{Row::B, {"45", "59", "9999"}, {"46", "00000"}, {}, {"45", "59", "59", "994"}},
        ConversionCase{Row::B, {"-0", "59", "9999"}, {"-1", "00000"}, {}, {"-0", "59", "59", "994"}},
        ConversionCase{Row::B, {"9", "59", "9999"}, {"10", "00000"}, {}, {"9", "59", "59", "994"}},
        // A carry the degrees cell cannot hold shows the largest angle the row can.
        ConversionCase{Row::B, {"99", "59", "9999"}, {"99", "99999"}, {}, {"99", "59", "59", "994"}},
        ConversionCase{Row::B, {"-9", "59", "9999"}, {"-9", "99999"}, {}, {"-9", "59", "59", "994"}},
        ConversionCase{Row::B, {"-5", "15", "0"}, {"-5", "25000"}, {}, {"-5", "15", "0", "000"}},
        // Copied texts keep their form.
        ConversionCase{Row::B, {"07", "05", "5"}, {"07", "09167"}, {}, {"07", "05", "30", "000"}},
        ConversionCase{Row::B, {"0", "7", "4074"}, {"0", "12346"}, {}, {"0", "7", "24", "444"}},
        // 0.000005° exactly: a decimal half rounds away from zero.
        ConversionCase{Row::B, {"0", "0", "0003"}, {"0", "00001"}, {}, {"0", "0", "0", "018"}},
        ConversionCase{Row::B, {"0", "00", "0"}, {"0", "00000"}, {}, {"0", "00", "0", "000"}}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    FromRowC, ConversionTest,
    testing::Values(
        ConversionCase{Row::C, {"45", "30", "30", "0"}, {"45", "50833"}, {"45", "30", "5000"}, {}},
        // Rounded once at five decimals, as from row B, not at seven and cut.
        ConversionCase{Row::C, {"0", "7", "24", "444"}, {"0", "12346"}, {"0", "7", "4074"}, {}},
        ConversionCase{Row::C, {"0", "0", "0", "5"}, {"0", "00014"}, {"0", "0", "0083"}, {}},
        ConversionCase{Row::C, {"0", "0", "0", "003"}, {"0", "00000"}, {"0", "0", "0001"}, {}},
        // Seconds carry into the minutes, and 60 minutes into the degrees.
        ConversionCase{Row::C, {"45", "05", "59", "997"}, {"45", "10000"}, {"45", "6", "0000"}, {}},
        ConversionCase{Row::C, {"45", "58", "59", "998"}, {"45", "98333"}, {"45", "59", "0000"}, {}},
        ConversionCase{Row::C, {"45", "59", "59", "998"}, {"46", "00000"}, {"46", "0", "0000"}, {}},
        ConversionCase{Row::C, {"-0", "59", "59", "998"}, {"-1", "00000"}, {"-1", "0", "0000"}, {}},
        ConversionCase{Row::C, {"99", "59", "59", "998"}, {"99", "99999"}, {"99", "59", "9999"}, {}},
        ConversionCase{Row::C, {"-9", "59", "59", "998"}, {"-9", "99999"}, {"-9", "59", "9999"}, {}},
        ConversionCase{Row::C, {"07", "05", "30", "0"}, {"07", "09167"}, {"07", "05", "5000"}, {}}),
    CaseName());

struct UnjoinableCase {
  Row from;
  std::vector<std::string> input;
};
void PrintTo(const UnjoinableCase& c, std::ostream* os) { PrintRow(c.from, c.input, os); }

class UnjoinableTest : public testing::TestWithParam<UnjoinableCase> {};

TEST_P(UnjoinableTest, WritesNothingWhenTheJoinedTextIsNoNumber) {
  const UnjoinableCase& c = GetParam();
  MemoryBoard board;
  const std::vector<Cell> cells = CellsOf(c.from);
  for (std::size_t i = 0; i < cells.size(); ++i) board.SetText(cells[i], c.input[i]);
  const auto before = board.Texts();
  EXPECT_FALSE(Calcolo(board, c.from));
  EXPECT_EQ(board.Texts(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UnjoinableTest,
    testing::Values(UnjoinableCase{Row::A, {"12", "-5"}}, UnjoinableCase{Row::A, {"12", "1,5"}},
                    UnjoinableCase{Row::B, {"1", "12", "1,5"}},
                    UnjoinableCase{Row::C, {"1", "2", "12", "-5"}},
                    UnjoinableCase{Row::C, {"1", "x", "12", "5"}}),
    CaseName());

}  // namespace
}  // namespace angoli
