#include "conversion/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace angoli {
namespace {

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

#ifdef __SIZEOF_INT128__
// Wide enough for a 53-bit mantissa times 5^22, exactly.
__extension__ typedef unsigned __int128 Unsigned128;
#endif

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

// The digits of a number text, gathered piece by piece. Up to 15 digits in
// all make a whole number that a double holds exactly, and one division by
// an exact power of ten rounds once, to the nearest double.
// Take("45") then Take("5") -> Value(false, 1) == 45.5
class GatheredDigits {
 public:
  // Gathers the ASCII digits at the start of `text`; returns how many.
  std::size_t Take(std::string_view text) {
    std::size_t taken = 0;
    for (; taken < text.size() && IsAsciiDigit(text[taken]); ++taken)
      if (++count_ <= kExactDigits) digits_ = digits_ * 10 + (text[taken] - '0');
    return taken;
  }
  bool Exact() const { return count_ <= kExactDigits; }
  // The digits as a number with `decimals` of them after the comma; Exact() only.
  double Value(bool negative, std::size_t decimals) const {
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const double value = static_cast<double>(digits_) / kPowersOfTen[decimals];
    return negative ? -value : value;
  }

 private:
  static constexpr int kExactDigits = 15;
  std::int64_t digits_ = 0;
  int count_ = 0;
};

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

// 5^0 to 5^22: 10^k is 5^k * 2^k.
constexpr std::array<std::uint64_t, 23> kPowersOfFive = [] {
  std::array<std::uint64_t, 23> powers{};
  powers[0] = 1;
  for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 5;
  return powers;
}();

// A finite double's magnitude as mantissa * 2^exponent, subnormals included:
// 0.375 -> {3 * 2^51, -53}; 1 -> {2^52, -52}.
constexpr int kMantissaBits = 52;
struct BinaryValue {
  std::uint64_t mantissa;
  int exponent;
};
BinaryValue BinaryOf(double magnitude) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const int biased = static_cast<int>(bits >> kMantissaBits);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << kMantissaBits) - 1);
  if (biased != 0) mantissa |= std::uint64_t{1} << kMantissaBits;
  return {mantissa, std::max(biased, 1) - 1075};
}

// The exact decimal value of a finite double above zero: its digits, without
// zeros at either end, and the power of ten of the first. Worked out here in
// whole numbers, as the library's writer of doubles alone would add about
// 200 KB to the Windows programs.
// 0.375 -> {"375", -1}; 1e23 -> {"99999999999999991611392", 22}; 1e22 -> {"1", 22}
struct ExactDecimal {
  std::string digits;
  int exponent;
};
ExactDecimal ExactDecimalOf(double magnitude) {
  const auto [mantissa, e] = BinaryOf(magnitude);
  // The whole number mantissa * 2^e, or else mantissa * 5^-e, which is
  // magnitude * 10^-e: 32-bit limbs, the lowest first.
  std::vector<std::uint32_t> limbs{static_cast<std::uint32_t>(mantissa), static_cast<std::uint32_t>(mantissa >> 32)};
  for (int left = std::abs(e); left > 0;) {
    const int step = std::min(left, e > 0 ? 31 : 13);  // 2^31 and 5^13 fit a limb
    const std::uint64_t factor = e > 0 ? std::uint64_t{1} << step : kPowersOfFive[static_cast<std::size_t>(step)];
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs) {
      carry += limb * factor;
      limb = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    if (carry != 0) limbs.push_back(static_cast<std::uint32_t>(carry));
    left -= step;
  }
  std::string reversed;  // nine digits at a time, the lowest first
  while (!limbs.empty()) {
    std::uint64_t rest = 0;
    for (auto limb = limbs.rbegin(); limb != limbs.rend(); ++limb) {
      const std::uint64_t current = rest << 32 | *limb;
      *limb = static_cast<std::uint32_t>(current / 1000000000);
      rest = current % 1000000000;
    }
    while (!limbs.empty() && limbs.back() == 0) limbs.pop_back();
    for (int i = 0; i < 9; ++i, rest /= 10) reversed += static_cast<char>('0' + rest % 10);
  }
  const std::size_t last = reversed.find_last_not_of('0');
  const std::size_t first = reversed.find_first_not_of('0');
  std::string digits(reversed.rbegin() + static_cast<std::ptrdiff_t>(reversed.size() - 1 - last),
                     reversed.rend() - static_cast<std::ptrdiff_t>(first));
  return {digits, static_cast<int>(last) + std::min(e, 0)};
}

// |x| rounded to 15 significant digits and then to n decimals, as a count of
// 10^-n units in decimal digits: (0.00005, 4) -> "1"; (59.99996, 4) -> "600000".
std::string RoundedUnits(double x, int n) {
  constexpr std::size_t kSignificant = 15;
  if (x == 0) return "0";
  auto [digits, exponent] = ExactDecimalOf(std::fabs(x));
  // Correctly rounded to 15 digits, an exact half to the even digit.
  if (digits.size() > kSignificant) {
    const std::string_view rest = std::string_view(digits).substr(kSignificant);
    const bool half = rest[0] == '5' && rest.size() == 1;  // no zeros at the end
    const bool odd = (digits[kSignificant - 1] - '0') % 2 == 1;
    const bool up = rest[0] > '5' || (rest[0] == '5' && (!half || odd));
    digits.resize(kSignificant);
    if (up) Increment(digits);
    if (digits.size() > kSignificant) digits.pop_back(), ++exponent;  // 999… -> 1000…
  }
  digits.resize(kSignificant, '0');

  // The 15 digits count units of 10^(exponent - 14); rescale them to 10^-n.
  const int shift = exponent - static_cast<int>(kSignificant - 1) + n;
  if (shift >= 0) return digits + std::string(static_cast<std::size_t>(shift), '0');
  const int kept = static_cast<int>(kSignificant) + shift;
  if (kept < 0) return "0";
  std::string units = digits.substr(0, static_cast<std::size_t>(kept));
  const bool roundUp = digits[static_cast<std::size_t>(kept)] >= '5';  // ties away from zero
  if (units.empty()) units = "0";
  if (roundUp) Increment(units);
  return units;
}

// Powers of ten as whole numbers, 10^0 to 10^19.
constexpr std::array<std::uint64_t, 20> kWholePowersOfTen = [] {
  std::array<std::uint64_t, 20> powers{};
  powers[0] = 1;
  for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
  return powers;
}();

// RoundedUnits(x, n) worked out in whole numbers, without writing the double
// out: |x| = mantissa * 2^e, so |x| * 10^k = mantissa * 5^k * 2^(e + k)
// exactly, in 128 bits. Nothing for the values it leaves to RoundedUnits:
// |x| below 1e-7 or from 1e14 up, units past 10^18, and exact ties at the
// fifteenth digit (whose rounding RoundedUnits decides).
// (0.00005, 4) -> 1; (59.99996, 4) -> 600000; (1e300, 1) -> nothing.
std::optional<std::uint64_t> ExactRoundedUnits(double x, int n) {
#ifndef __SIZEOF_INT128__
  // A 32-bit compiler has no 128-bit whole numbers: RoundedUnits serves.
  static_cast<void>(x);
  static_cast<void>(n);
  return std::nullopt;
#else
  const double magnitude = std::fabs(x);
  if (magnitude == 0) return 0;
  if (!(magnitude >= 1e-7 && magnitude < 1e14) || n < 0) return std::nullopt;
  const auto [mantissa, e] = BinaryOf(magnitude);  // |x| = mantissa * 2^e
  constexpr std::uint64_t kLow = 100000000000000, kHigh = 10 * kLow;  // 15 digits
  // 1233 / 4096 is just above log10(2): a first guess at k, off by at most one.
  int k = 14 - (((e + kMantissaBits) * 1233) >> 12);
  std::uint64_t whole = 0;
  Unsigned128 rest = 0, half = 0;
  for (int tries = 0;; ++tries) {
    if (tries == 3 || k < 0 || k > 22) return std::nullopt;
    const Unsigned128 scaled = Unsigned128{mantissa} * kPowersOfFive[static_cast<std::size_t>(k)];
    const int drop = -(e + k);  // bits below the units of |x| * 10^k
    if (drop <= 0 || drop >= 100) return std::nullopt;
    whole = static_cast<std::uint64_t>(scaled >> drop);
    rest = scaled & ((Unsigned128{1} << drop) - 1);
    half = Unsigned128{1} << (drop - 1);
    if (whole < kLow) ++k;
    else if (whole >= kHigh) --k;
    else break;
  }
  if (rest == half) return std::nullopt;
  std::uint64_t digits = whole + (rest > half ? 1 : 0);  // the 15 digits
  if (digits == kHigh) digits = kLow, --k;
  // The digits count units of 10^-k; rescale them to 10^-n, ties away from zero.
  const int shift = n - k;
  if (shift >= 0) {
    if (shift > 3) return std::nullopt;
    return digits * kWholePowersOfTen[static_cast<std::size_t>(shift)];
  }
  if (shift < -15) return 0;
  const std::uint64_t unit = kWholePowersOfTen[static_cast<std::size_t>(-shift)];
  return digits / unit + (digits % unit >= unit / 2 ? 1 : 0);
#endif
}

// x rounded at n >= 0 decimals as its sign and its units of 10^-n, at least
// n + 1 digits: (-0.0916667, 5) -> {true, "009167"}; (-0.00001, 3) -> {false, "0000"}.
struct SignedUnits {
  bool negative;
  std::string units;
};
SignedUnits UnitsAt(double x, std::size_t decimals) {
  std::string units;
  if (const std::optional<std::uint64_t> exact = ExactRoundedUnits(x, static_cast<int>(decimals))) {
    char buffer[24];
    units.assign(buffer, std::to_chars(buffer, buffer + sizeof buffer, *exact).ptr);
  } else {
    units = RoundedUnits(x, static_cast<int>(decimals));
  }
  if (units.size() <= decimals) units.insert(0, decimals + 1 - units.size(), '0');
  const bool isZero = units.find_first_not_of('0') == std::string::npos;
  return {x < 0 && !isZero, std::move(units)};
}

}  // namespace

std::optional<double> ReadNumber(std::string_view text) {
  // One pass checks the form -?D+(,D+)? and gathers the digits.
  const bool negative = !text.empty() && text[0] == '-';
  std::size_t pos = negative ? 1 : 0;
  GatheredDigits gathered;
  const std::size_t wholeDigits = gathered.Take(text.substr(pos));
  if (wholeDigits == 0) return std::nullopt;
  pos += wholeDigits;
  std::size_t decimals = 0;
  if (pos < text.size()) {
    if (text[pos] != ',') return std::nullopt;
    decimals = gathered.Take(text.substr(pos + 1));
    if (decimals == 0 || pos + 1 + decimals < text.size()) return std::nullopt;
  }
  if (!gathered.Exact()) return ReadLongNumber(text);
  return gathered.Value(negative, decimals);
}

bool IsNumberText(std::string_view text) { return ReadNumber(text).has_value(); }

std::string JoinWithComma(std::string_view whole, std::string_view digits) {
  std::string joined(whole.size() + 1 + digits.size(), ',');
  whole.copy(joined.data(), whole.size());
  digits.copy(joined.data() + whole.size() + 1, digits.size());
  return joined;
}

std::optional<double> ReadJoinedNumber(std::string_view whole, std::string_view digits) {
  const bool negative = !whole.empty() && whole[0] == '-';
  const std::string_view wholeDigits = whole.substr(negative ? 1 : 0);
  GatheredDigits gathered;
  if (wholeDigits.empty() || gathered.Take(wholeDigits) != wholeDigits.size() || digits.empty() ||
      gathered.Take(digits) != digits.size())
    return std::nullopt;
  if (!gathered.Exact()) return ReadLongNumber(JoinWithComma(whole, digits));
  return gathered.Value(negative, digits.size());
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
  if (decimals < kWholePowersOfTen.size()) {
    const std::optional<std::uint64_t> units = ExactRoundedUnits(x, static_cast<int>(decimals));
    if (units) {
      const std::uint64_t unit = kWholePowersOfTen[decimals];
      const bool negative = x < 0 && *units != 0;
      const double whole = static_cast<double>(*units / unit);
      char digits[kWholePowersOfTen.size()];
      std::uint64_t rest = *units % unit;
      for (std::size_t i = decimals; i > 0; rest /= 10) digits[--i] = static_cast<char>('0' + rest % 10);
      return {negative ? -whole : whole, std::string(digits, decimals)};
    }
  }
  const auto [negative, units] = UnitsAt(x, decimals);
  const std::size_t wholeDigits = units.size() - decimals;
  const double whole = ReadNumber(std::string_view(units).substr(0, wholeDigits)).value_or(0);
  return {negative ? -whole : whole, units.substr(wholeDigits)};
}

std::string DecimalDigits(double x, int n) { return RoundAt(x, n).digits; }

std::string WholeToText(double whole) {
  if (!std::isfinite(whole)) return std::string();
  constexpr double kExactIntegers = 9007199254740992.0;  // 2^53
  if (std::fabs(whole) < kExactIntegers) {
    char buffer[24];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(whole)).ptr);
  }
  // From 2^53 on every double is whole.
  const auto [digits, exponent] = ExactDecimalOf(std::fabs(whole));
  return (whole < 0 ? "-" : "") + digits + std::string(static_cast<std::size_t>(exponent + 1) - digits.size(), '0');
}

}  // namespace angoli
