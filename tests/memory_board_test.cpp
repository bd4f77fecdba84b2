// The in-memory board: what the logic writes and what the user can type.
#include <gtest/gtest.h>

#include <string>

#include "conversion/memory_board.h"
#include "tests/case_names.h"

namespace angoli {
namespace {

struct WriteCase {
  Cell cell;
  std::string written;
  std::string kept;
};
void PrintTo(const WriteCase& c, std::ostream* os) {
  *os << '\'' << c.written << "' into " << NameOf(c.cell);
}

class BoardWriteTest : public testing::TestWithParam<WriteCase> {};

TEST_P(BoardWriteTest, ProgramWritesAreCutToTheCell) {
  const WriteCase& c = GetParam();
  for (bool locked : {false, true}) {
    MemoryBoard board;
    board.SetText(c.cell, "99");
    board.SetLocked(c.cell, locked);
    board.SetText(c.cell, c.written);
    EXPECT_EQ(board.Text(c.cell), c.kept) << NameOf(c.cell) << (locked ? " locked" : "");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cells, BoardWriteTest,
    testing::Values(WriteCase{Cell::A2, "5083333", "50833"}, WriteCase{Cell::C4, "12", "12"},
                    WriteCase{Cell::C4, "", ""}, WriteCase{Cell::A1, "", ""},
                    WriteCase{Cell::B3, "12345", "1234"}, WriteCase{Cell::C1, "100", "10"},
                    WriteCase{Cell::A1, " 5", " 5"}, WriteCase{Cell::B2, "èèè", "èè"}),
    CaseName());

struct TypeCase {
  Cell cell;
  std::string typed;
  std::string shown;
};
void PrintTo(const TypeCase& c, std::ostream* os) {
  *os << '\'' << c.typed << "' into " << NameOf(c.cell);
}

class BoardTypeTest : public testing::TestWithParam<TypeCase> {};

TEST_P(BoardTypeTest, UnlockedCellsTakeAnyCharacterUpToTheLimit) {
  const TypeCase& c = GetParam();
  MemoryBoard board;
  for (char ch : c.typed) board.Type(c.cell, std::string(1, ch));
  EXPECT_EQ(board.Text(c.cell), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Keystrokes, BoardTypeTest,
    testing::Values(TypeCase{Cell::A2, "123456", "12345"}, TypeCase{Cell::B2, "123", "12"},
                    TypeCase{Cell::A1, "x5", "x5"}, TypeCase{Cell::C3, "-,", "-,"},
                    TypeCase{Cell::C4, " 5", " 5"}),
    CaseName());

TEST(BoardTypeTest, LockedCellsRefuseTypingButTakeWritesAndFocus) {
  MemoryBoard board;
  board.SetText(Cell::B1, "45");
  board.SetLocked(Cell::B1, true);
  EXPECT_FALSE(board.Type(Cell::B1, "7"));
  EXPECT_EQ(board.Text(Cell::B1), "45");
  board.SetText(Cell::B1, "07");
  EXPECT_EQ(board.Text(Cell::B1), "07");
  board.SetFocus(Cell::B1);
  EXPECT_EQ(board.Focus(), Cell::B1);
}

TEST(BoardTypeTest, TypingKeepsTheTextValidUtf8) {
  MemoryBoard board;
  board.Type(Cell::A2, "\xC3");
  board.Type(Cell::A2, "\xA8x");
  EXPECT_EQ(board.Text(Cell::A2), "\xEF\xBF\xBD\xEF\xBF\xBDx");
}

TEST(BoardStateTest, AsCreated) {
  MemoryBoard board;
  for (Cell cell : kBoardOrder) {
    EXPECT_EQ(board.Text(cell), "");
    EXPECT_FALSE(board.Locked(cell));
    EXPECT_EQ(board.ForeColor(cell), kBlack);
  }
  for (Button button : kButtons) EXPECT_TRUE(board.Visible(button));
  EXPECT_FALSE(board.Focus().has_value());
  EXPECT_TRUE(board.Messages().empty());
  EXPECT_FALSE(board.Ended());
}

}  // namespace
}  // namespace angoli
