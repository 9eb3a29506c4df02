// Mouse input: clicks and drags select, the header takes clicks, border drags and column
// moves, and the right click reaches the form's handler before the popup menu.
#include "GridTestHost.h"

#include <string>
#include <vector>

namespace kav::ui::win32::test {
namespace {

class GridMouseTest : public GridWindowTest {
 protected:
  void SetUp() override {
    GridWindowTest::SetUp();
    model.SetRowCount(10);
    for (int c = 0; c < model.ColCount(); ++c) {
      model.SetCell(c, 0, std::to_string(c + 1));
      model.SetCell(c, 1, "r1c" + std::to_string(c));
    }
    model.OnClick = [this] { events.push_back("click " + std::to_string(model.Col()) + "," + std::to_string(model.Row())); };
    model.OnFixedCellClick = [this](int col, int row) {
      events.push_back("fixed " + std::to_string(col) + "," + std::to_string(row));
    };
    model.OnDblClick = [this] { events.push_back("double"); };
  }
  std::vector<std::string> events;
};

TEST_F(GridMouseTest, ClickMakesTheCellUnderThePointerCurrentAndFiresOnClick) {
  LeftClick(CellCentre(3, 4));
  EXPECT_EQ(model.Col(), 3);
  EXPECT_EQ(model.Row(), 4);
  EXPECT_EQ(model.Selection(), (ui::TGridRect{3, 4, 3, 4}));
  EXPECT_EQ(events, (std::vector<std::string>{"click 3,4"}));
  EXPECT_EQ(GetFocus(), Grid());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(GridMouseTest, DraggingAndShiftClickSelectRectangles) {
  LeftDown(CellCentre(1, 2));
  EXPECT_EQ(GetCapture(), Grid());   // the drag goes on outside the window too
  MouseMove(CellCentre(2, 3));
  MouseMove(CellCentre(3, 5));
  LeftUp(CellCentre(3, 5));
  EXPECT_EQ(model.Selection(), (ui::TGridRect{1, 2, 3, 5}));
  EXPECT_EQ(GetCapture(), nullptr);

  LeftClick(CellCentre(0, 1), MK_SHIFT);
  SetModifiers(false, true);
  LeftClick(CellCentre(4, 3));
  SetModifiers(false, false);
  EXPECT_EQ(model.Selection(), (ui::TGridRect{0, 1, 4, 3}));
  EXPECT_EQ(events.back(), "click 4,3");
}

TEST_F(GridMouseTest, DoubleClickFiresOnDblClickOnTheClickedCell) {
  LeftClick(CellCentre(2, 2));
  SendMessageW(Grid(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(CellCentre(2, 2).x, CellCentre(2, 2).y));
  LeftUp(CellCentre(2, 2));
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events[0], "click 2,2");
  EXPECT_EQ(events[1], "double");
}

TEST_F(GridMouseTest, RightClickReachesOnMouseDownAndThenOpensTheMenuAtThePointer) {
  std::vector<std::string> order;
  model.OnMouseDown = [&](ui::TMouseButton button, ui::TShiftState, int x, int y) {
    if (button != ui::TMouseButton::Right) return;
    order.push_back("down");
    int col = 0, row = 0;   // as the form's handler does: the clicked cell becomes current
    if (!model.MouseToCell(x, y, col, row)) return;
    model.SetCol(col);
    if (row > 0) model.SetRow(row);
  };
  POINT menuAt{};
  grid->OnContextMenu = [&](POINT screen) {
    order.push_back("menu " + std::to_string(model.Col()) + "," + std::to_string(model.Row()));
    menuAt = screen;
  };
  const POINT target = CellCentre(3, 6);
  RightClick(target);
  POINT expected = target;
  ClientToScreen(Grid(), &expected);
  EXPECT_EQ(order, (std::vector<std::string>{"down", "menu 3,6"}));
  EXPECT_EQ(menuAt.x, expected.x);
  EXPECT_EQ(menuAt.y, expected.y);
  EXPECT_EQ(GetCapture(), nullptr);

  // From the keyboard (no pointer position): the menu opens at the current cell.
  SendMessageW(Grid(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Grid()), MAKELPARAM(-1, -1));
  POINT cellCorner{CellRect(3, 6).left, CellRect(3, 6).bottom};
  ClientToScreen(Grid(), &cellCorner);
  EXPECT_EQ(menuAt.x, cellCorner.x);
  EXPECT_EQ(menuAt.y, cellCorner.y);
}

TEST_F(GridMouseTest, HeaderClickFiresOnFixedCellClickAndLeavesTheSelection) {
  LeftClick(CellCentre(2, 3));
  events.clear();
  LeftClick(CellCentre(1, 0));
  EXPECT_EQ(events, (std::vector<std::string>{"fixed 1,0"}));
  EXPECT_EQ(model.Selection(), (ui::TGridRect{2, 3, 2, 3}));
  // Pressed on one header cell, released on another: no click.
  events.clear();
  LeftDown(CellCentre(1, 0));
  LeftUp(POINT{CellCentre(1, 0).x + 2, CellCentre(1, 0).y + 30});
  EXPECT_TRUE(events.empty());
}

TEST_F(GridMouseTest, DraggingAHeaderBorderResizesTheColumnOnlyWhenAllowed) {
  const int border = CellRect(1, 0).right;   // the line right of column 1
  LeftDown(POINT{border, 10});
  MouseMove(POINT{border + 15, 10});
  MouseMove(POINT{border + 30, 10});
  LeftUp(POINT{border + 30, 10});
  EXPECT_EQ(model.ColWidth(1), 64 + 30);
  EXPECT_TRUE(events.empty());   // a resize is no header click
  // Shrinking stops at a width that can still be grabbed.
  LeftDown(POINT{CellRect(1, 0).right, 10});
  MouseMove(POINT{0, 10});
  LeftUp(POINT{0, 10});
  EXPECT_GT(model.ColWidth(1), 0);
  EXPECT_LT(model.ColWidth(1), 20);

  model.AllowColSizing = false;
  const int before = model.ColWidth(2);
  const int border2 = CellRect(2, 0).right;
  LeftDown(POINT{border2, 10});
  MouseMove(POINT{border2 + 40, 10});
  LeftUp(POINT{border2 + 40, 10});
  EXPECT_EQ(model.ColWidth(2), before);
}

TEST_F(GridMouseTest, DraggingAHeaderCellMovesTheColumnWithItsNumber) {
  model.SetColWidth(0, 80);
  LeftDown(CellCentre(0, 0));
  MouseMove(POINT{CellCentre(0, 0).x + 40, 10});
  MouseMove(CellCentre(2, 0));
  LeftUp(CellCentre(2, 0));
  EXPECT_EQ(model.Cell(0, 0), "2");
  EXPECT_EQ(model.Cell(1, 0), "3");
  EXPECT_EQ(model.Cell(2, 0), "1");   // the header number moved with its column
  EXPECT_EQ(model.Cell(2, 1), "r1c0");
  EXPECT_EQ(model.ColWidth(2), 80);
  EXPECT_TRUE(events.empty());   // a move is no header click

  // Back to the left, released past the window's left edge: the first column.
  LeftDown(CellCentre(4, 0));
  MouseMove(POINT{-30, 10});
  LeftUp(POINT{-30, 10});
  EXPECT_EQ(model.Cell(0, 0), "5");
  EXPECT_EQ(model.Cell(1, 0), "2");

  model.AllowColMoving = false;
  LeftDown(CellCentre(1, 0));
  MouseMove(CellCentre(3, 0));
  LeftUp(CellCentre(3, 0));
  EXPECT_EQ(model.Cell(1, 0), "2");
  EXPECT_EQ(model.Cell(3, 0), "1");
}

TEST_F(GridMouseTest, SelectionDraggedPastTheBottomScrollsOnRowByRow) {
  model.SetRowCount(500);
  RECT client{};
  GetClientRect(Grid(), &client);
  LeftDown(CellCentre(1, 2));
  MouseMove(POINT{CellCentre(2, 2).x, client.bottom + 200});
  // The selection reaches the last row in view, not 200 pixels further down.
  const int firstTop = model.TopRow();
  EXPECT_LE(firstTop, 2);
  EXPECT_EQ(model.Row(), firstTop + model.FullyVisibleRows() - 1);
  for (int tick = 1; tick <= 3; ++tick) {
    SendMessageW(Grid(), WM_TIMER, 1, 0);
    EXPECT_EQ(model.TopRow(), firstTop + tick);
    EXPECT_EQ(model.Row(), model.TopRow() + model.FullyVisibleRows() - 1);
  }
  EXPECT_EQ(model.Selection().Top, 2);
  EXPECT_EQ(model.Selection().Left, 1);
  EXPECT_EQ(model.Selection().Right, 2);
  // Back inside the window the scrolling stops; the release ends the drag for good.
  MouseMove(CellCentre(2, model.TopRow() + 3));
  SendMessageW(Grid(), WM_TIMER, 1, 0);
  const int stoppedAt = model.TopRow();
  EXPECT_EQ(stoppedAt, firstTop + 3);
  MouseMove(POINT{CellCentre(2, 2).x, client.bottom + 200});
  LeftUp(POINT{CellCentre(2, 2).x, client.bottom + 200});
  SendMessageW(Grid(), WM_TIMER, 1, 0);
  SendMessageW(Grid(), WM_TIMER, 1, 0);
  EXPECT_EQ(model.TopRow(), stoppedAt);
}

TEST_F(GridMouseTest, PressingBesideTheCellsOrOnTheHeaderNeitherSelectsNorScrolls) {
  model.SetRowCount(500);
  LeftClick(CellCentre(1, 1));
  events.clear();
  const POINT beside{CellRect(4, 2).right + 20, CellCentre(4, 2).y};
  LeftClick(beside);
  EXPECT_EQ(model.Selection(), (ui::TGridRect{1, 1, 1, 1}));
  EXPECT_TRUE(events.empty());

  // Dragged from there (or from a header cell that cannot move) out of the window: no scrolling.
  model.AllowColMoving = false;
  for (const POINT start : {beside, CellCentre(2, 0)}) {
    LeftDown(start);
    MouseMove(POINT{start.x, 2000});
    SendMessageW(Grid(), WM_TIMER, 1, 0);
    LeftUp(POINT{start.x, 2000});
    EXPECT_EQ(model.TopRow(), 1);
    EXPECT_EQ(model.Selection(), (ui::TGridRect{1, 1, 1, 1}));
  }
}

}  // namespace
}  // namespace kav::ui::win32::test
