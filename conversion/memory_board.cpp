#include "conversion/memory_board.h"

#include "conversion/utf8_text.h"

namespace angoli {

std::string MemoryBoard::Text(Cell cell) const { return texts_[IndexOf(cell)]; }

void MemoryBoard::SetText(Cell cell, std::string_view text) {
  texts_[IndexOf(cell)] = FirstChars(text, Width(cell));
}

void MemoryBoard::SetLocked(Cell cell, bool locked) { locked_[IndexOf(cell)] = locked; }

void MemoryBoard::SetForeColor(Cell cell, Rgb colour) { colours_[IndexOf(cell)] = colour; }

void MemoryBoard::SetVisible(Button button, bool visible) { visible_[IndexOf(button)] = visible; }

void MemoryBoard::SetFocus(Cell cell) { focus_ = cell; }

void MemoryBoard::ShowMessage(std::string_view message, std::string_view title) {
  messages_.push_back({std::string(message), std::string(title)});
}

void MemoryBoard::EndProgram() { ended_ = true; }

bool MemoryBoard::Type(Cell cell, std::string_view typed) {
  if (Locked(cell)) return false;
  std::string& text = texts_[IndexOf(cell)];
  text = FirstChars(text + ToValidUtf8(typed), Width(cell));
  return true;
}

}  // namespace angoli
