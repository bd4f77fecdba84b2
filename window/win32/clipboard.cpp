#include "window/win32/clipboard.h"

#include <cwchar>

namespace angoli::win32 {
namespace {

// Ten tries over about half a second, as long as a holder keeps it after a
// copy; longer, and the window would seem to hang.
constexpr int kTries = 10;
constexpr DWORD kPauseMilliseconds = 50;

// OpenClipboard, tried again while another program has the clipboard open:
// free -> true at once; held for 200 ms -> true after about 200 ms; held
// for 5 s -> false after about 450 ms.
bool OpenClipboardPatiently(HWND owner) {
  for (int attempt = 1;; ++attempt) {
    if (OpenClipboard(owner)) return true;
    if (attempt == kTries) return false;
    Sleep(kPauseMilliseconds);
  }
}

}  // namespace

std::optional<std::wstring> ClipboardText(HWND owner) {
  if (!OpenClipboardPatiently(owner)) return std::nullopt;
  std::wstring text;
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

ClipboardAccess SetClipboardText(HWND owner, const std::wstring& text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (!memory) return ClipboardAccess::Failed;
  auto* units = static_cast<wchar_t*>(GlobalLock(memory));
  if (!units) {
    GlobalFree(memory);
    return ClipboardAccess::Failed;
  }
  text.copy(units, text.size());
  units[text.size()] = L'\0';
  GlobalUnlock(memory);
  ClipboardAccess access = ClipboardAccess::Busy;
  if (OpenClipboardPatiently(owner)) {
    // Once the clipboard takes the memory, it is the clipboard's.
    access = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) ? ClipboardAccess::Done
                                                                          : ClipboardAccess::Failed;
    CloseClipboard();
  }
  if (access != ClipboardAccess::Done) GlobalFree(memory);
  return access;
}

}  // namespace angoli::win32
