// Any bytes as a cell text: the numeric test and the reading agree, a number
// text reads back to its own digits, and the writers give well-formed texts
// for any finite value the bytes spell.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "conversion/number_text.h"
#include "conversion/utf8_text.h"

namespace {

using namespace angoli;

void Require(bool condition) {
  if (!condition) std::abort();
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// -?D+,D{n} or, for n == 0, -?D+; no "-0,000", no leading zeros but one.
bool WellFormedDecimals(std::string_view text, int n) {
  std::size_t pos = 0;
  if (!text.empty() && text[0] == '-') pos = 1;
  const std::size_t wholeStart = pos;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  const std::size_t wholeDigits = pos - wholeStart;
  if (wholeDigits == 0 || (wholeDigits > 1 && text[wholeStart] == '0')) return false;
  if (n == 0) return pos == text.size();
  if (pos >= text.size() || text[pos] != ',') return false;
  const std::string_view decimals = text.substr(pos + 1);
  if (decimals.size() != static_cast<std::size_t>(n)) return false;
  for (char c : decimals) {
    if (!IsDigit(c)) return false;
  }
  return text[0] != '-' || text.find_first_not_of("-0,") != std::string_view::npos;
}

// A number text with at most 15 significant digits, in the form the tool
// writes: '007,50' -> '7,50', '-0,0' -> '0,0'.
bool Normalised(std::string_view text, std::string& normal, int& decimals) {
  const bool negative = text[0] == '-';
  std::string_view body = text.substr(negative ? 1 : 0);
  const std::size_t comma = body.find(',');
  std::string_view whole = body.substr(0, comma);
  const std::string_view digits = comma == std::string_view::npos ? "" : body.substr(comma + 1);
  while (whole.size() > 1 && whole[0] == '0') whole.remove_prefix(1);
  std::string all = std::string(whole) + std::string(digits);
  const std::size_t first = all.find_first_not_of('0');
  if (first != std::string::npos && all.size() - first > 15) return false;
  if (digits.size() > 15) return false;
  decimals = static_cast<int>(digits.size());
  normal = (negative && first != std::string::npos ? "-" : "") + std::string(whole);
  if (!digits.empty()) normal += "," + std::string(digits);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const std::optional<double> value = ReadNumber(text);
  Require(IsNumberText(text) == value.has_value());
  if (value) {
    Require(std::isfinite(*value));
    std::string normal;
    int decimals = 0;
    if (Normalised(text, normal, decimals)) Require(FormatDecimals(*value, decimals) == normal);
  }

  // The first eight bytes as a double, when finite and within the range the
  // tool computes with.
  if (size >= sizeof(double)) {
    double x;
    std::memcpy(&x, data, sizeof x);
    if (std::isfinite(x) && std::fabs(x) < 1e9) {
      for (int n : {0, 3, 4, 5, 7}) {
        const std::string formatted = FormatDecimals(x, n);
        Require(WellFormedDecimals(formatted, n));
        // Rounded by at most half a unit, plus the 15-digit step.
        const double back = *ReadNumber(formatted);
        Require(std::fabs(back - x) <= 0.5 * std::pow(10.0, -n) + 2e-14 * std::fabs(x) + 1e-300);
        const std::string digits = DecimalDigits(x, n);
        Require(digits.size() == static_cast<std::size_t>(n));
        Require(digits == LastChars(formatted, static_cast<std::size_t>(n)));
      }
      const double whole = WholePart(x);
      Require(whole <= x && x - whole <= 1);
      const std::string wholeText = WholeToText(whole);
      Require(WellFormedDecimals(wholeText, 0) || wholeText == "0");
      Require(*ReadNumber(wholeText) == whole);
    }
  }
  return 0;
}
