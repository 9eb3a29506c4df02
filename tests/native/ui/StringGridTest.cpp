// The string grid model: sizes, cells, widths, selection and current cell, hit-testing,
// column moves, the update bracket and the user input that drives them.
#include <gtest/gtest.h>

#include "ui/Form.h"
#include "ui/StringGrid.h"

namespace kav::ui {
namespace {

TEST(GridModel, StartsAsFiveByFiveWithTheDesignedSizes) {
  TStringGrid grid("StringGrid1");
  EXPECT_EQ(grid.ColCount(), 5);
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(grid.ColWidth(3), 64);
  EXPECT_EQ(grid.RowHeight(), 20);
  EXPECT_EQ(grid.Font.Name, "Tahoma");
  EXPECT_EQ(grid.Font.Height, 13);
  EXPECT_EQ(grid.Cell(0, 0), "");
  EXPECT_EQ(grid.Row(), 1);   // the header row is never current
  EXPECT_EQ(grid.Selection(), (TGridRect{0, 1, 0, 1}));
}

TEST(GridModel, GrowingKeepsCellsShrinkingDropsThem) {
  TStringGrid grid("g");
  grid.SetCell(4, 4, "corner");
  grid.SetCell(1, 1, "kept");
  grid.SetColCount(8);
  grid.SetRowCount(10);
  EXPECT_EQ(grid.Cell(4, 4), "corner");
  EXPECT_EQ(grid.ColWidth(7), 64);
  grid.SetColCount(2);
  grid.SetRowCount(2);
  EXPECT_EQ(grid.Cell(1, 1), "kept");
  grid.SetColCount(5);
  grid.SetRowCount(5);
  EXPECT_EQ(grid.Cell(4, 4), "");   // dropped, not hidden
  grid.SetRowCount(0);              // at least the header and one row
  grid.SetColCount(0);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.ColCount(), 1);
  grid.SetCell(9, 9, "outside");    // ignored
  EXPECT_EQ(grid.Cell(9, 9), "");
  EXPECT_EQ(grid.Cell(-1, 0), "");
}

TEST(GridModel, ColumnsWidenToTheirTextNeverNarrow) {
  TStringGrid grid("g");
  grid.TextWidth = [](std::string_view text) { return static_cast<int>(text.size()) * 10; };
  grid.WidenColumn(0, "abcdefg");   // "abcdefgAAA" = 100
  EXPECT_EQ(grid.ColWidth(0), 100);
  grid.WidenColumn(0, "a");
  EXPECT_EQ(grid.ColWidth(0), 100);
  grid.WidenColumn(1, "");          // "AAA" = 30 < 64
  EXPECT_EQ(grid.ColWidth(1), 64);
}

TEST(GridModel, ClearingKeepsCountsAndWidths) {
  TStringGrid grid("g");
  grid.SetCell(0, 0, "1");
  grid.SetCell(2, 3, "x");
  grid.SetColWidth(2, 99);
  int layouts = 0;
  grid.OnModelChange = [&](TAspect aspect) { layouts += aspect == TAspect::Layout; };
  ClearGridCells(grid);
  EXPECT_EQ(layouts, 1);   // one repaint for the whole bracket
  EXPECT_EQ(grid.Cell(0, 0), "");
  EXPECT_EQ(grid.Cell(2, 3), "");
  EXPECT_EQ(grid.ColWidth(2), 99);
  EXPECT_EQ(grid.RowCount(), 5);
}

TEST(GridModel, SelectionPutsTheCurrentCellBottomRightAndStaysInTheData) {
  TStringGrid grid("g");
  grid.SetSelection({3, 4, 1, 2});
  EXPECT_EQ(grid.Selection(), (TGridRect{1, 2, 3, 4}));
  EXPECT_EQ(grid.Col(), 3);
  EXPECT_EQ(grid.Row(), 4);
  grid.SetSelection({0, 0, 0, 0});   // the header cell: limited to the data
  EXPECT_EQ(grid.Selection(), (TGridRect{0, 1, 0, 1}));
  grid.SetSelection({2, 2, 40, 40});
  EXPECT_EQ(grid.Selection(), (TGridRect{2, 2, 4, 4}));
  grid.SetRowCount(3);               // shrinking pulls the selection in
  EXPECT_EQ(grid.Row(), 2);
  int clicks = 0;
  grid.OnClick = [&] { ++clicks; };
  grid.SetCol(1);
  grid.SetRow(1);
  EXPECT_EQ(clicks, 2);              // moving the current cell from code clicks, as the keys do
  EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 1, 1}));
}

TEST(GridModel, ShrinkingUnderAKeyboardSelectionKeepsAllOfItInside) {
  TForm form("f");
  TStringGrid grid("g");
  form.Add(grid);
  grid.SetCol(2);
  grid.SetRow(4);
  grid.UserKeyDown(vk::Up, ssShift);   // anchor stays on row 4, the current cell goes to 3
  ASSERT_EQ(grid.Selection(), (TGridRect{2, 3, 2, 4}));
  grid.SetRowCount(3);
  EXPECT_EQ(grid.Selection(), (TGridRect{2, 2, 2, 2}));
  // Nothing of the old selection waits outside to come back when the grid grows again.
  grid.SetRowCount(6);
  EXPECT_EQ(grid.Selection(), (TGridRect{2, 2, 2, 2}));
  grid.UserKeyDown(vk::Down, ssShift);
  EXPECT_EQ(grid.Selection(), (TGridRect{2, 2, 2, 3}));
  // The same inside an update bracket, as a reload does it.
  grid.SetSelection({1, 5, 3, 4});
  grid.BeginUpdate();
  grid.SetRowCount(2);
  grid.SetColCount(2);
  grid.EndUpdate();
  EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 1, 1}));
}

TEST(GridModel, HitTestingFollowsWidthsAndScrolling) {
  TStringGrid grid("g");
  grid.SetRowCount(100);
  grid.ClientWidth = 200;
  grid.ClientHeight = 105;   // header + 4 rows of 21 pixels
  grid.SetColWidth(0, 30);
  int col = -1, row = -1;
  ASSERT_TRUE(grid.MouseToCell(5, 5, col, row));
  EXPECT_EQ(col, 0);
  EXPECT_EQ(row, 0);
  ASSERT_TRUE(grid.MouseToCell(31, 21, col, row));
  EXPECT_EQ(col, 1);
  EXPECT_EQ(row, 1);
  grid.SetTopRow(50);
  ASSERT_TRUE(grid.MouseToCell(31, 43, col, row));
  EXPECT_EQ(row, 51);
  ASSERT_TRUE(grid.MouseToCell(31, 5, col, row));
  EXPECT_EQ(row, 0);   // the header does not scroll
  EXPECT_FALSE(grid.MouseToCell(30 + 65 * 4 + 10, 30, col, row));   // beside the last column
  EXPECT_EQ(grid.ColumnBorderAt(31), 0);
  EXPECT_EQ(grid.CellRect(1, 51).Top, 42);
  EXPECT_EQ(grid.CellRect(1, 10).Width, 0);   // scrolled away
  // Moving the current cell below the visible rows scrolls it into view.
  grid.SetRow(99);
  EXPECT_EQ(grid.TopRow(), 96);
}

TEST(GridModel, MovingAColumnTakesItsCellsHeaderAndWidth) {
  TStringGrid grid("g");
  for (int c = 0; c < 5; ++c) {
    grid.SetCell(c, 0, std::to_string(c + 1));
    grid.SetCell(c, 1, std::string(1, static_cast<char>('a' + c)));
  }
  grid.SetColWidth(0, 10);
  grid.MoveColumn(0, 3);
  EXPECT_EQ(grid.Cell(3, 0), "1");
  EXPECT_EQ(grid.Cell(3, 1), "a");
  EXPECT_EQ(grid.Cell(0, 1), "b");
  EXPECT_EQ(grid.ColWidth(3), 10);
  grid.MoveColumn(3, 0);
  for (int c = 0; c < 5; ++c) EXPECT_EQ(grid.Cell(c, 0), std::to_string(c + 1));
}

TEST(GridInput, MouseSelectsAndClicksTheHeaderReportsItself) {
  TForm form("f");
  TStringGrid grid("g");
  form.Add(grid);
  grid.ClientWidth = 400;
  grid.ClientHeight = 200;
  std::vector<std::string> events;
  grid.OnClick = [&] { events.push_back("click " + std::to_string(grid.Col()) + "," + std::to_string(grid.Row())); };
  grid.OnFixedCellClick = [&](int c, int r) { events.push_back("header " + std::to_string(c) + "," + std::to_string(r)); };
  grid.UserMouseDown(TMouseButton::Left, 0, 70, 25);   // cell (1,1)
  grid.UserMouseMove(140, 70);                          // drag to (2,3)
  grid.UserMouseUp(TMouseButton::Left, 140, 70);
  EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 2, 3}));
  grid.UserMouseDown(TMouseButton::Left, 0, 200, 5);   // header of column 3
  grid.UserMouseUp(TMouseButton::Left, 200, 5);
  EXPECT_EQ(events, (std::vector<std::string>{"click 2,3", "header 3,0"}));
}

TEST(GridInput, KeysGoToTheHandlerFirstAndMoveWhatItLeaves) {
  TForm form("f");
  TStringGrid grid("g");
  form.Add(grid);
  std::vector<TKey> seen;
  grid.OnKeyDown = [&](TKey& key, TShiftState shift) {
    seen.push_back(key);
    if (key == 'C' && (shift & ssCtrl)) key = 0;   // consumed
  };
  EXPECT_EQ(grid.UserKeyDown('C', ssCtrl), 0);
  EXPECT_EQ(grid.UserKeyDown(vk::Right, 0), vk::Right);
  grid.UserKeyDown(vk::Down, ssShift);
  EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 1, 2}));
  grid.UserKeyDown(vk::End, ssCtrl);
  EXPECT_EQ(grid.Col(), 4);
  EXPECT_EQ(grid.Row(), 4);
  EXPECT_EQ(seen.size(), 4u);
}

TEST(GridInput, InPlaceEditingOnlyWhereAllowedAndTheHandlerSeesItsStart) {
  TForm form("f");
  TStringGrid grid("g");
  form.Add(grid);
  grid.SetCell(0, 1, "old");
  int starts = 0;
  grid.OnGetEditText = [&](int c, int r, std::string& text) {
    ++starts;
    EXPECT_EQ(c, 0);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(text, grid.Cell(0, 1));
  };
  EXPECT_FALSE(grid.BeginEdit());
  grid.AllowEditing = true;
  EXPECT_TRUE(grid.BeginEdit());
  grid.EndEdit("new");
  EXPECT_EQ(grid.Cell(0, 1), "new");
  grid.BeginEdit();
  grid.CancelEdit();
  EXPECT_EQ(grid.Cell(0, 1), "new");
  EXPECT_EQ(starts, 2);
}

}  // namespace
}  // namespace kav::ui
