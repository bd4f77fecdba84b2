#pragma once
// The clipboard's text, as the cells' menu reads and writes it (and the
// window test, from outside).

#include <windows.h>

#include <string>

namespace angoli::win32 {

// The clipboard's text, empty when it holds none or another program has it
// open. A text put there without its closing zero ends with its memory block:
// after SetClipboardText(w, L"45,50833"), ClipboardText(w) -> L"45,50833".
std::wstring ClipboardText(HWND owner);

// Puts text on the clipboard in place of what it held: false, and the
// clipboard as it was, when it could not be opened or memory ran out.
// SetClipboardText(w, L"45° 30,4998′") -> true
bool SetClipboardText(HWND owner, const std::wstring& text);

}  // namespace angoli::win32
