#pragma once
// Lists of angles, one a line: each line converted as "Incolla angolo" then
// "Copia angolo" would convert it in the window, on a board whose degrees are
// wider, and the results as a table of five tab-separated columns:
//   testo, gradi decimali, gradi e minuti decimali, gradi minuti e secondi, nota.

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace angoli {

// A line longer than this (in bytes) is no angle, and nobody holds it whole:
// its text column shows its first kShownChars characters and "…".
inline constexpr std::size_t kLongestLine = 1000;
inline constexpr std::size_t kShownChars = 100;

inline constexpr std::string_view kNotAnAngleReason = "non è un angolo";
inline constexpr std::string_view kDegreesTooWideReason = "gradi troppo grandi";
inline constexpr std::string_view kTwoAnglesReason = "contiene due angoli";

// Cuts bytes into lines as they arrive. A line ends at "\n", "\r\n" or "\r",
// even when the two bytes of "\r\n" come in separate pieces; a UTF-8
// byte-order mark at the very start is skipped. Of a line longer than
// kLongestLine only its first kLongestLine + 1 bytes are kept, so memory
// stays bounded whatever the input.
// Feed("45\r\n30", f) calls f("45"); Finish(f) then calls f("30").
class LineSplitter {
 public:
  template <class OnLine>
  void Feed(std::string_view bytes, OnLine&& onLine) {
    std::size_t start = 0;
    if (atStart_) {
      if (!TakeByteOrderMark(bytes, start)) return;
      atStart_ = false;
    }
    if (afterReturn_ && start < bytes.size()) {
      if (bytes[start] == '\n') ++start;
      afterReturn_ = false;
    }
    while (start < bytes.size()) {
      std::size_t end = start;
      while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
      const std::string_view piece = bytes.substr(start, end - start);
      if (end == bytes.size()) {  // the line goes on in the next piece
        Keep(piece);
        return;
      }
      if (line_.empty()) {
        onLine(Bounded(piece));
      } else {
        Keep(piece);
        onLine(std::string_view(line_));
        line_.clear();
      }
      start = end + 1;
      if (bytes[end] == '\r') {
        if (start == bytes.size()) afterReturn_ = true;
        else if (bytes[start] == '\n') ++start;
      }
    }
  }

  // The last line, when the input does not end with a line end.
  template <class OnLine>
  void Finish(OnLine&& onLine) {
    line_.insert(0, bom_);  // the start of a line that only looked like a mark
    if (!line_.empty()) onLine(std::string_view(line_));
    *this = LineSplitter();
  }

 private:
  static std::string_view Bounded(std::string_view piece) {
    return piece.substr(0, kLongestLine + 1);
  }
  void Keep(std::string_view piece) {
    if (line_.size() <= kLongestLine) line_.append(piece.substr(0, kLongestLine + 1 - line_.size()));
  }
  // Skips the mark, or as much of it as has come; false: wait for more bytes.
  bool TakeByteOrderMark(std::string_view bytes, std::size_t& start);

  std::string line_;
  std::string bom_;       // the start of the input while it may be a byte-order mark
  bool atStart_ = true;
  bool afterReturn_ = false;
};

// How many lines a text has, and how many of them hold more than blanks:
// CountLines("45\n\n30\n") -> {3, 2}.
struct LineCount {
  std::size_t lines = 0;
  std::size_t nonBlank = 0;
};
LineCount CountLines(std::string_view text);

// Whether a line holds nothing but blanks: IsBlankLine(" \t") -> true.
bool IsBlankLine(std::string_view line);

enum class LineKind { Converted, Blank, Refused };

struct LineResult {
  LineKind kind = LineKind::Blank;
  std::array<std::string, 3> rows;  // rows A, B and C as "Copia angolo" writes them
  std::string reason;               // why a refused line was not converted
};

// Converts lines one at a time on one board of its own, which keeps no state
// from line to line.
// Convert("45° 30′ 29,988″") -> Converted, "45,50833", "45° 30,4998′", "45° 30′ 29,988″";
// Convert("45° 75′") -> Refused, "I minuti devono essere compresi tra 0 e 59";
// Convert("350° 30′") -> Converted, "350,5", …; Convert("10000") -> "gradi troppo grandi".
class LineConverter {
 public:
  LineConverter();
  ~LineConverter();
  LineConverter(const LineConverter&) = delete;
  LineConverter& operator=(const LineConverter&) = delete;

  // `line` without its line end. The result stays valid until the next call.
  const LineResult& Convert(std::string_view line);

 private:
  class ListBoard;
  std::unique_ptr<ListBoard> board_;
  LineResult result_;
};

// Appends the table's line for `line` and its result, without a line end; a
// blank line gives an empty one. `decimalPoint` writes '.' for ',' in the
// three rows, for programs that read numbers with a point.
// ("45,5", {Converted, "45,5" …}) -> "45,5\t45,5\t45° 30,0000′\t45° 30′ 0,000″\t"
void AppendTableLine(std::string& table, std::string_view line, const LineResult& result,
                     bool decimalPoint = false);

// A whole text converted as a list: its table, lines ended by `lineEnd`.
// ConvertList("45,5\nciao\n", "\n") -> 1 converted of 2, two table lines.
struct ConvertedList {
  std::string table;
  std::size_t converted = 0;
  std::size_t nonBlank = 0;
};
ConvertedList ConvertList(std::string_view text, std::string_view lineEnd);

}  // namespace angoli
