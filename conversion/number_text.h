#pragma once
// How cell texts become numbers and numbers become cell texts. The decimal
// separator is the comma in every locale: nothing here reads the C locale.

#include <optional>
#include <string>
#include <string_view>

namespace angoli {

// True exactly for an optional leading '-', one or more ASCII digits, and
// optionally one ',' followed by one or more ASCII digits, when the value is
// a finite double.
// IsNumberText("-5,25") -> true; IsNumberText("") -> false; IsNumberText(",5") -> false
bool IsNumberText(std::string_view text);

// The double nearest to the decimal value written, or nothing when the text is
// not a number text.
// ReadNumber("30,5") -> 30.5; ReadNumber("45,05") -> 45.049999999999997;
// ReadNumber("5.5") -> nullopt
std::optional<double> ReadNumber(std::string_view text);

// JoinWithComma("45", "50833") -> "45,50833"; JoinWithComma("30", "5") -> "30,5"
std::string JoinWithComma(std::string_view whole, std::string_view digits);

// ReadNumber(JoinWithComma(whole, digits)) without writing the joined text:
// ReadJoinedNumber("45", "50833") -> 45.50833; ("45", "") -> nullopt
std::optional<double> ReadJoinedNumber(std::string_view whole, std::string_view digits);

// Toward minus infinity: WholePart(30.4998) -> 30; WholePart(-5.25) -> -6
double WholePart(double x);

// x rounded at n decimals, written with a comma and exactly n decimals. The
// value is first rounded to 15 significant digits, then to n decimals with ties
// away from zero, so a decimal half rounds as a person would round it.
// FormatDecimals(0.5, 4) -> "0,5000"; FormatDecimals(59.99996, 4) -> "60,0000";
// FormatDecimals(-0.0916667, 5) -> "-0,09167"; FormatDecimals(0.003 / 60, 4) -> "0,0001"
// A value that rounds to zero carries no sign: FormatDecimals(-0.00001, 3) -> "0,000".
std::string FormatDecimals(double x, int n);

// FormatDecimals(x, n) split at the comma, so the whole units and the digits
// always agree: RoundAt(59.99996, 4) -> {60, "0000"}; RoundAt(-5.25, 1) -> {-5, "3"}.
struct Rounded {
  double whole;        // the signed text before the comma, as a number
  std::string digits;  // the n digits after the comma
};
Rounded RoundAt(double x, int n);

// The n digits after the comma of FormatDecimals(x, n), never a sign nor a carry.
// DecimalDigits(-0.0916667, 5) -> "09167"; DecimalDigits(59.99996, 4) -> "0000"
std::string DecimalDigits(double x, int n);

// A whole value in plain digits: WholeToText(0) -> "0"; WholeToText(-12) -> "-12"
std::string WholeToText(double whole);

}  // namespace angoli
