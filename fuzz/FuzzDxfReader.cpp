// Fuzz target: any bytes as a DXF file through the simulated CAD's reader (code page 932 as the
// system's). What it reads is drawn, crossed and picked as the simulated CAD would, then written
// and read again: that must always succeed and give as many entities and blocks.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/CodePage.h"
#include "simcad/DxfReader.h"
#include "simcad/DxfWriter.h"
#include "simcad/SimBlockGeometry.h"
#include "simcad/SimHitTest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::unique_ptr<kav::ICodePage> codePage = kav::MakePortableCodePage932();
  const kav::sim::TDxfCodePages codePages{codePage.get(), nullptr};
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  kav::sim::TDxfDrawing file;
  try {
    file = kav::sim::ReadDxf(bytes, codePages);
  } catch (const kav::sim::TDxfError& e) {
    if (e.Line() == 0) __builtin_trap();   // every error names a line
    return 0;
  }
  const kav::sim::TDrawing& drawing = file.Drawing;
  // The window's fit, a sub-entity pick and a window selection: they unfold what references show.
  const kav::sim::TBounds bounds = kav::sim::DrawingBounds(drawing);
  const kav::sim::TPoint middle = bounds.Empty() ? kav::sim::TPoint{} : kav::sim::TPoint{bounds.MinX / 2 + bounds.MaxX / 2, bounds.MinY / 2 + bounds.MaxY / 2, 0};
  (void)kav::sim::HitTest(drawing, middle, 1, true);
  (void)kav::sim::WindowInside(drawing, {-100, -100, 0}, {100, 100, 0});
  (void)drawing.Crossing({-100, -100, 0}, {100, 100, 0});
  for (const kav::sim::TEntity& entity : drawing.BlockEntities()) {
    std::vector<int> containers;
    kav::sim::TTransform transform;
    const int reference = kav::sim::FirstReferenceShowing(drawing, entity.Id);
    if (reference != 0 && !kav::sim::FindInReference(drawing, reference, entity.Id, containers, transform)) __builtin_trap();
    break;   // one is enough: each search may walk every block
  }

  // A referenced block without a definition is written as an empty one: count those in.
  const kav::sim::TDxfDrawing again = kav::sim::ReadDxf(kav::sim::WriteDxf(drawing), codePages);
  if (again.Drawing.TopLevel().size() != drawing.TopLevel().size()) __builtin_trap();
  if (again.Drawing.Blocks().size() < drawing.Blocks().size()) __builtin_trap();
  return 0;
}
