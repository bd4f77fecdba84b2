#include "conversion/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>
#include <utility>

namespace angoli {
namespace {

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// The double nearest to a number text that has too many digits for the
// short reading; the text has the number form already.
std::optional<double> ReadLongNumber(std::string_view text) {
  std::string pointed(text);
  const auto comma = pointed.find(',');
  if (comma != std::string::npos) pointed[comma] = '.';
  double value = 0;
  const char* end = pointed.data() + pointed.size();
  const auto [ptr, error] = std::from_chars(pointed.data(), end, value);
  if (error != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

// Adds one to a string of decimal digits: "099" -> "100", "99" -> "100".
void Increment(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

// |x| rounded to 15 significant digits and then to n decimals, as a count of
// 10^-n units in decimal digits: (0.00005, 4) -> "1"; (59.99996, 4) -> "600000".
std::string RoundedUnits(double x, int n) {
  constexpr int kSignificant = 15;
  char buffer[64];
  // "d.dddddddddddddde±XX": the double correctly rounded to 15 digits.
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x),
                                     std::chars_format::scientific, kSignificant - 1);
  const std::string_view scientific(buffer, static_cast<std::size_t>(written.ptr - buffer));
  std::string digits;
  digits += scientific[0];
  digits.append(scientific.substr(2, kSignificant - 1));
  const std::string_view exponentText = scientific.substr(scientific.find('e') + 1);
  int exponent = 0;
  std::from_chars(exponentText.data() + 1, exponentText.data() + exponentText.size(), exponent);
  if (exponentText[0] == '-') exponent = -exponent;

  // The 15 digits count units of 10^(exponent - 14); rescale them to 10^-n.
  const int shift = exponent - (kSignificant - 1) + n;
  if (shift >= 0) return digits + std::string(static_cast<std::size_t>(shift), '0');
  const int kept = kSignificant + shift;
  if (kept < 0) return "0";
  std::string units = digits.substr(0, static_cast<std::size_t>(kept));
  const bool roundUp = digits[static_cast<std::size_t>(kept)] >= '5';  // ties away from zero
  if (units.empty()) units = "0";
  if (roundUp) Increment(units);
  return units;
}

// x rounded at n >= 0 decimals as its sign and its units of 10^-n, at least
// n + 1 digits: (-0.0916667, 5) -> {true, "009167"}; (-0.00001, 3) -> {false, "0000"}.
struct SignedUnits {
  bool negative;
  std::string units;
};
SignedUnits UnitsAt(double x, std::size_t decimals) {
  std::string units = RoundedUnits(x, static_cast<int>(decimals));
  if (units.size() <= decimals) units.insert(0, decimals + 1 - units.size(), '0');
  const bool isZero = units.find_first_not_of('0') == std::string::npos;
  return {x < 0 && !isZero, std::move(units)};
}

}  // namespace

std::optional<double> ReadNumber(std::string_view text) {
  // One pass checks the form -?D+(,D+)? and gathers the digits. Up to 15
  // digits in all make a whole number that a double holds exactly, and one
  // division by an exact power of ten rounds once, to the nearest double.
  constexpr int kExactDigits = 15;
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const bool negative = !text.empty() && text[0] == '-';
  std::size_t pos = negative ? 1 : 0;
  std::int64_t digits = 0;
  int count = 0;
  int decimals = 0;
  const auto gather = [&](bool afterComma) {
    const std::size_t start = pos;
    for (; pos < text.size() && IsAsciiDigit(text[pos]); ++pos) {
      if (++count <= kExactDigits) digits = digits * 10 + (text[pos] - '0');
      if (afterComma) ++decimals;
    }
    return pos > start;
  };
  if (!gather(false)) return std::nullopt;
  if (pos < text.size()) {
    if (text[pos] != ',') return std::nullopt;
    ++pos;
    if (!gather(true) || pos < text.size()) return std::nullopt;
  }
  if (count > kExactDigits) return ReadLongNumber(text);
  const double value = static_cast<double>(digits) / kPowersOfTen[decimals];
  return negative ? -value : value;
}

bool IsNumberText(std::string_view text) { return ReadNumber(text).has_value(); }

std::string JoinWithComma(std::string_view whole, std::string_view digits) {
  std::string joined(whole.size() + 1 + digits.size(), ',');
  whole.copy(joined.data(), whole.size());
  digits.copy(joined.data() + whole.size() + 1, digits.size());
  return joined;
}

double WholePart(double x) { return std::floor(x); }

std::string FormatDecimals(double x, int n) {
  if (!std::isfinite(x)) return std::string();
  const std::size_t decimals = n < 0 ? 0 : static_cast<std::size_t>(n);
  const auto [negative, units] = UnitsAt(x, decimals);
  std::string text = negative ? "-" : "";
  text.append(units, 0, units.size() - decimals);
  if (decimals > 0) {
    text += ',';
    text.append(units, units.size() - decimals, decimals);
  }
  return text;
}

Rounded RoundAt(double x, int n) {
  if (!std::isfinite(x)) return {0, std::string()};
  // The units split where FormatDecimals puts its comma, without writing it.
  const std::size_t decimals = n < 0 ? 0 : static_cast<std::size_t>(n);
  const auto [negative, units] = UnitsAt(x, decimals);
  const std::size_t wholeDigits = units.size() - decimals;
  const double whole = ReadNumber(std::string_view(units).substr(0, wholeDigits)).value_or(0);
  return {negative ? -whole : whole, units.substr(wholeDigits)};
}

std::string DecimalDigits(double x, int n) { return RoundAt(x, n).digits; }

std::string WholeToText(double whole) {
  if (!std::isfinite(whole)) return std::string();
  char buffer[400];  // the widest double has 309 whole digits
  constexpr double kExactIntegers = 9007199254740992.0;  // 2^53
  const auto written =
      std::fabs(whole) < kExactIntegers
          ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(whole))
          : std::to_chars(buffer, buffer + sizeof buffer, whole, std::chars_format::fixed, 0);
  return std::string(buffer, written.ptr);
}

}  // namespace angoli
