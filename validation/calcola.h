#pragma once
// What a press on "Calcola" does: test the row step by step, warn about the
// first step that fails, and convert when every step passes.

#include <array>
#include <string_view>

#include "conversion/cell_board.h"

namespace angoli {

inline constexpr std::string_view kWarningTitle = "ATTENZIONE";

enum class CheckKind {
  Numeric,  // the cell must hold a number text; else it is emptied and focused
  Range,    // the number must lie from 0 up to but not including 60, unsigned
  Joined,   // whole cell and digits cell must join into a number; else like
            // a failed numeric step of the digits cell
};

struct CheckStep {
  Row row;
  CheckKind kind;
  Cell cell;    // the cell tested, emptied and focused on a failure
  Cell whole;   // Joined only: the whole cell joined in front of `cell`
  std::string_view message;
};

// Every step of the three rows, in the order in which a press runs them.
extern const std::array<CheckStep, 15> kCheckSteps;

// The Click of CalcA, CalcB or CalcC. Returns whether the row was converted.
// Row B '45' '30' '5' -> converted, no message;
// row B '45' '30' 'x' -> "Immettere un numero nella cella delle frazioni di
// minuti", B3 emptied and focused, nothing converted.
bool Calcola(CellBoard& board, Row row);

// Whether a press on the row's "Calcola" would pass every step, without
// pressing it: row B '45' '30' '5' -> true; row B '45' '75' '5' -> false.
bool PassesChecks(const CellBoard& board, Row row);

}  // namespace angoli
