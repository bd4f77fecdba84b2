#include "window/win32/clipboard.h"

#include <cwchar>

namespace angoli::win32 {

std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  if (!OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    // Another program may have left out the closing zero: read no further
    // than its block.
    if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
      text.assign(units, wcsnlen(units, GlobalSize(data) / sizeof(wchar_t)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool SetClipboardText(HWND owner, const std::wstring& text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (!memory) return false;
  auto* units = static_cast<wchar_t*>(GlobalLock(memory));
  if (!units) {
    GlobalFree(memory);
    return false;
  }
  text.copy(units, text.size());
  units[text.size()] = L'\0';
  GlobalUnlock(memory);
  bool taken = false;
  if (OpenClipboard(owner)) {
    // Once the clipboard takes the memory, it is the clipboard's.
    taken = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
  }
  if (!taken) GlobalFree(memory);
  return taken;
}

}  // namespace angoli::win32
