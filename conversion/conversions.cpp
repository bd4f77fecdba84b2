#include "conversion/conversions.h"

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "conversion/number_text.h"
#include "conversion/utf8_text.h"

namespace angoli {
namespace {

// The degrees text one degree further from zero, keeping its sign, or nothing
// when a degrees cell `width` characters wide cannot hold it:
// ('45', 2) -> '46', ('-0', 2) -> '-1', ('99', 2) -> nothing, ('99', 4) -> '100'.
std::optional<std::string> DegreesAfterCarry(std::string_view degrees, std::size_t width) {
  const std::optional<double> value = ReadNumber(degrees);
  if (!value) return std::nullopt;
  std::string carried = std::signbit(*value) ? "-" : "";
  carried += WholeToText(std::fabs(*value) + 1);
  if (CharCount(carried) > width) return std::nullopt;
  return carried;
}

// The degrees and whole minutes of a result row, once the whole minutes carried
// up from below are added. Texts that no carry changed stay as typed.
struct Wholes {
  std::string degrees;
  std::string minutes;
  bool overflow = false;  // a carry took the degrees past their cell
};

// `typedMinutes` is the input row's whole-minutes text; without one the
// minutes are all carried up from the rounded value below them.
Wholes AddCarriedMinutes(std::string_view degrees, std::size_t degreesWidth,
                         std::optional<std::string_view> typedMinutes, double carried) {
  Wholes wholes{std::string(degrees), std::string(), false};
  double minutes = carried;
  if (typedMinutes) {
    if (carried == 0) {
      wholes.minutes = std::string(*typedMinutes);
      return wholes;
    }
    minutes += ReadNumber(*typedMinutes).value_or(0);
  }
  if (minutes >= 60) {
    minutes -= 60;
    const std::optional<std::string> carriedDegrees = DegreesAfterCarry(degrees, degreesWidth);
    if (!carriedDegrees) {
      wholes.overflow = true;
      return wholes;
    }
    wholes.degrees = *carriedDegrees;
  }
  wholes.minutes = WholeToText(minutes);
  return wholes;
}

// Row A from the fraction of a degree below the degrees text.
void WriteRowA(CellBoard& board, std::string_view degrees, double fraction) {
  const Rounded rounded = RoundAt(fraction, 5);
  if (rounded.whole >= 1) {
    const std::optional<std::string> carried = DegreesAfterCarry(degrees, board.Width(Cell::A1));
    if (!carried) {  // the largest angle row A can show
      board.SetText(Cell::A1, degrees);
      board.SetText(Cell::A2, "99999");
      return;
    }
    board.SetText(Cell::A1, *carried);
  } else {
    board.SetText(Cell::A1, degrees);
  }
  board.SetText(Cell::A2, rounded.digits);
}

// Row B from the minutes below the degrees, or below `typedMinutes` when given.
void WriteRowB(CellBoard& board, std::string_view degrees,
               std::optional<std::string_view> typedMinutes, double minutes) {
  const Rounded rounded = RoundAt(minutes, 4);
  const Wholes wholes =
      AddCarriedMinutes(degrees, board.Width(Cell::B1), typedMinutes, rounded.whole);
  if (wholes.overflow) {  // the largest angle row B can show
    board.SetText(Cell::B1, degrees);
    board.SetText(Cell::B2, "59");
    board.SetText(Cell::B3, "9999");
    return;
  }
  board.SetText(Cell::B1, wholes.degrees);
  board.SetText(Cell::B2, wholes.minutes);
  board.SetText(Cell::B3, rounded.digits);
}

// Row C from the seconds below the degrees, or below `typedMinutes` when given.
void WriteRowC(CellBoard& board, std::string_view degrees,
               std::optional<std::string_view> typedMinutes, double seconds) {
  const Rounded rounded = RoundAt(seconds, 3);
  const double carriedMinutes = WholePart(rounded.whole / 60);
  const double wholeSeconds = rounded.whole - 60 * carriedMinutes;
  const Wholes wholes =
      AddCarriedMinutes(degrees, board.Width(Cell::C1), typedMinutes, carriedMinutes);
  if (wholes.overflow) {  // the largest angle row C can show
    board.SetText(Cell::C1, degrees);
    board.SetText(Cell::C2, "59");
    board.SetText(Cell::C3, "59");
    board.SetText(Cell::C4, "999");
    return;
  }
  board.SetText(Cell::C1, wholes.degrees);
  board.SetText(Cell::C2, wholes.minutes);
  board.SetText(Cell::C3, WholeToText(wholeSeconds));
  board.SetText(Cell::C4, rounded.digits);
}

}  // namespace

bool CalcoloA(CellBoard& board) {
  // Views of the input row's texts: only the two other rows are written.
  const CellText degrees(board, Cell::A1);
  const std::optional<double> x =
      ReadJoinedNumber(degrees.View(), CellText(board, Cell::A2).View());
  if (!x) return false;
  const double magnitude = std::fabs(*x);
  const double fraction = magnitude - WholePart(magnitude);
  WriteRowB(board, degrees.View(), std::nullopt, fraction * 60);
  WriteRowC(board, degrees.View(), std::nullopt, fraction * 3600);
  return true;
}

bool CalcoloB(CellBoard& board) {
  const CellText wholeMinutes(board, Cell::B2);
  const std::optional<double> m =
      ReadJoinedNumber(wholeMinutes.View(), CellText(board, Cell::B3).View());
  if (!m) return false;
  const CellText degrees(board, Cell::B1);
  WriteRowA(board, degrees.View(), *m / 60);
  WriteRowC(board, degrees.View(), wholeMinutes.View(), (*m - WholePart(*m)) * 60);
  return true;
}

bool CalcoloC(CellBoard& board) {
  const std::optional<double> s =
      ReadJoinedNumber(CellText(board, Cell::C3).View(), CellText(board, Cell::C4).View());
  const CellText wholeMinutes(board, Cell::C2);
  const std::optional<double> w = ReadNumber(wholeMinutes.View());
  if (!s || !w) return false;
  const CellText degrees(board, Cell::C1);
  const double q = *s / 60;
  WriteRowA(board, degrees.View(), (q + *w) / 60);
  WriteRowB(board, degrees.View(), wholeMinutes.View(), q);
  return true;
}

bool Calcolo(CellBoard& board, Row row) {
  switch (row) {
    case Row::A:
      return CalcoloA(board);
    case Row::B:
      return CalcoloB(board);
    case Row::C:
      return CalcoloC(board);
  }
  return false;
}

}  // namespace angoli
