// Drives angoli.exe from outside, as Windows would: window messages into its
// controls, keys through the input queue, the warning box found by its
// title. Each case starts the program afresh and runs its steps in order.
// window_test ANGOLI_EXE [SCREENSHOT.bmp|-] [ONLY_THIS_CASE]

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "window/controls.h"
#include "window/win32/clipboard.h"
#include "window/win32/control_ids.h"

namespace {

using namespace angoli;
using win32::ClipboardText, win32::SetClipboardText;

enum class Op {
  Click,    // BM_CLICK on `name`, sent: returns once the click has run
  Press,    // BM_CLICK on `name`, posted, as the click opens a warning box
  Fill,     // WM_SETTEXT into the cells of row `name`, `text` split at '|'
  Paste,    // the clipboard holds `text`, and cell `name` gets WM_PASTE
  Key,      // key `name` through the input queue, with `text` L"shift", L"alt" or L"ctrl+shift"
  Clip,     // the clipboard holds `text`, put there by another program
  Copied,   // the clipboard has come to hold `text`
  Menu,     // cell `name`'s context menu opens (wine keeps its items from other processes)
  Tabs,     // Tab, then each control of `name` in turn has the focus
  Warning,  // the box titled `name` ("": ATTENZIONE) says `text`, nothing changed while open; OK closes it
  State,    // `name`: input row and focus, "B B1"; `text`: the nine cells
  Ended,    // the program has ended, with code 0
  Shot,     // the window as painted, into the file given on the command line
  Maximized,  // started anew as a shortcut set to "Maximised" starts it: the normal size shows
  Restore,  // the title bar's minimize button, then a restore
  Mark,     // control `name` has a focus mark, if `text` is L"shown"
  Heard,    // the live-region notices since the last Heard, joined by '|', are `text`
  Mouse,    // a left click on `name` through the input queue
  Hold,     // another program holds the clipboard open for `text` milliseconds
};

struct Step {
  Op op;
  const char* name = "";
  const wchar_t* text = L"";
};

const wchar_t* const kNone = L"||||||||";
const wchar_t* const kAngle = L"45|50833|45|30|4998|45|30|29|988";
// clang-format off
const std::vector<std::pair<const char*, std::vector<Step>>> kCases = {
  {"start-up", {{Op::State, "A A1", kNone}}},
  {"row A converts", {{Op::Fill, "A", L"45|50833"}, {Op::Click, "CalcA"},
      {Op::State, "A CalcA", L"45|50833|45|30|4998|45|30|29|988"}, {Op::Heard, "", L"Conversione eseguita"},
      {Op::Click, "CalcA"}, {Op::Heard, "", L"Conversione eseguita"}}},
  {"row B converts, the degrees carry", {{Op::Click, "OptB"}, {Op::Fill, "B", L"45|59|9999"}, {Op::Click, "CalcB"},
      {Op::State, "B CalcB", L"46|00000|45|59|9999|45|59|59|994"}}},
  {"row C converts", {{Op::Click, "OptC"}, {Op::Fill, "C", L"45|30|30|0"}, {Op::Click, "CalcC"},
      {Op::State, "C CalcC", L"45|50833|45|30|5000|45|30|30|0"}}},
  {"empty row A", {{Op::Press, "CalcA"}, {Op::Warning, "", L"Immettere un numero nella cella dei gradi"},
      {Op::State, "A A1", kNone}, {Op::Heard, "", L""}}},
  {"letter in A2", {{Op::Fill, "A", L"45|x"}, {Op::Press, "CalcA"},
      {Op::Warning, "", L"Immettere un numero nella cella delle frazioni di gradi"}, {Op::State, "A A2", L"45||||||||"}}},
  {"minutes 60 stay", {{Op::Click, "OptB"}, {Op::Fill, "B", L"45|60|5"}, {Op::Press, "CalcB"},
      {Op::Warning, "", L"I minuti devono essere compresi tra 0 e 59"}, {Op::State, "B CalcB", L"||45|60|5||||"}}},
  {"negative digits of the seconds", {{Op::Click, "OptC"}, {Op::Fill, "C", L"45|30|30|-12"}, {Op::Press, "CalcC"},
      {Op::Warning, "", L"Immettere un numero nella cella delle frazioni di secondi"},
      {Op::State, "C C4", L"|||||45|30|30|"}}},
  {"another row empties the board", {{Op::Fill, "A", L"45|5"}, {Op::Click, "CalcA"}, {Op::Click, "OptA"},
      {Op::State, "A OptA", L"45|5|45|30|0000|45|30|0|000"}, {Op::Click, "OptC"}, {Op::State, "C C1", kNone}}},
  {"reset keeps the row", {{Op::Click, "OptB"}, {Op::Fill, "B", L"45|30|5"}, {Op::Click, "CalcB"},
      {Op::Heard, "", L"Conversione eseguita"}, {Op::Click, "Command1"}, {Op::State, "B Command1", kNone},
      {Op::Heard, "", L"Celle svuotate"}}},
  {"minimize and restore keep the focus", {{Op::Key, "Tab"}, {Op::Restore}, {Op::Key, "5"},
      {Op::State, "A A2", L"|5|||||||"}}},
  {"started maximized, shown at its size", {{Op::Maximized}, {Op::State, "A A1", kNone}}},
  {"the option's focus mark", {{Op::Mark, "OptA", L"hidden"}, {Op::Key, "Tab", L"shift"}, {Op::Mark, "OptA", L"shown"},
      {Op::Key, "Tab"}, {Op::State, "A A1", kNone}, {Op::Mark, "OptA", L"hidden"}}},
  {"mouse clicks draw no focus mark", {{Op::Fill, "A", L"45|5"}, {Op::Mouse, "CalcA"}, {Op::State, "A CalcA",
      L"45|5|45|30|0000|45|30|0|000"}, {Op::Mark, "CalcA", L"hidden"}, {Op::Mouse, "OptA"}, {Op::State, "A OptA",
      L"45|5|45|30|0000|45|30|0|000"}, {Op::Mark, "OptA", L"hidden"}, {Op::Key, "Tab", L"shift"}, {Op::Mark, "Chiudi", L"shown"}}},
  {"pastes cut by characters", {{Op::Paste, "A2", L"5083333"}, {Op::Paste, "A1", L"1\U0001F600"},
      {Op::Paste, "B1", L"9"}, {Op::State, "A A1", L"1|50833|||||||"}, {Op::Click, "OptB"},
      {Op::Paste, "B2", L"\U0001F600"}, {Op::Paste, "B3", L"àèìòù"}, {Op::State, "B B1", L"|||\U0001F600|àèìò||||"}}},
  {"tab order skips the hidden buttons", {{Op::Tabs, "A2 B1 B2 B3 C1 C2 C3 C4 CalcA Command1 Chiudi OptA A1"},
      {Op::Key, "Tab", L"shift"}, {Op::State, "A OptA", kNone}, {Op::Click, "OptC"},
      {Op::Tabs, "C2 C3 C4 CalcC Command1 Chiudi A1 A2 B1 B2 B3 OptC C1"}}},
  {"arrow keys choose the row", {{Op::Key, "Tab", L"shift"}, {Op::Key, "Down"}, {Op::State, "B B1", kNone},
      {Op::Key, "Tab", L"shift"}, {Op::Key, "Up"}, {Op::State, "A A1", kNone},
      {Op::Key, "Tab", L"shift"}, {Op::Key, "Up"}, {Op::State, "C C1", kNone}}},
  {"enter and escape press nothing", {{Op::Fill, "A", L"45|"}, {Op::Key, "Return"}, {Op::Key, "Escape"},
      {Op::State, "A A1", L"45||||||||"}}},
  {"Chiudi ends the program", {{Op::Fill, "A", L"45|"}, {Op::Click, "Chiudi"}, {Op::Ended}}},
  {"the close box ends the program", {{Op::Fill, "A", L"45|"}, {Op::Key, "F4", L"alt"}, {Op::Ended}}},
  {"Incolla angolo of each row", {{Op::Clip, "", L"45,50833"}, {Op::Key, "V", L"ctrl+shift"}, {Op::State, "A A1", kAngle},
      {Op::Click, "OptC"}, {Op::Clip, "", L"45° 30,4998′"}, {Op::Key, "V", L"ctrl+shift"}, {Op::State, "B B1", kAngle},
      {Op::Clip, "", L"45° 30′ 29,988″"}, {Op::Menu, "A2"}, {Op::Key, "N"}, {Op::State, "C C1", kAngle}}},
  {"a busy clipboard", {{Op::Clip, "", L"45,50833"}, {Op::Hold, "", L"200"}, {Op::Key, "V", L"ctrl+shift"},
      {Op::State, "A A1", kAngle}, {Op::Hold, "", L"5000"}, {Op::Key, "V", L"ctrl+shift"},
      {Op::Warning, "", L"Gli appunti sono occupati da un altro programma: riprovare"}, {Op::Key, "C", L"ctrl+shift"},
      {Op::Warning, "", L"Gli appunti sono occupati da un altro programma: riprovare"}, {Op::State, "A A1", kAngle}}},
  {"Copia angolo of each row", {{Op::Fill, "A", L"45|50833"}, {Op::Click, "CalcA"}, {Op::Key, "C", L"ctrl+shift"},
      {Op::Copied, "", L"45,50833"}, {Op::Menu, "B3"}, {Op::Key, "P"},
      {Op::Copied, "", L"45° 30,4998′"}, {Op::Menu, "C4"}, {Op::Key, "Escape"}, {Op::Key, "C", L"ctrl+shift"}, {Op::Copied, "", L"45° 30′ 29,988″"}}},
  {"refused angles leave the board", {{Op::Click, "OptB"}, {Op::Fill, "B", L"7||"}, {Op::Clip, "", L"ciao"}, {Op::Key, "V", L"ctrl+shift"},
      {Op::Warning, "", L"Negli appunti non c'è un angolo"}, {Op::State, "B B1", L"||7||||||"}, {Op::Clip, "", L"100°"},
      {Op::Key, "V", L"ctrl+shift"}, {Op::Warning, "", L"L'angolo negli appunti non sta nelle celle"}, {Op::State, "B B1", L"||7||||||"},
      {Op::Key, "C", L"ctrl+shift"}, {Op::Warning, "", L"La riga non contiene un angolo da copiare"}, {Op::Copied, "", L"100°"}}},
  {"Converti elenco", {{Op::Fill, "A", L"7|"}, {Op::Clip, "", L"1\nx"}, {Op::Key, "E", L"ctrl+shift"}, {Op::Copied, "",  // while its box shows
      L"1\t1,0\t1° 0,0000′\t1° 0′ 0,000″\t\r\nx\t\t\t\tnon è un angolo\r\n"}, {Op::Warning, "Conversione angoli", L"1 angolo su 2 convertito. "
      "La tabella è negli appunti."}, {Op::Clip, "", L"x"}, {Op::Menu, "A2"}, {Op::Key, "V"},
      {Op::Warning, "", L"Negli appunti non c'è un elenco di angoli"}, {Op::Copied, "", L"x"}, {Op::Clip, "", L"1\n2"}, {Op::Key, "V", L"ctrl+shift"},
      {Op::Warning, "", L"Negli appunti c'è più di una riga: per convertirle tutte usare \"Converti elenco\" (Ctrl+Maiusc+E)"}, {Op::State, "A A2", L"7||||||||"}}},
  // By their access keys: Seleziona tutto, then Taglia.
  {"the cells' menu", {{Op::Fill, "A", L"45|"}, {Op::Menu, "A1"}, {Op::Key, "S"}, {Op::Menu, "A1"}, {Op::Key, "T"},
      {Op::State, "A A1", kNone}, {Op::Copied, "", L"45"}}},
  {"screenshot", {{Op::Click, "OptB"}, {Op::Fill, "B", L"45|30|5"}, {Op::Click, "CalcB"},
      {Op::State, "B CalcB", L"45|50833|45|30|5|45|30|30|000"}, {Op::Shot}}},
};
// clang-format on

HWND g_main = nullptr;
PROCESS_INFORMATION g_process{};
const wchar_t* g_program = nullptr;
std::wstring g_heard;  // the live-region notices heard
std::wstring g_lastHeard;
int g_textChanges = 0;  // of the live region's text since the last notice
std::thread g_holder;   // the other program that holds the clipboard

HWND Control(std::string_view name) {
  for (const auto& line : form::kControls)
    if (line.name == name) return GetDlgItem(g_main, win32::ControlId(line));
  return nullptr;
}
std::wstring TextOf(HWND window) {
  wchar_t text[128] = L"";
  SendMessageW(window, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text));
  return text;
}
bool Locked(Cell cell) { return GetWindowLongW(Control(NameOf(cell)), GWL_STYLE) & ES_READONLY; }

// The screen under a window, bottom row first, 24 bits a pixel.
std::vector<BYTE> Capture(HWND window, BITMAPINFOHEADER& header) {
  RECT r;
  GetWindowRect(window, &r);
  header = BITMAPINFOHEADER{sizeof header, r.right - r.left, r.bottom - r.top, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<BYTE> pixels(((header.biWidth * 3 + 3) & ~3) * header.biHeight);
  HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, header.biWidth, header.biHeight);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, header.biWidth, header.biHeight, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  GetDIBits(memory, bitmap, 0, header.biHeight, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

HWND Focused() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(g_main, nullptr), &info);
  return info.hwndFocus;
}

// "B B1 45|…": the input row (its option chosen, its cells alone unlocked,
// its "Calcola" alone shown), the focus, the nine texts.
std::wstring State() {
  std::wstring state = L"?";
  for (Row row : kRows) {
    bool input = true;
    for (Row each : kRows) {
      HWND option = Control(form::LineOf(form::Action::ChooseRow, each).name);
      HWND calc = Control(form::LineOf(form::Action::Calcola, each).name);
      input = input && (SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED) == (each == row) &&
              !!IsWindowVisible(calc) == (each == row);
    }
    for (Cell cell : kBoardOrder) input = input && Locked(cell) != (RowOf(cell) == row);
    if (input) state = std::wstring(1, L"ABC"[IndexOf(row)]);
  }
  std::wstring focus = L" nothing ";
  for (const auto& line : form::kControls)
    if (Control(line.name) == Focused()) focus = L" " + std::wstring(line.name.begin(), line.name.end()) + L" ";
  for (Cell cell : kBoardOrder) focus += (cell == Cell::A1 ? L"" : L"|") + TextOf(Control(NameOf(cell)));
  return state + focus;
}

// Waits, handling the messages that bring the window's events.
void Pump(DWORD milliseconds) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
  for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
}
// Waits up to `seconds` for the condition: on a loaded machine wine is slow,
// and a condition that holds ends the wait at once.
template <typename Condition>
bool Eventually(Condition condition, int seconds = 10) {
  for (int i = 0; i < seconds * 100 && !condition(); ++i) Pump(10);
  return condition();
}
// A screen reader may take a notice the same as the one before for the same
// announcement again, unless the region's text went through another on the way.
void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND notice, LONG, LONG, DWORD, DWORD) {
  if (GetParent(notice) != g_main || GetDlgCtrlID(notice)) return;  // the live region: the child without an id
  if (event == EVENT_OBJECT_NAMECHANGE) ++g_textChanges;
  if (event != EVENT_OBJECT_LIVEREGIONCHANGED) return;
  const std::wstring text = TextOf(notice);
  g_heard += std::wstring(g_heard.empty() ? L"" : L"|") + (text == g_lastHeard && g_textChanges < 2 ? L"(unchanged) " : L"") + text;
  g_lastHeard = text;
  g_textChanges = 0;
}

// Pixels of the option's top edge that are not the window's grey: none but
// where a focus mark runs.
int MarkPixels(HWND option) {
  RECT r;
  GetWindowRect(option, &r);
  HDC screen = GetDC(nullptr);
  int count = 0;
  for (int x = r.left; x < r.right; ++x) count += GetPixel(screen, x, r.top) != RGB(form::kWindowBack.red, form::kWindowBack.green, form::kWindowBack.blue);
  ReleaseDC(nullptr, screen);
  return count;
}

void PressKey(const std::string& key, const std::wstring& held) {
  const BYTE code = key.size() == 1 ? key[0] : key == "Tab" ? VK_TAB : key == "Down" ? VK_DOWN : key == "Up" ? VK_UP
                  : key == "Return" ? VK_RETURN : key == "Escape" ? VK_ESCAPE : VK_F4;
  const BYTE modifier = held == L"alt" ? VK_MENU : held.empty() ? 0 : VK_SHIFT;
  const BYTE control = held == L"ctrl+shift" ? VK_CONTROL : 0;
  if (control) keybd_event(control, 0, 0, 0);
  if (modifier) keybd_event(modifier, 0, 0, 0);
  keybd_event(code, 0, 0, 0);
  keybd_event(code, 0, KEYEVENTF_KEYUP, 0);
  if (modifier) keybd_event(modifier, 0, KEYEVENTF_KEYUP, 0);
  if (control) keybd_event(control, 0, KEYEVENTF_KEYUP, 0);
  WaitForInputIdle(g_process.hProcess, 2000);
}

bool Check(bool ok, const Step& step, const std::wstring& seen) {
  if (!ok) std::printf("  step %d %s %ls: saw %ls\n", static_cast<int>(step.op), step.name, step.text, seen.c_str());
  return ok;
}

// The box exists before its text and button do: it counts once it shows.
HWND WarningBox() {
  HWND box = FindWindowW(L"#32770", nullptr);
  return box && IsWindowVisible(box) ? box : nullptr;
}

bool Start(const wchar_t* program, WORD show = SW_SHOWDEFAULT);
void End();

bool Run(const Step& step, std::wstring& before, const wchar_t* shotPath) {
  const std::wstring name(step.name, step.name + std::strlen(step.name));
  switch (step.op) {
    case Op::Click:
      return SendMessageW(Control(step.name), BM_CLICK, 0, 0) == 0;
    case Op::Press:
      before = State();
      return PostMessageW(Control(step.name), BM_CLICK, 0, 0);
    case Op::Fill: {
      std::wistringstream texts(step.text);
      std::wstring text;
      for (Cell cell : kBoardOrder)
        if (NameOf(cell)[0] == step.name[0] && std::getline(texts, text, L'|'))
          SendMessageW(Control(NameOf(cell)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
      return true;
    }
    case Op::Clip:
    case Op::Paste:
      return SetClipboardText(nullptr, step.text) == win32::ClipboardAccess::Done &&
             (step.op == Op::Clip || SendMessageW(Control(step.name), WM_PASTE, 0, 0) == 0);
    case Op::Copied: {
      std::wstring held;
      return Check(Eventually([&] { return (held = ClipboardText(nullptr).value_or(L"(busy)")) == step.text; }), step, held);
    }
    case Op::Menu: {
      const auto shown = [] { return !!IsWindowVisible(FindWindowW(L"#32768", nullptr)); };
      return Check(Eventually([&] { return !shown(); }), step, L"a menu still open") &&
             PostMessageW(Control(step.name), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Control(step.name)), -1) &&
             Check(Eventually(shown), step, L"no menu");
    }
    case Op::Key:
      before = State();
      PressKey(step.name, step.text);
      return true;
    case Op::Tabs: {
      std::wistringstream names(name);
      std::wstring next;
      bool ok = true;
      while (ok && names >> next) {
        PressKey("Tab", L"");
        ok = Check(Eventually([&] { return State().find(L" " + next + L" ") != std::wstring::npos; }), step, State());
      }
      return ok;
    }
    case Op::Warning: {
      if (!Check(Eventually(WarningBox), step, L"no box")) return false;
      HWND box = WarningBox();
      const std::wstring message = TextOf(box) + L": " + TextOf(GetDlgItem(box, 0xFFFF));  // its title and text
      const bool onlyOk = GetDlgItem(box, IDOK) && !GetDlgItem(box, IDCANCEL) && GetWindow(box, GW_OWNER) == g_main;
      const std::wstring whileOpen = State();
      PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
      return Check(message == (*step.name ? name : L"ATTENZIONE") + L": " + step.text, step, message) && Check(onlyOk, step, L"more buttons, or no owner") &&
             Check(whileOpen.substr(whileOpen.rfind(L' ')) == before.substr(before.rfind(L' ')), step, whileOpen) &&
             Check(Eventually([] { return !FindWindowW(L"#32770", nullptr); }), step, L"the box stays");
    }
    case Op::State:
      return Check(Eventually([&] { return State() == name + L" " + step.text; }), step, State());
    case Op::Ended: {
      DWORD code = 1;
      return Check(WaitForSingleObject(g_process.hProcess, 3000) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(g_process.hProcess, &code) && code == 0,
                   step, L"still running, or failed");
    }
    case Op::Maximized: {
      End();
      RECT client{};
      const bool normal = Start(g_program, SW_SHOWMAXIMIZED) && GetClientRect(g_main, &client) && !IsZoomed(g_main) &&
                          client.right == form::Px(form::kClientWidth) && client.bottom == form::Px(form::kClientHeight);
      return Check(normal, step, std::to_wstring(client.right) + L" x " + std::to_wstring(client.bottom));
    }
    case Op::Restore:
      PostMessageW(g_main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      PostMessageW(g_main, WM_SYSCOMMAND, SC_RESTORE, 0);
      return Check(Eventually([] { return !IsIconic(g_main); }), step, L"still minimized");
    case Op::Mark: {
      // The option's mark is the window's own drawing; the system draws the
      // others where the window's state does not hide focus marks.
      HWND control = Control(step.name);
      const bool shown = std::wstring(step.text) == L"shown";
      // Wine keeps no window state that hides focus marks (WM_CHANGEUISTATE): it marks every focus.
      if (!shown && Focused() == control && GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) {
        std::printf("  step %d %s: not seen, this system keeps no state of focus marks\n", static_cast<int>(step.op), step.name);
        return true;
      }
      const auto marked = [control, option = name.rfind(L"Opt", 0) == 0] {
        return option ? MarkPixels(control) > 0
                      : Focused() == control && !(SendMessageW(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
      };
      return Check(Eventually([&] { return marked() == shown; }, 2), step, marked() ? L"a mark" : L"no mark");
    }
    case Op::Mouse: {
      RECT r;
      GetWindowRect(Control(step.name), &r);
      // In the units of absolute moves, 0 to 65535 across the screen.
      const DWORD x = MulDiv((r.left + r.right) / 2, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
      const DWORD y = MulDiv((r.top + r.bottom) / 2, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
      for (DWORD button : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP})
        mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | button, x, y, 0, 0);
      return WaitForInputIdle(g_process.hProcess, 2000) == 0;
    }
    case Op::Hold: {
      if (g_holder.joinable()) g_holder.join();
      HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
      g_holder = std::thread([opened, milliseconds = std::wcstoul(step.text, nullptr, 10)] {
        if (!OpenClipboard(nullptr)) return;
        SetEvent(opened);
        Sleep(milliseconds);
        CloseClipboard();
      });
      const bool held = WaitForSingleObject(opened, 5000) == WAIT_OBJECT_0;
      CloseHandle(opened);
      return Check(held, step, L"the clipboard not opened");
    }
    case Op::Heard: {
      Pump(300);  // a notice that should not come has had its chance
      const bool heard = Eventually([&] { return g_heard == step.text; }, 3);
      const std::wstring seen = g_heard;
      g_heard.clear();
      return Check(heard, step, seen);
    }
    case Op::Shot: {
      Sleep(300);  // the last paint
      BITMAPINFOHEADER header;
      const std::vector<BYTE> pixels = Capture(g_main, header);
      const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
      const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(offset + pixels.size()), 0, 0, offset};
      FILE* out = shotPath ? _wfopen(shotPath, L"wb") : nullptr;
      return !shotPath || (out && std::fwrite(&file, sizeof file, 1, out) && std::fwrite(&header, sizeof header, 1, out) &&
                           std::fwrite(pixels.data(), pixels.size(), 1, out) && std::fclose(out) == 0);
    }
  }
  return false;
}

// Detached: the program must not hold the test runner's output open.
bool Start(const wchar_t* program, WORD show) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = show == SW_SHOWDEFAULT ? 0 : STARTF_USESHOWWINDOW;
  startup.wShowWindow = show;
  std::wstring line = std::wstring(L"\"") + program + L"\"";
  mouse_event(MOUSEEVENTF_MOVE, 1, 0, 0, 0);  // started as a double click starts it: the mouse used last
  if (!CreateProcessW(program, line.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr, &startup,
                      &g_process))
    return false;
  return Eventually([] { return IsWindowVisible(g_main = FindWindowW(L"AngoliMain", L"Conversione angoli")); }, 30) &&
         Eventually([] { return State().find(L" A1 ") != std::wstring::npos; });
}

void End() {
  if (WaitForSingleObject(g_process.hProcess, 0) == WAIT_TIMEOUT) {
    PostMessageW(g_main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(g_process.hProcess, 3000) == WAIT_TIMEOUT) TerminateProcess(g_process.hProcess, 1);
  }
  CloseHandle(g_process.hProcess);
  CloseHandle(g_process.hThread);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const wchar_t* shotPath = argc > 2 && std::wstring(argv[2]) != L"-" ? argv[2] : nullptr;
  const std::string only = argc > 3 ? std::string(argv[3], argv[3] + wcslen(argv[3])) : "";
  g_program = argv[1];
  SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr, &Hear, 0, 0, WINEVENT_OUTOFCONTEXT);
  int failed = 0, run = 0;
  for (const auto& [name, steps] : kCases) {
    if (!only.empty() && only != name) continue;
    bool ok = Start(argv[1]);
    std::wstring before;
    g_heard.clear();
    g_lastHeard.clear();
    g_textChanges = 0;
    for (const Step& step : steps) ok = ok && Run(step, before, shotPath);
    if (g_holder.joinable()) g_holder.join();
    End();
    std::printf("%s: %s\n", ok ? "PASS" : "FAIL", name);
    failed += !ok;
    ++run;
  }
  std::printf("%d of %d cases failed\n", failed, run);
  return failed || !run ? 1 : 0;
}
