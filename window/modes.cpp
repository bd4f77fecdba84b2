#include "window/modes.h"

#include "conversion/angle_text.h"
#include "validation/calcola.h"

namespace angoli {
namespace {

constexpr std::string_view kNoAngleMessage = "Negli appunti non c'è un angolo";
constexpr std::string_view kTooWideMessage = "L'angolo negli appunti non sta nelle celle";
constexpr std::string_view kNothingToCopyMessage = "La riga non contiene un angolo da copiare";

}  // namespace

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

Pasted PasteAngle(CellBoard& board, std::string_view clipboard) {
  const ReadAngleResult angle = ReadAngle(clipboard);
  if (angle.reading != AngleReading::Angle) {
    board.ShowMessage(angle.reading == AngleReading::DoesNotFit ? kTooWideMessage : kNoAngleMessage,
                      kWarningTitle);
    return {};
  }
  OnRowChosen(board, angle.row);
  const std::vector<Cell> cells = CellsOf(angle.row);
  for (std::size_t i = 0; i < cells.size(); ++i) board.SetText(cells[i], angle.texts[i]);
  return {angle.row, Calcola(board, angle.row)};
}

std::optional<std::string> CopyAngle(CellBoard& board, Row row) {
  if (!PassesChecks(board, row)) {
    board.ShowMessage(kNothingToCopyMessage, kWarningTitle);
    return std::nullopt;
  }
  std::vector<std::string> texts;
  for (Cell cell : CellsOf(row)) texts.push_back(board.Text(cell));
  return WriteAngle(row, texts);
}

}  // namespace angoli
