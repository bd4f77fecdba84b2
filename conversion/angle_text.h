#pragma once
// A whole angle as one text, the way angles travel between programs: read
// from the clipboard into a row's cells, written from a row's cells to it.

#include <string>
#include <string_view>
#include <vector>

#include "conversion/cell_board.h"

namespace angoli {

enum class AngleReading {
  Angle,       // row and texts hold it
  NotAnAngle,  // no angle in any notation the reader knows
  DoesNotFit,  // an angle, but a whole part wider than its cell ('100°')
  TwoAngles,   // two angles side by side, as maps copy a position ('45.46, 9.19')
};

struct ReadAngleResult {
  AngleReading reading = AngleReading::NotAnAngle;
  Row row = Row::A;                // one number: A, two: B, three: C
  std::vector<std::string> texts;  // the row's cell texts, left to right
};

// A text in UTF-8 read as one angle, into cells as wide as `widths` gives.
// Blanks around and between the parts are ignored; numbers carry their own
// marks or stand apart by blanks or ':'; a sign ('-', '+' or the minus sign
// U+2212) or one hemisphere letter (N E S W O); only the last number has
// decimals, after ',' or '.', rounded once, half away from zero, at the width
// of its digits cell, the rounding carrying into the whole parts.
// ReadAngle("45,50833") -> row A '45' '50833';
// ReadAngle("S 5° 15'") -> row B '-5' '15' '0';
// ReadAngle("59° 59′ 59,9996″") -> row C '60' '00' '00' '000';
// ReadAngle("100°") -> DoesNotFit; ReadAngle("100°", kListWidths) -> row A '100' '0';
// ReadAngle("45° 30' 12°") -> NotAnAngle; ReadAngle("45.46, 9.19") -> TwoAngles.
ReadAngleResult ReadAngle(std::string_view text, const CellWidths& widths = kWindowWidths);

// A row's cell texts as one text: row A as its number, rows B and C with the
// marks ° ′ ″ and one space after each. The texts are taken as they stand.
// WriteAngle(Row::A, {"45", "50833"}) -> "45,50833";
// WriteAngle(Row::C, {"45", "30", "29", "988"}) -> "45° 30′ 29,988″".
std::string WriteAngle(Row row, const std::vector<std::string>& texts);
// The same appended to `text`, from `count` cell texts (2 to 4): for a list,
// whose lines reuse one text and hold no vector.
void AppendAngle(std::string& text, Row row, const std::string_view* texts, std::size_t count);

}  // namespace angoli
