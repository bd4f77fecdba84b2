#pragma once
// The window Main and its 28 controls as data: everything that fixes how the
// window looks, in tab-index order, and what each control stands for in the
// core. Every front end builds its real controls from this table and nothing
// else, so a control changes here or nowhere. No toolkit header comes in here.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "conversion/cell_board.h"
#include "version.h"

namespace angoli::form {

// Geometry is in twips; 15 twips make one pixel at 96 dots per inch, and the
// front end scales from there.
inline constexpr int kTwipsPerPixel = 15;
// Px(585) -> 39; Px(1725) -> 115
constexpr int Px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

enum class Kind { Option, Cell, Command, Label };
enum class Face { Tahoma, MsSansSerif };
enum class Align { Left, Centre };

// What a click on the control does.
enum class Action {
  None,       // cells and labels
  ChooseRow,  // option buttons: the line's row becomes the input row
  Calcola,    // the line's row is checked and converted
  Reset,
  Chiudi,
};

struct FontStyle {
  Face face = Face::Tahoma;
  double points = 0;
  bool bold = false;
};

struct ControlLine {
  Kind kind;
  std::string_view name;  // as the tool's procedures call the control
  std::optional<Cell> cell;  // the board's cell that a text box is
  Action action;
  Row row;  // for ChooseRow and Calcola
  const char* caption;  // labels and buttons; cells start empty
  int left, top, width, height;  // twips, from the client area's corner
  FontStyle font;
  std::optional<Rgb> foreColor;  // nullopt: the platform's colour
  std::optional<Rgb> backColor;
  Align align;
  bool autoSize;  // label sized to its text; width and height are the fitted size
  const char* accessibleName;  // nullptr: the caption says it
};

inline constexpr const char* kTitle = "Conversione angoli";
inline constexpr const char* kCreditCaption = "Versione " ANGOLI_VERSION;
inline constexpr int kClientWidth = 5280;
inline constexpr int kClientHeight = 4665;
inline constexpr Rgb kWindowBack{192, 192, 192};
// Controls without a font of their own (Command1, Label9) show this one.
inline constexpr FontStyle kWindowFont{Face::Tahoma, 9.75, false};

namespace detail {
inline constexpr FontStyle kSmall{Face::MsSansSerif, 8.25, false};
inline constexpr FontStyle kCellFont{Face::Tahoma, 14.25, true};
inline constexpr FontStyle kHeaderFont{Face::Tahoma, 11.25, true};
inline constexpr FontStyle kLegendFont{Face::Tahoma, 9.75, true};
inline constexpr Rgb kCellBack{255, 255, 192};
inline constexpr Rgb kHeaderBack{255, 224, 192};
inline constexpr Rgb kBlue{0, 0, 255};

constexpr ControlLine Option(Row row, std::string_view name, int left, int top,
                             const char* accessibleName) {
  return {Kind::Option, name, std::nullopt, Action::ChooseRow, row, "", left, top, 345, 345,
          kSmall, std::nullopt, std::nullopt, Align::Left, false, accessibleName};
}
// A cell's name and length come from the board.
constexpr ControlLine CellBox(Cell cell, int left, int top, int width, int height,
                              const char* accessibleName) {
  return {Kind::Cell, NameOf(cell), cell, Action::None, RowOf(cell), "", left, top, width, height,
          kCellFont, kBlack, kCellBack, Align::Centre, false, accessibleName};
}
constexpr ControlLine Command(std::string_view name, Action action, Row row, const char* caption,
                              int left, FontStyle font) {
  return {Kind::Command, name, std::nullopt, action, row, caption, left, 3675, 795, 420,
          font, std::nullopt, std::nullopt, Align::Centre, false, nullptr};
}
constexpr ControlLine Header(std::string_view name, const char* caption, int left, int top,
                             int width, const char* accessibleName) {
  return {Kind::Label, name, std::nullopt, Action::None, Row::A, caption, left, top, width, 255,
          kHeaderFont, kBlue, kHeaderBack, Align::Centre, false, accessibleName};
}
constexpr ControlLine Text(std::string_view name, const char* caption, int left, int top,
                           int width, int height, FontStyle font, std::optional<Rgb> fore) {
  return {Kind::Label, name, std::nullopt, Action::None, Row::A, caption, left, top, width, height,
          font, fore, std::nullopt, Align::Left, true, nullptr};
}
}  // namespace detail

// clang-format off
inline constexpr std::array<ControlLine, 28> kControls = [] {
  using namespace detail;
  return std::array<ControlLine, 28>{{
    Option(Row::A, "OptA", 600, 960, "Riga A, gradi decimali"),
    CellBox(Cell::A1, 1200, 930, 585, 420, "Gradi, riga A"),
    CellBox(Cell::A2, 2040, 930, 1230, 405, "Decimali dei gradi, riga A"),
    Option(Row::B, "OptB", 600, 1920, "Riga B, gradi e minuti decimali"),
    CellBox(Cell::B1, 1200, 1905, 585, 405, "Gradi, riga B"),
    CellBox(Cell::B2, 2040, 1890, 585, 405, "Minuti, riga B"),
    CellBox(Cell::B3, 2880, 1890, 1125, 405, "Decimali dei minuti, riga B"),
    Option(Row::C, "OptC", 600, 2880, "Riga C, gradi, minuti e secondi decimali"),
    CellBox(Cell::C1, 1200, 2835, 585, 405, "Gradi, riga C"),
    CellBox(Cell::C2, 2040, 2835, 585, 405, "Minuti, riga C"),
    CellBox(Cell::C3, 2880, 2835, 585, 405, "Secondi, riga C"),
    CellBox(Cell::C4, 3720, 2835, 825, 405, "Decimali dei secondi, riga C"),
    Command("CalcA", Action::Calcola, Row::A, "Calcola", 1155, kSmall),
    Command("CalcB", Action::Calcola, Row::B, "Calcola", 1155, kSmall),
    Command("CalcC", Action::Calcola, Row::C, "Calcola", 1155, kSmall),
    Command("Command1", Action::Reset, Row::A, "Reset", 2310, kWindowFont),
    Command("Chiudi", Action::Chiudi, Row::A, "Chiudi", 3420, kSmall),
    Header("lbDecimali", "ddddd", 2220, 660, 735, "Intestazione decimali dei gradi, riga A"),
    Header("Label1", "dddd", 2925, 1620, 855, "Intestazione decimali dei minuti, riga B"),
    Header("Label3", "MM", 2085, 1605, 495, "Intestazione minuti, riga B"),
    Header("Label4", "ddd", 3720, 2565, 735, "Intestazione decimali dei secondi, riga C"),
    Header("Label6", "MM", 2100, 2580, 495, "Intestazione minuti, riga C"),
    Header("Label7", "SS", 2910, 2580, 495, "Intestazione secondi, riga C"),
    Header("Label5", "DD", 1200, 2565, 585, "Intestazione gradi, riga C"),
    Header("Label2", "DD", 1200, 1620, 585, "Intestazione gradi, riga B"),
    Header("lbGradi", "DD", 1200, 660, 585, "Intestazione gradi, riga A"),
    Text("Label8", "D=gradi   M=primi   S=secondi   d=decimali", 360, 240, 4200, 240, kLegendFont, kBlue),
    Text("Label9", kCreditCaption, 1725, 4320, 1605, 240, kWindowFont, std::nullopt),
  }};
}();
// clang-format on

constexpr std::size_t IndexOf(const ControlLine& line) {
  return static_cast<std::size_t>(&line - kControls.data());
}

// The line of a cell, of a row's option or "Calcola", of "Reset" or "Chiudi".
// LineOf(Cell::B2).name -> "B2"; LineOf(Action::Calcola, Row::C).name -> "CalcC"
constexpr const ControlLine& LineOf(Cell cell) {
  for (const ControlLine& line : kControls)
    if (line.cell == cell) return line;
  throw "no line for the cell";  // not a constant expression: fails to compile
}
constexpr bool Takes(const ControlLine& line, Action action, Row row) {
  return line.action == action &&
         (line.row == row || (action != Action::ChooseRow && action != Action::Calcola));
}
constexpr const ControlLine& LineOf(Action action, Row row = Row::A) {
  for (const ControlLine& line : kControls)
    if (Takes(line, action, row)) return line;
  throw "no line for the action";
}

namespace detail {
constexpr int CountOf(Cell cell) {
  int n = 0;
  for (const ControlLine& line : kControls) n += line.cell == cell;
  return n;
}
constexpr int CountOf(Action action, Row row) {
  int n = 0;
  for (const ControlLine& line : kControls) n += Takes(line, action, row);
  return n;
}
constexpr bool KindFitsLink(const ControlLine& line) {
  switch (line.kind) {
    case Kind::Cell: return line.cell && line.action == Action::None;
    case Kind::Option: return !line.cell && line.action == Action::ChooseRow;
    case Kind::Command:
      return !line.cell && line.action != Action::None && line.action != Action::ChooseRow;
    case Kind::Label: return !line.cell && line.action == Action::None;
  }
  return false;
}
constexpr bool EveryLinkOnce() {
  for (const ControlLine& line : kControls)
    if (!KindFitsLink(line)) return false;
  for (Cell cell : kBoardOrder)
    if (CountOf(cell) != 1) return false;
  for (Row row : kRows)
    if (CountOf(Action::ChooseRow, row) != 1 || CountOf(Action::Calcola, row) != 1) return false;
  return CountOf(Action::Reset, Row::A) == 1 && CountOf(Action::Chiudi, Row::A) == 1;
}
constexpr bool NamesUnique() {
  for (const ControlLine& a : kControls)
    for (const ControlLine& b : kControls)
      if (&a != &b && a.name == b.name) return false;
  return true;
}
}  // namespace detail

static_assert(detail::EveryLinkOnce(),
              "each cell, each row's option and Calcola, Reset and Chiudi: exactly one control");
static_assert(detail::NamesUnique(), "two controls share a name");

}  // namespace angoli::form
