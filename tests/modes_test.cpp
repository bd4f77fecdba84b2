// The input row, emptying the board and the end of the tool.
#include <gtest/gtest.h>

#include "conversion/memory_board.h"
#include "tests/case_names.h"
#include "window/modes.h"

namespace angoli {
namespace {

void Fill(MemoryBoard& board) {
  for (Cell cell : kBoardOrder) board.SetText(cell, "12");
}

// The input row as the board shows it: own row unlocked and black, the others
// locked and red, only the own "Calcola" visible.
void ExpectInputRow(const MemoryBoard& board, Row row) {
  for (Cell cell : kBoardOrder) {
    const bool own = RowOf(cell) == row;
    EXPECT_EQ(board.Locked(cell), !own) << NameOf(cell);
    EXPECT_EQ(board.ForeColor(cell), own ? kBlack : kRed) << NameOf(cell);
  }
  for (Button button : kButtons) {
    EXPECT_EQ(board.Visible(button), button == CalcButton(row)) << IndexOf(button);
  }
}

void ExpectEmpty(const MemoryBoard& board) {
  for (Cell cell : kBoardOrder) EXPECT_EQ(board.Text(cell), "") << NameOf(cell);
}

class ModeTest : public testing::TestWithParam<Row> {};

TEST_P(ModeTest, MostraSetsEveryCellAndButtonAndLeavesTexts) {
  const Row row = GetParam();
  for (Row before : kRows) {
    MemoryBoard board;
    Fill(board);
    Mostra(board, before);
    Mostra(board, row);
    ExpectInputRow(board, row);
    EXPECT_EQ(board.Focus(), FirstCell(row));
    for (Cell cell : kBoardOrder) EXPECT_EQ(board.Text(cell), "12");
  }
}

TEST_P(ModeTest, ChoosingARowEmptiesTheBoardAndFocusesItsFirstCell) {
  const Row row = GetParam();
  MemoryBoard board;
  OnFirstActivate(board);
  Fill(board);  // results of an earlier conversion
  OnRowChosen(board, row);
  ExpectInputRow(board, row);
  ExpectEmpty(board);
  EXPECT_EQ(board.Focus(), FirstCell(row));
}

TEST_P(ModeTest, ResetEmptiesAndKeepsTheRow) {
  const Row row = GetParam();
  MemoryBoard board;
  OnRowChosen(board, row);
  Fill(board);
  board.SetFocus(Cell::C4);
  OnReset(board);
  ExpectEmpty(board);
  ExpectInputRow(board, row);
  EXPECT_EQ(board.Focus(), Cell::C4);  // the reset moves no focus
  EXPECT_TRUE(board.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, ModeTest, testing::ValuesIn(kRows), CaseName());

TEST(ModesTest, FirstActivationMakesRowATheInputRow) {
  MemoryBoard board;
  OnFirstActivate(board);
  ExpectInputRow(board, Row::A);
  ExpectEmpty(board);
  EXPECT_EQ(board.Focus(), Cell::A1);
}

TEST(ModesTest, ResetOnAnEmptyBoardChangesNothing) {
  MemoryBoard board;
  OnFirstActivate(board);
  const auto before = board.Texts();
  OnReset(board);
  EXPECT_EQ(board.Texts(), before);
  ExpectInputRow(board, Row::A);
}

TEST(ModesTest, ChiudiEndsAtOnceWithTextInTheCells) {
  MemoryBoard board;
  OnFirstActivate(board);
  board.Type(Cell::A1, "4");
  OnChiudi(board);
  EXPECT_TRUE(board.Ended());
  EXPECT_TRUE(board.Messages().empty());
}

}  // namespace
}  // namespace angoli
