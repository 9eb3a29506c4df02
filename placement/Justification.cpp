#include "placement/Justification.h"

#include <array>

#include "platform/Text.h"

namespace kav::placement {

namespace {

struct TComboCode {
  const char* Code;
  int Alignment;
  int ComboIndex;   // the item of the drop-down's fixed list
};

// The drop-down's items in their order: "L : 左", "C : 中心", "M : 中央", "R : 右揃え", "TL : 左上",
// "TC : 中上", "TR : 右上", "BL : 左下", "BC : 中下", "BR : 右下".
constexpr std::array<TComboCode, 10> kComboCodes{{
    {"L", kLeft, 0}, {"C", kCenter, 1}, {"M", kMiddle, 2}, {"R", kRight, 3}, {"TL", kTopLeft, 4},
    {"TC", kTopCenter, 5}, {"TR", kTopRight, 6}, {"BL", kBottomLeft, 7}, {"BC", kBottomCenter, 8},
    {"BR", kBottomRight, 9},
}};

}  // namespace

std::optional<int> AlignmentFor(const TJustificationControls& controls) {
  switch (controls.Radio) {
    case TJustificationRadio::MiddleLeft: return kMiddleLeft;
    case TJustificationRadio::MiddleCenter: return kMiddleCenter;
    case TJustificationRadio::MiddleRight: return kMiddleRight;
    case TJustificationRadio::None:
    case TJustificationRadio::Other: break;
  }
  const std::size_t colon = controls.ComboText.find(':');
  if (colon == std::string::npos || colon == 0) return std::nullopt;
  const std::string code = Trim(std::string_view(controls.ComboText).substr(0, colon));
  for (const auto& entry : kComboCodes)
    if (code == entry.Code) return entry.Alignment;
  return kLeft;
}

std::string CellJustificationFor(TJustificationRadio radio) {
  switch (radio) {
    case TJustificationRadio::MiddleLeft: return "ML";
    case TJustificationRadio::MiddleCenter: return "MC";
    case TJustificationRadio::MiddleRight: return "MR";
    case TJustificationRadio::None:
    case TJustificationRadio::Other: break;
  }
  return "";
}

std::optional<TJustificationView> ControlsFor(int alignment) {
  switch (alignment) {
    case kMiddleLeft: return TJustificationView{TJustificationRadio::MiddleLeft, std::nullopt};
    case kMiddleCenter: return TJustificationView{TJustificationRadio::MiddleCenter, std::nullopt};
    case kMiddleRight: return TJustificationView{TJustificationRadio::MiddleRight, std::nullopt};
    default: break;
  }
  for (const auto& entry : kComboCodes)
    if (entry.Alignment == alignment) return TJustificationView{TJustificationRadio::Other, entry.ComboIndex};
  return std::nullopt;
}

}  // namespace kav::placement
