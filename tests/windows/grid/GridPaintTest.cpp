// What the grid paints: colours of cells, header, lines, selection and current cell, texts,
// and that painting follows the scroll position and column widths.
#include "GridTestHost.h"

namespace kav::ui::win32::test {
namespace {

// A pixel inside the cell that no text reaches (texts start at the left).
POINT QuietPixel(const RECT& cell) { return POINT{cell.right - 4, cell.bottom - 4}; }

RECT TextArea(const RECT& cell) { return RECT{cell.left + 2, cell.top + 2, cell.right - 3, cell.bottom - 3}; }

class GridPaintTest : public GridWindowTest {};

TEST_F(GridPaintTest, CellsHeaderLinesSelectionAndFrameHaveTheirPaletteColours) {
  model.SetRowCount(6);
  model.SetSelection({1, 1, 2, 2});   // current cell (2, 2)
  const TPrintedGrid shot(Grid());
  auto at = [&](POINT p) { return shot.Pixel(p.x, p.y); };

  EXPECT_EQ(at(QuietPixel(CellRect(1, 1))), palette.Highlight);
  EXPECT_EQ(at(QuietPixel(CellRect(2, 2))), palette.Highlight);
  EXPECT_EQ(at(QuietPixel(CellRect(3, 3))), palette.Edit);
  EXPECT_EQ(at(QuietPixel(CellRect(0, 1))), palette.Edit);
  EXPECT_EQ(at(QuietPixel(CellRect(3, 0))), palette.Control);
  // The line right of column 3 and the one below row 3.
  EXPECT_EQ(shot.Pixel(CellRect(3, 3).right, CellCentre(3, 3).y), palette.GridLine);
  EXPECT_EQ(shot.Pixel(CellCentre(3, 3).x, CellRect(3, 3).bottom), palette.GridLine);
  EXPECT_EQ(shot.Pixel(CellCentre(1, 0).x, CellRect(1, 0).bottom), palette.Border);
  // The current cell's frame, on its left edge.
  EXPECT_EQ(shot.Pixel(CellRect(2, 2).left, CellCentre(2, 2).y), palette.Focus);
  // Beyond the last column and below the last row: the window colour.
  EXPECT_EQ(shot.Pixel(CellRect(4, 1).right + 10, CellCentre(4, 1).y), palette.Window);
  EXPECT_EQ(shot.Pixel(CellCentre(0, 5).x, CellRect(0, 5).bottom + 10), palette.Window);
}

TEST_F(GridPaintTest, TextsAreDrawnInHeaderAndCellsAndEmptyCellsStayPlain) {
  model.SetCell(0, 0, "1");
  model.SetCell(2, 1, "ボルト M6");
  model.SetSelection({2, 1, 2, 1});
  const TPrintedGrid shot(Grid());
  EXPECT_GT(shot.CountOtherThan(TextArea(CellRect(0, 0)), palette.Control), 0);
  EXPECT_EQ(shot.CountOtherThan(TextArea(CellRect(1, 0)), palette.Control), 0);
  EXPECT_GT(shot.CountOtherThan(TextArea(CellRect(2, 1)), palette.Highlight), 0);
  EXPECT_EQ(shot.CountOtherThan(TextArea(CellRect(3, 1)), palette.Edit), 0);
}

TEST_F(GridPaintTest, PaintingFollowsTopRowInAHundredThousandRows) {
  model.SetRowCount(100000);
  model.SetCell(0, 1, "first");
  model.SetCell(0, 50000, "middle");
  const RECT firstDataRow = TextArea(CellRect(0, 1));
  const RECT secondDataRow = TextArea(CellRect(0, 2));
  EXPECT_GT(TPrintedGrid(Grid()).CountOtherThan(firstDataRow, palette.Edit), 0);

  model.SetTopRow(50000);
  const TPrintedGrid scrolled(Grid());
  EXPECT_GT(scrolled.CountOtherThan(firstDataRow, palette.Edit), 0);   // row 50000 at the top
  EXPECT_EQ(scrolled.CountOtherThan(secondDataRow, palette.Edit), 0);
  // The header row stays where it is.
  EXPECT_EQ(scrolled.Pixel(QuietPixel(CellRect(0, 0)).x, QuietPixel(CellRect(0, 0)).y), palette.Control);
}

TEST_F(GridPaintTest, ColumnWidthsAndLeftColumnPlaceTheColumns) {
  model.SetColCount(8);
  for (int c = 0; c < 8; ++c) model.SetCell(c, 0, c == 3 ? "4" : "");
  model.SetColWidth(0, 150);
  const TPrintedGrid wide(Grid());
  EXPECT_EQ(wide.Pixel(150, CellCentre(0, 2).y), palette.GridLine);
  EXPECT_EQ(wide.Pixel(149, CellCentre(0, 2).y), palette.Edit);   // row 1 holds the current cell

  model.SetLeftCol(3);   // column 3 ("4") is now the leftmost, header included
  const TPrintedGrid shifted(Grid());
  EXPECT_GT(shifted.CountOtherThan(TextArea(RECT{0, 0, 64, 20}), palette.Control), 0);
  EXPECT_EQ(shifted.Pixel(64, CellCentre(3, 2).y), palette.GridLine);
}

}  // namespace
}  // namespace kav::ui::win32::test
