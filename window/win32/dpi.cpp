#include "window/win32/dpi.h"

#include "window/win32/resource.h"

namespace angoli::win32 {
namespace {

// A function of user32.dll by name, or null where this Windows lacks it:
// Lookup<decltype(GetDpiForWindow)>("GetDpiForWindow") -> null on Windows 7.
template <typename Function>
Function* Lookup(const char* name) {
  // Through void (*)(), the one function type every other converts from freely.
  const auto found = reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name));
  return reinterpret_cast<Function*>(found);
}

UINT SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return static_cast<UINT>(dpi);
}

// A system metric at a DPI: Metric(SM_CXSMICON, 144) -> 24. Without
// GetSystemMetricsForDpi (Windows 8.1 and older) the system's own metric,
// scaled from the system DPI.
int Metric(int index, UINT dpi) {
  static const auto forDpi = Lookup<decltype(GetSystemMetricsForDpi)>("GetSystemMetricsForDpi");
  if (forDpi) return forDpi(index, dpi);
  return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

}  // namespace

UINT DpiOf(HWND window) {
  static const auto forWindow = Lookup<decltype(GetDpiForWindow)>("GetDpiForWindow");
  return forWindow ? forWindow(window) : SystemDpi();
}

void FrameAround(RECT& client, DWORD style, UINT dpi) {
  static const auto forDpi = Lookup<decltype(AdjustWindowRectExForDpi)>("AdjustWindowRectExForDpi");
  if (forDpi) {
    forDpi(&client, style, FALSE, 0, dpi);
  } else {
    // Before Windows 10 the frame is drawn at the system DPI whatever the monitor's.
    AdjustWindowRectEx(&client, style, FALSE, 0);
  }
}

void SetIcons(HWND window, UINT dpi) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
  const struct { WPARAM which; int width, height; } kinds[] = {
      {ICON_SMALL, SM_CXSMICON, SM_CYSMICON}, {ICON_BIG, SM_CXICON, SM_CYICON}};
  for (const auto& kind : kinds) {
    HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(ANGOLI_ICON), IMAGE_ICON, Metric(kind.width, dpi),
                             Metric(kind.height, dpi), 0);
    if (auto old = reinterpret_cast<HICON>(SendMessageW(window, WM_SETICON, kind.which,
                                                         reinterpret_cast<LPARAM>(icon))))
      DestroyIcon(old);
  }
}

}  // namespace angoli::win32
