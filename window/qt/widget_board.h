#pragma once
// The cell board over the real window: every operation forwards to a widget.
// The logic behind the operations lives in the core.

#include <array>

#include "conversion/cell_board.h"

class QLineEdit;
class QPushButton;
class QWidget;

namespace angoli {

class WidgetBoard final : public CellBoard {
 public:
  // cells in board order, buttons as CalcA, CalcB, CalcC; all owned by window.
  WidgetBoard(QWidget& window, const std::array<QLineEdit*, 9>& cells,
              const std::array<QPushButton*, 3>& buttons);

  std::string Text(Cell cell) const override;
  void SetText(Cell cell, std::string_view text) override;
  void SetLocked(Cell cell, bool locked) override;
  void SetForeColor(Cell cell, Rgb colour) override;
  void SetVisible(Button button, bool visible) override;
  void SetFocus(Cell cell) override;
  void ShowMessage(std::string_view message, std::string_view title) override;
  void EndProgram() override;

 private:
  QWidget& window_;
  std::array<QLineEdit*, 9> cells_;
  std::array<QPushButton*, 3> buttons_;
};

}  // namespace angoli
