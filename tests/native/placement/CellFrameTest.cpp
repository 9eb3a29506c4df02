// The ruled cell around a picked point: which lines frame it, the base points, and the calls
// the search makes; then the in-cell mode of TEXT creation.
#include <gtest/gtest.h>

#include "placement/CellFrame.h"
#include "tests/native/placement/PlacementFixture.h"

namespace kav::placement {
namespace {

using Strings = std::vector<std::string>;

class CellFrameTest : public ::testing::Test {
 protected:
  sim::TSimCad cad;
  cad::ObjectRef doc = cad.Application()->GetObj("ActiveDocument");

  // A cell 40 wide and 10 high: left x 0, right x 40, bottom y 0, top y 10.
  void DrawCell() {
    cad.AddLine(0, 0, 40, 0);
    cad.AddLine(0, 10, 40, 10);
    cad.AddLine(0, 0, 0, 10);
    cad.AddLine(40, 0, 40, 10);
  }
  bool Find(TPoint& p, const char* justification, double y = 12.5, double x = 250, double f = 0.5) {
    return FindCellFrame(*doc, p, justification, y, x, f);
  }
};

TEST_F(CellFrameTest, BasePointsOfACompleteFrame) {
  DrawCell();
  TPoint p{13, 3, 7};
  EXPECT_TRUE(Find(p, "ML"));
  EXPECT_EQ(p, (TPoint{5, 5, 7}));   // half a row height after the left line, z kept
  p = {13, 3, 7};
  EXPECT_TRUE(Find(p, "MR"));
  EXPECT_EQ(p, (TPoint{35, 5, 7}));
  p = {13, 3, 7};
  EXPECT_TRUE(Find(p, "MC"));
  EXPECT_EQ(p, (TPoint{20, 5, 7}));
  for (const char* other : {"", "ml", "TL"}) {
    p = {13, 3, 7};
    EXPECT_TRUE(Find(p, other)) << other;
    EXPECT_EQ(p, (TPoint{13, 3, 7})) << other;   // searched, not moved
  }
}

TEST_F(CellFrameTest, ASideOutOfRangeLeavesThePoint) {
  DrawCell();
  TPoint p{13, 3};
  EXPECT_FALSE(Find(p, "ML", 12.5, 10));   // the right line is 27 away
  EXPECT_EQ(p, (TPoint{13, 3}));
  EXPECT_FALSE(Find(p, "ML", 2.5, 250));   // the top line is 7 away
  EXPECT_EQ(p, (TPoint{13, 3}));
}

TEST_F(CellFrameTest, TheNearestLineOfEachSideWinsWhateverTheOrder) {
  cad.AddLine(-20, -5, -20, 20);   // a farther left line drawn first
  DrawCell();
  cad.AddLine(-10, -5, -10, 20);   // and one drawn after
  TPoint p{13, 3};
  EXPECT_TRUE(Find(p, "ML"));
  EXPECT_EQ(p, (TPoint{5, 5}));
}

TEST_F(CellFrameTest, LinesThatStartOnAProbeAndSlantedLines) {
  cad.AddLine(0, 0, 40, 0);
  cad.AddLine(0, 10, 40, 10);
  cad.AddLine(40, 0, 40, 10);
  // A left line that starts exactly at the height of the point does not count...
  const int starts = cad.AddLine(0, 3, 0, 10);
  TPoint p{13, 3};
  EXPECT_FALSE(Find(p, "ML"));
  // ...drawn the other way round, its end point there, it does.
  cad.Drawing().Erase(starts);
  cad.AddLine(0, 10, 0, 3);
  EXPECT_TRUE(Find(p, "ML"));
  EXPECT_EQ(p, (TPoint{5, 5}));

  // Ends 0.4 apart in x count as vertical, 0.5 apart do not.
  sim::TSimCad slanted;
  auto d = slanted.Application()->GetObj("ActiveDocument");
  slanted.AddLine(0, 0, 40, 0);
  slanted.AddLine(0, 10, 40, 10);
  slanted.AddLine(40, 0, 40, 10);
  const int almost = slanted.AddLine(-0.2, -100, 0.2, 100);
  p = {13, 3};
  EXPECT_TRUE(FindCellFrame(*d, p, "ML", 12.5, 250, 0.5));
  slanted.Drawing().Erase(almost);
  slanted.AddLine(-0.25, -100, 0.25, 100);
  p = {13, 3};
  EXPECT_FALSE(FindCellFrame(*d, p, "ML", 12.5, 250, 0.5));
}

TEST_F(CellFrameTest, AClosedPolylineFramesAllFourSidesAndOtherTypesAreIgnored) {
  cad.AddPolyline({0, 0, 40, 0, 40, 10, 0, 10}, true);   // the left side is the closing segment
  cad.Add3dPolyline({-5, -5, 0, -5, 20, 0});              // selected by "*LINE", not looked at
  cad.AddSpline({-3, -5, 0, -3, 20, 0});
  TPoint p{13, 3};
  EXPECT_TRUE(Find(p, "ML"));
  EXPECT_EQ(p, (TPoint{5, 5}));
  // The same polyline open: no left side.
  sim::TSimCad open;
  auto d = open.Application()->GetObj("ActiveDocument");
  open.AddPolyline({0, 0, 40, 0, 40, 10, 0, 10}, false);
  p = {13, 3};
  EXPECT_FALSE(FindCellFrame(*d, p, "ML", 12.5, 250, 0.5));
}

TEST_F(CellFrameTest, TheCallsOfOneSearch) {
  cad.AddLine(0, 0, 0, 10);
  cad.AddPolyline({40, 0, 40, 10}, false);
  TPoint p{13, 3};
  cad.State().Calls.clear();
  EXPECT_FALSE(Find(p, "ML"));
  EXPECT_EQ(cad.CallTexts(),
            (Strings{"Document.ActiveSelectionSet", "SelectionSet.Clear",
                     "SelectionSet.Select", "SelectionSet.Count", "SelectionSet.Item", "Line.EntityName",
                     "Line.StartPoint", "Line.EndPoint", "SelectionSet.Clear",   // left
                     "SelectionSet.Select", "SelectionSet.Count", "SelectionSet.Item", "Polyline.EntityName",
                     "Polyline.Coordinates", "Polyline.Closed", "SelectionSet.Clear",   // right
                     "SelectionSet.Select", "SelectionSet.Count", "SelectionSet.Clear",   // above: nothing
                     "SelectionSet.Select", "SelectionSet.Count", "SelectionSet.Clear"}));
  EXPECT_TRUE(cad.State().Selection.empty());
  // The probe of the left side, with the "*LINE" filter.
  const auto& select = cad.State().Calls[2];
  EXPECT_EQ(select.Args[0], cad::Variant(static_cast<std::int32_t>(1)));
  EXPECT_EQ(cad::ToPoint(select.Args[2]), (TPoint{13 - 250, 3}));
  EXPECT_EQ(select.Args[3], cad::Variant(cad::ShortArray{0, {0}}));
  EXPECT_EQ(select.Args[4], cad::Variant(cad::VariantArray{0, {cad::Variant("*LINE")}}));
}

TEST_F(CellFrameTest, UntidyGeometryGivesADefinedResult) {
  cad.AddLine(5, 5, 5, 5);                          // zero length
  cad.AddPolyline({8, 2}, true);                    // one vertex
  cad.AddPolyline({-1, -50, -1, 50, 7}, false);    // odd length: the 7 is no vertex
  DrawCell();
  TPoint p{13, 3};
  EXPECT_TRUE(Find(p, "ML"));
  EXPECT_EQ(p, (TPoint{5, 5}));
}

TEST_F(CellFrameTest, TenThousandLinesAroundThePick) {
  for (int i = 0; i < 5000; ++i) {
    cad.AddLine(-1000.0 + i * 0.4, -500, -1000.0 + i * 0.4, 500);   // vertical, every 0.4
    cad.AddLine(-1000, -500.0 + i * 0.2, 1000, -500.0 + i * 0.2);   // horizontal, every 0.2
  }
  TPoint p{0.1, 0.1};
  EXPECT_TRUE(Find(p, "MC", 12.5, 250));
  EXPECT_NEAR(p.X, 0.2, 1e-9);   // between the lines at 0 and 0.4
  EXPECT_NEAR(p.Y, 0.1, 1e-9);   // between 0 and 0.2
}

// The in-cell mode of TEXT creation.
class InCellTest : public ::testing::Test, public test::TPlacementFixture {};

TEST_F(InCellTest, TheTextGoesToTheCellsBasePointOrStaysAtThePickWithoutAFrame) {
  Cad.AddLine(0, 0, 40, 0);
  Cad.AddLine(0, 10, 40, 10);
  Cad.AddLine(0, 0, 0, 10);
  Cad.AddLine(40, 0, 40, 10);
  Form->CheckBox3.UserClick();
  ClickCell(0, 2);
  struct TCase {
    ui::TRadioButton* radio;
    cad::TPoint at;
    int code;
  };
  const TCase cases[] = {{&Form->RadioButton1, {5, 5}, 9}, {&Form->RadioButton2, {20, 5}, 10},
                         {&Form->RadioButton3, {35, 5}, 11}};
  for (const TCase& c : cases) {
    c.radio->SetChecked(true);
    Cad.QueuePoint(13, 3);
    Form->Button1Click();
    EXPECT_EQ(Texts().back()->Text.Anchor, c.at) << c.radio->Name;
    EXPECT_EQ(Texts().back()->Text.Alignment, c.code);
  }
  // Far from any line: at the picked point, with the chosen alignment.
  Cad.QueuePoint(500, 500);
  Form->Button1Click();
  EXPECT_EQ(Texts().back()->Text.Anchor, (cad::TPoint{500, 500}));
  EXPECT_EQ(Texts().back()->Text.Alignment, 11);
  // Disabled by "その他 ↓": the mode is off though the box stays checked.
  Form->RadioButton4.UserClick();
  EXPECT_TRUE(Form->CheckBox3.Checked());
  Cad.State().Calls.clear();
  Cad.QueuePoint(13, 3);
  Form->Button1Click();
  EXPECT_EQ(Texts().back()->Text.Anchor, (cad::TPoint{13, 3}));
  for (const auto& call : Calls()) EXPECT_NE(call, "Document.ActiveSelectionSet");
}

TEST_F(InCellTest, TheSearchRangesAreTextHeightsTimesDimscale) {
  // The right line 27 from the pick: within 5.0 x 2.5 x 3 = 37.5 but not 5.0 x 2.5 x 2 = 25.
  Cad.AddLine(0, 0, 40, 0);
  Cad.AddLine(0, 10, 40, 10);
  Cad.AddLine(0, 0, 0, 10);
  Cad.AddLine(40, 0, 40, 10);
  Form->CheckBox3.UserClick();
  Form->Edit5.SetText("5.0");
  ClickCell(0, 2);
  Cad.State().Variables["DIMSCALE"] = cad::Variant(2.0);
  Cad.QueuePoint(13, 3);
  Form->Button1Click();
  EXPECT_EQ(Texts().back()->Text.Anchor, (cad::TPoint{13, 3}));
  Cad.State().Variables["DIMSCALE"] = cad::Variant(3.0);
  Cad.QueuePoint(13, 3);
  Form->Button1Click();
  EXPECT_EQ(Texts().back()->Text.Anchor, (cad::TPoint{5, 5}));
}

}  // namespace
}  // namespace kav::placement
