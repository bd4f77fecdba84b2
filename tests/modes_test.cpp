// The input row, emptying the board, the end of the tool, and whole angles
// pasted and copied.
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

// "Incolla angolo" and "Copia angolo": what each clipboard text puts into the
// cells, or why it is refused, and the row copied back.
const std::string kNoAngle = "Negli appunti non c'è un angolo";
const std::string kTooWide = "L'angolo negli appunti non sta nelle celle";
const std::string kList =
    "Negli appunti c'è più di una riga: per convertirle tutte usare \"Converti elenco\" (Ctrl+Maiusc+E)";

struct PasteCase {
  std::string clipboard;
  std::string cells;    // the input row's, left to right, "45 30 0"; "": refused
  std::string message;  // the first warning shown, if any
  std::string copied{};  // "Copia angolo" of the row, "-": refused, "": not looked at
};
void PrintTo(const PasteCase& c, std::ostream* os) { *os << '\'' << c.clipboard << '\''; }

class PasteAngleTest : public testing::TestWithParam<PasteCase> {};

TEST_P(PasteAngleTest, FillsTheRowOrLeavesTheBoard) {
  const PasteCase& c = GetParam();
  MemoryBoard board;  // row C the input row, '7' typed in C1, the focus in C2
  OnRowChosen(board, Row::C);
  board.Type(Cell::C1, "7");
  board.SetFocus(Cell::C2);
  const Pasted pasted = PasteAngle(board, c.clipboard);
  const Row row = pasted.row.value_or(Row::C);
  std::string cells;  // the pasted row's texts; after a refusal, the whole board's
  for (Cell cell : kBoardOrder)
    if (!pasted.row || RowOf(cell) == row) cells += " " + board.Text(cell);
  EXPECT_EQ(cells.substr(1), pasted.row ? c.cells : "     7   ");
  EXPECT_EQ(board.Focus(), pasted.row ? FirstCell(row) : Cell::C2);
  EXPECT_EQ(board.Messages().empty() ? "" : board.Messages().front().text, c.message);
  ExpectInputRow(board, row);
  EXPECT_EQ(pasted.converted, pasted.row && c.message.empty());
  if (!c.copied.empty()) { EXPECT_EQ(CopyAngle(board, row).value_or("-"), c.copied); }
  if (c.copied == "-") { EXPECT_EQ(board.Messages().back().text, "La riga non contiene un angolo da copiare"); }
}

INSTANTIATE_TEST_SUITE_P(
    ClipboardTexts, PasteAngleTest,
    testing::Values(
        PasteCase{"45,50833", "45 50833", "", "45,50833"}, PasteCase{"45.5°", "45 5", ""},
        PasteCase{"-5,25", "-5 25", ""}, PasteCase{"\u22125,25", "-5 25", ""}, PasteCase{"45,123456", "45 12346", ""}, PasteCase{"- 5,25", "-5 25", ""},
        PasteCase{"45° 30,4998′", "45 30 4998", "", "45° 30,4998′"},
        PasteCase{"S 5° 15'", "-5 15 0", "", "-5° 15,0′"}, PasteCase{"12 34.56789", "12 34 5679", ""},
        PasteCase{"45°30'30,5\"", "45 30 30 5", ""}, PasteCase{"45:30:30", "45 30 30 0", ""},
        PasteCase{"59° 59′ 59,9996″", "60 00 00 000", "", "60° 00′ 00,000″"},
        PasteCase{"45° 30′ 29,988″", "45 30 29 988", "", "45° 30′ 29,988″"},
        PasteCase{" \t45\u00A0º 30’\r\n", "45 30 0", ""}, PasteCase{"45˚30m15''", "45 30 15 0", ""},
        PasteCase{"45d 30m 15s", "45 30 15 0", ""}, PasteCase{"45° 30′ 15”", "45 30 15 0", ""},
        PasteCase{"+011° 15′", "11 15 0", ""}, PasteCase{"5° 15′ O", "-5 15 0", ""},
        PasteCase{"W0,5", "-0 5", "", "-0,5"}, PasteCase{"N 45", "45 0", ""}, PasteCase{"45E", "45 0", ""},
        PasteCase{"-005", "-5 0", ""}, PasteCase{"45° 75′", "45 75 0", "I minuti devono essere compresi tra 0 e 59", "-"},
        PasteCase{"45° 5′ 59,9996″", "45 6 00 000", "", "45° 6′ 00,000″"}, PasteCase{"-9,999996", "", kTooWide},
        PasteCase{"99° 59,99996′", "", kTooWide}, PasteCase{"100°", "", kTooWide}, PasteCase{"-10°", "", kTooWide},
        PasteCase{"45° 100′", "", kTooWide}, PasteCase{"ciao", "", kNoAngle}, PasteCase{"45,5° 30′", "", kNoAngle},
        PasteCase{"45° 30°", "", kNoAngle}, PasteCase{"", "", kNoAngle}, PasteCase{"30′", "", kNoAngle},
        PasteCase{"45° 30” ", "", kNoAngle}, PasteCase{"-S 5", "", kNoAngle}, PasteCase{"S 5 N", "", kNoAngle},
        PasteCase{"1.000,5", "", kNoAngle}, PasteCase{"4,5e1", "", kNoAngle}, PasteCase{"١٢", "", kNoAngle},
        PasteCase{"45:30:", "", kNoAngle}, PasteCase{"1 2 3 4", "", kNoAngle}, PasteCase{"45,", "", kNoAngle},
        PasteCase{",5", "", kNoAngle}, PasteCase{"45 s", "", kNoAngle}, PasteCase{"45° 30′ 15″ 5", "", kNoAngle},
        PasteCase{"45.46, 9.19", "", kNoAngle}, PasteCase{"45°\n30′\n", "", kList}),
    CaseName());

}  // namespace
}  // namespace angoli
