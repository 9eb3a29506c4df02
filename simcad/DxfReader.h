// Reading an ASCII DXF file (AutoCAD R12 to the current versions) into the simulated CAD's
// drawing: model space from the ENTITIES section, block definitions from the BLOCKS section;
// every other section is passed over.
#pragma once

#include <string>
#include <string_view>

#include "simcad/DxfText.h"
#include "simcad/DxfTokenizer.h"
#include "simcad/SimDrawing.h"

namespace kav::sim {

struct TDxfDrawing {
  TDrawing Drawing;
  std::string Version;     // $ACADVER as the file gives it; empty when it has no header
  std::string Encoding;    // how its strings were read: "UTF-8", "code page 932", ...
  int PaperSpaceSkipped = 0;   // entities of paper space, which the drawing does not keep
};

// Throws TDxfError naming the line for a file that is empty, is not DXF, is cut short or
// holds a value that does not fit its group. Takes time in proportion to the file's size.
TDxfDrawing ReadDxf(std::string_view bytes, const TDxfCodePages& codePages);

}  // namespace kav::sim
