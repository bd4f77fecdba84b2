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

// The font of a table entry in a window drawn `zoom` times its designed size
// on a screen of `devicePixelRatio` device pixels to a pixel:
//   {MsSansSerif, 8.25, false}, 1, 1   -> "MS Sans Serif" 8.25 pt
//   {MsSansSerif, 8.25, false}, 1, 2   -> "Tahoma" 8.25 pt
//   {Tahoma, 14.25, true}, 0.9, 2.5    -> "Tahoma" 12.825 pt bold
// "MS Sans Serif" holds bitmaps of 13, 16 and 20 pixels only: drawn at any
// other scale its letters keep their size and drift apart, so Tahoma, its
// closest scalable neighbour, stands in at the same point size.
QFont FontOf(const form::FontStyle& wanted, double zoom = 1, double devicePixelRatio = 1);

}  // namespace angoli
