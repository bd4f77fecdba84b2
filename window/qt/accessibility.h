#pragma once
// What screen readers hear of the window beyond the controls' roles and
// names: the cells' whole values, and the program's own writes kept quiet.

#include <QObject>

namespace angoli {

// Gives every line edit (the cells) an accessible interface of our own; call
// once, after the QApplication exists.
void InstallAccessibility();

// While it lives, no screen reader hears of changes to object. The program
// writes cells on its own (results, a cell emptied after a warning, a new
// row). Orca takes the caret moving in a cell that has the focus by the time
// it looks for the user having arrived there, silently, and then says nothing
// when the focus news comes: the cell after a warning, or the first cell of a
// new row, went unannounced.
//   { const Unheard quiet(*cell); cell->setText(""); }  // nothing announced
class Unheard {
 public:
  explicit Unheard(const QObject& object);
  ~Unheard();
  Unheard(const Unheard&) = delete;
  Unheard& operator=(const Unheard&) = delete;

 private:
  const QObject* outer_;
};

}  // namespace angoli
