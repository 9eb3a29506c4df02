// Finding entities under the pick box and in a window drawn on the screen.
#include <gtest/gtest.h>

#include "simcad/SimCad.h"
#include "simcad/SimHitTest.h"

namespace kav::sim {
namespace {

class HitTestTest : public ::testing::Test {
 protected:
  TSimCad cad;
  TDrawing& drawing = cad.Drawing();
  int horizontal = cad.AddLine(0, 0, 100, 0);
  int diagonal = cad.AddLine(0, 10, 50, 60);
  int text = cad.AddText("ABCDE", 10, 20, 5, 10, 0);   // middle centre at 10,20: 20 x 5
  int circle = cad.AddCircle(80, 40, 10);
  int block = cad.AddBlock("TITLE", 200, 100, {"PARTNO", "NAME"}, {"K-1", "ブラケット"});
  int polyline = cad.AddPolyline({150, 0, 170, 0, 170, 20}, true);
};

TEST_F(HitTestTest, APickFindsTheNearestEntityWithinThePickBoxOnly) {
  EXPECT_EQ(HitTest(drawing, {50, 0.4, 0}, 0.5, false).Entity, horizontal);
  EXPECT_EQ(HitTest(drawing, {50, 0.6, 0}, 0.5, false).Entity, 0);
  EXPECT_EQ(HitTest(drawing, {-0.3, 0, 0}, 0.5, false).Entity, horizontal);   // beyond the end
  EXPECT_EQ(HitTest(drawing, {25.3, 35, 0}, 0.5, false).Entity, diagonal);
  EXPECT_EQ(HitTest(drawing, {90.2, 40, 0}, 0.5, false).Entity, circle);
  EXPECT_EQ(HitTest(drawing, {80, 40, 0}, 0.5, false).Entity, 0);              // the centre is empty
  EXPECT_EQ(HitTest(drawing, {165, 5, 0}, 0.5, false).Entity, 0);              // inside the closed polyline
  EXPECT_EQ(HitTest(drawing, {160, 10.3, 0}, 0.5, false).Entity, polyline);    // its closing side
  // Anywhere on the text's box: it spans 0..20 across and 17.5..22.5 up.
  EXPECT_EQ(HitTest(drawing, {1, 18, 0}, 0.1, false).Entity, text);
  EXPECT_EQ(HitTest(drawing, {19.5, 22, 0}, 0.1, false).Entity, text);
  EXPECT_EQ(HitTest(drawing, {21, 20, 0}, 0.5, false).Entity, 0);
  // Two candidates: the nearer wins, whatever the order.
  const int near = cad.AddLine(0, 1, 100, 1);
  EXPECT_EQ(HitTest(drawing, {50, 0.9, 0}, 0.5, false).Entity, near);
  EXPECT_EQ(HitTest(drawing, {50, 0.1, 0}, 0.5, false).Entity, horizontal);
  // Erased entities are not there.
  drawing.Erase(near);
  EXPECT_EQ(HitTest(drawing, {50, 0.9, 0}, 1, false).Entity, horizontal);
}

TEST_F(HitTestTest, AnAttributePickFindsTheAttributeAnEntityPickItsBlockReference) {
  const TEntity& partNo = *drawing.Find(drawing.Find(block)->Attributes[0]);
  const TEntity& name = *drawing.Find(drawing.Find(block)->Attributes[1]);
  const TPoint onName{name.Text.Anchor.X + 1, name.Text.Anchor.Y + 1, 0};
  EXPECT_EQ(HitTest(drawing, onName, 0.5, true).Entity, name.Id);
  EXPECT_EQ(HitTest(drawing, onName, 0.5, false).Entity, block);
  const TPoint onPartNo{partNo.Text.Anchor.X + 2, partNo.Text.Anchor.Y + 0.5, 0};
  EXPECT_EQ(HitTest(drawing, onPartNo, 0.5, true).Entity, partNo.Id);
}

TEST_F(HitTestTest, AWindowFromTheLeftTakesWhatLiesInsideFromTheRightWhatItCrosses) {
  // A window around the lower half of the diagonal, the whole text and part of the line.
  const TPoint lowerLeft{-5, -5, 0}, upperRight{30, 35, 0};
  EXPECT_EQ(WindowSelection(drawing, lowerLeft, upperRight), (std::vector<int>{text}));
  EXPECT_EQ(WindowSelection(drawing, {-5, 35, 0}, {30, -5, 0}), (std::vector<int>{text}));   // dragged downwards
  EXPECT_EQ(WindowSelection(drawing, upperRight, lowerLeft), (std::vector<int>{horizontal, diagonal, text}));
  // A block reference counts with its attributes: inside only when they all are.
  const TBounds blockBox = BoundsOf(drawing, *drawing.Find(block));
  EXPECT_EQ(WindowSelection(drawing, {195, blockBox.MinY - 1, 0}, {blockBox.MaxX + 1, 103, 0}), (std::vector<int>{block}));
  EXPECT_TRUE(WindowSelection(drawing, {195, blockBox.MinY + 1, 0}, {blockBox.MaxX + 1, 103, 0}).empty());
  EXPECT_EQ(WindowSelection(drawing, {blockBox.MaxX + 1, 101, 0}, {195, blockBox.MinY + 1, 0}), (std::vector<int>{block}));
}

TEST(ClipSegmentTest, KeepsThePartInsideTheBoxAndMeetsADegenerateBox) {
  cad::TPoint a{-10, 5, 0}, b{30, 5, 0};
  ASSERT_TRUE(ClipSegment(a, b, TBounds::Of({0, 0, 0}, {20, 10, 0})));
  EXPECT_EQ(a, (cad::TPoint{0, 5, 0}));
  EXPECT_EQ(b, (cad::TPoint{20, 5, 0}));
  cad::TPoint c{-10, -10, 0}, d{30, 30, 0};   // through the corners
  ASSERT_TRUE(ClipSegment(c, d, TBounds::Of({0, 0, 0}, {20, 10, 0})));
  EXPECT_EQ(c, (cad::TPoint{0, 0, 0}));
  EXPECT_EQ(d, (cad::TPoint{10, 10, 0}));
  cad::TPoint e{-10, 11, 0}, f{30, 11, 0};
  EXPECT_FALSE(ClipSegment(e, f, TBounds::Of({0, 0, 0}, {20, 10, 0})));
  // A vertical probe (a box of no width) meets a line that crosses it, not one that stops short.
  cad::TPoint g{-5, 3, 0}, h{5, 3, 0};
  EXPECT_TRUE(ClipSegment(g, h, TBounds::Of({0, 0, 0}, {0, 10, 0})));
  cad::TPoint i{-5, 3, 0}, j{-1, 3, 0};
  EXPECT_FALSE(ClipSegment(i, j, TBounds::Of({0, 0, 0}, {0, 10, 0})));
}

TEST_F(HitTestTest, BoundsCoverWhatIsDrawn) {
  const TBounds all = DrawingBounds(drawing);
  EXPECT_DOUBLE_EQ(all.MinX, 0);
  EXPECT_DOUBLE_EQ(all.MinY, 0);
  EXPECT_DOUBLE_EQ(all.MaxX, 210);     // the longer attribute: 5 characters of 2.5 * 0.8
  EXPECT_DOUBLE_EQ(all.MaxY, 102.5);   // the first attribute's top
  const TBounds c = BoundsOf(drawing, *drawing.Find(circle));
  EXPECT_DOUBLE_EQ(c.MinX, 70);
  EXPECT_DOUBLE_EQ(c.MaxY, 50);
  EXPECT_TRUE(DrawingBounds(TDrawing{}).Empty());
}

}  // namespace
}  // namespace kav::sim
