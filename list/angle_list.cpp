#include "list/angle_list.h"

#include <algorithm>
#include <cstring>

#include "conversion/angle_text.h"
#include "conversion/utf8_text.h"
#include "window/modes.h"

namespace angoli {
namespace {

// The blanks around a line that its text column leaves out, as the angle
// reader skips them.
constexpr std::string_view kEdgeBlanks[] = {" ", "\t", "\v", "\f", "\u00A0", "\u202F"};

// IsAmong('\t', " \t") -> true: a few compares, cheaper than a library search.
constexpr bool IsAmong(char c, std::string_view bytes) {
  for (char byte : bytes)
    if (byte == c) return true;
  return false;
}

// Trimmed("\u00A0 45,5\t") -> "45,5"
std::string_view Trimmed(std::string_view line) {
  // Most lines neither start nor end with a byte of a blank: no search.
  constexpr std::string_view kFirstBytes = " \t\v\f\xC2\xE2", kLastBytes = " \t\v\f\xA0\xAF";
  if (line.empty() || (!IsAmong(line.front(), kFirstBytes) && !IsAmong(line.back(), kLastBytes)))
    return line;
  for (bool more = true; more;) {
    more = false;
    for (std::string_view blank : kEdgeBlanks) {
      while (line.substr(0, blank.size()) == blank) line.remove_prefix(blank.size()), more = true;
      while (line.size() >= blank.size() && line.substr(line.size() - blank.size()) == blank)
        line.remove_suffix(blank.size()), more = true;
    }
  }
  return line;
}

// The line as its text column shows it: valid UTF-8, tabs as spaces, NUL as
// U+FFFD, a line too long for an angle cut to its first characters.
void AppendShownText(std::string& table, std::string_view line) {
  const bool tooLong = line.size() > kLongestLine;
  std::string_view text = tooLong ? line : Trimmed(line);
  std::string shown;  // only when the line is not shown as it stands
  if (tooLong || !IsValidUtf8(text)) {
    shown = ToValidUtf8(text);
    if (tooLong) shown = FirstChars(shown, kShownChars) + "\u2026";
    text = shown;
  }
  std::size_t start = 0;
  for (std::size_t end = 0; end < text.size(); ++end) {
    if (text[end] != '\t' && text[end] != '\0') continue;
    table.append(text.substr(start, end - start));
    table += text[end] == '\t' ? " " : "\uFFFD";
    start = end + 1;
  }
  table.append(text.substr(start));
}

}  // namespace

// Only what a conversion needs: the texts, in cells as wide as a list's, and
// the last warning. Locks, colours, buttons and focus have nowhere to show.
class LineConverter::ListBoard final : public CellBoard {
 public:
  const CellWidths& Widths() const override { return kListWidths; }
  std::string Text(Cell cell) const override { return std::string(texts_[IndexOf(cell)].View()); }
  std::optional<std::string_view> KeptText(Cell cell) const override {
    return texts_[IndexOf(cell)].View();
  }
  void SetText(Cell cell, std::string_view text) override {
    // No more characters than bytes: a short text fits as it stands.
    const std::size_t width = kListWidths[IndexOf(cell)];
    if (text.size() <= width) texts_[IndexOf(cell)].Keep(text);
    else texts_[IndexOf(cell)].Keep(FirstChars(text, width));
  }
  void SetLocked(Cell, bool) override {}
  void SetForeColor(Cell, Rgb) override {}
  void SetVisible(Button, bool) override {}
  void SetFocus(Cell) override {}
  void ShowMessage(std::string_view message, std::string_view) override { message_ = message; }
  void EndProgram() override {}

  const std::string& Message() const { return message_; }

 private:
  // A cell's text in the board itself: room for the widest cell's
  // characters at four bytes each, so setting and reading one allocates nothing.
  class KeptBytes {
   public:
    void Keep(std::string_view text) {
      size_ = text.size();  // at most Width characters: it fits
      // The text may be this cell's own; an empty one (Resetta) needs no call.
      if (size_ != 0) std::memmove(bytes_.data(), text.data(), size_);
    }
    std::string_view View() const { return {bytes_.data(), size_}; }

   private:
    std::array<char, 4 * *std::max_element(kListWidths.begin(), kListWidths.end())> bytes_;
    std::size_t size_ = 0;
  };
  std::array<KeptBytes, 9> texts_{};
  std::string message_;
};

bool LineSplitter::TakeByteOrderMark(std::string_view bytes, std::size_t& start) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  while (bom_.size() < kMark.size() && start < bytes.size() && bytes[start] == kMark[bom_.size()])
    bom_ += bytes[start++];
  if (bom_.size() == kMark.size()) {
    bom_.clear();
    return true;
  }
  if (start == bytes.size()) return false;
  line_ = bom_;  // no mark: what looked like one starts the first line
  bom_.clear();
  return true;
}

bool IsBlankLine(std::string_view line) { return Trimmed(line).empty(); }

LineCount CountLines(std::string_view text) {
  LineCount count;
  LineSplitter splitter;
  const auto onLine = [&count](std::string_view line) {
    ++count.lines;
    if (!IsBlankLine(line)) ++count.nonBlank;
  };
  splitter.Feed(text, onLine);
  splitter.Finish(onLine);
  return count;
}

LineConverter::LineConverter() : board_(std::make_unique<ListBoard>()) {}
LineConverter::~LineConverter() = default;

const LineResult& LineConverter::Convert(std::string_view line) {
  const auto refuse = [this](std::string_view reason) -> const LineResult& {
    result_.kind = LineKind::Refused;
    result_.reason = reason;
    return result_;
  };
  result_.reason.clear();
  if (line.size() > kLongestLine || line.find('\0') != std::string_view::npos ||
      !IsValidUtf8(line))
    return refuse(kNotAnAngleReason);
  const std::string_view text = Trimmed(line);
  if (text.empty()) {
    result_.kind = LineKind::Blank;
    return result_;
  }
  const ReadAngleResult angle = ReadAngle(text, board_->Widths());
  switch (angle.reading) {
    case AngleReading::Angle: break;
    case AngleReading::NotAnAngle: return refuse(kNotAnAngleReason);
    case AngleReading::DoesNotFit: return refuse(kDegreesTooWideReason);
    case AngleReading::TwoAngles: return refuse(kTwoAnglesReason);
  }
  if (!PlaceAngle(*board_, angle).converted) return refuse(board_->Message());
  // "Calcola" has just checked the input row, and every row it writes passes
  // the same checks (the round-trip test shows it for each entry of the
  // grid), so the rows are written as "Copia angolo" would, unchecked again.
  for (Row row : kRows) {
    std::string& written = result_.rows[IndexOf(row)];
    written.clear();  // keeps its room for the next line
    AppendRowAngle(written, *board_, row);
  }
  result_.kind = LineKind::Converted;
  return result_;
}

void AppendTableLine(std::string& table, std::string_view line, const LineResult& result,
                     bool decimalPoint) {
  if (result.kind == LineKind::Blank) return;
  AppendShownText(table, line);
  for (const std::string& row : result.rows) {
    table += '\t';
    if (result.kind != LineKind::Converted) continue;
    const std::size_t start = table.size();
    table += row;
    if (decimalPoint) std::replace(table.begin() + static_cast<std::ptrdiff_t>(start), table.end(), ',', '.');
  }
  table += '\t';
  table += result.reason;
}

ConvertedList ConvertList(std::string_view text, std::string_view lineEnd) {
  ConvertedList list;
  LineConverter converter;
  LineSplitter splitter;
  const auto onLine = [&](std::string_view line) {
    const LineResult& result = converter.Convert(line);
    if (result.kind != LineKind::Blank) ++list.nonBlank;
    if (result.kind == LineKind::Converted) ++list.converted;
    AppendTableLine(list.table, line, result);
    list.table += lineEnd;
  };
  splitter.Feed(text, onLine);
  splitter.Finish(onLine);
  return list;
}

}  // namespace angoli
