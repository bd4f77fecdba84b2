#pragma once
// The clipboard's text, as the cells' menu reads and writes it (and the
// window test, from outside). Other programs hold the clipboard open for a
// few milliseconds after they write to it (spreadsheets, browsers, remote
// desktops, the clipboard history), so each access waits for it a little.

#include <windows.h>

#include <optional>
#include <string>

namespace angoli::win32 {

// Said when the clipboard stayed busy through every try.
inline constexpr char kClipboardBusyMessage[] = "Gli appunti sono occupati da un altro programma: riprovare";
// Said when a copy found no memory for its text.
inline constexpr char kClipboardFailedMessage[] = "Non è stato possibile copiare negli appunti";

// How a write to the clipboard went.
enum class ClipboardAccess { Done, Busy, Failed };

// The clipboard's text, empty when it holds none; nothing when another
// program kept it open through every try. A text put there without its
// closing zero ends with its memory block: after SetClipboardText(w,
// L"45,50833"), ClipboardText(w) -> L"45,50833".
std::optional<std::wstring> ClipboardText(HWND owner);

// Puts text on the clipboard in place of what it held; the clipboard stays as
// it was when it is busy or memory ran out.
// SetClipboardText(w, L"45° 30,4998′") -> ClipboardAccess::Done
ClipboardAccess SetClipboardText(HWND owner, const std::wstring& text);

}  // namespace angoli::win32
