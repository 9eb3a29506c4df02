// The drawing the demo and the tests start from: an A3 sheet with a border, a part drawn
// with lines at several angles and holes, a ruled parts list with its title row and two
// filled rows, a title block reference whose attributes sit in its cells, and shapes
// (a spline, a 3D polyline) for the selection filters to skip.
#pragma once

#include "simcad/SimDrawing.h"

namespace kav::sim {

void BuildDemoDrawing(TDrawing& drawing);

}  // namespace kav::sim
