#pragma once
// The window's two faces, "Tahoma" and "MS Sans Serif", and the QFont of a
// control.

#include <QFont>

#include "window/controls.h"

namespace angoli {

// Adds the faces compiled into the program to the application: Wine's free
// look-alikes of both (LGPL 2.1 or later), taken from Debian's fonts-wine at
// build time, so the window looks the same on machines without them.
void LoadFaces();

// The font of a table entry: {MsSansSerif, 8.25, false} -> "MS Sans Serif" 8.25 pt.
QFont FontOf(const form::FontStyle& wanted);

}  // namespace angoli
