#pragma once
// The colours the window paints its controls in. Without a contrast theme
// they are the window table's own; with one, the theme's, as the desktop
// tells them, so that every text keeps the contrast the user chose. No
// toolkit header comes in here.

#include "conversion/cell_board.h"
#include "window/controls.h"

namespace angoli::form {

// What the desktop tells of its colours (on Windows SPI_GETHIGHCONTRAST and
// GetSysColor's COLOR_WINDOW, COLOR_WINDOWTEXT and COLOR_GRAYTEXT).
struct Desktop {
  bool contrast = false;  // a contrast theme is on
  Rgb window;             // the background of what the user reads and types
  Rgb windowText;
  Rgb grayText;  // text the user cannot change
};

struct Paint {
  Rgb text, back;
  friend constexpr bool operator==(Paint a, Paint b) { return a.text == b.text && a.back == b.back; }
};

// The text and background of control `line`, or of the window itself where
// line is nullptr; a cell's text is in the colour the core gave it last,
// `cellText`. Command buttons are not asked: the system draws them, in the
// theme's button colours when one is on.
//   PaintOf(&LineOf(Cell::B1), kRed, {false, …}) -> red on (255, 255, 192), as in the table
//   PaintOf(&LineOf(Cell::B1), kRed, {true, black, white, green}) -> green on black
//   PaintOf(nullptr, kBlack, {false, …}) -> the window's grey (192, 192, 192)
Paint PaintOf(const ControlLine* line, Rgb cellText, const Desktop& desktop);

}  // namespace angoli::form
