// At a higher DPI the window is larger than the model's pixels: clicks, painting, the client
// size and the text measurer all convert between the two.
#include "GridTestHost.h"

namespace kav::ui::win32::test {
namespace {

class GridDpiTest : public GridWindowTest {
 protected:
  void SetUp() override {
    GridWindowTest::SetUp();
    widthAt96 = model.MeasureText("ボルト M6");
    grid = TGridControl::Create(host, model, palette, 144);   // one and a half times
    model.SetRowCount(30);
  }
  static POINT Scaled(POINT p) { return POINT{p.x * 3 / 2, p.y * 3 / 2}; }
  int widthAt96 = 0;
};

TEST_F(GridDpiTest, WindowIsScaledAndTheModelKeepsItsOwnPixels) {
  RECT window{};
  GetWindowRect(Grid(), &window);
  EXPECT_EQ(window.right - window.left, 420 * 3 / 2);
  RECT client{};
  GetClientRect(Grid(), &client);
  EXPECT_NEAR(model.ClientWidth, client.right * 2 / 3, 1);
  EXPECT_NEAR(model.ClientHeight, client.bottom * 2 / 3, 1);
}

TEST_F(GridDpiTest, ClicksAtWindowPixelsHitTheModelsCells) {
  LeftClick(Scaled(CellCentre(3, 7)));
  EXPECT_EQ(model.Col(), 3);
  EXPECT_EQ(model.Row(), 7);
  // A header border drag of 30 window pixels is 20 model pixels.
  const POINT border = Scaled(POINT{CellRect(1, 0).right, 10});
  LeftDown(border);
  MouseMove(POINT{border.x + 30, border.y});
  LeftUp(POINT{border.x + 30, border.y});
  EXPECT_EQ(model.ColWidth(1), 64 + 20);
}

TEST_F(GridDpiTest, PaintingPlacesLinesAtScaledPositions) {
  const TPrintedGrid shot(Grid());
  const int y = Scaled(CellCentre(0, 3)).y;
  EXPECT_EQ(shot.Pixel(64 * 3 / 2, y), palette.GridLine);   // right of column 0
  EXPECT_EQ(shot.Pixel(64 * 3 / 2 - 1, y), palette.Edit);
  EXPECT_EQ(shot.Pixel(Scaled(CellCentre(1, 0)).x, 30), palette.Border);   // below the header
}

TEST_F(GridDpiTest, TextWidthsAreMeasuredInModelPixelsAtEveryDpi) {
  const int widthAt144 = model.MeasureText("ボルト M6");
  EXPECT_GT(widthAt96, 0);
  // Hinting makes the larger font a little narrower or wider, but nowhere near 1.5 times.
  EXPECT_NEAR(widthAt144, widthAt96, widthAt96 / 10);
  EXPECT_GT(model.MeasureText("ボルト M6 ボルト M6"), widthAt144);
  EXPECT_EQ(model.MeasureText(""), 0);
  model.WidenColumn(2, "ボルト M6");
  EXPECT_GE(model.ColWidth(2), widthAt144);
}

}  // namespace
}  // namespace kav::ui::win32::test
