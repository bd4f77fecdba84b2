#pragma once
// What screen readers hear of the window beyond the controls' roles and
// names: the cells' whole values.

namespace angoli {

// Gives every line edit (the cells) an accessible interface of our own; call
// once, after the QApplication exists.
void InstallAccessibility();

}  // namespace angoli
