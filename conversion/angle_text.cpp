#include "conversion/angle_text.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "conversion/number_text.h"

namespace angoli {
namespace {

// The marks a number may carry, by the place they name: 0 degrees, 1 minutes,
// 2 seconds. "''" comes before "'" so that two primes are read as seconds.
struct Mark {
  std::string_view text;
  std::size_t place;
};
constexpr Mark kMarks[] = {
    {"''", 2},       {"\u00B0", 0}, {"\u00BA", 0}, {"\u02DA", 0}, {"d", 0},
    {"'", 1},        {"\u2032", 1}, {"\u2019", 1}, {"m", 1},      {"\"", 2},
    {"\u2033", 2},   {"\u201D", 2}, {"s", 2},
};
// What a copied row carries after each place: ° ′ ″.
constexpr std::string_view kWrittenMarks[] = {"\u00B0", "\u2032", "\u2033"};

// Spaces, tabs, line ends and the no-break spaces that documents use.
constexpr std::string_view kBlanks[] = {" ", "\t", "\n", "\r", "\v", "\f", "\u00A0", "\u202F"};

// Hemisphere letters: north and east count up, south, west and ovest down.
struct Letter {
  std::string_view text;
  bool negative;
};
constexpr Letter kLetters[] = {{"N", false}, {"E", false}, {"S", true}, {"W", true}, {"O", true}};

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// The bytes that start a blank or a mark: where another byte stands, one
// look-up settles that none is there, without a try for each.
struct FirstBytes {
  std::array<bool, 256> starts{};
  constexpr bool Has(char c) const { return starts[static_cast<unsigned char>(c)]; }
};
constexpr FirstBytes kBlankStarts = [] {
  FirstBytes first;
  for (std::string_view blank : kBlanks) first.starts[static_cast<unsigned char>(blank[0])] = true;
  return first;
}();
constexpr FirstBytes kMarkStarts = [] {
  FirstBytes first;
  for (const Mark& mark : kMarks) first.starts[static_cast<unsigned char>(mark.text[0])] = true;
  return first;
}();

class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ == text_.size(); }
  bool AtDigit() const { return !AtEnd() && IsAsciiDigit(text_[pos_]); }
  bool AtOneOf(const FirstBytes& first) const { return !AtEnd() && first.Has(text_[pos_]); }

  bool Take(std::string_view what) {
    // Most tries fail at the first byte, before a compare of the whole piece.
    if (AtEnd() || text_[pos_] != what.front()) return false;
    if (text_.substr(pos_, what.size()) != what) return false;
    pos_ += what.size();
    return true;
  }

  void SkipBlanks() {
    for (bool more = true; more && AtOneOf(kBlankStarts);) {
      more = false;
      for (std::string_view blank : kBlanks) more = more || Take(blank);
    }
  }

  std::string_view Digits() {
    const std::size_t start = pos_;
    while (AtDigit()) ++pos_;
    return text_.substr(start, pos_ - start);
  }

  std::optional<std::size_t> TakeMark() {
    if (!AtOneOf(kMarkStarts)) return std::nullopt;
    for (const Mark& mark : kMarks)
      if (Take(mark.text)) return mark.place;
    return std::nullopt;
  }

  // Whether a hemisphere letter stood here, and if so whether it counts down.
  std::optional<bool> TakeLetter() {
    for (const Letter& letter : kLetters)
      if (Take(letter.text)) return letter.negative;
    return std::nullopt;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

struct Number {
  std::string_view whole;
  std::string_view decimals;
};

struct Parsed {
  bool negative = false;
  std::array<Number, 3> numbers;  // an angle has at most three
  std::size_t count = 0;
};

// The text's parts, or nothing when they do not make an angle:
// Parse("S 5° 15'") -> negative, {5}, {15}; Parse("- 45,5") -> negative, {45, 5};
// Parse("45° 30°") -> nothing.
std::optional<Parsed> Parse(std::string_view text) {
  Scanner scan(text);
  Parsed parsed;
  scan.SkipBlanks();
  bool signGiven = false;
  if (const std::optional<bool> letter = scan.TakeLetter()) {
    parsed.negative = *letter;
    signGiven = true;
  } else if (scan.Take("-") || scan.Take("\u2212")) {
    parsed.negative = signGiven = true;
  } else {
    signGiven = scan.Take("+");
  }
  scan.SkipBlanks();
  for (;;) {
    Number number{scan.Digits(), {}};
    if (number.whole.empty()) return std::nullopt;
    const bool hasDecimals = scan.Take(",") || scan.Take(".");
    if (hasDecimals && (number.decimals = scan.Digits()).empty()) return std::nullopt;
    parsed.numbers[parsed.count++] = number;
    scan.SkipBlanks();
    if (const std::optional<std::size_t> place = scan.TakeMark()) {
      if (*place != parsed.count - 1) return std::nullopt;
      scan.SkipBlanks();
    }
    const bool colon = scan.Take(":");
    scan.SkipBlanks();
    if (!scan.AtDigit()) {
      if (colon) return std::nullopt;
      break;
    }
    if (hasDecimals || parsed.count == parsed.numbers.size()) return std::nullopt;
  }
  if (!signGiven) {
    if (const std::optional<bool> letter = scan.TakeLetter()) parsed.negative = *letter;
    scan.SkipBlanks();
  }
  if (!scan.AtEnd()) return std::nullopt;
  return parsed;
}

// Drops the leading zeros that keep digits from fitting `width`, never the
// last digit: ("011", 2) -> "11"; ("05", 2) -> "05"; ("000", 2) -> "00".
std::string Shortened(std::string_view digits, std::size_t width) {
  std::size_t drop = 0;
  while (digits.size() - drop > width && drop + 1 < digits.size() && digits[drop] == '0') ++drop;
  return std::string(digits.substr(drop));
}

// A whole value as digits at least `width` wide: (0, 2) -> "00"; (10, 1) -> "10".
std::string Padded(double whole, std::size_t width) {
  std::string text = WholeToText(whole);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

// The parts placed into the cells of their row, extra decimals rounded:
// {5}, {15} negative -> row B '-5' '15' '0'; {45, 123456} -> row A '45' '12346'.
ReadAngleResult Place(const Parsed& parsed, const CellWidths& cellWidths) {
  ReadAngleResult result;
  result.row = kRows[parsed.count - 1];
  // The row's cells are next to each other in board order.
  const std::size_t firstCell = IndexOf(FirstCell(result.row));
  const std::size_t last = parsed.count - 1;
  // Room for the digits of each whole part; the sign takes one of the degrees'.
  std::array<std::size_t, 3> widths{};
  std::array<std::string, 3> wholes;
  for (std::size_t i = 0; i <= last; ++i) {
    widths[i] = cellWidths[firstCell + i] - (i == 0 && parsed.negative ? 1 : 0);
    wholes[i] = Shortened(parsed.numbers[i].whole, widths[i]);
  }

  const std::size_t n = cellWidths[firstCell + last + 1];
  const std::string_view decimals = parsed.numbers[last].decimals;
  std::string digits = decimals.empty() ? "0" : std::string(decimals);
  if (decimals.size() > n && wholes[last].size() <= widths[last]) {
    // Rounded at the first digit the cell drops: half away from zero on the
    // text as written, whatever follows that digit.
    const double wholeValue = ReadNumber(wholes[last]).value_or(0);
    const Rounded rounded =
        RoundAt(ReadJoinedNumber(wholes[last], decimals.substr(0, n + 1)).value_or(0),
                static_cast<int>(n));
    digits = rounded.digits;
    // A carry climbs as a conversion's does: 60 seconds are a minute more,
    // 60 minutes a degree more.
    for (std::size_t i = last; rounded.whole > wholeValue; --i) {
      const double value = ReadNumber(wholes[i]).value_or(0) + 1;
      if (i > 0 && value == 60) {
        wholes[i] = Padded(0, wholes[i].size());
        continue;
      }
      wholes[i] = Padded(value, wholes[i].size());
      break;
    }
  }
  for (std::size_t i = 0; i <= last; ++i) {
    if (wholes[i].size() > widths[i]) {
      result.reading = AngleReading::DoesNotFit;
      return result;
    }
  }
  result.reading = AngleReading::Angle;
  result.texts.reserve(last + 2);  // the wholes and the digits
  if (parsed.negative) wholes[0].insert(0, "-");
  for (std::size_t i = 0; i <= last; ++i) result.texts.push_back(std::move(wholes[i]));
  result.texts.push_back(std::move(digits));
  return result;
}

// Whether the text is two angles side by side: split where one angle plainly
// ends (after ',' or ';' and a blank, or after a mark or hemisphere letter
// and a blank), both sides read as angles.
// HoldsTwoAngles("45.4642, 9.1900") -> true; HoldsTwoAngles("45 30 20 10") -> false
bool HoldsTwoAngles(std::string_view text) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    if (!isBlank(text[i]) || isBlank(text[i - 1])) continue;
    std::string_view left = text.substr(0, i);
    const char end = left.back();
    if (end == ',' || end == ';') {
      left.remove_suffix(1);
    } else if (IsAsciiDigit(end) || end == '.' || end == '-' || end == '+') {
      continue;  // '45 30' is one angle's numbers, not two angles
    }
    if (left.empty()) continue;
    std::size_t next = i;
    while (next < text.size() && isBlank(text[next])) ++next;
    if (Parse(left) && Parse(text.substr(next))) return true;
  }
  return false;
}

}  // namespace

ReadAngleResult ReadAngle(std::string_view text, const CellWidths& widths) {
  const std::optional<Parsed> parsed = Parse(text);
  if (!parsed) {
    ReadAngleResult refused;
    if (HoldsTwoAngles(text)) refused.reading = AngleReading::TwoAngles;
    return refused;
  }
  return Place(*parsed, widths);
}

std::string WriteAngle(Row row, const std::vector<std::string>& texts) {
  std::string text;
  text.reserve(32);  // "-999° 59′ 59,999″" and room to spare: no growing on the way
  std::array<std::string_view, 4> views;  // the widest row
  const std::size_t count = std::min(texts.size(), views.size());
  std::copy_n(texts.begin(), count, views.begin());
  AppendAngle(text, row, views.data(), count);
  return text;
}

void AppendAngle(std::string& text, Row row, const std::string_view* texts, std::size_t count) {
  if (count < 2) return;
  const std::size_t last = count - 1;
  // Gathered in a buffer and appended at once: a row of cells is a few dozen
  // bytes, and one append costs less than ten.
  char buffer[64] = {};  // zeroed only to quiet a false "may be used uninitialised"
  std::size_t used = 0;
  const auto add = [&](std::string_view piece) {
    if (used + piece.size() > sizeof buffer) {  // texts longer than any cell's
      text.append(buffer, used);
      used = 0;
      if (piece.size() > sizeof buffer) return void(text.append(piece));
    }
    for (char c : piece) buffer[used++] = c;
  };
  for (std::size_t i = 0; i + 1 < last; ++i) {
    add(texts[i]);
    add(kWrittenMarks[i]);
    add(" ");
  }
  add(texts[last - 1]);
  add(",");
  add(texts[last]);
  if (row != Row::A) add(kWrittenMarks[last - 1]);
  text.append(buffer, used);
}

}  // namespace angoli
