#pragma once
// A board without a window: it keeps what the logic tells it (texts, locks,
// colours, visible buttons, focus, messages, the end), and lets a test act as
// the user would, typing into cells and pressing the visible button.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/cell_board.h"

namespace angoli {

struct ShownMessage {
  std::string text;
  std::string title;
  friend bool operator==(const ShownMessage& a, const ShownMessage& b) {
    return a.text == b.text && a.title == b.title;
  }
};

class MemoryBoard : public CellBoard {
 public:
  // As the window is created: texts empty, cells unlocked and black, every
  // button visible, nothing focused; cells as wide as the window's, or as
  // `widths` gives.
  MemoryBoard() = default;
  explicit MemoryBoard(const CellWidths& widths) : widths_(widths) {}

  const CellWidths& Widths() const override { return widths_; }

  std::string Text(Cell cell) const override;
  void SetText(Cell cell, std::string_view text) override;
  void SetLocked(Cell cell, bool locked) override;
  void SetForeColor(Cell cell, Rgb colour) override;
  void SetVisible(Button button, bool visible) override;
  void SetFocus(Cell cell) override;
  void ShowMessage(std::string_view message, std::string_view title) override;
  void EndProgram() override;

  bool Locked(Cell cell) const { return locked_[IndexOf(cell)]; }
  Rgb ForeColor(Cell cell) const { return colours_[IndexOf(cell)]; }
  bool Visible(Button button) const { return visible_[IndexOf(button)]; }
  std::optional<Cell> Focus() const { return focus_; }
  const std::vector<ShownMessage>& Messages() const { return messages_; }
  bool Ended() const { return ended_; }
  // All nine texts in board order.
  std::array<std::string, 9> Texts() const { return texts_; }

  // The user typing at the end of a cell's text: refused by a locked cell, cut
  // at the cell's Width, invalid UTF-8 replaced as a keyboard would.
  // Returns whether the cell took the typing.
  bool Type(Cell cell, std::string_view typed);

 private:
  CellWidths widths_ = kWindowWidths;
  std::array<std::string, 9> texts_{};
  std::array<bool, 9> locked_{};
  std::array<Rgb, 9> colours_{};
  std::array<bool, 3> visible_{true, true, true};
  std::optional<Cell> focus_;
  std::vector<ShownMessage> messages_;
  bool ended_ = false;
};

}  // namespace angoli
