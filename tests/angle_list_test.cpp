// Lists of angles: each line's table line, lines cut from pieces of input,
// and a whole clipboard converted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list/angle_list.h"
#include "tests/case_names.h"
#include "window/modes.h"

namespace angoli {
namespace {

struct LineCase {
  std::string line;
  std::string table;  // the table line; "=" stands for the line itself in the first column
};
void PrintTo(const LineCase& c, std::ostream* os) { *os << '\'' << c.line << '\''; }

class LineTest : public testing::TestWithParam<LineCase> {};

TEST_P(LineTest, GivesItsTableLine) {
  static LineConverter converter;  // one for every case, as for every line of a list
  const LineCase& c = GetParam();
  std::string expected = c.table;
  if (expected.substr(0, 1) == "=") expected.replace(0, 1, c.line);
  std::string table;
  AppendTableLine(table, c.line, converter.Convert(c.line));
  EXPECT_EQ(table, expected);
}

const std::string kRefused = "\t\t\t\t";

INSTANTIATE_TEST_SUITE_P(
    Lines, LineTest,
    testing::Values(
        LineCase{"45° 30′ 29,988″", "=\t45,50833\t45° 30,4998′\t45° 30′ 29,988″\t"},
        LineCase{"\u00A0 45,5\t", "45,5\t45,5\t45° 30,0000′\t45° 30′ 0,000″\t"},
        LineCase{"\u22125,25", "=\t-5,25\t-5° 15,0000′\t-5° 15′ 0,000″\t"},
        LineCase{"45\t30", "45 30\t45,50000\t45° 30,0′\t45° 30′ 0,000″\t"},
        LineCase{"123,5", "=\t123,5\t123° 30,0000′\t123° 30′ 0,000″\t"},
        LineCase{"45° 30′ W", "=\t-45,50000\t-45° 30,0′\t-45° 30′ 0,000″\t"},
        LineCase{"011° 15′", "=\t011,25000\t011° 15,0′\t011° 15′ 0,000″\t"},
        LineCase{"359° 59′ 59,9996″", "=\t360,00000\t360° 00,0000′\t360° 00′ 00,000″\t"},
        LineCase{"9999 59,9999", "=\t9999,99999\t9999° 59,9999′\t9999° 59′ 59,994″\t"},
        LineCase{"-999,5", "=\t-999,5\t-999° 30,0000′\t-999° 30′ 0,000″\t"},
        LineCase{"9999 59,99999", "=" + kRefused + "gradi troppo grandi"},
        LineCase{"10000", "=" + kRefused + "gradi troppo grandi"},
        LineCase{"-1000", "=" + kRefused + "gradi troppo grandi"},
        LineCase{"45° 75′", "=" + kRefused + "I minuti devono essere compresi tra 0 e 59"},
        LineCase{"45 30 75,5", "=" + kRefused + "I secondi devono essere compresi tra 0 e 59"},
        LineCase{"ciao", "=" + kRefused + "non è un angolo"},
        LineCase{"1 2 3 4", "=" + kRefused + "non è un angolo"},
        LineCase{"45.4642, 9.1900", "=" + kRefused + "contiene due angoli"},
        LineCase{"45°27'51\"N 9°11'29\"E", "=" + kRefused + "contiene due angoli"},
        LineCase{"45\xFF", "45\uFFFD" + kRefused + "non è un angolo"},
        LineCase{std::string("4\0" "5", 3), "4\uFFFD5" + kRefused + "non è un angolo"},
        LineCase{std::string(1001, '5'), std::string(100, '5') + "\u2026" + kRefused + "non è un angolo"},
        LineCase{" \t\u00A0", ""}, LineCase{"", ""}),
    CaseName());

// Pieces of input, and the lines cut from them joined by '|'.
struct SplitCase {
  std::vector<std::string> pieces;
  std::string lines;
};
void PrintTo(const SplitCase& c, std::ostream* os) { *os << '\'' << c.lines << '\''; }

class SplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, CutsLinesAtEveryLineEnd) {
  const SplitCase& c = GetParam();
  LineSplitter splitter;
  std::string lines;
  const auto onLine = [&lines](std::string_view line) { lines += std::string(line) + "|"; };
  for (const std::string& piece : c.pieces) splitter.Feed(piece, onLine);
  splitter.Finish(onLine);
  EXPECT_EQ(lines, c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, SplitTest,
    testing::Values(SplitCase{{"45\n30\r\n40\r50"}, "45|30|40|50|"},
                    SplitCase{{"45\r", "\n30\r", "", "40\n\n"}, "45|30|40||"},
                    SplitCase{{"\xEF\xBB", "\xBF" "45\n"}, "45|"},
                    SplitCase{{"\xEF", "45"}, "\xEF" "45|"}, SplitCase{{"\xEF\xBB"}, "\xEF\xBB|"},
                    SplitCase{{"4", "5", "\n"}, "45|"}, SplitCase{{}, ""},
                    SplitCase{{std::string(700, '5'), std::string(700, '5') + "\n4"},
                              std::string(kLongestLine + 1, '5') + "|4|"}),
    CaseName());

TEST(ListTest, ClipboardListKeepsItsBlankLinesAndCounts) {
  const ListOnClipboard list = ConvertClipboardList("\xEF\xBB\xBF" "45,5\r\n\r\nciao\r\n", "\r\n");
  EXPECT_EQ(list.table.value_or("-"),
            "45,5\t45,5\t45° 30,0000′\t45° 30′ 0,000″\t\r\n\r\nciao\t\t\t\tnon è un angolo\r\n");
  EXPECT_EQ(list.message, "1 angolo su 2 convertito. La tabella è negli appunti.");
  EXPECT_EQ(list.title, "Conversione angoli");
  const ListOnClipboard none = ConvertClipboardList("ciao\n\n", "\n");
  EXPECT_FALSE(none.table);
  EXPECT_EQ(none.message, "Negli appunti non c'è un elenco di angoli");
  EXPECT_EQ(none.title, "ATTENZIONE");
}

}  // namespace
}  // namespace angoli
