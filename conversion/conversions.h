#pragma once
// The three conversions. Each reads its own row, which has passed the entry
// checks, and overwrites every cell of the two other rows. A negative angle is
// a sign on the degrees text and a magnitude below it. Each result is rounded
// once at the width of its digits cell and split afterwards, so a rounding that
// reaches the next unit carries into the minutes or the degrees. Whole parts
// that no carry changed are copied as typed ('07' stays '07').

#include "conversion/cell_board.h"

namespace angoli {

// Row A '45' '50833' -> B '45' '30' '4998', C '45' '30' '29' '988';
// row A '-5' '25' -> B '-5' '15' '0000', C '-5' '15' '0' '000'.
// Returns false, writing nothing, when A1 and A2 do not join into a number.
bool CalcoloA(CellBoard& board);

// Row B '45' '30' '5' -> A '45' '50833', C '45' '30' '30' '000';
// row B '45' '59' '9999' -> A '46' '00000', C '45' '59' '59' '994'.
// Returns false, writing nothing, when B2 and B3 do not join into a number.
bool CalcoloB(CellBoard& board);

// Row C '45' '30' '30' '0' -> A '45' '50833', B '45' '30' '5000';
// row C '45' '59' '59' '998' -> A '46' '00000', B '46' '0' '0000'.
// Returns false, writing nothing, when C3 and C4 do not join into a number.
bool CalcoloC(CellBoard& board);

// The conversion of `row`, for callers that hold the row rather than the
// function: Calcolo(board, Row::B) is CalcoloB(board), so row B '45' '30' '5'
// -> A '45' '50833', C '45' '30' '30' '000'.
bool Calcolo(CellBoard& board, Row row);

}  // namespace angoli
