// A press on "Calcola": the first failing step warns and changes at most one
// cell; when every step passes the row is converted.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "conversion/memory_board.h"
#include "tests/case_names.h"
#include "validation/calcola.h"
#include "window/modes.h"

namespace angoli {
namespace {

constexpr const char* kDegrees = "Immettere un numero nella cella dei gradi";
constexpr const char* kMinutes = "Immettere un numero nella cella dei minuti";
constexpr const char* kSeconds = "Immettere un numero nella cella dei secondi";
constexpr const char* kDegreeDigits = "Immettere un numero nella cella delle frazioni di gradi";
constexpr const char* kMinuteDigits = "Immettere un numero nella cella delle frazioni di minuti";
constexpr const char* kSecondDigits = "Immettere un numero nella cella delle frazioni di secondi";
constexpr const char* kMinutesRange = "I minuti devono essere compresi tra 0 e 59";
constexpr const char* kSecondsRange = "I secondi devono essere compresi tra 0 e 59";

struct PressCase {
  Row row;
  std::vector<std::string> input;  // the input row, left to right
  const char* message;             // nullptr: every step passes
  std::optional<Cell> emptied;     // the cell emptied and focused
};
void PrintTo(const PressCase& c, std::ostream* os) { PrintRow(c.row, c.input, os); }

Cell LastCell(Row row) {
  constexpr Cell last[] = {Cell::A2, Cell::B3, Cell::C4};
  return last[IndexOf(row)];
}

class CalcolaTest : public testing::TestWithParam<PressCase> {};

TEST_P(CalcolaTest, WarnsAboutTheFirstFailingStepOrConverts) {
  const PressCase& c = GetParam();
  MemoryBoard board;
  OnRowChosen(board, c.row);
  std::size_t i = 0;
  for (Cell cell : kBoardOrder) {
    if (RowOf(cell) == c.row) {
      board.Type(cell, c.input[i++]);
    } else {
      board.SetText(cell, "7");  // what the locked rows showed before the press
    }
  }
  board.SetFocus(LastCell(c.row));  // where the user typed last
  const auto before = board.Texts();

  const bool converted = Calcola(board, c.row);

  if (c.message == nullptr) {
    EXPECT_TRUE(converted);
    EXPECT_TRUE(board.Messages().empty());
    EXPECT_EQ(board.Focus(), LastCell(c.row));
    for (Cell cell : kBoardOrder) {
      if (RowOf(cell) == c.row) {
        EXPECT_EQ(board.Text(cell), before[IndexOf(cell)]) << NameOf(cell);
      } else {
        EXPECT_NE(board.Text(cell), "7") << NameOf(cell);
      }
    }
    return;
  }
  EXPECT_FALSE(converted);
  ASSERT_EQ(board.Messages().size(), 1u);
  EXPECT_EQ(board.Messages()[0], (ShownMessage{c.message, "ATTENZIONE"}));
  EXPECT_EQ(board.Focus(), c.emptied.value_or(LastCell(c.row)));
  for (Cell cell : kBoardOrder) {
    const std::string expected = cell == c.emptied ? "" : before[IndexOf(cell)];
    EXPECT_EQ(board.Text(cell), expected) << NameOf(cell);
  }
  // A warning changes no mode.
  for (Cell cell : kBoardOrder) EXPECT_EQ(board.Locked(cell), RowOf(cell) != c.row);
  for (Button button : kButtons) EXPECT_EQ(board.Visible(button), button == CalcButton(c.row));
}

INSTANTIATE_TEST_SUITE_P(
    RowA, CalcolaTest,
    testing::Values(PressCase{Row::A, {"", ""}, kDegrees, Cell::A1},
                    PressCase{Row::A, {"x5", "5"}, kDegrees, Cell::A1},
                    PressCase{Row::A, {"45", "x"}, kDegreeDigits, Cell::A2},
                    PressCase{Row::A, {"45", ""}, kDegreeDigits, Cell::A2},
                    // Each cell a number, together none: refused as the digits cell.
                    PressCase{Row::A, {"12", "-5"}, kDegreeDigits, Cell::A2},
                    PressCase{Row::A, {"12", "1,5"}, kDegreeDigits, Cell::A2},
                    PressCase{Row::A, {"99", "5"}, nullptr, std::nullopt},
                    PressCase{Row::A, {"-5", "25"}, nullptr, std::nullopt}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    RowB, CalcolaTest,
    testing::Values(PressCase{Row::B, {"", "", ""}, kDegrees, Cell::B1},
                    PressCase{Row::B, {"45", "", "5"}, kMinutes, Cell::B2},
                    PressCase{Row::B, {"45", " 5", "5"}, kMinutes, Cell::B2},
                    PressCase{Row::B, {"45", "30", "x"}, kMinuteDigits, Cell::B3},
                    // The numeric steps all come before the range step.
                    PressCase{Row::B, {"45", "75", "x"}, kMinuteDigits, Cell::B3},
                    PressCase{Row::B, {"45", "75", "5"}, kMinutesRange, std::nullopt},
                    PressCase{Row::B, {"45", "60", "0"}, kMinutesRange, std::nullopt},
                    PressCase{Row::B, {"45", "-5", "0"}, kMinutesRange, std::nullopt},
                    PressCase{Row::B, {"45", "-0", "5"}, kMinutesRange, std::nullopt},
                    PressCase{Row::B, {"45", "30", "1,5"}, kMinuteDigits, Cell::B3},
                    PressCase{Row::B, {"45", "30", "-5"}, kMinuteDigits, Cell::B3},
                    PressCase{Row::B, {"45", "59", "0"}, nullptr, std::nullopt},
                    PressCase{Row::B, {"45", "0", "0"}, nullptr, std::nullopt},
                    PressCase{Row::B, {"45", "30", "5"}, nullptr, std::nullopt}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    RowC, CalcolaTest,
    testing::Values(PressCase{Row::C, {"x", "", "", ""}, kDegrees, Cell::C1},
                    PressCase{Row::C, {"45", "", "", ""}, kMinutes, Cell::C2},
                    PressCase{Row::C, {"45", "30", "s", "0"}, kSeconds, Cell::C3},
                    PressCase{Row::C, {"45", "30", "30", "+1"}, kSecondDigits, Cell::C4},
                    // Minutes are range-tested before seconds.
                    PressCase{Row::C, {"45", "75", "80", "0"}, kMinutesRange, std::nullopt},
                    PressCase{Row::C, {"45", "30", "80", "0"}, kSecondsRange, std::nullopt},
                    PressCase{Row::C, {"45", "30", "60", "0"}, kSecondsRange, std::nullopt},
                    PressCase{Row::C, {"45", "30", "-0", "0"}, kSecondsRange, std::nullopt},
                    PressCase{Row::C, {"45", "30", "30", "-12"}, kSecondDigits, Cell::C4},
                    PressCase{Row::C, {"99", "59", "59", "999"}, nullptr, std::nullopt},
                    PressCase{Row::C, {"45", "0", "0", "0"}, nullptr, std::nullopt}),
    CaseName());

TEST(CalcolaStepsTest, EachRowChecksItsOwnCellsNumericFirst) {
  for (Row row : kRows) {
    bool rangeSeen = false;
    for (const CheckStep& step : kCheckSteps) {
      if (step.row != row) continue;
      EXPECT_EQ(RowOf(step.cell), row);
      if (step.kind == CheckKind::Numeric) {
        EXPECT_FALSE(rangeSeen) << NameOf(step.cell);
      } else {
        rangeSeen = true;
      }
    }
  }
}

// A board whose cells hold texts of any length, as a paste into a wider cell
// could: the range steps compare the number, not the width of the text.
class UncutBoard : public MemoryBoard {
 public:
  std::string Text(Cell cell) const override { return texts_[IndexOf(cell)]; }
  void SetText(Cell cell, std::string_view text) override { texts_[IndexOf(cell)] = text; }

 private:
  std::array<std::string, 9> texts_{};
};

TEST(CalcolaTest, RangeStepsCompareTheNumber) {
  struct Case {
    Row row;
    Cell cell;
    const char* text;
    const char* message;  // of the first step that fails
  };
  // '59,9' lies in range; it fails only once joined with its digits.
  const Case cases[] = {{Row::B, Cell::B2, "59,9", kMinuteDigits},
                        {Row::B, Cell::B2, "60,0", kMinutesRange},
                        {Row::C, Cell::C2, "-0,0", kMinutesRange},
                        {Row::C, Cell::C3, "59,9", kSecondDigits},
                        {Row::C, Cell::C3, "60,5", kSecondsRange}};
  for (const Case& c : cases) {
    UncutBoard board;
    OnRowChosen(board, c.row);
    for (Cell cell : kBoardOrder) {
      if (RowOf(cell) == c.row) board.SetText(cell, "5");
    }
    board.SetText(c.cell, c.text);
    EXPECT_FALSE(Calcola(board, c.row)) << c.text;
    ASSERT_EQ(board.Messages().size(), 1u) << c.text;
    EXPECT_EQ(board.Messages()[0].text, c.message) << NameOf(c.cell) << " '" << c.text << "'";
    EXPECT_EQ(board.Text(c.cell), c.text);
  }
}

TEST(CalcolaTest, CorrectedEntryIsTestedFromTheFirstStepAgain) {
  MemoryBoard board;
  OnRowChosen(board, Row::C);
  for (auto [cell, text] : {std::pair{Cell::C1, "45"}, {Cell::C2, "75"}, {Cell::C3, "80"},
                            {Cell::C4, "0"}}) {
    board.Type(cell, text);
  }
  EXPECT_FALSE(Calcola(board, Row::C));
  board.SetText(Cell::C2, "30");
  EXPECT_FALSE(Calcola(board, Row::C));
  board.SetText(Cell::C3, "30");
  EXPECT_TRUE(Calcola(board, Row::C));
  ASSERT_EQ(board.Messages().size(), 2u);
  EXPECT_EQ(board.Messages()[0].text, kMinutesRange);
  EXPECT_EQ(board.Messages()[1].text, kSecondsRange);
  EXPECT_EQ(board.Text(Cell::A2), "50833");
}

}  // namespace
}  // namespace angoli
