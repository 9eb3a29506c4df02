// The justification controls of the main window and the CAD's alignment code, both ways: the
// three middle radio buttons, or else the code at the front of the drop-down's text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kav::placement {

// Alignment codes of TEXT and attributes.
enum TAlignment : int {
  kLeft = 0, kCenter = 1, kRight = 2, kAligned = 3, kMiddle = 4, kFit = 5,
  kTopLeft = 6, kTopCenter = 7, kTopRight = 8, kMiddleLeft = 9, kMiddleCenter = 10, kMiddleRight = 11,
  kBottomLeft = 12, kBottomCenter = 13, kBottomRight = 14,
};

// Which of the four radio buttons is chosen: ML, MC, MR, "other" (the drop-down decides), or
// none of them (the drop-down decides as well).
enum class TJustificationRadio { None, MiddleLeft, MiddleCenter, MiddleRight, Other };

struct TJustificationControls {
  TJustificationRadio Radio = TJustificationRadio::MiddleLeft;
  std::string ComboText;   // the drop-down's text, e.g. "BR : 右下"
};

// The code to put on a new TEXT, or none when the drop-down's text has no ":" after its first
// character (the TEXT then keeps the CAD's own alignment). An unknown code before the ":"
// gives Left.
std::optional<int> AlignmentFor(const TJustificationControls& controls);

// "ML", "MC" or "MR" for the middle radio buttons, empty otherwise: where the in-cell
// placement sets the text.
std::string CellJustificationFor(TJustificationRadio radio);

// The controls that show a picked TEXT's alignment: the radio button and, for "other", the
// drop-down's item index. Nothing for Aligned, Fit and unknown codes.
struct TJustificationView {
  TJustificationRadio Radio;
  std::optional<int> ComboIndex;
};
std::optional<TJustificationView> ControlsFor(int alignment);

}  // namespace kav::placement
