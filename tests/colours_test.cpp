// The window's colours with and without a contrast theme.
#include <gtest/gtest.h>

#include <string_view>

#include "window/colours.h"

namespace angoli::form {
namespace {

constexpr Rgb kWhite{255, 255, 255}, kGrey{128, 128, 128}, kGreen{63, 242, 63};
constexpr Rgb kBlue{0, 0, 255}, kYellow{255, 255, 192}, kOrange{255, 224, 192};
constexpr Desktop kPlain{false, kWhite, kBlack, kGrey};
constexpr Desktop kDarkContrast{true, kBlack, kWhite, kGreen};  // a dark contrast theme

// Each control's colours, by its name in the window table ("": the window).
TEST(PaintTest, TableColoursOrTheThemes) {
  struct Row {
    std::string_view control;
    Rgb cellText;
    const Desktop& desktop;
    Paint expected;
  };
  const Row rows[] = {
      {"", kBlack, kPlain, {kBlack, kWindowBack}},       {"A1", kBlack, kPlain, {kBlack, kYellow}},
      {"B1", kRed, kPlain, {kRed, kYellow}},             {"lbGradi", kBlack, kPlain, {kBlue, kOrange}},
      {"Label8", kBlack, kPlain, {kBlue, kWindowBack}},  {"Label9", kBlack, kPlain, {kBlack, kWindowBack}},
      {"OptA", kBlack, kPlain, {kBlack, kWindowBack}},   {"", kBlack, kDarkContrast, {kWhite, kBlack}},
      {"A1", kBlack, kDarkContrast, {kWhite, kBlack}},   {"B1", kRed, kDarkContrast, {kGreen, kBlack}},
      {"lbGradi", kBlack, kDarkContrast, {kWhite, kBlack}}, {"OptA", kBlack, kDarkContrast, {kWhite, kBlack}},
  };
  for (const Row& row : rows) {
    const ControlLine* line = nullptr;
    for (const ControlLine& each : kControls)
      if (each.name == row.control) line = &each;
    EXPECT_EQ(PaintOf(line, row.cellText, row.desktop), row.expected) << row.control << row.desktop.contrast;
  }
}

}  // namespace
}  // namespace angoli::form
