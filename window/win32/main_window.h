#pragma once
// The window Main: builds the controls of the window table as Win32 child
// windows, scales them with the window's DPI and wires their clicks to the
// actions of the core.

#include <windows.h>

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "window/colours.h"
#include "window/controls.h"
#include "window/win32/angle_menu.h"
#include "window/win32/window_board.h"

struct IAccPropServices;

namespace angoli::win32 {

class MainWindow {
 public:
  // Creates the window and its controls, hidden.
  explicit MainWindow(HINSTANCE instance);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Shows the window centred on its monitor's work area.
  void Show(int how);
  // Keys the window handles before the dialog manager: true if handled.
  bool PreTranslate(const MSG& message);
  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  void CreateControls(HINSTANCE instance);
  void NameControls();
  void ApplyDpi(UINT dpi);
  SIZE FrameSize() const;
  HFONT FontOf(const form::FontStyle& style);
  HBRUSH BrushOf(Rgb colour);
  const form::ControlLine* LineOf(HWND control) const;
  void OnCommand(const form::ControlLine& line, HWND control, WORD code);
  void ChooseRow(Row row);
  void Announce(const char* notice);
  void ReadDesktop();
  void Activate();
  void RememberFocus();
  HWND FocusToGive() const;

  HWND window_ = nullptr;
  std::array<HWND, form::kControls.size()> controls_{};
  std::unique_ptr<WindowBoard> board_;
  std::unique_ptr<AngleMenu> angles_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  std::vector<std::pair<form::FontStyle, HFONT>> fonts_;
  std::vector<std::pair<Rgb, HBRUSH>> brushes_;
  IAccPropServices* names_ = nullptr;
  Row chosen_ = Row::A;  // the selected option button
  bool activated_ = false;
  HWND focusWhenLeft_ = nullptr;
  HWND notice_ = nullptr;  // the live region that speaks NoticeOf
  form::Desktop desktop_;
};

}  // namespace angoli::win32
