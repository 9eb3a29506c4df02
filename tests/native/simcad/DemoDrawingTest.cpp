// The demo drawing ./run opens, tests/data/demo-drawing.dxf, is the drawing SimBuildDemo
// builds: the file reads back field for field as that drawing (make_demo_drawing writes it
// again after a change).
#include <gtest/gtest.h>

#include <algorithm>

#include "DxfTestSupport.h"
#include "simcad/SimDemo.h"

namespace kav::sim {
namespace {

TEST(DemoDrawing, TheFileHoldsTheDrawingThatSimBuildDemoBuilds) {
  TDrawing built;
  BuildDemoDrawing(built);
  TDxfDrawing file = test::Read(test::ReadBytes(test::SourcePath("tests/data/demo-drawing.dxf")));
  // A polyline read from a file has a bulge for each vertex, straight ones 0.
  for (int id : file.Drawing.TopLevel()) {
    std::vector<double>& bulges = file.Drawing.Find(id)->Bulges;
    if (std::all_of(bulges.begin(), bulges.end(), [](double b) { return b == 0; })) bulges.clear();
  }
  EXPECT_EQ(test::Contents(file.Drawing), test::Contents(built))
      << "tests/data/demo-drawing.dxf is out of date: build make_demo_drawing and run it with that path";
}

}  // namespace
}  // namespace kav::sim
