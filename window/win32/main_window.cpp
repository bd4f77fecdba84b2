#include "window/win32/main_window.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cmath>

#include "window/colours.h"
#include "window/modes.h"
#include "window/win32/control_ids.h"
#include "window/win32/dpi.h"
#include "window/win32/resource.h"
#include "window/win32/wide_text.h"

namespace angoli::win32 {
namespace {

constexpr wchar_t kClassName[] = L"AngoliMain";
// A fixed border: no sizing edge and no maximize box.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

using form::ControlLine;
using form::Kind;

COLORREF ToColorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }
Rgb SystemColour(int index) {
  const COLORREF colour = GetSysColor(index);
  return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// LiveSetting_Property_GUID and EVENT_OBJECT_LIVEREGIONCHANGED, which
// mingw-w64 lacks or keeps for Windows 8 on; Windows 7 ignores both.
constexpr GUID kLiveSetting{0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;
constexpr DWORD kLiveRegionChanged = 0x8019;

// Twips to pixels at the window's DPI: Scale(345, 96) -> 23; Scale(345, 144) -> 35
int Scale(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

bool SameStyle(const form::FontStyle& a, const form::FontStyle& b) {
  return a.face == b.face && a.points == b.points && a.bold == b.bold;
}

DWORD StyleOf(const ControlLine& line, bool firstOfKind) {
  // Only the option button of the input row is a tab stop; it begins the
  // group, and the first command button ends it.
  const DWORD group = firstOfKind ? WS_GROUP : 0;
  switch (line.kind) {
    case Kind::Option:
      return BS_AUTORADIOBUTTON | group | (line.row == Row::A ? WS_TABSTOP : 0);
    case Kind::Cell:
      return WS_TABSTOP | ES_AUTOHSCROLL | (line.align == form::Align::Centre ? ES_CENTER : ES_LEFT);
    case Kind::Command:
      // BS_PUSHBUTTON: none is the default button.
      return WS_TABSTOP | BS_PUSHBUTTON | group;
    case Kind::Label:
      return SS_NOPREFIX | SS_CENTERIMAGE | (line.align == form::Align::Centre ? SS_CENTER : SS_LEFT);
  }
  return 0;
}

const wchar_t* ClassOf(Kind kind) {
  switch (kind) {
    case Kind::Option:
    case Kind::Command:
      return L"BUTTON";
    case Kind::Cell:
      return L"EDIT";
    case Kind::Label:
      return L"STATIC";
  }
  return L"STATIC";
}

// The option buttons have no caption, and the system draws the focus around
// the caption: a keyboard user would not see it. The mark goes around the
// whole button instead, unless the window hides focus marks (until the
// keyboard is used, where the desktop asks for that).
LRESULT CALLBACK OptionProcedure(HWND option, UINT message, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR) {
  const bool marked = message == WM_PAINT && GetFocus() == option &&
                      !(SendMessageW(option, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
  // The mark inverts what is under it: the button is painted whole first, or
  // a part left as it was would lose its piece of the mark.
  if (marked) InvalidateRect(option, nullptr, TRUE);
  if (message == WM_NCDESTROY) RemoveWindowSubclass(option, &OptionProcedure, id);
  const LRESULT result = DefSubclassProc(option, message, w, l);
  if (message == WM_SETFOCUS || message == WM_KILLFOCUS || message == WM_UPDATEUISTATE)
    InvalidateRect(option, nullptr, TRUE);  // painted whole: with the mark, or without it
  if (marked) {
    RECT whole;
    GetClientRect(option, &whole);
    HDC dc = GetDC(option);
    DrawFocusRect(dc, &whole);
    ReleaseDC(option, dc);
  }
  return result;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &MainWindow::Procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ANGOLI_ICON), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXICON),
                                                    GetSystemMetrics(SM_CYICON), LR_SHARED));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ANGOLI_ICON), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = BrushOf(form::kWindowBack);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);

  CreateWindowExW(0, kClassName, Widen(form::kTitle).c_str(), kWindowStyle, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
  CreateControls(instance);
  // The notice a screen reader reads after "Calcola" and "Reset". Shown, or
  // the accessibility tree would leave it out, but of no size: never drawn,
  // never under the mouse.
  notice_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0, window_, nullptr,
                            instance, nullptr);
  NameControls();
  ReadDesktop();
  ApplyDpi(DpiOf(window_));
  // Focus marks and access keys hidden until the keyboard is used, as in a
  // dialog box; shown from the start when the program was started from the
  // keyboard, or when the desktop is set to show them always.
  SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

MainWindow::~MainWindow() {
  if (names_) names_->Release();
  for (auto& font : fonts_) DeleteObject(font.second);
  for (auto& brush : brushes_) DeleteObject(brush.second);
}

void MainWindow::CreateControls(HINSTANCE instance) {
  std::array<HWND, 9> cells{};
  std::array<HWND, 3> calc{};
  bool firstOption = true;
  bool firstCommand = true;
  // Created in tab-index order, which is the order the dialog manager tabs in.
  for (const ControlLine& line : form::kControls) {
    bool& first = line.kind == Kind::Option ? firstOption : firstCommand;
    const DWORD style = WS_CHILD | WS_VISIBLE | StyleOf(line, first);
    if (line.kind == Kind::Option || line.kind == Kind::Command) first = false;
    const DWORD exStyle = line.kind == Kind::Cell ? WS_EX_CLIENTEDGE : 0;
    HWND control = CreateWindowExW(exStyle, ClassOf(line.kind), Widen(line.caption).c_str(), style, 0, 0, 0, 0,
                                   window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(line))),
                                   instance, nullptr);
    controls_[form::IndexOf(line)] = control;
    if (line.cell) {
      // Counted in UTF-16 units, as the user's typing and pasting are.
      SendMessageW(control, EM_LIMITTEXT, MaxLength(*line.cell), 0);
      cells[IndexOf(*line.cell)] = control;
    }
    if (line.action == form::Action::Calcola) calc[IndexOf(CalcButton(line.row))] = control;
    if (line.kind == Kind::Option) SetWindowSubclass(control, &OptionProcedure, 0, 0);
  }
  SendMessageW(controls_[form::IndexOf(form::LineOf(form::Action::ChooseRow, Row::A))], BM_SETCHECK,
               BST_CHECKED, 0);
  board_ = std::make_unique<WindowBoard>(window_, cells, calc);
  for (Cell cell : kBoardOrder) board_->SetForeColor(cell, kBlack);
  // A paste has chosen its row already: the option buttons only show it, and
  // a paste that converts is heard as a "Calcola" is.
  angles_ = std::make_unique<AngleMenu>(
      window_, cells, *board_, [this] { return chosen_; },
      [this](const Pasted& pasted) {
        chosen_ = *pasted.row;
        ChooseRow(*pasted.row);
        if (pasted.converted) Announce(NoticeOf(form::Action::Calcola));
      });
}

// Screen readers read the names of the window table through the accessibility
// service's annotations; where the service is missing they fall back on the
// captions.
void MainWindow::NameControls() {
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                              reinterpret_cast<void**>(&names_))))
    return;
  for (const ControlLine& line : form::kControls) {
    if (!line.accessibleName) continue;
    names_->SetHwndPropStr(controls_[form::IndexOf(line)], static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                           PROPID_ACC_NAME, Widen(line.accessibleName).c_str());
  }
  VARIANT polite{};
  polite.vt = VT_I4;
  polite.lVal = kPolite;
  names_->SetHwndProp(notice_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kLiveSetting, polite);
}

// A polite live region: read once the screen reader has finished what it says.
// The same notice again, after a second "Calcola", is emptied first: a region
// whose text did not change may be taken for the same announcement again.
void MainWindow::Announce(const char* notice) {
  if (!notice) return;
  const std::wstring text = Widen(notice);
  std::wstring shown(text.size() + 2, L'\0');
  shown.resize(static_cast<std::size_t>(GetWindowTextW(notice_, shown.data(), static_cast<int>(shown.size()))));
  const auto show = [this](const wchar_t* next) {
    SetWindowTextW(notice_, next);
    // Said here too, for systems that leave a text's change unsaid (wine).
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, notice_, OBJID_CLIENT, CHILDID_SELF);
  };
  if (shown == text) show(L"");
  show(text.c_str());
  NotifyWinEvent(kLiveRegionChanged, notice_, OBJID_CLIENT, CHILDID_SELF);
}

// With a contrast theme on, the window takes the theme's colours; it follows
// the theme as it changes.
void MainWindow::ReadDesktop() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)) contrast.dwFlags = 0;
#ifdef ANGOLI_ALWAYS_CONTRAST  // the build that paints the contrast screenshot, as wine reports no theme
  contrast.dwFlags |= HCF_HIGHCONTRASTON;
#endif
  desktop_ = {(contrast.dwFlags & HCF_HIGHCONTRASTON) != 0, SystemColour(COLOR_WINDOW), SystemColour(COLOR_WINDOWTEXT),
              SystemColour(COLOR_GRAYTEXT)};
  SetClassLongPtrW(window_, GCLP_HBRBACKGROUND,
                   reinterpret_cast<LONG_PTR>(BrushOf(form::PaintOf(nullptr, kBlack, desktop_).back)));
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Where the focus goes when the window gets it back: where the user left it,
// or else the input row's first cell. B2 left for another program -> B2;
// nothing left yet, row C the input row -> C1.
HWND MainWindow::FocusToGive() const {
  if (focusWhenLeft_ && IsWindowVisible(focusWhenLeft_)) return focusWhenLeft_;
  return controls_[form::IndexOf(form::LineOf(FirstCell(chosen_)))];
}

// The window's outer size at its DPI: its client area and the frame around it.
SIZE MainWindow::FrameSize() const {
  RECT frame{0, 0, Scale(form::kClientWidth, dpi_), Scale(form::kClientHeight, dpi_)};
  FrameAround(frame, kWindowStyle, dpi_);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void MainWindow::Show(int how) {
  const SIZE frame = FrameSize();
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  const int width = frame.cx;
  const int height = frame.cy;
  // Centred on the work area; where the area is smaller than the window, its
  // title bar still starts inside it, so the window can be moved and closed.
  const int left = std::max(work.left, work.left + (work.right - work.left - width) / 2);
  const int top = std::max(work.top, work.top + (work.bottom - work.top - height) / 2);
  SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  // The border is fixed: a shortcut set to "Maximised" shows the normal size.
  ShowWindow(window_, how == SW_SHOWMAXIMIZED ? SW_SHOWNORMAL : how);
  UpdateWindow(window_);
}

HFONT MainWindow::FontOf(const form::FontStyle& style) {
  for (const auto& [known, font] : fonts_)
    if (SameStyle(known, style)) return font;
  // "MS Sans Serif" is a bitmap face, sharp only at its own sizes: scaled, its
  // scalable twin of the same metrics stands in.
  const wchar_t* face = style.face == form::Face::Tahoma ? L"Tahoma"
                        : dpi_ == USER_DEFAULT_SCREEN_DPI ? L"MS Sans Serif"
                                                          : L"Microsoft Sans Serif";
  const int height = -static_cast<int>(std::lround(style.points * dpi_ / 72.0));
  HFONT font = CreateFontW(height, 0, 0, 0, style.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, face);
  fonts_.emplace_back(style, font);
  return font;
}

HBRUSH MainWindow::BrushOf(Rgb colour) {
  for (const auto& [known, brush] : brushes_)
    if (known == colour) return brush;
  brushes_.emplace_back(colour, CreateSolidBrush(ToColorRef(colour)));
  return brushes_.back().second;
}

// Places and sizes every control, sets its font and the title bar's icon for
// the DPI given. At 96 DPI 15 twips make a pixel.
void MainWindow::ApplyDpi(UINT dpi) {
  dpi_ = dpi;
  std::vector<std::pair<form::FontStyle, HFONT>> old;
  old.swap(fonts_);
  for (const ControlLine& line : form::kControls) {
    HWND control = controls_[form::IndexOf(line)];
    HFONT font = FontOf(line.font);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    int width = Scale(line.width, dpi);
    int height = Scale(line.height, dpi);
    if (line.autoSize) {
      HDC dc = GetDC(control);
      HGDIOBJ before = SelectObject(dc, font);
      const std::wstring caption = Widen(line.caption);
      SIZE fitted{};
      GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &fitted);
      SelectObject(dc, before);
      ReleaseDC(control, dc);
      width = fitted.cx;
      height = fitted.cy;
    }
    SetWindowPos(control, nullptr, Scale(line.left, dpi), Scale(line.top, dpi), width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (auto& font : old) DeleteObject(font.second);
  SetIcons(window_, dpi);
  InvalidateRect(window_, nullptr, TRUE);
}

const ControlLine* MainWindow::LineOf(HWND control) const {
  for (std::size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i] == control) return &form::kControls[i];
  return nullptr;
}

// Arrow keys on an option button select the next row's button, as in a group
// of option buttons, and the row's choice hands the focus to its first cell.
// The dialog manager would walk into the cells that stand between them.
bool MainWindow::PreTranslate(const MSG& message) {
  if (angles_->PreTranslate(message)) return true;
  if (message.message != WM_KEYDOWN) return false;
  const ControlLine* line = LineOf(message.hwnd);
  if (!line || line->kind != Kind::Option) return false;
  int step = 0;
  if (message.wParam == VK_DOWN || message.wParam == VK_RIGHT) step = 1;
  if (message.wParam == VK_UP || message.wParam == VK_LEFT) step = kRows.size() - 1;
  if (step == 0) return false;
  const Row next = kRows[(IndexOf(line->row) + step) % kRows.size()];
  SendMessageW(controls_[form::IndexOf(form::LineOf(form::Action::ChooseRow, next))], BM_CLICK, 0, 0);
  return true;
}

// A click on the selected option button is no new choice: the entry stays.
void MainWindow::ChooseRow(Row row) {
  for (Row each : kRows) {
    HWND option = controls_[form::IndexOf(form::LineOf(form::Action::ChooseRow, each))];
    SendMessageW(option, BM_SETCHECK, each == row ? BST_CHECKED : BST_UNCHECKED, 0);
    // Tab enters the group at the selected button only.
    const LONG_PTR style = GetWindowLongPtrW(option, GWL_STYLE);
    SetWindowLongPtrW(option, GWL_STYLE, each == row ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
  if (row == chosen_) return;
  chosen_ = row;
  RunAction(*board_, form::Action::ChooseRow, row);
}

void MainWindow::OnCommand(const ControlLine& line, HWND control, WORD code) {
  if (line.kind == Kind::Cell && code == EN_CHANGE) {
    // A paste cut at the limit can end in half a character.
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    const std::wstring whole = WithoutLoneSurrogates(text);
    if (whole != text) {
      SetWindowTextW(control, whole.c_str());
      SendMessageW(control, EM_SETSEL, whole.size(), whole.size());
    }
    return;
  }
  if (code != BN_CLICKED) return;
  if (line.kind == Kind::Option) return ChooseRow(line.row);
  // A hidden "Calcola" cannot be pressed, not even by a message.
  // The results change in cells the user has to find: a screen reader says
  // that they did, never after a warning.
  if (line.kind == Kind::Command && IsWindowVisible(control) && RunAction(*board_, line.action, line.row))
    Announce(NoticeOf(line.action));
}

// Only the first activation sets up row A; later ones, after a warning, a
// visit elsewhere or a restore, give the focus back, as the dialog manager does.
void MainWindow::Activate() {
  if (activated_) {
    SetFocus(FocusToGive());
  } else {
    activated_ = true;
    OnFirstActivate(*board_);
  }
}

void MainWindow::RememberFocus() {
  HWND focus = GetFocus();
  if (IsChild(window_, focus)) focusWhenLeft_ = focus;
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    ScaleFrame(window);
  }
  if (auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
    return self->Handle(message, w, l);
  return DefWindowProcW(window, message, w, l);
}

LRESULT MainWindow::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(w) == WA_INACTIVE) {
        // A warning box or another program takes over: remember where the
        // user was, to come back there.
        RememberFocus();
        return 0;
      }
      if (!HIWORD(w)) Activate();  // not while minimized
      return 0;
    case WM_SETFOCUS:
      // A restore hands the focus to the frame, where typing goes nowhere,
      // and one from a minimized start is the first activation.
      if (!IsIconic(window_)) Activate();
      return 0;
    case WM_SYSCOMMAND:
      if ((w & 0xFFF0) == SC_MINIMIZE) RememberFocus();  // the window may stay active, minimized
      break;
    case WM_SIZE:
      // Whatever maximizes the window (another program, the first show on
      // Windows, which can take the shortcut's show mode instead of ours):
      // the border is fixed, so back to the normal size.
      if (w == SIZE_MAXIMIZED) ShowWindow(window_, SW_RESTORE);
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      for (HWND control : controls_) SendMessageW(control, message, w, l);
      ReadDesktop();
      break;
    case WM_COMMAND:
      if (const ControlLine* line = LineOf(reinterpret_cast<HWND>(l)))
        OnCommand(*line, reinterpret_cast<HWND>(l), HIWORD(w));
      return 0;  // IDOK and IDCANCEL of Enter and Esc reach no control
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      // A locked cell asks with WM_CTLCOLORSTATIC, like the labels and the
      // option buttons.
      const ControlLine* line = LineOf(reinterpret_cast<HWND>(l));
      if (!line) break;
      HDC dc = reinterpret_cast<HDC>(w);
      const form::Paint paint = form::PaintOf(line, line->cell ? board_->ForeColor(*line->cell) : kBlack, desktop_);
      SetTextColor(dc, ToColorRef(paint.text));
      SetBkColor(dc, ToColorRef(paint.back));
      return reinterpret_cast<LRESULT>(BrushOf(paint.back));
    }
    case WM_DPICHANGED: {
      // Where the title bar is not scaled (Windows 8.1, Windows 10 before
      // 1607) the suggested size is wrong by the title bar's growth: only its
      // corner is taken, the size comes from the client area at the new DPI.
      ApplyDpi(HIWORD(w));
      const RECT* suggested = reinterpret_cast<const RECT*>(l);
      const SIZE frame = FrameSize();
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, frame.cx, frame.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_DESTROY:
      if (names_) {
        const MSAAPROPID name = PROPID_ACC_NAME;
        for (HWND control : controls_)
          names_->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
        names_->ClearHwndProps(notice_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &kLiveSetting, 1);
      }
      // The title bar's icons, loaded for the DPI, are the window's own.
      for (WPARAM which : {ICON_SMALL, ICON_BIG})
        if (auto icon = reinterpret_cast<HICON>(SendMessageW(window_, WM_SETICON, which, 0))) DestroyIcon(icon);
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window_, message, w, l);
}

}  // namespace angoli::win32
