// A user session on the in-memory board, decoded from the fuzz input: choosing
// rows, typing or pasting any bytes into any cell, erasing, "Calcola",
// "Reset". After every event the board must still make sense.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "conversion/memory_board.h"
#include "conversion/number_text.h"
#include "conversion/utf8_text.h"
#include "validation/calcola.h"
#include "window/modes.h"

namespace {

using namespace angoli;

void Require(bool condition) {
  if (!condition) std::abort();
}

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return pos_ >= size_; }
  std::uint8_t Byte() { return Empty() ? 0 : data_[pos_++]; }
  std::string Bytes(std::size_t n) {
    n = std::min(n, size_ - std::min(pos_, size_));
    std::string bytes(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return bytes;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// The single row whose button is visible, after checking that locks and
// colours agree with it.
Row InputRow(const MemoryBoard& board) {
  int visible = 0;
  Row row = Row::A;
  for (Row r : kRows) {
    if (board.Visible(CalcButton(r))) {
      ++visible;
      row = r;
    }
  }
  Require(visible == 1);
  for (Cell cell : kBoardOrder) {
    const bool own = RowOf(cell) == row;
    Require(board.Locked(cell) == !own);
    Require(board.ForeColor(cell) == (own ? kBlack : kRed));
  }
  return row;
}

void RequireCellsHoldable(const MemoryBoard& board) {
  for (Cell cell : kBoardOrder) {
    const std::string text = board.Text(cell);
    Require(IsValidUtf8(text));
    Require(CharCount(text) <= MaxLength(cell));
  }
}

bool IsDigitsCell(Cell cell) {
  return cell == Cell::A2 || cell == Cell::B3 || cell == Cell::C4;
}

// A row written by a conversion: digits cells full of digits, and the row
// passes every check when it is made the input row.
void RequireWrittenRowSound(const MemoryBoard& board, Row row) {
  MemoryBoard again;
  for (Cell cell : kBoardOrder) {
    if (RowOf(cell) != row) continue;
    const std::string text = board.Text(cell);
    if (IsDigitsCell(cell)) {
      Require(text.size() == MaxLength(cell));
      Require(std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }));
    }
    again.SetText(cell, text);
  }
  Mostra(again, row);
  Require(Calcola(again, row));
  Require(again.Messages().empty());
}

void RequireOneOfTheWarnings(const ShownMessage& shown) {
  Require(shown.title == kWarningTitle);
  Require(std::any_of(kCheckSteps.begin(), kCheckSteps.end(),
                      [&](const CheckStep& step) { return step.message == shown.text; }));
}

void Press(MemoryBoard& board) {
  const Row row = InputRow(board);
  const auto before = board.Texts();
  const std::size_t messages = board.Messages().size();
  const bool converted = Calcola(board, row);
  const auto after = board.Texts();
  if (converted) {
    Require(board.Messages().size() == messages);
    for (Cell cell : kBoardOrder) {
      if (RowOf(cell) == row) Require(after[IndexOf(cell)] == before[IndexOf(cell)]);
    }
    for (Row other : kRows) {
      if (other != row) RequireWrittenRowSound(board, other);
    }
    return;
  }
  Require(board.Messages().size() == messages + 1);
  RequireOneOfTheWarnings(board.Messages().back());
  int changed = 0;
  for (Cell cell : kBoardOrder) {
    if (after[IndexOf(cell)] != before[IndexOf(cell)]) {
      ++changed;
      Require(after[IndexOf(cell)].empty() && board.Focus() == cell);
    }
  }
  Require(changed <= 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  MemoryBoard board;
  OnFirstActivate(board);  // the window is always activated before the user acts
  Row chosen = Row::A;
  for (int events = 0; !input.Empty() && events < 256; ++events) {
    switch (input.Byte() % 6) {
      case 0: {  // an option button: only a change of row does anything
        const Row row = kRows[input.Byte() % 3];
        if (row != chosen) OnRowChosen(board, row);
        chosen = row;
        break;
      }
      case 1: {  // keystrokes
        const Cell cell = kBoardOrder[input.Byte() % 9];
        board.Type(cell, input.Bytes(input.Byte() % 4));
        break;
      }
      case 2: {  // a paste
        const Cell cell = kBoardOrder[input.Byte() % 9];
        board.Type(cell, input.Bytes(input.Byte() % 32));
        break;
      }
      case 3: {  // select all and delete
        const Cell cell = kBoardOrder[input.Byte() % 9];
        if (!board.Locked(cell)) board.SetText(cell, "");
        break;
      }
      case 4:
        Press(board);
        break;
      case 5:
        OnReset(board);
        break;
    }
    Require(InputRow(board) == chosen);
    RequireCellsHoldable(board);
    Require(!board.Ended());
  }
  return 0;
}
