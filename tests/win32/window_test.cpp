// Drives angoli.exe from outside, as Windows would: window messages into its
// controls, keys through the input queue, the warning box found by its
// title. Each case starts the program afresh and runs its steps in order.
// window_test ANGOLI_EXE [SCREENSHOT.bmp|-] [ONLY_THIS_CASE]

#include <windows.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "window/controls.h"
#include "window/win32/control_ids.h"

namespace {

enum class Op {
  Click,    // BM_CLICK, sent: returns once the click has run
  Press,    // BM_CLICK, posted, as the click opens a warning box
  Fill,     // WM_SETTEXT into the cells of row `name`, texts split at '|'
  Paste,    // the clipboard holds `text`, and cell `name` gets WM_PASTE
  Key,      // key `name` through the input queue, `text` L"shift" or L"alt" held
  Tabs,     // Tab before each of the controls in `name` takes the focus
  Warning,  // the box says `text`, nothing changed while open; OK closes it
  Texts,    // the nine cells, '|' between them
  Focus,    // control `name` has the focus
  Mode,     // row `name` is the input row: locks, visible "Calcola", option
  Colours,  // red text in locked cells, black in the input row, as painted
  Ended,    // the program has ended, with code 0
  Shot,     // the window as painted, into the file given on the command line
};

struct Step {
  Op op;
  const char* name = "";
  const wchar_t* text = L"";
};

struct Case {
  const char* name;
  std::vector<Step> steps;
};

const wchar_t* const kNone = L"||||||||";

// clang-format off
const std::vector<Case> kCases = {
  {"start-up", {{Op::Mode, "A"}, {Op::Texts, "", kNone}, {Op::Focus, "A1"}}},
  {"row A converts", {{Op::Fill, "A", L"45|50833"}, {Op::Click, "CalcA"},
      {Op::Texts, "", L"45|50833|45|30|4998|45|30|29|988"}, {Op::Focus, "CalcA"}, {Op::Mode, "A"}, {Op::Colours}}},
  {"row B converts, the degrees carry", {{Op::Click, "OptB"}, {Op::Focus, "B1"}, {Op::Fill, "B", L"45|59|9999"},
      {Op::Click, "CalcB"}, {Op::Texts, "", L"46|00000|45|59|9999|45|59|59|994"}, {Op::Mode, "B"}, {Op::Colours}}},
  {"row C converts", {{Op::Click, "OptC"}, {Op::Fill, "C", L"45|30|30|0"}, {Op::Click, "CalcC"},
      {Op::Texts, "", L"45|50833|45|30|5000|45|30|30|0"}}},
  {"empty row A", {{Op::Press, "CalcA"}, {Op::Warning, "", L"Immettere un numero nella cella dei gradi"},
      {Op::Focus, "A1"}, {Op::Mode, "A"}}},
  {"letter in A2", {{Op::Fill, "A", L"45|x"}, {Op::Press, "CalcA"},
      {Op::Warning, "", L"Immettere un numero nella cella delle frazioni di gradi"},
      {Op::Texts, "", L"45||||||||"}, {Op::Focus, "A2"}}},
  {"minutes 60 stay", {{Op::Click, "OptB"}, {Op::Fill, "B", L"45|60|5"}, {Op::Press, "CalcB"},
      {Op::Warning, "", L"I minuti devono essere compresi tra 0 e 59"}, {Op::Texts, "", L"||45|60|5||||"},
      {Op::Focus, "CalcB"}, {Op::Mode, "B"}}},
  {"negative digits of the seconds", {{Op::Click, "OptC"}, {Op::Fill, "C", L"45|30|30|-12"}, {Op::Press, "CalcC"},
      {Op::Warning, "", L"Immettere un numero nella cella delle frazioni di secondi"},
      {Op::Texts, "", L"|||||45|30|30|"}, {Op::Focus, "C4"}}},
  {"seconds 60 stay", {{Op::Click, "OptC"}, {Op::Fill, "C", L"45|30|60|0"}, {Op::Press, "CalcC"},
      {Op::Warning, "", L"I secondi devono essere compresi tra 0 e 59"}, {Op::Texts, "", L"|||||45|30|60|0"}}},
  {"another row empties the board", {{Op::Fill, "A", L"45|5"}, {Op::Click, "CalcA"}, {Op::Click, "OptA"},
      {Op::Texts, "", L"45|5|45|30|0000|45|30|0|000"}, {Op::Click, "OptC"}, {Op::Texts, "", kNone},
      {Op::Mode, "C"}, {Op::Focus, "C1"}}},
  {"reset keeps the row", {{Op::Click, "OptB"}, {Op::Fill, "B", L"45|30|5"}, {Op::Click, "CalcB"},
      {Op::Click, "Command1"}, {Op::Texts, "", kNone}, {Op::Mode, "B"}, {Op::Focus, "Command1"}}},
  {"pastes cut by characters", {{Op::Paste, "A2", L"5083333"}, {Op::Paste, "A1", L"1\U0001F600"},
      {Op::Paste, "B1", L"9"}, {Op::Texts, "", L"1|50833|||||||"}, {Op::Click, "OptB"},
      {Op::Paste, "B2", L"\U0001F600"}, {Op::Paste, "B3", L"àèìòù"}, {Op::Texts, "", L"|||\U0001F600|àèìò||||"}}},
  {"tab order skips the hidden buttons", {{Op::Tabs, "A2 B1 B2 B3 C1 C2 C3 C4 CalcA Command1 Chiudi OptA A1"},
      {Op::Key, "Tab", L"shift"}, {Op::Focus, "OptA"}, {Op::Click, "OptC"},
      {Op::Tabs, "C2 C3 C4 CalcC Command1 Chiudi A1 A2 B1 B2 B3 OptC C1"}}},
  {"arrow keys choose the row", {{Op::Key, "Tab", L"shift"}, {Op::Key, "Down"}, {Op::Mode, "B"},
      {Op::Focus, "B1"}, {Op::Key, "Tab", L"shift"}, {Op::Key, "Up"}, {Op::Mode, "A"},
      {Op::Key, "Tab", L"shift"}, {Op::Key, "Up"}, {Op::Mode, "C"}, {Op::Focus, "C1"}}},
  {"enter and escape press nothing", {{Op::Fill, "A", L"45|"}, {Op::Key, "Return"}, {Op::Key, "Escape"},
      {Op::Texts, "", L"45||||||||"}, {Op::Focus, "A1"}}},
  {"Chiudi ends the program", {{Op::Fill, "A", L"45|"}, {Op::Click, "Chiudi"}, {Op::Ended}}},
  {"the close box ends the program", {{Op::Fill, "A", L"45|"}, {Op::Key, "F4", L"alt"}, {Op::Ended}}},
  {"screenshot", {{Op::Click, "OptB"}, {Op::Fill, "B", L"45|30|5"}, {Op::Click, "CalcB"},
      {Op::Texts, "", L"45|50833|45|30|5|45|30|30|000"}, {Op::Shot}}},
};
// clang-format on

HWND g_main = nullptr;
PROCESS_INFORMATION g_process{};
const wchar_t* g_shotPath = nullptr;

HWND Control(std::string_view name) {
  for (const auto& line : angoli::form::kControls)
    if (line.name == name) return GetDlgItem(g_main, angoli::win32::ControlId(line));
  return nullptr;
}
std::wstring TextOf(HWND window) {
  wchar_t text[64] = L"";
  SendMessageW(window, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
  return text;
}
std::wstring Texts() {
  std::wstring all;
  for (angoli::Cell cell : angoli::kBoardOrder) all += (cell == angoli::Cell::A1 ? L"" : L"|") + TextOf(Control(NameOf(cell)));
  return all;
}
std::string FocusName() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(g_main, nullptr), &info);
  for (const auto& line : angoli::form::kControls)
    if (Control(line.name) == info.hwndFocus) return std::string(line.name);
  return "nothing";
}
bool Locked(HWND cell) { return GetWindowLongW(cell, GWL_STYLE) & ES_READONLY; }
std::string Mode() {
  std::string rows;
  for (angoli::Row row : angoli::kRows) {
    const auto& option = angoli::form::LineOf(angoli::form::Action::ChooseRow, row);
    bool input = SendMessageW(Control(option.name), BM_GETCHECK, 0, 0) == BST_CHECKED &&
                 IsWindowVisible(Control(angoli::form::LineOf(angoli::form::Action::Calcola, row).name));
    for (angoli::Cell cell : angoli::kBoardOrder) input = input && Locked(Control(NameOf(cell))) != (RowOf(cell) == row);
    if (input) rows += option.name.back();
  }
  return rows;
}

// Waits up to three seconds for the condition.
template <typename Condition>
bool Eventually(Condition condition) {
  for (int i = 0; i < 300 && !condition(); ++i) Sleep(10);
  return condition();
}

// The screen under the window's rectangle, bottom row first, 24 bits a pixel.
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

// "" when every cell's text shows in its colour, else the cells that do not.
std::string WrongColours() {
  std::string wrong;
  for (angoli::Cell cell : angoli::kBoardOrder) {
    BITMAPINFOHEADER header;
    const std::vector<BYTE> pixels = Capture(Control(NameOf(cell)), header);
    int red = 0, dark = 0;
    const int stride = (header.biWidth * 3 + 3) & ~3;
    for (int y = 3; y < header.biHeight - 3; ++y)  // inside the border
      for (int x = 3; x < header.biWidth - 3; ++x) {
        const BYTE* p = &pixels[y * stride + x * 3];  // blue, green, red
        red += p[2] > 200 && p[1] < 90 && p[0] < 90;
        dark += p[2] < 60 && p[1] < 60 && p[0] < 60;
      }
    if (!(Locked(Control(NameOf(cell))) ? red > 10 && dark == 0 : dark > 10 && red == 0)) wrong += NameOf(cell);
  }
  return wrong;
}

bool SaveShot(const wchar_t* path) {
  BITMAPINFOHEADER header;
  const std::vector<BYTE> pixels = Capture(g_main, header);
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
  const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(offset + pixels.size()), 0, 0, offset};
  FILE* out = _wfopen(path, L"wb");
  return out && std::fwrite(&file, sizeof file, 1, out) && std::fwrite(&header, sizeof header, 1, out) &&
         std::fwrite(pixels.data(), pixels.size(), 1, out) && std::fclose(out) == 0;
}

void PressKey(const std::string& key, const std::wstring& held) {
  const WORD code = key == "Tab" ? VK_TAB : key == "Down" ? VK_DOWN : key == "Up" ? VK_UP
                  : key == "Return" ? VK_RETURN : key == "Escape" ? VK_ESCAPE : VK_F4;
  const WORD modifier = held == L"shift" ? VK_SHIFT : held == L"alt" ? VK_MENU : 0;
  std::vector<INPUT> inputs;
  for (auto [vk, up] : std::initializer_list<std::pair<WORD, bool>>{{modifier, false}, {code, false}, {code, true},
                                                                     {modifier, true}}) {
    if (!vk) continue;
    inputs.emplace_back();
    inputs.back().type = INPUT_KEYBOARD;
    inputs.back().ki.wVk = vk;
    inputs.back().ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  WaitForInputIdle(g_process.hProcess, 2000);
}

void PutOnClipboard(const std::wstring& text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  wcscpy(static_cast<wchar_t*>(GlobalLock(memory)), text.c_str());
  GlobalUnlock(memory);
  OpenClipboard(nullptr);
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

// The box exists before its text and button do: it counts once it shows.
HWND WarningBox() {
  HWND box = FindWindowW(L"#32770", L"ATTENZIONE");
  return box && IsWindowVisible(box) ? box : nullptr;
}

bool Check(bool ok, const Step& step, const std::wstring& seen) {
  if (!ok) std::printf("  step %d %s %ls: saw %ls\n", static_cast<int>(step.op), step.name, step.text, seen.c_str());
  return ok;
}
std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

bool Run(const Step& step, std::wstring& before) {
  switch (step.op) {
    case Op::Click:
      return SendMessageW(Control(step.name), BM_CLICK, 0, 0) == 0;
    case Op::Press:
      before = Texts();
      return PostMessageW(Control(step.name), BM_CLICK, 0, 0);
    case Op::Fill: {
      std::wistringstream texts(step.text);
      std::wstring text;
      for (angoli::Cell cell : angoli::kBoardOrder)
        if (NameOf(cell)[0] == step.name[0] && std::getline(texts, text, L'|'))
          SendMessageW(Control(NameOf(cell)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
      return true;
    }
    case Op::Paste:
      PutOnClipboard(step.text);
      return SendMessageW(Control(step.name), WM_PASTE, 0, 0) == 0;
    case Op::Key:
      PressKey(step.name, step.text);
      return true;
    case Op::Tabs: {
      std::istringstream names(step.name);
      std::string name;
      bool ok = true;
      while (ok && names >> name) {
        PressKey("Tab", L"");
        ok = Check(Eventually([&] { return FocusName() == name; }), step, Wide(FocusName()));
      }
      return ok;
    }
    case Op::Warning: {
      if (!Check(Eventually(WarningBox), step, L"no box")) return false;
      HWND box = WarningBox();
      const std::wstring message = TextOf(GetDlgItem(box, 0xFFFF));  // the static of a message box
      const bool onlyOk = GetDlgItem(box, IDOK) && !GetDlgItem(box, IDCANCEL) && GetWindow(box, GW_OWNER) == g_main;
      const std::wstring whileOpen = Texts();
      PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
      return Check(message == step.text, step, message) && Check(onlyOk, step, L"more buttons, or no owner") &&
             Check(whileOpen == before, step, whileOpen) &&
             Check(Eventually([] { return !FindWindowW(L"#32770", L"ATTENZIONE"); }), step, L"the box stays");
    }
    case Op::Texts:
      return Check(Eventually([&] { return Texts() == step.text; }), step, Texts());
    case Op::Focus:
      return Check(Eventually([&] { return FocusName() == step.name; }), step, Wide(FocusName()));
    case Op::Mode:
      return Check(Eventually([&] { return Mode() == step.name; }), step, Wide(Mode()));
    case Op::Colours:
      return Check(Eventually([] { return WrongColours().empty(); }), step, Wide(WrongColours()));
    case Op::Ended: {
      DWORD code = 1;
      return Check(WaitForSingleObject(g_process.hProcess, 3000) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(g_process.hProcess, &code) && code == 0,
                   step, L"still running, or failed");
    }
    case Op::Shot:
      Sleep(300);  // the last paint
      return !g_shotPath || Check(SaveShot(g_shotPath), step, L"not saved");
  }
  return false;
}

BOOL CALLBACK FindMain(HWND window, LPARAM) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == g_process.dwProcessId && IsWindowVisible(window) && TextOf(window) == L"Conversione angoli")
    g_main = window;
  return !g_main;
}

bool Start(const wchar_t* program) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring line = std::wstring(L"\"") + program + L"\"";
  // Detached: the program must not hold the test runner's output open.
  if (!CreateProcessW(program, line.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr, &startup,
                      &g_process))
    return false;
  g_main = nullptr;
  for (int i = 0; i < 1000 && !g_main; ++i, Sleep(10)) EnumWindows(FindMain, 0);
  return g_main && Eventually([] { return FocusName() == "A1"; });
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
  g_shotPath = argc > 2 && std::wstring(argv[2]) != L"-" ? argv[2] : nullptr;
  const std::wstring only = argc > 3 ? argv[3] : L"";
  int failed = 0, run = 0;
  for (const Case& c : kCases) {
    if (!only.empty() && only != Wide(c.name)) continue;
    ++run;
    const DWORD began = GetTickCount();
    bool ok = Start(argv[1]);
    std::wstring before;
    for (const Step& step : c.steps) ok = ok && Run(step, before);
    End();
    std::printf("%s: %s (%lu ms)\n", ok ? "PASS" : "FAIL", c.name, GetTickCount() - began);
    failed += !ok;
  }
  std::printf("%d of %d cases failed\n", failed, run);
  return failed || !run ? 1 : 0;
}
