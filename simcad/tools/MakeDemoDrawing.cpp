// Writes the demo drawing (what SimBuildDemo builds) as a DXF file: tests/data/demo-drawing.dxf,
// which ./run opens in simcad.exe. Run it again after changing the demo drawing; a test checks
// that the file and the drawing agree.
//   make_demo_drawing PATH
#include <cstdio>
#include <exception>

#include "platform/portable/PosixFileSystem.h"
#include "simcad/DxfWriter.h"
#include "simcad/SimDemo.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_demo_drawing PATH\n");
    return 2;
  }
  try {
    kav::sim::TDrawing drawing;
    kav::sim::BuildDemoDrawing(drawing);
    kav::MakePosixFileSystem()->WriteAtomically(argv[1], kav::sim::WriteDxf(drawing));
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_demo_drawing: %s\n", e.what());
    return 1;
  }
}
