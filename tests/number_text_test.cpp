// Number texts: reading with the decimal comma, rounding and writing.
#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <iomanip>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "conversion/number_text.h"
#include "tests/case_names.h"

namespace angoli {
namespace {

struct ReadCase {
  std::string text;
  std::optional<double> value;  // nothing: not a number text
};
void PrintTo(const ReadCase& c, std::ostream* os) { *os << '\'' << c.text << '\''; }

class ReadNumberTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumberTest, ReadsTheNearestDoubleOrRefuses) {
  const ReadCase& c = GetParam();
  const std::optional<double> read = ReadNumber(c.text);
  EXPECT_EQ(IsNumberText(c.text), c.value.has_value()) << '\'' << c.text << '\'';
  ASSERT_EQ(read.has_value(), c.value.has_value()) << '\'' << c.text << '\'';
  if (c.value) {
    EXPECT_EQ(*read, *c.value) << std::setprecision(17) << *read << " read, not " << *c.value;
  }
}

INSTANTIATE_TEST_SUITE_P(
    NumberTexts, ReadNumberTest,
    testing::Values(
        ReadCase{"0", 0.0}, ReadCase{"59", 59.0}, ReadCase{"-5", -5.0}, ReadCase{"07", 7.0},
        ReadCase{"30,5", 30.5}, ReadCase{"5,5", 5.5}, ReadCase{"5,05", 5.05},
        ReadCase{"45,50833", 45.50833}, ReadCase{"-5,25", -5.25},
        ReadCase{"45,05", 45.049999999999997}, ReadCase{"59,9", 59.9},
        ReadCase{"-0", -0.0}, ReadCase{"0,00001", 0.00001}, ReadCase{"99,99999", 99.99999},
        ReadCase{"99,99999999999999", 99.99999999999999},  // 16 digits: no double holds them all
        // Anything else is refused, whatever the machine's locale would take.
        ReadCase{"", std::nullopt}, ReadCase{"-", std::nullopt}, ReadCase{",5", std::nullopt},
        ReadCase{"5,", std::nullopt}, ReadCase{"5.5", std::nullopt},
        ReadCase{"+5", std::nullopt}, ReadCase{" 5", std::nullopt}, ReadCase{"5 ", std::nullopt},
        ReadCase{"1e5", std::nullopt}, ReadCase{"x5", std::nullopt}, ReadCase{"-,", std::nullopt},
        ReadCase{"12,-5", std::nullopt}, ReadCase{"12,1,5", std::nullopt},
        ReadCase{",5,5", std::nullopt}, ReadCase{"--5", std::nullopt},
        ReadCase{"1.000", std::nullopt}, ReadCase{"inf", std::nullopt},
        ReadCase{"nan", std::nullopt}, ReadCase{"0x1", std::nullopt},
        ReadCase{"\xD9\xA5", std::nullopt},  // ARABIC-INDIC DIGIT FIVE
        ReadCase{std::string(400, '9'), std::nullopt}),  // beyond any double
    CaseName());

TEST(ReadNumberTest, IgnoresTheMachinesLocale) {
  // A locale with the decimal comma must not make "5.5" a number, nor break "5,5".
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  if (std::setlocale(LC_ALL, "it_IT.UTF-8") == nullptr) std::setlocale(LC_ALL, "C.UTF-8");
  EXPECT_EQ(ReadNumber("5,5"), std::optional<double>(5.5));
  EXPECT_EQ(ReadNumber("5.5"), std::nullopt);
  EXPECT_EQ(FormatDecimals(5.5, 1), "5,5");
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(JoinWithCommaTest, JoinsAsTyped) {
  EXPECT_EQ(JoinWithComma("45", "50833"), "45,50833");
  EXPECT_EQ(JoinWithComma("30", "5"), "30,5");
  EXPECT_EQ(JoinWithComma(" 1", "-5"), " 1,-5");
  // Read as the joined text reads, also when it is too long for the short reading.
  for (const std::string& whole : {std::string("45"), std::string("-0"), std::string("4,5"),
                                   std::string("-"), std::string(70, '1'), std::string()})
    for (std::string_view digits : {"50833", "", "5x"})
      EXPECT_EQ(ReadJoinedNumber(whole, digits), ReadNumber(JoinWithComma(whole, digits))) << whole << digits;
}

struct FormatCase {
  double x;
  int decimals;
  std::string formatted;
  std::string digits;  // DecimalDigits of the same
};
void PrintTo(const FormatCase& c, std::ostream* os) {
  char x[32];  // the shortest text that reads back as c.x
  *os << std::string_view(x, std::to_chars(x, x + sizeof x, c.x).ptr - x) << " at " << c.decimals;
}

class FormatDecimalsTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatDecimalsTest, RoundsOnceAndWritesTheComma) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatDecimals(c.x, c.decimals), c.formatted) << c.x;
  EXPECT_EQ(DecimalDigits(c.x, c.decimals), c.digits) << c.x;
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatDecimalsTest,
    testing::Values(
        FormatCase{0.5, 4, "0,5000", "5000"}, FormatCase{30.4998, 4, "30,4998", "4998"},
        FormatCase{-0.0916667, 5, "-0,09167", "09167"},
        FormatCase{59.99996, 4, "60,0000", "0000"}, FormatCase{0.9999983, 5, "1,00000", "00000"},
        FormatCase{0, 3, "0,000", "000"}, FormatCase{-0.0, 3, "0,000", "000"},
        FormatCase{-0.00001, 3, "0,000", "000"}, FormatCase{29.988, 3, "29,988", "988"},
        FormatCase{0.5083333333333333, 7, "0,5083333", "5083333"},
        FormatCase{1234567.891, 2, "1234567,89", "89"}, FormatCase{2.5, 0, "3", ""},
        // Decimal halves that no double holds exactly round as on paper, away from zero.
        FormatCase{0.003 / 60, 4, "0,0001", "0001"}, FormatCase{0.0003 / 60, 5, "0,00001", "00001"},
        FormatCase{1.0005, 3, "1,001", "001"}, FormatCase{-1.0005, 3, "-1,001", "001"},
        FormatCase{0.000049, 4, "0,0000", "0000"}, FormatCase{0.00004, 4, "0,0000", "0000"},
        // Noise below the fifteenth digit is not a value of its own.
        FormatCase{2.9999999999998295, 4, "3,0000", "0000"},
        FormatCase{59.99999999998977, 3, "60,000", "000"},
        FormatCase{0.99999999999999989, 5, "1,00000", "00000"},
        FormatCase{1.5e-7, 7, "0,0000002", "0000002"}, FormatCase{123456789012.5, 0, "123456789013", ""},
        // A double exactly halfway at the fifteenth digit rounds that digit to even.
        FormatCase{12345678901234.25, 1, "12345678901234,2", "2"},
        FormatCase{12345678901234.75, 1, "12345678901234,8", "8"},
        FormatCase{1000000000000005.0, 0, "1000000000000000", ""}, FormatCase{1000000000000015.0, 0, "1000000000000020", ""}),
    CaseName());

TEST(FormatDecimalsTest, RefusesNothingFinite) {
  EXPECT_EQ(FormatDecimals(1e300, 1).size(), 303u);
  EXPECT_EQ(FormatDecimals(std::numeric_limits<double>::denorm_min(), 3), "0,000");
  EXPECT_EQ(FormatDecimals(std::numeric_limits<double>::infinity(), 3), "");
}

TEST(WholeToTextTest, PlainDigits) {
  EXPECT_EQ(WholeToText(0), "0");
  EXPECT_EQ(WholeToText(-0.0), "0");
  EXPECT_EQ(WholeToText(5), "5");
  EXPECT_EQ(WholeToText(30), "30");
  EXPECT_EQ(WholeToText(-12), "-12");
  EXPECT_EQ(WholeToText(100), "100");
  EXPECT_EQ(WholeToText(1e23), "99999999999999991611392");  // the double nearest to 10^23
  EXPECT_EQ(WholeToText(-1e22), "-10000000000000000000000");
}

}  // namespace
}  // namespace angoli
