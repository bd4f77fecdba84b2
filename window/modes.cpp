#include "window/modes.h"

#include "validation/calcola.h"

namespace angoli {

void Mostra(CellBoard& board, Row row) {
  for (Cell cell : kBoardOrder) board.SetLocked(cell, RowOf(cell) != row);
  for (Cell cell : kBoardOrder) board.SetForeColor(cell, RowOf(cell) == row ? kBlack : kRed);
  for (Button button : kButtons) board.SetVisible(button, button == CalcButton(row));
  board.SetFocus(FirstCell(row));
}

void Resetta(CellBoard& board) {
  for (Cell cell : kBoardOrder) board.SetText(cell, "");
}

void OnFirstActivate(CellBoard& board) {
  MostraA(board);
  Resetta(board);
}

void OnRowChosen(CellBoard& board, Row row) {
  Mostra(board, row);
  Resetta(board);
}

void OnReset(CellBoard& board) { Resetta(board); }

void OnChiudi(CellBoard& board) { board.EndProgram(); }

bool RunAction(CellBoard& board, form::Action action, Row row) {
  switch (action) {
    case form::Action::None: break;
    case form::Action::ChooseRow: OnRowChosen(board, row); break;
    case form::Action::Calcola: return Calcola(board, row);
    case form::Action::Reset: OnReset(board); break;
    case form::Action::Chiudi: OnChiudi(board); break;
  }
  return true;
}

}  // namespace angoli
