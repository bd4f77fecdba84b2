#pragma once
// The window Main and its 28 controls as data: everything that fixes how the
// window looks, in tab-index order. main_window.cpp builds the real widgets
// from this table and nothing else, so a control changes here or nowhere.

#include <QtCore/qnamespace.h>

#include <array>
#include <optional>

#include "conversion/cell_board.h"

namespace angoli::form {

// Geometry is in twips; 15 twips make one device-independent pixel, and Qt's
// high-DPI scaling takes it from there.
inline constexpr int kTwipsPerPixel = 15;
constexpr int Px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

enum class Kind { Option, Cell, Command, Label };

// Faces as the window names them; fonts.cpp supplies look-alikes.
enum class Face { Window, Tahoma, MsSansSerif };

struct FontStyle {
  Face face = Face::Window;  // Window: the window's own font, points and bold unused
  double points = 0;
  bool bold = false;
};

struct ControlLine {
  Kind kind;
  const char* name;     // objectName, as the tool's procedures call it
  const char* caption;  // text of labels and buttons; cells start empty
  int left, top, width, height;  // twips, from the client area's corner
  FontStyle font;
  std::optional<Rgb> foreColor;  // nullopt: the style's colour
  std::optional<Rgb> backColor;
  int maxLength;  // cells only
  Qt::AlignmentFlag alignment;
  bool autoSize;  // label sized to its text; width and height are the fitted size
  const char* accessibleName;  // nullptr: Qt derives it from the caption
};

inline constexpr const char* kTitle = "Conversione angoli";
inline constexpr const char* kVersion = "1.00";
inline constexpr int kClientWidth = 5280;
inline constexpr int kClientHeight = 4665;
inline constexpr Rgb kWindowBack{192, 192, 192};
inline constexpr FontStyle kWindowFont{Face::Tahoma, 9.75, false};

namespace detail {
inline constexpr FontStyle kSmall{Face::MsSansSerif, 8.25, false};
inline constexpr FontStyle kCellFont{Face::Tahoma, 14.25, true};
inline constexpr FontStyle kHeaderFont{Face::Tahoma, 11.25, true};
inline constexpr FontStyle kLegendFont{Face::Tahoma, 9.75, true};
inline constexpr FontStyle kOwnFont{};
inline constexpr Rgb kCellBack{255, 255, 192};
inline constexpr Rgb kHeaderBack{255, 224, 192};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr auto kNone = std::nullopt;
inline constexpr Qt::AlignmentFlag kCentre = Qt::AlignCenter;
inline constexpr Qt::AlignmentFlag kLeft = Qt::AlignLeft;
}  // namespace detail

// clang-format off
inline constexpr std::array<ControlLine, 28> kControls = [] {
  using namespace detail;
  return std::array<ControlLine, 28>{{
    {Kind::Option,  "OptA", "", 600, 960, 345, 345, kSmall, kNone, kNone, 0, kLeft, false, "Riga A: gradi decimali"},
    {Kind::Cell,    "A1", "", 1200, 930, 585, 420, kCellFont, kBlack, kCellBack, 2, kCentre, false, "Gradi (riga A)"},
    {Kind::Cell,    "A2", "", 2040, 930, 1230, 405, kCellFont, kBlack, kCellBack, 5, kCentre, false, "Decimali dei gradi (riga A)"},
    {Kind::Option,  "OptB", "", 600, 1920, 345, 345, kSmall, kNone, kNone, 0, kLeft, false, "Riga B: gradi e minuti decimali"},
    {Kind::Cell,    "B1", "", 1200, 1905, 585, 405, kCellFont, kBlack, kCellBack, 2, kCentre, false, "Gradi (riga B)"},
    {Kind::Cell,    "B2", "", 2040, 1890, 585, 405, kCellFont, kBlack, kCellBack, 2, kCentre, false, "Minuti (riga B)"},
    {Kind::Cell,    "B3", "", 2880, 1890, 1125, 405, kCellFont, kBlack, kCellBack, 4, kCentre, false, "Decimali dei minuti (riga B)"},
    {Kind::Option,  "OptC", "", 600, 2880, 345, 345, kSmall, kNone, kNone, 0, kLeft, false, "Riga C: gradi, minuti e secondi decimali"},
    {Kind::Cell,    "C1", "", 1200, 2835, 585, 405, kCellFont, kBlack, kCellBack, 2, kCentre, false, "Gradi (riga C)"},
    {Kind::Cell,    "C2", "", 2040, 2835, 585, 405, kCellFont, kBlack, kCellBack, 2, kCentre, false, "Minuti (riga C)"},
    {Kind::Cell,    "C3", "", 2880, 2835, 585, 405, kCellFont, kBlack, kCellBack, 2, kCentre, false, "Secondi (riga C)"},
    {Kind::Cell,    "C4", "", 3720, 2835, 825, 405, kCellFont, kBlack, kCellBack, 3, kCentre, false, "Decimali dei secondi (riga C)"},
    {Kind::Command, "CalcA", "Calcola", 1155, 3675, 795, 420, kSmall, kNone, kNone, 0, kCentre, false, nullptr},
    {Kind::Command, "CalcB", "Calcola", 1155, 3675, 795, 420, kSmall, kNone, kNone, 0, kCentre, false, nullptr},
    {Kind::Command, "CalcC", "Calcola", 1155, 3675, 795, 420, kSmall, kNone, kNone, 0, kCentre, false, nullptr},
    {Kind::Command, "Command1", "Reset", 2310, 3675, 795, 420, kOwnFont, kNone, kNone, 0, kCentre, false, nullptr},
    {Kind::Command, "Chiudi", "Chiudi", 3420, 3675, 795, 420, kSmall, kNone, kNone, 0, kCentre, false, nullptr},
    {Kind::Label,   "lbDecimali", "ddddd", 2220, 660, 735, 255, kHeaderFont, kBlue, kHeaderBack, 0, kCentre, false, nullptr},
    {Kind::Label,   "Label1", "dddd", 2925, 1620, 855, 255, kHeaderFont, kBlue, kHeaderBack, 0, kCentre, false, nullptr},
    {Kind::Label,   "Label3", "MM", 2085, 1605, 495, 255, kHeaderFont, kBlue, kHeaderBack, 0, kCentre, false, nullptr},
    {Kind::Label,   "Label4", "ddd", 3720, 2565, 735, 255, kHeaderFont, kBlue, kHeaderBack, 0, kCentre, false, nullptr},
    {Kind::Label,   "Label6", "MM", 2100, 2580, 495, 255, kHeaderFont, kBlue, kHeaderBack, 0, kCentre, false, nullptr},
    {Kind::Label,   "Label7", "SS", 2910, 2580, 495, 255, kHeaderFont, kBlue, kHeaderBack, 0, kCentre, false, nullptr},
    {Kind::Label,   "Label5", "DD", 1200, 2565, 585, 255, kHeaderFont, kBlue, kHeaderBack, 0, kCentre, false, nullptr},
    {Kind::Label,   "Label2", "DD", 1200, 1620, 585, 255, kHeaderFont, kBlue, kHeaderBack, 0, kCentre, false, nullptr},
    {Kind::Label,   "lbGradi", "DD", 1200, 660, 585, 255, kHeaderFont, kBlue, kHeaderBack, 0, kCentre, false, nullptr},
    {Kind::Label,   "Label8", "D=gradi   M=primi   S=secondi   d=decimali", 360, 240, 4200, 240, kLegendFont, kBlue, kNone, 0, kLeft, true, nullptr},
    {Kind::Label,   "Label9", "Versione 1.00", 1725, 4320, 1605, 240, kOwnFont, kNone, kNone, 0, kLeft, true, nullptr},
  }};
}();
// clang-format on

// The names under which the board's cells and buttons, and the option buttons
// of the rows, appear in kControls.
inline constexpr std::array<const char*, 3> kCalcNames = {"CalcA", "CalcB", "CalcC"};
inline constexpr std::array<const char*, 3> kOptionNames = {"OptA", "OptB", "OptC"};

}  // namespace angoli::form
