// The drawing the demo and the tests start from: an A3 sheet with a border, a part drawn
// with lines at several angles and holes, a ruled parts list with its title row and two
// filled rows, a title block and two balloons (block references with attributes, of real
// block definitions), and shapes (a spline, a 3D polyline) for the selection filters to
// skip. tests/data/demo-drawing.dxf is this drawing as a file (make_demo_drawing writes it).
#pragma once

#include "simcad/SimDrawing.h"

namespace kav::sim {

void BuildDemoDrawing(TDrawing& drawing);

}  // namespace kav::sim
