// Cutting and counting cell texts by characters, never inside a UTF-8 sequence.
#include <gtest/gtest.h>

#include <string>

#include "conversion/utf8_text.h"
#include "tests/case_names.h"

namespace angoli {
namespace {

struct CutCase {
  std::string text;
  std::size_t n;
  std::size_t count;  // CharCount(text)
  std::string first;  // FirstChars(text, n)
  std::string last;   // LastChars(text, n)
};
void PrintTo(const CutCase& c, std::ostream* os) { *os << '\'' << c.text << "' cut at " << c.n; }

class Utf8CutTest : public testing::TestWithParam<CutCase> {};

TEST_P(Utf8CutTest, CountsAndCutsByCharacters) {
  const CutCase& c = GetParam();
  EXPECT_EQ(CharCount(c.text), c.count);
  EXPECT_EQ(FirstChars(c.text, c.n), c.first);
  EXPECT_EQ(LastChars(c.text, c.n), c.last);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Utf8CutTest,
    testing::Values(CutCase{"5083333", 5, 7, "50833", "83333"}, CutCase{"12", 4, 2, "12", "12"},
                    CutCase{"", 2, 0, "", ""}, CutCase{"30,4998", 4, 7, "30,4", "4998"},
                    CutCase{"àè5", 2, 3, "àè", "è5"}, CutCase{"€€€", 2, 3, "€€", "€€"},
                    CutCase{"😀x", 1, 2, "😀", "x"},
                    // Malformed bytes count one each and are never glued to a neighbour.
                    CutCase{"\xC3" "5", 1, 2, "\xC3", "5"}, CutCase{"\xFF\xFE", 1, 2, "\xFF", "\xFE"},
                    CutCase{"\xE2\x82", 1, 2, "\xE2", "\x82"}),
    CaseName());

TEST(Utf8ValidTest, ReplacesWhatAKeyboardCouldNotType) {
  EXPECT_TRUE(IsValidUtf8("àè€😀"));
  EXPECT_FALSE(IsValidUtf8("\xC3"));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong '/'
  EXPECT_FALSE(IsValidUtf8("\xE0\x9F\xBF"));      // overlong U+07FF in three bytes
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
  EXPECT_EQ(ToValidUtf8("a\xFF"), "a\xEF\xBF\xBD");
  EXPECT_EQ(ToValidUtf8("45"), "45");
  EXPECT_EQ(ToValidUtf8("\xE2\x82" "5"), "\xEF\xBF\xBD\xEF\xBF\xBD" "5");
  EXPECT_TRUE(IsValidUtf8(ToValidUtf8("\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80")));
}

}  // namespace
}  // namespace angoli
