#include "window/win32/window_board.h"

#include <string>

#include "conversion/utf8_text.h"
#include "window/win32/wide_text.h"

namespace angoli::win32 {

WindowBoard::WindowBoard(HWND window, const std::array<HWND, 9>& cells,
                         const std::array<HWND, 3>& buttons)
    : window_(window), cells_(cells), buttons_(buttons) {}

std::string WindowBoard::Text(Cell cell) const {
  HWND edit = cells_[IndexOf(cell)];
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

void WindowBoard::SetText(Cell cell, std::string_view text) {
  // The limit counts characters; the edit control counts UTF-16 units, as the
  // user's paste does.
  const std::wstring cut = CutToUnits(Widen(FirstChars(text, MaxLength(cell))), MaxLength(cell));
  SetWindowTextW(cells_[IndexOf(cell)], cut.c_str());
}

void WindowBoard::SetLocked(Cell cell, bool locked) {
  // Read-only still takes the focus and lets the user select and copy.
  SendMessageW(cells_[IndexOf(cell)], EM_SETREADONLY, locked, 0);
}

void WindowBoard::SetForeColor(Cell cell, Rgb colour) {
  colours_[IndexOf(cell)] = colour;
  InvalidateRect(cells_[IndexOf(cell)], nullptr, TRUE);
}

void WindowBoard::SetVisible(Button button, bool visible) {
  ShowWindow(buttons_[IndexOf(button)], visible ? SW_SHOW : SW_HIDE);
}

void WindowBoard::SetFocus(Cell cell) { ::SetFocus(cells_[IndexOf(cell)]); }

void WindowBoard::ShowMessage(std::string_view message, std::string_view title) {
  MessageBoxW(window_, Widen(message).c_str(), Widen(title).c_str(), MB_ICONINFORMATION | MB_OK);
}

void WindowBoard::EndProgram() { DestroyWindow(window_); }

}  // namespace angoli::win32
