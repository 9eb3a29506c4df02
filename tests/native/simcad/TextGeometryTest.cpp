// Where a TEXT's characters go for each of the fifteen alignment codes: the point the
// alignment holds lies at its own place of the frame, also when the text is rotated and
// narrowed, and Aligned and Fit fill the baseline between their two points.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "simcad/SimTextGeometry.h"

namespace kav::sim {
namespace {

void ExpectNear(const TPoint& actual, const TPoint& expected, const std::string& what) {
  EXPECT_NEAR(actual.X, expected.X, 1e-9) << what;
  EXPECT_NEAR(actual.Y, expected.Y, 1e-9) << what;
}

TTextProps Text(int alignment, double rotation, double widthFactor) {
  TTextProps text;
  text.TextString = "ABCD";   // 4 characters: 4 * 0.8 * height * width factor long
  text.Height = 2.5;
  text.ScaleFactor = widthFactor;
  text.Rotation = rotation;
  text.Alignment = alignment;
  text.Anchor = {100, 50, 0};
  return text;
}

TEST(TextGeometryTest, EveryAlignmentHoldsItsPointAtItsPlaceOfTheFrame) {
  // Code -> where the held point lies, as fractions of the frame's width and height.
  struct TCase {
    int Code;
    double Along, Up;
  };
  const TCase cases[] = {{0, 0, 0},    {1, 0.5, 0},   {2, 1, 0},    {4, 0.5, 0.5}, {6, 0, 1},
                         {7, 0.5, 1},  {8, 1, 1},     {9, 0, 0.5},  {10, 0.5, 0.5}, {11, 1, 0.5},
                         {12, 0, 0},   {13, 0.5, 0},  {14, 1, 0}};
  for (const double rotation : {0.0, std::numbers::pi / 6, -2.0}) {
    for (const double widthFactor : {1.0, 0.7}) {
      for (const auto& c : cases) {
        const TTextProps text = Text(c.Code, rotation, widthFactor);
        const TTextFrame frame = TextFrame(text);
        const std::string what = "code " + std::to_string(c.Code) + " rotation " + std::to_string(rotation) +
                                 " width factor " + std::to_string(widthFactor);
        ExpectNear(FramePoint(frame, c.Along, c.Up), text.Anchor, what);
        EXPECT_NEAR(frame.Width, 4 * 0.8 * 2.5 * widthFactor, 1e-9) << what;
        EXPECT_NEAR(frame.Height, 2.5, 1e-9) << what;
        EXPECT_NEAR(frame.Angle, rotation, 1e-9) << what;
        // Left's anchor is its insertion point; for the others the insertion point is the
        // frame's lower left all the same.
        ExpectNear(frame.Origin, TextInsertionPoint(text), what);
      }
    }
  }
}

TEST(TextGeometryTest, AlignedAndFitFillTheBaselineBetweenTheirTwoPoints) {
  const TTextProps aligned = Text(3, 0, 1.0), fit = Text(5, 0, 1.0);
  // The drawing's own two points: the text's natural length apart, along its rotation.
  for (const auto& text : {aligned, fit}) {
    const TTextFrame frame = TextFrame(text);
    ExpectNear(FramePoint(frame, 1, 0), text.Anchor, "second point");
    EXPECT_NEAR(frame.Width, 8, 1e-9);
    EXPECT_NEAR(frame.Height, 2.5, 1e-9);
  }
  // Two points 16 apart at 90 degrees: twice the natural length.
  const TPoint first{10, 10, 0}, second{10, 26, 0};
  const TTextFrame a = TextFrameBetween(aligned, first, second);
  EXPECT_NEAR(a.Angle, std::numbers::pi / 2, 1e-12);
  EXPECT_NEAR(a.Width, 16, 1e-9);
  EXPECT_NEAR(a.Height, 5, 1e-9);   // Aligned keeps the proportions: twice as high
  ExpectNear(FramePoint(a, 0, 0), first, "aligned first");
  ExpectNear(FramePoint(a, 1, 0), second, "aligned second");
  ExpectNear(FramePoint(a, 0, 1), {5, 10, 0}, "aligned top left");
  const TTextFrame f = TextFrameBetween(fit, first, second);
  EXPECT_NEAR(f.Width, 16, 1e-9);
  EXPECT_NEAR(f.Height, 2.5, 1e-9);  // Fit keeps the height and widens the characters
  ExpectNear(FramePoint(f, 1, 0), second, "fit second");
  // Both points the same: the text keeps its own length instead of vanishing.
  const TTextFrame d = TextFrameBetween(aligned, first, first);
  EXPECT_NEAR(d.Width, 8, 1e-9);
  EXPECT_NEAR(d.Height, 2.5, 1e-9);
}

TEST(TextGeometryTest, CornersRunCounterClockwiseFromTheLowerLeft) {
  const TTextFrame frame{{1, 2, 0}, std::numbers::pi / 2, 4, 2};
  const auto corners = FrameCorners(frame);
  ExpectNear(corners[0], {1, 2, 0}, "lower left");
  ExpectNear(corners[1], {1, 6, 0}, "lower right");
  ExpectNear(corners[2], {-1, 6, 0}, "upper right");
  ExpectNear(corners[3], {-1, 2, 0}, "upper left");
}

TEST(TextGeometryTest, AnMTextStacksItsParagraphsAroundItsAttachmentPoint) {
  TTextProps note;
  note.TextString = "注記：\\Pはめあい公差\\P以上";
  note.Height = 3;
  note.Anchor = {100, 50, 0};
  // Attachment top left (alignment 6): the first line hangs from the point, the others below it.
  note.Alignment = 6;
  std::vector<TTextProps> lines = MTextLines(note);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].TextString, "注記：");
  EXPECT_EQ(lines[1].TextString, "はめあい公差");
  EXPECT_EQ(lines[2].TextString, "以上");
  ExpectNear(lines[0].Anchor, {100, 50, 0}, "top line");
  ExpectNear(lines[2].Anchor, {100, 40, 0}, "last line, 5/3 of the height per line");
  EXPECT_EQ(lines[2].Alignment, 6);
  // Middle: the stack is centred on the point; bottom: the last line stands on it.
  note.Alignment = 10;
  ExpectNear(MTextLines(note)[1].Anchor, {100, 50, 0}, "middle line");
  note.Alignment = 14;
  ExpectNear(MTextLines(note)[2].Anchor, {100, 50, 0}, "bottom line");
  // Turned by 90°: the lines follow each other to the right, below one another as the text reads.
  note.Alignment = 6;
  note.Rotation = std::numbers::pi / 2;
  ExpectNear(MTextLines(note)[1].Anchor, {105, 50, 0}, "second line, turned");
  // Without a paragraph break there is one line, the text as it is.
  note.TextString = "一行";
  EXPECT_EQ(MTextLines(note).size(), 1u);
}

}  // namespace
}  // namespace kav::sim
