// Any bytes as a clipboard text: whatever is read as an angle fits its row's
// cells as number texts, and copying that row reads back into the same cells.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "conversion/angle_text.h"
#include "conversion/number_text.h"
#include "conversion/utf8_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace angoli;
  const ReadAngleResult angle = ReadAngle(std::string_view(reinterpret_cast<const char*>(data), size));
  if (angle.reading != AngleReading::Angle) return 0;
  const std::vector<Cell> cells = CellsOf(angle.row);
  bool fits = angle.texts.size() == cells.size();
  for (std::size_t i = 0; fits && i < cells.size(); ++i)
    fits = CharCount(angle.texts[i]) <= MaxLength(cells[i]) && IsNumberText(angle.texts[i]);
  // Texts as wide as the row's are the same row.
  if (!fits || ReadAngle(WriteAngle(angle.row, angle.texts)).texts != angle.texts) std::abort();
  return 0;
}
