// "Incolla angolo" and "Copia angolo" on a board: what each clipboard text
// puts into the cells, or why it is refused, and the row copied back.
#include <gtest/gtest.h>

#include "conversion/angle_text.h"
#include "conversion/memory_board.h"
#include "tests/case_names.h"
#include "window/modes.h"

namespace angoli {
namespace {

const std::string kNoAngle = "Negli appunti non c'è un angolo";
const std::string kTooWide = "L'angolo negli appunti non sta nelle celle";
const std::string kMinutes = "I minuti devono essere compresi tra 0 e 59";

struct PasteCase {
  std::string clipboard;
  std::vector<std::string> cells;  // the input row's, left to right; none: refused
  std::string message;             // the first warning shown, if any
  std::string copied;              // "Copia angolo" of the row; "": refused
};
PasteCase Refused(std::string clipboard, std::string message) {
  return {std::move(clipboard), {}, std::move(message), ""};
}
void PrintTo(const PasteCase& c, std::ostream* os) { *os << '\'' << c.clipboard << '\''; }

class PasteAngleTest : public testing::TestWithParam<PasteCase> {};

TEST_P(PasteAngleTest, FillsTheRowOrLeavesTheBoard) {
  const PasteCase& c = GetParam();
  MemoryBoard board;
  OnRowChosen(board, Row::C);
  board.Type(Cell::C1, "7");
  board.SetFocus(Cell::C2);
  const auto before = board.Texts();
  const Pasted pasted = PasteAngle(board, c.clipboard);
  if (c.cells.empty()) {
    EXPECT_FALSE(pasted.row);
    EXPECT_EQ(board.Texts(), before);
    EXPECT_EQ(board.Focus(), Cell::C2);
    EXPECT_EQ(board.Messages(), (std::vector<ShownMessage>{{c.message, "ATTENZIONE"}}));
    return;
  }
  const Row row = kRows[c.cells.size() - 2];
  ASSERT_EQ(pasted.row, row);
  EXPECT_FALSE(board.Locked(FirstCell(row)));
  std::vector<std::string> texts;
  for (Cell cell : CellsOf(row)) texts.push_back(board.Text(cell));
  EXPECT_EQ(texts, c.cells);
  EXPECT_EQ(pasted.converted, c.message.empty());
  EXPECT_EQ(board.Messages().empty() ? "" : board.Messages().front().text, c.message);
  EXPECT_EQ(CopyAngle(board, row).value_or(""), c.copied);
  if (c.copied.empty()) {
    EXPECT_EQ(board.Messages().back().text, "La riga non contiene un angolo da copiare");
  }
}

INSTANTIATE_TEST_SUITE_P(
    ClipboardTexts, PasteAngleTest,
    testing::Values(
        PasteCase{"45,50833", {"45", "50833"}, "", "45,50833"},
        PasteCase{"45.5°", {"45", "5"}, "", "45,5"},
        PasteCase{"-5,25", {"-5", "25"}, "", "-5,25"},
        PasteCase{"45,123456", {"45", "12346"}, "", "45,12346"},
        PasteCase{"45° 30,4998′", {"45", "30", "4998"}, "", "45° 30,4998′"},
        PasteCase{"S 5° 15'", {"-5", "15", "0"}, "", "-5° 15,0′"},
        PasteCase{"12 34.56789", {"12", "34", "5679"}, "", "12° 34,5679′"},
        PasteCase{"45°30'30,5\"", {"45", "30", "30", "5"}, "", "45° 30′ 30,5″"},
        PasteCase{"45:30:30", {"45", "30", "30", "0"}, "", "45° 30′ 30,0″"},
        PasteCase{"59° 59′ 59,9996″", {"60", "00", "00", "000"}, "", "60° 00′ 00,000″"},
        PasteCase{"45° 30,4998′", {"45", "30", "4998"}, "", "45° 30,4998′"},
        PasteCase{"45° 30′ 29,988″", {"45", "30", "29", "988"}, "", "45° 30′ 29,988″"},
        // Blanks of every kind, marks of every kind, signs and letters.
        PasteCase{" \t45\u00A0º 30’\r\n", {"45", "30", "0"}, "", "45° 30,0′"},
        PasteCase{"45˚30m15''", {"45", "30", "15", "0"}, "", "45° 30′ 15,0″"},
        PasteCase{"45d 30m 15s", {"45", "30", "15", "0"}, "", "45° 30′ 15,0″"},
        Refused("45° 30” ", kNoAngle), PasteCase{"45° 30′ 15”", {"45", "30", "15", "0"}, "", "45° 30′ 15,0″"},
        PasteCase{"+011° 15′", {"11", "15", "0"}, "", "11° 15,0′"},
        PasteCase{"5° 15′ O", {"-5", "15", "0"}, "", "-5° 15,0′"},
        PasteCase{"W0,5", {"-0", "5"}, "", "-0,5"}, PasteCase{"N 45", {"45", "0"}, "", "45,0"},
        PasteCase{"45E", {"45", "0"}, "", "45,0"}, PasteCase{"-005", {"-5", "0"}, "", "-5,0"},
        PasteCase{"45° 75′", {"45", "75", "0"}, kMinutes, ""},
        PasteCase{"45° 5′ 59,9996″", {"45", "6", "00", "000"}, "", "45° 6′ 00,000″"},
        Refused("-9,999996", kTooWide), Refused("99° 59,99996′", kTooWide),
        Refused("100°", kTooWide), Refused("-10°", kTooWide),
        Refused("45° 100′", kTooWide),
        Refused("ciao", kNoAngle), Refused("45,5° 30′", kNoAngle),
        Refused("45° 30°", kNoAngle), Refused("", kNoAngle),
        Refused("30′", kNoAngle), Refused("-S 5", kNoAngle),
        Refused("S 5 N", kNoAngle), Refused("1.000,5", kNoAngle),
        Refused("4,5e1", kNoAngle), Refused("١٢", kNoAngle),
        Refused("45:30:", kNoAngle), Refused("1 2 3 4", kNoAngle),
        Refused("45,", kNoAngle), Refused(",5", kNoAngle),
        Refused("45 s", kNoAngle), Refused("45° 30′ 15″ 5", kNoAngle)),
    CaseName());

}  // namespace
}  // namespace angoli
