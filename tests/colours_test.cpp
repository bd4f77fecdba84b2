// The window's colours with and without a contrast theme.
#include <gtest/gtest.h>

#include <string_view>

#include "tests/case_names.h"
#include "window/colours.h"

namespace angoli::form {
namespace {

constexpr Rgb kWhite{255, 255, 255}, kGrey{128, 128, 128}, kGreen{63, 242, 63};
constexpr Rgb kBlue{0, 0, 255}, kYellow{255, 255, 192}, kOrange{255, 224, 192};
constexpr Desktop kPlain{false, kWhite, kBlack, kGrey};
constexpr Desktop kDarkContrast{true, kBlack, kWhite, kGreen};  // a dark contrast theme

struct PaintCase {
  std::string_view control;  // "" : the window
  Rgb cellText;
  const Desktop* desktop;
  Paint expected;
};
void PrintTo(const PaintCase& c, std::ostream* os) {
  *os << (c.control.empty() ? "window" : c.control) << (c.cellText == kRed ? " red" : "")
      << (c.desktop->contrast ? " contrast" : "");
}

class PaintTest : public testing::TestWithParam<PaintCase> {};

TEST_P(PaintTest, TableColoursOrTheThemes) {
  const PaintCase& c = GetParam();
  const ControlLine* line = nullptr;
  for (const ControlLine& each : kControls)
    if (each.name == c.control) line = &each;
  EXPECT_EQ(PaintOf(line, c.cellText, *c.desktop), c.expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Controls, PaintTest, testing::Values(
    PaintCase{"", kBlack, &kPlain, {kBlack, kWindowBack}},
    PaintCase{"A1", kBlack, &kPlain, {kBlack, kYellow}},
    PaintCase{"B1", kRed, &kPlain, {kRed, kYellow}},
    PaintCase{"lbGradi", kBlack, &kPlain, {kBlue, kOrange}},
    PaintCase{"Label8", kBlack, &kPlain, {kBlue, kWindowBack}},
    PaintCase{"Label9", kBlack, &kPlain, {kBlack, kWindowBack}},
    PaintCase{"OptA", kBlack, &kPlain, {kBlack, kWindowBack}},
    PaintCase{"", kBlack, &kDarkContrast, {kWhite, kBlack}},
    PaintCase{"A1", kBlack, &kDarkContrast, {kWhite, kBlack}},
    PaintCase{"B1", kRed, &kDarkContrast, {kGreen, kBlack}},  // the result rows stand apart
    PaintCase{"lbGradi", kBlack, &kDarkContrast, {kWhite, kBlack}},
    PaintCase{"Label9", kBlack, &kDarkContrast, {kWhite, kBlack}},
    PaintCase{"OptA", kBlack, &kDarkContrast, {kWhite, kBlack}}),
    CaseName());
// clang-format on

}  // namespace
}  // namespace angoli::form
