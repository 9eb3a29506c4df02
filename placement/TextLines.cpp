#include "placement/TextLines.h"

#include "placement/CadCalls.h"
#include "platform/Text.h"

namespace kav::placement {

using cad::Variant;

int PutAlignment(cad::IAutomationObject& text, std::optional<int> alignment) {
  if (alignment) text.Put("Alignment", Variant(static_cast<std::int32_t>(*alignment)));
  return text.Get("Alignment").AsInt32();
}

void PlaceText(cad::IAutomationObject& text, const TPoint& point, double widthFactor) {
  text.Put("TextAlignmentPoint", cad::MakePoint(point), true);
  text.Put("ScaleFactor", widthFactor, true);
}

void WriteFollowingLines(cad::IAutomationObject& modelSpace, const std::vector<std::string>& cells, TPoint point,
                         double pitch, double height, double widthFactor, int alignment) {
  for (const std::string& cell : cells) {
    point.Y -= pitch;
    const std::string line = Trim(cell);
    if (line.empty()) continue;
    const ObjectRef text = AddText(modelSpace, line, point, height);
    text->Put("Alignment", Variant(static_cast<std::int32_t>(alignment)), true);
    PlaceText(*text, point, widthFactor);
  }
}

}  // namespace kav::placement
