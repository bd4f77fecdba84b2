#include "window/win32/angle_menu.h"

#include <commctrl.h>
#include <windowsx.h>

#include <iterator>
#include <optional>
#include <string>

#include "validation/calcola.h"
#include "window/win32/clipboard.h"
#include "window/win32/wide_text.h"

namespace angoli::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;

// What greys an item, as Windows greys its edit menu.
enum class Needs { Nothing, Undo, Selection, EditableSelection, Paste, MoreToSelect };

enum class Does { PasteAngle, CopyAngle, ConvertList, Send };

struct Item {
  std::wstring text;  // empty: a separator
  Does does;
  UINT message;  // what Send sends to the cell
  WPARAM w;
  LPARAM l;
  Needs needs;
};

// A command's item text: its name with the access key's letter marked, then
// after a tab the keys shown beside it, not part of the name a screen reader
// reads.
// TextOf(kPasteAngleCommand, L'n') -> L"I&ncolla angolo\tCtrl+Maiusc+V"
std::wstring TextOf(const AngleCommand& command, wchar_t accessKey) {
  std::wstring text = Widen(command.name);
  text.insert(text.find(accessKey), 1, L'&');
  return text + L"\tCtrl+Maiusc+" + static_cast<wchar_t>(command.key);
}

// The menu from top to bottom. The edit menu's items keep the access keys
// Windows gives them; the program's own take letters none of those use.
const Item kItems[] = {
    {TextOf(kPasteAngleCommand, L'n'), Does::PasteAngle, 0, 0, 0, Needs::Nothing},
    {TextOf(kCopyAngleCommand, L'p'), Does::CopyAngle, 0, 0, 0, Needs::Nothing},
    {TextOf(kConvertListCommand, L'v'), Does::ConvertList, 0, 0, 0, Needs::Nothing},
    {{}, Does::Send, 0, 0, 0, Needs::Nothing},
    {L"&Annulla", Does::Send, EM_UNDO, 0, 0, Needs::Undo},
    {{}, Does::Send, 0, 0, 0, Needs::Nothing},
    {L"&Taglia", Does::Send, WM_CUT, 0, 0, Needs::EditableSelection},
    {L"&Copia", Does::Send, WM_COPY, 0, 0, Needs::Selection},
    {L"&Incolla", Does::Send, WM_PASTE, 0, 0, Needs::Paste},
    {L"&Elimina", Does::Send, WM_CLEAR, 0, 0, Needs::EditableSelection},
    {{}, Does::Send, 0, 0, 0, Needs::Nothing},
    {L"&Seleziona tutto", Does::Send, EM_SETSEL, 0, -1, Needs::MoreToSelect},
};

bool Enabled(HWND cell, Needs needs) {
  const bool editable = !(GetWindowLongW(cell, GWL_STYLE) & ES_READONLY);
  DWORD start = 0, end = 0;
  SendMessageW(cell, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const auto length = static_cast<DWORD>(GetWindowTextLengthW(cell));
  switch (needs) {
    case Needs::Nothing: return true;
    case Needs::Undo: return editable && SendMessageW(cell, EM_CANUNDO, 0, 0);
    case Needs::Selection: return start != end;
    case Needs::EditableSelection: return editable && start != end;
    case Needs::Paste: return editable && IsClipboardFormatAvailable(CF_UNICODETEXT);
    case Needs::MoreToSelect: return length > 0 && (start != 0 || end != length);
  }
  return false;
}

bool Held(int key) { return GetKeyState(key) < 0; }

}  // namespace

AngleMenu::AngleMenu(HWND window, const std::array<HWND, 9>& cells, CellBoard& board,
                     std::function<Row()> inputRow, std::function<void(const Pasted&)> pasted)
    : window_(window), cells_(cells), board_(board), inputRow_(std::move(inputRow)),
      pasted_(std::move(pasted)) {
  for (HWND cell : cells_)
    SetWindowSubclass(cell, &AngleMenu::CellProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

bool AngleMenu::PreTranslate(const MSG& message) {
  const WPARAM key = message.wParam;
  const bool ours = key == WPARAM(kPasteAngleCommand.key) || key == WPARAM(kCopyAngleCommand.key) ||
                    key == WPARAM(kConvertListCommand.key);
  if (message.message != WM_KEYDOWN || !ours) return false;
  if (!Held(VK_CONTROL) || !Held(VK_SHIFT) || Held(VK_MENU)) return false;
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  if (key == WPARAM(kPasteAngleCommand.key))
    Paste();
  else if (key == WPARAM(kCopyAngleCommand.key))
    Copy(FocusedRow());
  else
    ConvertList();
  return true;
}

LRESULT CALLBACK AngleMenu::CellProcedure(HWND cell, UINT message, WPARAM w, LPARAM l, UINT_PTR id,
                                          DWORD_PTR self) {
  // The subclass goes with the cell, before the window and this menu go.
  if (message == WM_NCDESTROY) RemoveWindowSubclass(cell, &AngleMenu::CellProcedure, id);
  if (message != WM_CONTEXTMENU) return DefSubclassProc(cell, message, w, l);
  reinterpret_cast<AngleMenu*>(self)->ShowMenu(cell, l);
  return 0;
}

void AngleMenu::ShowMenu(HWND cell, LPARAM at) {
  ::SetFocus(cell);
  POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (point.x == -1 && point.y == -1) {  // from the keyboard: below the cell's top-left corner
    RECT r;
    GetWindowRect(cell, &r);
    point = {r.left, r.bottom};
  }
  HMENU menu = CreatePopupMenu();
  for (UINT i = 0; i < std::size(kItems); ++i) {
    const Item& item = kItems[i];
    if (item.text.empty()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    // An item's id is its place in the list, from 1: 0 is no choice.
    AppendMenuW(menu, MF_STRING | (Enabled(cell, item.needs) ? MF_ENABLED : MF_GRAYED), i + 1, item.text.c_str());
  }
  const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, point.x,
                                     point.y, 0, window_, nullptr);
  DestroyMenu(menu);
  if (chosen == 0 || chosen > std::size(kItems)) return;
  const Item& item = kItems[chosen - 1];
  Row row = Row::A;
  for (Cell each : kBoardOrder)
    if (cells_[IndexOf(each)] == cell) row = RowOf(each);
  switch (item.does) {
    case Does::PasteAngle: return Paste();
    case Does::CopyAngle: return Copy(row);
    case Does::ConvertList: return ConvertList();
    case Does::Send: SendMessageW(cell, item.message, item.w, item.l); return;
  }
}

void AngleMenu::Paste() {
  const std::optional<std::wstring> text = ClipboardText(window_);
  if (!text) return Warn(ClipboardAccess::Busy);
  const Pasted pasted = PasteAngle(board_, Narrow(*text));
  if (pasted.row) pasted_(pasted);
}

void AngleMenu::Copy(Row row) {
  if (const std::optional<std::string> text = CopyAngle(board_, row)) Warn(SetClipboardText(window_, Widen(*text)));
}

void AngleMenu::ConvertList() {
  const std::optional<std::wstring> text = ClipboardText(window_);
  if (!text) return Warn(ClipboardAccess::Busy);
  const ListOnClipboard list = ConvertClipboardList(Narrow(*text), "\r\n");
  // On the clipboard before the box says it is there.
  const ClipboardAccess written = list.table ? SetClipboardText(window_, Widen(*list.table)) : ClipboardAccess::Done;
  if (written != ClipboardAccess::Done) return Warn(written);
  board_.ShowMessage(list.message, list.title);
}

void AngleMenu::Warn(ClipboardAccess access) {
  if (access == ClipboardAccess::Busy) board_.ShowMessage(kClipboardBusyMessage, kWarningTitle);
  if (access == ClipboardAccess::Failed) board_.ShowMessage(kClipboardFailedMessage, kWarningTitle);
}

Row AngleMenu::FocusedRow() const {
  HWND focus = GetFocus();
  for (Cell cell : kBoardOrder)
    if (cells_[IndexOf(cell)] == focus) return RowOf(cell);
  return inputRow_();
}

}  // namespace angoli::win32
