#include "window/colours.h"

namespace angoli::form {

Paint PaintOf(const ControlLine* line, Rgb cellText, const Desktop& desktop) {
  // One pair for the window and all it holds; the result rows, which the
  // core paints red, take the theme's colour for text that cannot be changed.
  if (desktop.contrast) {
    const bool result = line && line->cell && cellText == kRed;
    return {result ? desktop.grayText : desktop.windowText, desktop.window};
  }
  if (!line) return {desktop.windowText, kWindowBack};
  const Rgb text = line->cell ? cellText : line->foreColor.value_or(desktop.windowText);
  return {text, line->backColor.value_or(kWindowBack)};
}

}  // namespace angoli::form
