#include "window/win32/dpi.h"

#include "window/win32/resource.h"

namespace angoli::win32 {
namespace {

// A function of a system DLL by name, or null where this Windows lacks it:
// Lookup<decltype(GetDpiForWindow)>("GetDpiForWindow") -> null on Windows 7.
template <typename Function>
Function* Lookup(const char* name, HMODULE library = GetModuleHandleW(L"user32.dll")) {
  if (!library) return nullptr;
  // Through void (*)(), the one function type every other converts from freely.
  const auto found = reinterpret_cast<void (*)()>(GetProcAddress(library, name));
  return reinterpret_cast<Function*>(found);
}

// GetDpiForMonitor of shcore.dll (Windows 8.1 on), whose header the program
// does without; 0 is MDT_EFFECTIVE_DPI.
using DpiForMonitor = HRESULT WINAPI(HMONITOR monitor, int type, UINT* x, UINT* y);
constexpr int kEffectiveDpi = 0;

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
  if (forWindow) return forWindow(window);
  // Only from the system folder: no shcore.dll beside the program is loaded.
  static const auto forMonitor = Lookup<DpiForMonitor>(
      "GetDpiForMonitor", LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  UINT x = 0, y = 0;
  if (forMonitor && SUCCEEDED(forMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)))
    return y;
  return SystemDpi();
}

void ScaleFrame(HWND window) {
  static const auto scaling = Lookup<decltype(EnableNonClientDpiScaling)>("EnableNonClientDpiScaling");
  if (scaling) scaling(window);
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
