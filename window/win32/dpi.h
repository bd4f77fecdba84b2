#pragma once
// The window's DPI from Windows 7 SP1 on. The per-monitor functions came with
// Windows 10 (1607), so they are looked up at run time; where they are
// missing, the system DPI and the system's metrics stand in, which is all
// that Windows 7 offers a program anyway.

#include <windows.h>

namespace angoli::win32 {

// The DPI the window is shown at: 144 on a monitor at 150 %. Without
// GetDpiForWindow (before Windows 10 1607), the DPI of the window's monitor
// (Windows 8.1 on); on Windows 7 the system DPI (LOGPIXELSY of the screen).
UINT DpiOf(HWND window);

// Called as the window is created (WM_NCCREATE): its title bar and menus then
// scale with the monitor's DPI where Windows 10 1607 on leaves that to the
// program; a 96-DPI title bar on a 144-DPI screen -> a 144-DPI one. Later
// Windows scale them anyway, earlier ones cannot.
void ScaleFrame(HWND window);

// Widens a client rectangle to the window's outer frame at a DPI:
// {0, 0, 100, 50} -> {-3, -26, 103, 53} for a caption at 96 DPI (the sizes
// depend on the theme).
void FrameAround(RECT& client, DWORD style, UINT dpi);

// Gives the window its icons at the sizes the DPI wants: the title bar's
// 24 x 24 at 144 DPI, 16 x 16 at 96. Icons set before are destroyed.
void SetIcons(HWND window, UINT dpi);

}  // namespace angoli::win32
