#pragma once
// "Incolla angolo", "Copia angolo" and "Converti elenco" in the Windows
// window: Ctrl+Shift+V, Ctrl+Shift+C and Ctrl+Shift+E anywhere in it, and a
// context menu of the program's own for the cells, with the edit control's
// standard items after the three.

#include <windows.h>

#include <array>
#include <functional>

#include "conversion/cell_board.h"
#include "window/modes.h"
#include "window/win32/clipboard.h"

namespace angoli::win32 {

class AngleMenu {
 public:
  // cells in board order; inputRow tells the input row, pasted shows what a
  // paste that was not refused did.
  AngleMenu(HWND window, const std::array<HWND, 9>& cells, CellBoard& board,
            std::function<Row()> inputRow, std::function<void(const Pasted&)> pasted);
  AngleMenu(const AngleMenu&) = delete;
  AngleMenu& operator=(const AngleMenu&) = delete;

  // The three shortcuts, taken before a cell turns them into a paste or copy
  // of its own: true if handled. Ctrl+Shift+V in B2 -> true, the clipboard
  // pasted; Ctrl+V in B2 -> false, the cell pastes as ever.
  bool PreTranslate(const MSG& message);

 private:
  static LRESULT CALLBACK CellProcedure(HWND cell, UINT message, WPARAM w, LPARAM l, UINT_PTR id,
                                        DWORD_PTR self);
  void ShowMenu(HWND cell, LPARAM at);
  void Paste();
  void Copy(Row row);
  // "Converti elenco": the clipboard's list replaced by its table, lines
  // ended by "\r\n", and a box that says how many lines converted.
  // "45,5\r\nciao" -> the table, "1 angolo su 2 convertito. …"; "ciao" -> a
  // warning, the clipboard as it was.
  void ConvertList();
  // A clipboard that stayed busy, or a copy that failed, said in a warning;
  // Done says nothing.
  void Warn(ClipboardAccess access);
  // The row of the focused cell, else the input row: B2 focused -> Row::B;
  // "Reset" focused with row C the input row -> Row::C.
  Row FocusedRow() const;

  HWND window_;
  std::array<HWND, 9> cells_;
  CellBoard& board_;
  std::function<Row()> inputRow_;
  std::function<void(const Pasted&)> pasted_;
};

}  // namespace angoli::win32
