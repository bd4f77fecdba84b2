#include "window/modes.h"

#include <array>

#include "list/angle_list.h"
#include "validation/calcola.h"

namespace angoli {
namespace {

constexpr std::string_view kNoAngleMessage = "Negli appunti non c'è un angolo";
constexpr std::string_view kTooWideMessage = "L'angolo negli appunti non sta nelle celle";
constexpr std::string_view kNothingToCopyMessage = "La riga non contiene un angolo da copiare";
constexpr std::string_view kListMessage =
    "Negli appunti c'è più di una riga: per convertirle tutte usare \"Converti elenco\" "
    "(Ctrl+Maiusc+E)";
constexpr std::string_view kNoListMessage = "Negli appunti non c'è un elenco di angoli";

// AppendRowAngle from a board that does not keep its texts, the window's:
// each text copied. With '45' '50833' in row A it appends "45,50833".
void AppendCopiedRowAngle(std::string& text, const CellBoard& board, Row row) {
  std::array<std::string, 4> copies;
  std::array<std::string_view, 4> cells;
  std::size_t count = 0;
  for (Cell cell : kBoardOrder) {
    if (RowOf(cell) != row) continue;
    copies[count] = board.Text(cell);
    cells[count] = copies[count];
    ++count;
  }
  AppendAngle(text, row, cells.data(), count);
}

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
  // Lines that each read as a number would read together as one angle.
  if (CountLines(clipboard).nonBlank > 1) {
    board.ShowMessage(kListMessage, kWarningTitle);
    return {};
  }
  const ReadAngleResult angle = ReadAngle(clipboard, board.Widths());
  if (angle.reading != AngleReading::Angle) {
    board.ShowMessage(angle.reading == AngleReading::DoesNotFit ? kTooWideMessage : kNoAngleMessage,
                      kWarningTitle);
    return {};
  }
  return PlaceAngle(board, angle);
}

Pasted PlaceAngle(CellBoard& board, const ReadAngleResult& angle) {
  OnRowChosen(board, angle.row);
  std::size_t i = 0;
  for (Cell cell : kBoardOrder)
    if (RowOf(cell) == angle.row) board.SetText(cell, angle.texts[i++]);
  return {angle.row, Calcola(board, angle.row)};
}

ListOnClipboard ConvertClipboardList(std::string_view clipboard, std::string_view lineEnd) {
  ConvertedList list = ConvertList(clipboard, lineEnd);
  if (list.converted == 0) return {std::nullopt, std::string(kNoListMessage), kWarningTitle};
  const bool one = list.converted == 1;
  std::string message = std::to_string(list.converted) + (one ? " angolo su " : " angoli su ") +
                        std::to_string(list.nonBlank) + (one ? " convertito." : " convertiti.") +
                        " La tabella è negli appunti.";
  return {std::move(list.table), std::move(message), form::kTitle};
}

std::optional<std::string> CopyAngle(CellBoard& board, Row row) {
  if (!PassesChecks(board, row)) {
    board.ShowMessage(kNothingToCopyMessage, kWarningTitle);
    return std::nullopt;
  }
  std::string text;
  AppendRowAngle(text, board, row);
  return text;
}

void AppendRowAngle(std::string& text, const CellBoard& board, Row row) {
  std::array<std::string_view, 4> cells;
  std::size_t count = 0;
  for (Cell cell : kBoardOrder) {
    if (RowOf(cell) != row) continue;
    const std::optional<std::string_view> kept = board.KeptText(cell);
    if (!kept) return AppendCopiedRowAngle(text, board, row);
    cells[count++] = *kept;
  }
  AppendAngle(text, row, cells.data(), count);
}

}  // namespace angoli
