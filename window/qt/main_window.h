#pragma once
// The window Main: builds the controls of controls.h and wires their events
// to the actions of the core.

#include <QWidget>

#include <array>
#include <memory>

#include "window/controls.h"
#include "window/qt/accessibility.h"
#include "window/qt/widget_board.h"

class QButtonGroup;
class QLineEdit;
class QMenu;
class QPushButton;

namespace angoli {

class MainWindow final : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // The board as the core sees this window.
  CellBoard& Board() { return *board_; }

  // A cell's context menu: "Incolla angolo", "Copia angolo" of the cell's
  // row, "Converti elenco", a separator, then the line edit's own items.
  // CellMenu(Cell::B3) -> Incolla angolo, Copia angolo (row B), Converti elenco, |, Annulla, …
  std::unique_ptr<QMenu> CellMenu(Cell cell);

 protected:
  bool event(QEvent* event) override;

 private:
  void CreateControl(const form::ControlLine& line);
  void KeepTabStopOnSelectedRow();
  // "Incolla angolo" from the clipboard; "Copia angolo" of a row to it.
  void PasteAngleFromClipboard();
  void CopyAngleOf(Row row);
  // "Converti elenco": the clipboard's list replaced by its table, and a box
  // that says how many lines converted. "45,5\nciao" -> the table, "1 angolo
  // su 2 convertito. …"; "ciao" -> a warning, the clipboard as it was.
  void ConvertListOnClipboard();
  // The row of the focused cell, else the input row: B2 focused -> Row::B;
  // "Reset" focused with row C the input row -> Row::C.
  Row FocusedRow() const;
  // Twips to this window's pixels: Scaled(585) -> 39 at zoom 1.
  int Scaled(int twips) const;

  std::array<QLineEdit*, 9> cells_{};
  std::array<QPushButton*, 3> calc_{};
  QButtonGroup* rows_ = nullptr;
  Announcer* announcer_ = nullptr;
  std::unique_ptr<WidgetBoard> board_;
  bool activated_ = false;
  double zoom_ = 1;  // below 1 only where the screen is too small for the window
  double devicePixelRatio_ = 1;
};

}  // namespace angoli
