// The tool for Windows: one window, the same core as the Qt window. It takes
// no command line.

#include <objbase.h>
#include <windows.h>

#include "window/win32/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  // The accessibility service that names the controls is a COM object.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int code = 0;
  {
    angoli::win32::MainWindow window(instance);
    window.Show(show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      // Tab, Shift+Tab and the arrow keys move between the controls.
      if (window.PreTranslate(message) || IsDialogMessageW(window.Handle(), &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    code = static_cast<int>(message.wParam);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return code;
}
