// The TEXT lines that TEXT creation and plain creation both write: the style put on a new
// TEXT, and the lines of a stack below the first one.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cadlink/Automation.h"
#include "placement/Geometry.h"

namespace kav::placement {

// What a creation writes and how, as read from the main window when it starts: the first line
// and, for a one-column selection of several rows, the cells below it (both as stored); the
// height and the row pitch before DIMSCALE; the width factor; the alignment (none: the CAD's
// own).
struct TTextLines {
  std::string FirstString;
  bool Stack = false;
  std::vector<std::string> FollowingCells;
  double Height = 2.5;
  double WidthFactor = 1.0;
  double Pitch = 5.0;
  std::optional<int> Alignment;
};

// Puts `alignment` (when there is one) on the new TEXT; the alignment the CAD then reports.
int PutAlignment(cad::IAutomationObject& text, std::optional<int> alignment);

// Holds the TEXT at `point` and gives it the width factor.
void PlaceText(cad::IAutomationObject& text, const TPoint& point, double widthFactor);

// The cells below the first line of a stack: each one `pitch` lower than the one before, a
// blank cell leaving its line empty; the texts trimmed, with the first line's alignment.
void WriteFollowingLines(cad::IAutomationObject& modelSpace, const std::vector<std::string>& cells, TPoint point,
                         double pitch, double height, double widthFactor, int alignment);

}  // namespace kav::placement
