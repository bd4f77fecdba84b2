#pragma once
// Which row is the input row, emptying the cells, ending the tool, and the
// window events that run them. The input row is stored nowhere but in the
// cells' locks and colours and the buttons' visibility.

#include <optional>
#include <string>
#include <string_view>

#include "conversion/angle_text.h"
#include "conversion/cell_board.h"
#include "window/controls.h"

namespace angoli {

// Own row unlocked and black, the two others locked and red, only the row's
// own "Calcola" visible, focus on the row's first cell. Texts stay as they are.
// Mostra(board, Row::C): C1…C4 unlocked black, A1…B3 locked red, CalcC only, focus C1.
void Mostra(CellBoard& board, Row row);
inline void MostraA(CellBoard& board) { Mostra(board, Row::A); }
inline void MostraB(CellBoard& board) { Mostra(board, Row::B); }
inline void MostraC(CellBoard& board) { Mostra(board, Row::C); }

// Empties the nine cells in board order; nothing else changes.
void Resetta(CellBoard& board);

// Window events.
// The window's first activation: row A becomes the input row, all cells empty.
void OnFirstActivate(CellBoard& board);
// The option button of another row is chosen: that row becomes the input row,
// all cells empty.
void OnRowChosen(CellBoard& board, Row row);
// "Reset": empties the cells, the input row stays.
void OnReset(CellBoard& board);
// "Chiudi": ends the tool at once.
void OnChiudi(CellBoard& board);

// What a click on a control of the window table runs; row is the line's row.
// Returns false only for a "Calcola" whose row failed a check.
// RunAction(board, Action::Calcola, Row::B) checks row B and converts it;
// RunAction(board, Action::Reset, Row::A) empties the cells -> true.
bool RunAction(CellBoard& board, form::Action action, Row row);

// What a screen reader hears once an action that moves no focus has run to
// its end; nullptr: nothing, the focus or the window says it.
// NoticeOf(Action::Calcola) -> "Conversione eseguita"; NoticeOf(Action::Chiudi) -> nullptr
constexpr const char* NoticeOf(form::Action action) {
  switch (action) {
    case form::Action::Calcola: return "Conversione eseguita";
    case form::Action::Reset: return "Celle svuotate";
    default: return nullptr;
  }
}

// "Incolla angolo" and "Copia angolo" as menus name them, and the letter that
// runs each with Ctrl+Shift anywhere in the window: keys no cell uses, as a
// cell pastes with Ctrl+V and copies with Ctrl+C.
struct AngleCommand {
  const char* name;
  char key;
};
inline constexpr AngleCommand kPasteAngleCommand{"Incolla angolo", 'V'};
inline constexpr AngleCommand kCopyAngleCommand{"Copia angolo", 'C'};
inline constexpr AngleCommand kConvertListCommand{"Converti elenco", 'E'};

// What "Incolla angolo" did.
struct Pasted {
  std::optional<Row> row;  // the row that became the input row; nothing: refused
  bool converted = false;  // that row's "Calcola" passed
};

// "Incolla angolo": the clipboard's text read as one angle. Its row is chosen
// as a click on the row's option would choose it (the board emptied, also
// when it is the input row already), its cells are filled and its "Calcola"
// runs. A text that is no angle, or does not fit the cells, is refused with a
// warning; so is a list of angles, with a pointer to "Converti elenco"; board
// and focus stay as they were.
// PasteAngle(board, "45° 30,5′") -> row B '45' '30' '5' converted;
// PasteAngle(board, "ciao") -> "Negli appunti non c'è un angolo", nothing changed.
Pasted PasteAngle(CellBoard& board, std::string_view clipboard);

// What "Incolla angolo" does once it has read an angle: the row chosen, its
// cells filled, its "Calcola" pressed.
// PlaceAngle(board, ReadAngle("45,5")) -> row A '45' '5' converted.
Pasted PlaceAngle(CellBoard& board, const ReadAngleResult& angle);

// "Converti elenco": the clipboard's text converted as a list, one angle a
// line. The window puts `table` on the clipboard, when there is one, then
// shows `message` under `title`; without a table (no line converted) the
// clipboard keeps what it had. The board is not touched.
// ConvertClipboardList("45,5\nciao\n", "\n") -> table "45,5\t45,5\t…\nciao\t\t\t\tnon è un
// angolo\n", "1 angolo su 2 convertito. La tabella è negli appunti.", "Conversione angoli";
// ConvertClipboardList("ciao", "\n") -> no table, "Negli appunti non c'è un elenco di angoli",
// "ATTENZIONE".
struct ListOnClipboard {
  std::optional<std::string> table;
  std::string message;
  std::string_view title;
};
ListOnClipboard ConvertClipboardList(std::string_view clipboard, std::string_view lineEnd);

// "Copia angolo": the row as one text, or nothing, after a warning, when a
// press on its "Calcola" would fail a check.
// CopyAngle(board, Row::B) with '45' '30' '4998' -> "45° 30,4998′".
std::optional<std::string> CopyAngle(CellBoard& board, Row row);

// The row's cells as "Copia angolo" writes them, appended to `text`, without
// its checks: for rows known to pass them.
// AppendRowAngle(text, board, Row::A) with '45' '50833' appends "45,50833".
void AppendRowAngle(std::string& text, const CellBoard& board, Row row);

}  // namespace angoli
