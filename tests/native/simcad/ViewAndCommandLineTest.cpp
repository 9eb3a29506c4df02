// The window's view of the drawing (fit, zoom about the pointer, pan) and the command
// line's texts.
#include <gtest/gtest.h>

#include "simcad/SimCommandLine.h"
#include "simcad/SimView.h"

namespace kav::sim {
namespace {

TEST(ViewportTest, FitShowsTheWholeBoxCentredWithItsMargin) {
  TViewport view;
  view.Resize(800, 400);
  view.Fit(TBounds::Of({100, 100, 0}, {300, 150, 0}), 20);
  // 200 x 50 into 760 x 360: the width decides.
  EXPECT_DOUBLE_EQ(view.Scale(), 3.8);
  const TScreenPoint lowerLeft = view.ToScreen({100, 100, 0}), upperRight = view.ToScreen({300, 150, 0});
  EXPECT_DOUBLE_EQ(lowerLeft.X, 20);
  EXPECT_DOUBLE_EQ(upperRight.X, 780);
  EXPECT_DOUBLE_EQ((lowerLeft.Y + upperRight.Y) / 2, 200);
  EXPECT_GT(lowerLeft.Y, upperRight.Y);   // y runs up on the drawing, down on the screen
  const TPoint back = view.ToDrawing(lowerLeft.X, lowerLeft.Y);
  EXPECT_NEAR(back.X, 100, 1e-9);
  EXPECT_NEAR(back.Y, 100, 1e-9);
  const TBounds visible = view.Visible();
  EXPECT_NEAR(visible.MinX, 100 - 20 / 3.8, 1e-9);
  EXPECT_NEAR(visible.MaxY, 125 + 200 / 3.8, 1e-9);
  // A tall box: the height decides.
  view.Fit(TBounds::Of({0, 0, 0}, {10, 1000, 0}), 20);
  EXPECT_DOUBLE_EQ(view.Scale(), 0.36);
}

TEST(ViewportTest, ZoomKeepsThePointUnderThePointerAndPanMovesWithIt) {
  TViewport view;
  view.Resize(640, 480);
  view.Fit(TBounds::Of({0, 0, 0}, {100, 100, 0}), 0);
  const TPoint held = view.ToDrawing(100, 50);
  view.ZoomAt(100, 50, 2.5);
  EXPECT_DOUBLE_EQ(view.Scale(), 4.8 * 2.5);
  const TPoint after = view.ToDrawing(100, 50);
  EXPECT_NEAR(after.X, held.X, 1e-9);
  EXPECT_NEAR(after.Y, held.Y, 1e-9);
  view.ZoomAt(600, 400, 0.1);
  EXPECT_NEAR(view.ToDrawing(600, 400).X, view.ToDrawing(600, 400).X, 1e-9);
  const TScreenPoint before = view.ToScreen({30, 40, 0});
  view.Pan(15, -7);
  const TScreenPoint moved = view.ToScreen({30, 40, 0});
  EXPECT_NEAR(moved.X - before.X, 15, 1e-9);
  EXPECT_NEAR(moved.Y - before.Y, -7, 1e-9);
  // Zoom stops at its limits instead of collapsing the view.
  for (int i = 0; i < 100; ++i) view.ZoomAt(0, 0, 1e-3);
  EXPECT_DOUBLE_EQ(view.Scale(), TViewport::kMinScale);
  view.ZoomAt(0, 0, 0);
  EXPECT_DOUBLE_EQ(view.Scale(), TViewport::kMinScale);
}

TEST(CommandLineTest, CommandsShowTheirControlCharactersReadably) {
  EXPECT_EQ(ReadableCommand("copybase 0,0\rlast\r\r"), "copybase 0,0<CR>last<CR><CR>");
  EXPECT_EQ(ReadableCommand("\x1b"), "<ESC>");
  EXPECT_EQ(ReadableCommand("\x03"), "^C");
  EXPECT_EQ(ReadableCommand("do_attrep\rPARTNO\r部品\r\x01\x7f"), "do_attrep<CR>PARTNO<CR>部品<CR>^A<DEL>");
}

TEST(CommandLineTest, PromptsAnswersAndMessagesBuildTheHistory) {
  TCommandLine line;
  line.SetPrompt("\n文字を変更する TEXT、属性を選択 : ");
  EXPECT_EQ(line.Prompt(), "文字を変更する TEXT、属性を選択 :");
  line.Answer("10,20");
  EXPECT_EQ(line.Prompt(), "");
  line.Add("1.23 sec\n\nsecond line\r\n");
  ASSERT_EQ(line.History().size(), 3u);
  EXPECT_EQ(line.History()[0], "文字を変更する TEXT、属性を選択 : 10,20");
  EXPECT_EQ(line.History()[1], "1.23 sec");
  EXPECT_EQ(line.History()[2], "second line");
  for (std::size_t i = 0; i < TCommandLine::kHistoryLines + 5; ++i) line.Add("line " + std::to_string(i));
  EXPECT_EQ(line.History().size(), TCommandLine::kHistoryLines);
  EXPECT_EQ(line.History().back(), "line " + std::to_string(TCommandLine::kHistoryLines + 4));
}

}  // namespace
}  // namespace kav::sim
