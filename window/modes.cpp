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

void RunAction(CellBoard& board, form::Action action, Row row) {
  switch (action) {
    case form::Action::None: return;
    case form::Action::ChooseRow: return OnRowChosen(board, row);
    case form::Action::Calcola: Calcola(board, row); return;
    case form::Action::Reset: return OnReset(board);
    case form::Action::Chiudi: return OnChiudi(board);
  }
}

}  // namespace angoli
