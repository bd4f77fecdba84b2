#pragma once
// The cell board over the window's own controls: every operation forwards to
// a window handle. The logic behind the operations lives in the core.

#include <windows.h>

#include <array>

#include "conversion/cell_board.h"

namespace angoli::win32 {

class WindowBoard final : public CellBoard {
 public:
  // cells in board order, buttons as CalcA, CalcB, CalcC; all children of window.
  WindowBoard(HWND window, const std::array<HWND, 9>& cells, const std::array<HWND, 3>& buttons);

  std::string Text(Cell cell) const override;
  void SetText(Cell cell, std::string_view text) override;
  void SetLocked(Cell cell, bool locked) override;
  void SetForeColor(Cell cell, Rgb colour) override;
  void SetVisible(Button button, bool visible) override;
  void SetFocus(Cell cell) override;
  void ShowMessage(std::string_view message, std::string_view title) override;
  void EndProgram() override;

  // The colour the window paints the cell's text in.
  Rgb ForeColor(Cell cell) const { return colours_[IndexOf(cell)]; }

 private:
  HWND window_;
  std::array<HWND, 9> cells_;
  std::array<HWND, 3> buttons_;
  std::array<Rgb, 9> colours_{};
};

}  // namespace angoli::win32
