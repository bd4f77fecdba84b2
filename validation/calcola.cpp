#include "validation/calcola.h"

#include <optional>
#include <string>

#include "conversion/conversions.h"
#include "conversion/number_text.h"

namespace angoli {
namespace {

constexpr std::string_view kDegreesMessage = "Immettere un numero nella cella dei gradi";
constexpr std::string_view kMinutesMessage = "Immettere un numero nella cella dei minuti";
constexpr std::string_view kSecondsMessage = "Immettere un numero nella cella dei secondi";
constexpr std::string_view kDegreeDigitsMessage =
    "Immettere un numero nella cella delle frazioni di gradi";
constexpr std::string_view kMinuteDigitsMessage =
    "Immettere un numero nella cella delle frazioni di minuti";
constexpr std::string_view kSecondDigitsMessage =
    "Immettere un numero nella cella delle frazioni di secondi";
constexpr std::string_view kMinutesRangeMessage = "I minuti devono essere compresi tra 0 e 59";
constexpr std::string_view kSecondsRangeMessage = "I secondi devono essere compresi tra 0 e 59";

bool Passes(const CellBoard& board, const CheckStep& step) {
  const CellText cell(board, step.cell);
  const std::string_view text = cell.View();
  switch (step.kind) {
    case CheckKind::Numeric:
      return IsNumberText(text);
    case CheckKind::Range: {
      // '-0' reads as zero but, joined with its digits, as a negative count.
      const std::optional<double> value = ReadNumber(text);
      return value && text.front() != '-' && *value >= 0 && *value < 60;
    }
    case CheckKind::Joined:
      return ReadJoinedNumber(CellText(board, step.whole).View(), text).has_value();
  }
  return false;
}

}  // namespace

// The numeric steps run left to right before the range steps, minutes before
// seconds; the joined step last, once each cell is known to be a number.
const std::array<CheckStep, 15> kCheckSteps = {{
    {Row::A, CheckKind::Numeric, Cell::A1, Cell::A1, kDegreesMessage},
    {Row::A, CheckKind::Numeric, Cell::A2, Cell::A2, kDegreeDigitsMessage},
    {Row::A, CheckKind::Joined, Cell::A2, Cell::A1, kDegreeDigitsMessage},
    {Row::B, CheckKind::Numeric, Cell::B1, Cell::B1, kDegreesMessage},
    {Row::B, CheckKind::Numeric, Cell::B2, Cell::B2, kMinutesMessage},
    {Row::B, CheckKind::Numeric, Cell::B3, Cell::B3, kMinuteDigitsMessage},
    {Row::B, CheckKind::Range, Cell::B2, Cell::B2, kMinutesRangeMessage},
    {Row::B, CheckKind::Joined, Cell::B3, Cell::B2, kMinuteDigitsMessage},
    {Row::C, CheckKind::Numeric, Cell::C1, Cell::C1, kDegreesMessage},
    {Row::C, CheckKind::Numeric, Cell::C2, Cell::C2, kMinutesMessage},
    {Row::C, CheckKind::Numeric, Cell::C3, Cell::C3, kSecondsMessage},
    {Row::C, CheckKind::Numeric, Cell::C4, Cell::C4, kSecondDigitsMessage},
    {Row::C, CheckKind::Range, Cell::C2, Cell::C2, kMinutesRangeMessage},
    {Row::C, CheckKind::Range, Cell::C3, Cell::C3, kSecondsRangeMessage},
    {Row::C, CheckKind::Joined, Cell::C4, Cell::C3, kSecondDigitsMessage},
}};

bool Calcola(CellBoard& board, Row row) {
  for (const CheckStep& step : kCheckSteps) {
    if (step.row != row || Passes(board, step)) continue;
    board.ShowMessage(step.message, kWarningTitle);
    // A wrong number is emptied and handed back to the user once the box is
    // closed; a number out of range stays for the user to correct.
    if (step.kind != CheckKind::Range) {
      board.SetText(step.cell, "");
      board.SetFocus(step.cell);
    }
    return false;
  }
  return Calcolo(board, row);
}

bool PassesChecks(const CellBoard& board, Row row) {
  for (const CheckStep& step : kCheckSteps)
    if (step.row == row && !Passes(board, step)) return false;
  return true;
}

}  // namespace angoli
