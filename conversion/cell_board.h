#pragma once
// The window as the tool's logic sees it: nine text cells in three rows, one
// "Calcola" button per row, the keyboard focus, a message box and the end of
// the program. Every value of the tool lives as the text of a cell.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace angoli {

// Board order: every procedure that visits all nine cells visits them in this order.
enum class Cell { A1, A2, B1, B2, B3, C1, C2, C3, C4 };
enum class Row { A, B, C };
enum class Button { CalcA, CalcB, CalcC };

inline constexpr std::array<Cell, 9> kBoardOrder = {Cell::A1, Cell::A2, Cell::B1,
                                                    Cell::B2, Cell::B3, Cell::C1,
                                                    Cell::C2, Cell::C3, Cell::C4};
inline constexpr std::array<Row, 3> kRows = {Row::A, Row::B, Row::C};
inline constexpr std::array<Button, 3> kButtons = {Button::CalcA, Button::CalcB,
                                                   Button::CalcC};

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  friend constexpr bool operator==(Rgb a, Rgb b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
  }
  friend constexpr bool operator!=(Rgb a, Rgb b) { return !(a == b); }
};
inline constexpr Rgb kBlack{0, 0, 0};  // cells of the input row
inline constexpr Rgb kRed{255, 0, 0};  // cells of the two result rows

// One line per cell, in board order.
struct CellInfo {
  Cell cell;
  Row row;
  std::string_view name;  // "A1" … "C4"
  std::size_t maxLength;  // characters the cell can hold
};
inline constexpr std::array<CellInfo, 9> kCells = {{
    {Cell::A1, Row::A, "A1", 2},
    {Cell::A2, Row::A, "A2", 5},
    {Cell::B1, Row::B, "B1", 2},
    {Cell::B2, Row::B, "B2", 2},
    {Cell::B3, Row::B, "B3", 4},
    {Cell::C1, Row::C, "C1", 2},
    {Cell::C2, Row::C, "C2", 2},
    {Cell::C3, Row::C, "C3", 2},
    {Cell::C4, Row::C, "C4", 3},
}};

constexpr std::size_t IndexOf(Cell c) { return static_cast<std::size_t>(c); }
constexpr std::size_t IndexOf(Row r) { return static_cast<std::size_t>(r); }
constexpr std::size_t IndexOf(Button b) { return static_cast<std::size_t>(b); }

constexpr const CellInfo& InfoOf(Cell c) { return kCells[IndexOf(c)]; }
// MaxLength(Cell::A2) -> 5; MaxLength(Cell::C4) -> 3
constexpr std::size_t MaxLength(Cell c) { return InfoOf(c).maxLength; }
constexpr Row RowOf(Cell c) { return InfoOf(c).row; }
constexpr std::string_view NameOf(Cell c) { return InfoOf(c).name; }
// FirstCell(Row::B) -> Cell::B1
constexpr Cell FirstCell(Row r) {
  constexpr std::array<Cell, 3> first = {Cell::A1, Cell::B1, Cell::C1};
  return first[IndexOf(r)];
}
// The cells of a row, left to right: CellsOf(Row::B) -> B1, B2, B3.
inline std::vector<Cell> CellsOf(Row r) {
  std::vector<Cell> cells;
  cells.reserve(4);  // the widest row: one allocation, not three
  for (Cell cell : kBoardOrder)
    if (RowOf(cell) == r) cells.push_back(cell);
  return cells;
}
// How many characters each cell holds, in board order. The window's cells
// hold what kCells gives; a list of angles has no cells on screen, so its
// degrees take four characters, sign included (-999 to 9999), for bearings
// and longitudes, and every other cell keeps the window's width.
using CellWidths = std::array<std::size_t, 9>;
inline constexpr CellWidths kWindowWidths = {
    kCells[0].maxLength, kCells[1].maxLength, kCells[2].maxLength,
    kCells[3].maxLength, kCells[4].maxLength, kCells[5].maxLength,
    kCells[6].maxLength, kCells[7].maxLength, kCells[8].maxLength};
// IsDegrees(Cell::B1) -> true; IsDegrees(Cell::B2) -> false
constexpr bool IsDegrees(Cell c) { return c == FirstCell(RowOf(c)); }
// ListWidths()[IndexOf(Cell::C1)] -> 4; ListWidths()[IndexOf(Cell::C4)] -> 3
constexpr CellWidths ListWidths() {
  CellWidths widths = kWindowWidths;
  for (Cell cell : kBoardOrder)
    if (IsDegrees(cell)) widths[IndexOf(cell)] = 4;
  return widths;
}
inline constexpr CellWidths kListWidths = ListWidths();

// CalcButton(Row::C) -> Button::CalcC
constexpr Button CalcButton(Row r) { return kButtons[IndexOf(r)]; }

// What the logic may do to the window. A real window and the in-memory board
// both implement it; none of the operations fails.
class CellBoard {
 public:
  virtual ~CellBoard() = default;

  // The widths of this board's cells: the window's unless the board says otherwise.
  virtual const CellWidths& Widths() const { return kWindowWidths; }
  // Width(Cell::A1) -> 2 on the window's board, 4 on a list's.
  std::size_t Width(Cell cell) const { return Widths()[IndexOf(cell)]; }

  // The cell's text exactly as it stands: ' 5' reads as ' 5'.
  virtual std::string Text(Cell cell) const = 0;
  // The same text without a copy, from a board that keeps its texts in
  // memory; nothing from a window's, whose texts live in its controls. The
  // view lasts until the cell's next SetText. A board that gives it must
  // be final, so that no derived board's Text can differ from it.
  virtual std::optional<std::string_view> KeptText(Cell) const { return std::nullopt; }
  // Replaces the text, cut to the cell's Width characters; works on locked
  // cells too. Writing "5083333" into A2 leaves "50833".
  virtual void SetText(Cell cell, std::string_view text) = 0;
  // A locked cell refuses the user's typing but still takes the focus.
  virtual void SetLocked(Cell cell, bool locked) = 0;
  virtual void SetForeColor(Cell cell, Rgb colour) = 0;
  // A hidden button can be neither seen, pressed nor focused.
  virtual void SetVisible(Button button, bool visible) = 0;
  virtual void SetFocus(Cell cell) = 0;
  // Modal box with an information icon and one OK button; returns once closed.
  virtual void ShowMessage(std::string_view message, std::string_view title) = 0;
  // Ends the tool: no procedure of the tool runs afterwards.
  virtual void EndProgram() = 0;
};

// A cell's text to read: borrowed from a board that keeps its texts, copied
// from any other; it lasts until the cell's next SetText.
// CellText(board, Cell::A1).View() -> "45", with no copy on a list's board.
class CellText {
 public:
  CellText(const CellBoard& board, Cell cell) {
    if (const std::optional<std::string_view> kept = board.KeptText(cell)) {
      view_ = *kept;
    } else {
      copy_ = board.Text(cell);
      view_ = copy_;
    }
  }
  CellText(const CellText&) = delete;  // the view may point into copy_
  CellText& operator=(const CellText&) = delete;

  std::string_view View() const { return view_; }

 private:
  std::string copy_;
  std::string_view view_;
};

}  // namespace angoli
