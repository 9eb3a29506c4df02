// Text on a line: the snap, the flip range, the turn and move of the new TEXT, and the stack
// below a turned first line.
#include <gtest/gtest.h>

#include <cmath>

#include "placement/OnLine.h"
#include "tests/native/placement/PlacementFixture.h"

namespace kav::placement {
namespace {

using Strings = std::vector<std::string>;
constexpr double kDeg = kPi / 180;

TEST(FlipRange, BothEndsTurnAndTheSumIsNotReduced) {
  const TOnLineOptions defaults;
  EXPECT_EQ(FlipAngle(90 * kDeg, defaults), 90 * kDeg);
  EXPECT_NEAR(FlipAngle(91 * kDeg, defaults), 271 * kDeg, 1e-12);
  EXPECT_NEAR(FlipAngle(269 * kDeg, defaults), 449 * kDeg, 1e-12);
  EXPECT_EQ(FlipAngle(270 * kDeg, defaults), 270 * kDeg);
  EXPECT_NEAR(FlipAngle(200 * kDeg, defaults), 6.632251157578453, 1e-12);
  EXPECT_EQ(FlipAngle(180 * kDeg, {0.5, 269, 91}), 180 * kDeg);   // an empty range turns nothing
  EXPECT_NEAR(FlipAngle(0, {0.5, -1, 1}), kPi, 1e-12);
}

TEST(OffsetFromLine, ByAlignmentRow) {
  EXPECT_DOUBLE_EQ(OffsetFromLine(7, 2.5, 0.5), 3.75);    // top: h + h f
  EXPECT_DOUBLE_EQ(OffsetFromLine(10, 2.5, 0.5), 2.5);    // middle: h/2 + h f
  EXPECT_DOUBLE_EQ(OffsetFromLine(13, 2.5, 0.5), 0);      // bottom: none
  EXPECT_DOUBLE_EQ(OffsetFromLine(0, 2.5, 0.5), 1.25);    // baseline alignments: h f
  EXPECT_DOUBLE_EQ(OffsetFromLine(5, 2.5, 0.5), 1.25);
}

class OnLineTest : public ::testing::Test, public test::TPlacementFixture {
 protected:
  OnLineTest() {
    Form->CheckBox5.UserClick();
    ClickCell(0, 2);
  }
  // Creates on `entity` picked at (x, y); the new TEXT.
  const sim::TEntity* CreateOn(int entity, double x, double y) {
    Cad.QueuePick(entity, x, y);
    Form->Button1Click();
    return Texts().back();
  }
  void ExpectAt(const sim::TEntity* t, double x, double y, double rotation) {
    EXPECT_NEAR(t->Text.Anchor.X, x, 1e-9);
    EXPECT_NEAR(t->Text.Anchor.Y, y, 1e-9);
    EXPECT_NEAR(t->Text.Rotation, rotation, 1e-9);
  }
};

TEST_F(OnLineTest, ALineAndTheSameLineDrawnBackwards) {
  const int forward = Cad.AddLine(0, 0, 10, 0);
  Cad.State().Calls.clear();
  ExpectAt(CreateOn(forward, 4, 1), 4, 2.5, 0);   // foot (4, 0), then h (0.5 + f) up
  EXPECT_EQ(Calls(), (Strings{"Application.ActiveDocument", "Application.HWND", "Document.GetVariable",
                              "Document.Utility", "Utility.GetEntity", "Document.SendCommand", "Line.EntityName",
                              "Line.StartPoint", "Line.EndPoint", "Document.StartUndoMark", "Document.ModelSpace",
                              "ModelSpace.AddText", "Text.Alignment :=", "Text.Rotation :=", "Text.Alignment",
                              "Text.TextAlignmentPoint :=", "Text.ScaleFactor :=", "Document.EndUndoMark"}));
  EXPECT_EQ(Cad.State().Commands, Strings{"\x1b"});
  EXPECT_EQ(Cad.State().Prompts, Strings{"線分を指示 : "});
  // Backwards the direction is 180 degrees, inside the flip range: turned to 360 and moved up.
  const int backward = Cad.AddLine(10, 0, 0, 0);
  ExpectAt(CreateOn(backward, 4, 1), 4, 2.5, 2 * kPi);
}

TEST_F(OnLineTest, TheFlipAtTheEdgesOfTheRange) {
  for (double degrees : {90.0, 91.0, 269.0, 270.0}) {
    const double a = degrees * kDeg;
    const int line = Cad.AddLine(0, 0, 100 * std::cos(a), 100 * std::sin(a));
    const sim::TEntity* t = CreateOn(line, 50 * std::cos(a), 50 * std::sin(a));
    const bool turned = degrees == 91.0 || degrees == 269.0;
    EXPECT_NEAR(t->Text.Rotation, turned ? a + kPi : a, 1e-9) << degrees;
  }
  Form->Edit13.SetText("300");   // an empty range
  const int back = Cad.AddLine(10, 0, 0, 0);
  EXPECT_NEAR(CreateOn(back, 5, 0)->Text.Rotation, kPi, 1e-12);
}

TEST_F(OnLineTest, PolylinesTheNearestSegmentAndTheClosingOne) {
  const int open = Cad.AddPolyline({0, 0, 10, 0, 10, 10}, false);
  ExpectAt(CreateOn(open, 9, 4), 10 - 2.5, 4, kPi / 2);   // the second segment, 90 degrees: left of it
  // A closed square picked left of its left side: the closing segment from the first vertex
  // to the last runs upwards, so the text stands left of the line, not turned.
  const int square = Cad.AddPolyline({0, 0, 10, 0, 10, 10, 0, 10}, true);
  ExpectAt(CreateOn(square, -1, 5), -2.5, 5, kPi / 2);
}

TEST_F(OnLineTest, MissedLinesOtherEntitiesAndTheStackBelow) {
  const int line = Cad.AddLine(0, 0, 10, 0);
  ExpectAt(CreateOn(line, 12, 3), 12, 5.5, 0);   // foot outside: the picked point, moved up by D
  const int circle = Cad.AddCircle(50, 50, 5);
  ExpectAt(CreateOn(circle, 55, 50), 55, 52.5, 0);
  const int spline = Cad.AddSpline({0, 0, 0, 10, 10, 0});
  ExpectAt(CreateOn(spline, 3, 3), 3, 5.5, 0);

  // A stack: the first TEXT turned and set off, the following ones not turned, straight below.
  Form->Edit3.SetText("4");
  SelectColumn(0, 1, 3);
  const int slope = Cad.AddLine(0, 0, 10, 10);
  CreateOn(slope, 5, 5);
  const auto texts = Texts();
  const sim::TEntity* first = texts[texts.size() - 3];
  EXPECT_NEAR(first->Text.Rotation, kPi / 4, 1e-12);
  const double x = 5 - 2.5 * std::sin(kPi / 4), y = 5 + 2.5 * std::cos(kPi / 4);
  ExpectAt(first, x, y, kPi / 4);
  ExpectAt(texts[texts.size() - 2], x, y - 4, 0);
  ExpectAt(texts[texts.size() - 1], x, y - 8, 0);
}

TEST_F(OnLineTest, AnAutocadTargetGetsCodeThreeAndACancelledPickCreatesNothing) {
  Host.Register("AutoCAD.Application.24", &Cad);
  F.Target.TargetProgID = "AutoCAD.Application.24";
  const int line = Cad.AddLine(0, 0, 10, 0);
  CreateOn(line, 4, 1);
  EXPECT_EQ(Cad.State().Commands.back(), "\x03");
  const std::size_t made = Texts().size();
  Cad.QueueCancel();
  Form->Button1Click();
  EXPECT_EQ(Texts().size(), made);
  EXPECT_EQ(Cad.State().UndoGroups, 1);
}

TEST_F(OnLineTest, AHugePolylineIsOnePass) {
  std::vector<double> xy;
  for (int i = 0; i < 100000; ++i) {
    xy.push_back(i);
    xy.push_back(i % 2 == 0 ? 0 : 1);
  }
  const int zigzag = Cad.AddPolyline(xy, false);
  Cad.State().Calls.clear();
  const sim::TEntity* t = CreateOn(zigzag, 50000.5, 0.5);
  EXPECT_NEAR(t->Text.Rotation, kPi / 4, 1e-9);
  int coordinateReads = 0;
  for (const auto& call : Calls()) coordinateReads += call == "Polyline.Coordinates";
  EXPECT_EQ(coordinateReads, 1);
}

}  // namespace
}  // namespace kav::placement
