#pragma once
// The window's two faces, "Tahoma" and "MS Sans Serif", and the QFont of a
// control.

#include <QFont>

#include "window/controls.h"

namespace angoli {

// Adds the free look-alikes of both faces from Debian's fonts-wine to the
// application. Without them fontconfig's nearest face stands in; sizes and
// weights stay those of the table.
void LoadFaces();

// The font of a table entry: {MsSansSerif, 8.25, false} -> "MS Sans Serif" 8.25 pt.
QFont FontOf(const form::FontStyle& wanted);

}  // namespace angoli
