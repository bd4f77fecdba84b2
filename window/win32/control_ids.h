#pragma once
// The child-window id of each control: its line's place in the window table,
// from 100 on, so that the dialog manager's IDOK (Enter) and IDCANCEL (Esc)
// never reach a control. Tests find the controls by the same ids.

#include <cstddef>

#include "window/controls.h"

namespace angoli::win32 {

inline constexpr int kFirstControlId = 100;

// ControlId(form::LineOf(Cell::A1)) -> 101 (A1 is the table's second line)
constexpr int ControlId(const form::ControlLine& line) {
  return kFirstControlId + static_cast<int>(form::IndexOf(line));
}

}  // namespace angoli::win32
