// Scrolling: the wheel and both scroll bars move TopRow and LeftCol, the bars follow the
// model's counts, and the model learns the client size.
#include "GridTestHost.h"

namespace kav::ui::win32::test {
namespace {

class GridScrollTest : public GridWindowTest {
 protected:
  void SetUp() override {
    GridWindowTest::SetUp();
    model.SetRowCount(1000);
    model.SetColCount(20);
  }
  SCROLLINFO Bar(int bar) const {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(Grid(), bar, &info);
    return info;
  }
  void ScrollMessage(UINT message, int code) { SendMessageW(Grid(), message, MAKEWPARAM(code, 0), 0); }
};

TEST_F(GridScrollTest, ModelKnowsTheClientSizeAndTheBarsItsCounts) {
  RECT client{};
  GetClientRect(Grid(), &client);
  EXPECT_EQ(model.ClientWidth, client.right);
  EXPECT_EQ(model.ClientHeight, client.bottom);
  EXPECT_LT(client.bottom, 300);   // both bars are shown
  EXPECT_LT(client.right, 420);

  const SCROLLINFO vertical = Bar(SB_VERT);
  EXPECT_EQ(vertical.nMin, 1);
  EXPECT_EQ(vertical.nMax, 999);
  EXPECT_EQ(static_cast<int>(vertical.nPage), model.FullyVisibleRows());
  model.SetRowCount(100000);
  EXPECT_EQ(Bar(SB_VERT).nMax, 99999);

  // Everything fits: no bars, the whole window is client area.
  model.SetRowCount(3);
  model.SetColCount(2);
  GetClientRect(Grid(), &client);
  EXPECT_EQ(client.right, 420);
  EXPECT_EQ(client.bottom, 300);
  EXPECT_EQ(model.ClientHeight, 300);
}

TEST_F(GridScrollTest, WheelScrollsRowsByTheSystemLineCount) {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  ASSERT_NE(lines, WHEEL_PAGESCROLL);
  const int step = static_cast<int>(lines);
  SendMessageW(Grid(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)), 0);
  EXPECT_EQ(model.TopRow(), 1 + 2 * step);
  SendMessageW(Grid(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(model.TopRow(), 1 + step);
  // Half notches add up.
  SendMessageW(Grid(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA / 2)), 0);
  EXPECT_EQ(model.TopRow(), 1 + step);
  SendMessageW(Grid(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA / 2)), 0);
  EXPECT_EQ(model.TopRow(), 1 + 2 * step);
  // Never above the first data row.
  SendMessageW(Grid(), WM_MOUSEWHEEL, MAKEWPARAM(0, 50 * WHEEL_DELTA), 0);
  EXPECT_EQ(model.TopRow(), 1);
  EXPECT_EQ(Bar(SB_VERT).nPos, 1);
}

TEST_F(GridScrollTest, VerticalBarMessagesMoveTopRowWithinTheLastPage) {
  ScrollMessage(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(model.TopRow(), 2);
  ScrollMessage(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(model.TopRow(), 2 + model.FullyVisibleRows());
  EXPECT_EQ(Bar(SB_VERT).nPos, model.TopRow());
  ScrollMessage(WM_VSCROLL, SB_BOTTOM);
  EXPECT_EQ(model.TopRow(), 1000 - model.FullyVisibleRows());   // the last row at the bottom
  ScrollMessage(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(model.TopRow(), 1000 - model.FullyVisibleRows());
  ScrollMessage(WM_VSCROLL, SB_TOP);
  EXPECT_EQ(model.TopRow(), 1);
  ScrollMessage(WM_VSCROLL, SB_LINEUP);
  EXPECT_EQ(model.TopRow(), 1);
}

TEST_F(GridScrollTest, HorizontalBarMessagesMoveLeftCol) {
  ScrollMessage(WM_HSCROLL, SB_LINERIGHT);
  EXPECT_EQ(model.LeftCol(), 1);
  ScrollMessage(WM_HSCROLL, SB_RIGHT);
  // The last column is fully in view and one more column to the left would not fit.
  const int left = model.LeftCol();
  int width = 0;
  for (int c = left; c < 20; ++c) width += model.ColWidth(c) + 1;
  EXPECT_LE(width, model.ClientWidth);
  EXPECT_GT(width + model.ColWidth(left - 1) + 1, model.ClientWidth);
  ScrollMessage(WM_HSCROLL, SB_LINELEFT);
  EXPECT_EQ(model.LeftCol(), left - 1);
  EXPECT_EQ(Bar(SB_HORZ).nPos, left - 1);
}

TEST_F(GridScrollTest, ScrollPositionComesBackWhenRowsGoAway) {
  model.SetTopRow(900);
  model.SetRowCount(30);
  EXPECT_EQ(model.TopRow(), 30 - model.FullyVisibleRows());
  model.SetRowCount(5);   // all rows fit
  EXPECT_EQ(model.TopRow(), 1);
}

TEST_F(GridScrollTest, KeyboardMovesScrollTheBarsAlong) {
  LeftClick(CellCentre(0, 1));
  SetModifiers(true, false);
  KeyDown(Grid(), VK_END);   // Ctrl+End: the last cell
  SetModifiers(false, false);
  EXPECT_EQ(model.Row(), 999);
  EXPECT_EQ(model.Col(), 19);
  EXPECT_EQ(Bar(SB_VERT).nPos, model.TopRow());
  EXPECT_EQ(Bar(SB_HORZ).nPos, model.LeftCol());
  EXPECT_GT(model.TopRow(), 900);
}

}  // namespace
}  // namespace kav::ui::win32::test
