// The small drawing the demo and the tests start from: a ruled parts-list table of lines with
// a few TEXT, a title block reference with attributes, and some other shapes.
#pragma once

#include "simcad/SimDrawing.h"

namespace kav::sim {

void BuildDemoDrawing(TDrawing& drawing);

}  // namespace kav::sim
