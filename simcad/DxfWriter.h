// Writing the simulated CAD's drawing as an ASCII DXF file of AutoCAD 2007 (AC1021, strings
// in UTF-8): the tables every reader looks for, the block definitions, model space with block
// references and their attributes, and the kinds kept from a file with their own groups.
#pragma once

#include <string>

#include "simcad/SimDrawing.h"

namespace kav::sim {

// The whole file, lines ended by CR LF. Blocks that references name but the drawing does not
// define are written empty, so that every reference has its block.
std::string WriteDxf(const TDrawing& drawing);

}  // namespace kav::sim
