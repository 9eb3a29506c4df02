// The string grid model: cells, row and column counts (growing keeps cells, shrinking drops
// them), one fixed header row, column widths, selection and current cell, scroll position,
// hit-testing, an update bracket, in-place editing and the user input that drives them.
// Its Win32 peer only paints it and turns window messages into these calls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Control.h"
#include "ui/Keys.h"

namespace kav::ui {

struct TGridRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TGridRect&) const = default;
};

class TStringGrid : public TControl {
 public:
  explicit TStringGrid(std::string name);

  static constexpr int FixedRows = 1;
  static constexpr int GridLineWidth = 1;
  int DefaultColWidth = 64;
  int DefaultRowHeight = 20;
  bool AllowEditing = false;    // in-place editing of cells
  bool AllowColMoving = true;   // drag a column by its header cell
  bool AllowColSizing = true;

  // --- Size and cells
  int ColCount() const { return colCount_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  void SetColCount(int count);   // at least 1
  void SetRowCount(int count);   // at least FixedRows + 1
  const std::string& Cell(int col, int row) const;   // empty outside the grid
  void SetCell(int col, int row, std::string text);  // ignored outside the grid
  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int RowHeight() const { return DefaultRowHeight; }
  // Moves a column (cells of every row, header included, and its width) to a new place.
  void MoveColumn(int from, int to);

  // Pixel width of a text in the grid's font; the peer sets a real measurer.
  std::function<int(std::string_view)> TextWidth;
  int MeasureText(std::string_view text) const;
  // Widens (never narrows) a column to the width of `text` followed by "AAA".
  void WidenColumn(int col, std::string_view text);

  // --- Update bracket: the peer repaints once at the end.
  void BeginUpdate() { ++updateDepth_; }
  void EndUpdate();
  bool Updating() const { return updateDepth_ > 0; }

  // --- Selection and current cell (data cells only; the header row is never selected).
  TGridRect Selection() const;
  // The anchor goes to the top left and the current cell to the bottom right.
  void SetSelection(const TGridRect& rect);
  int Col() const { return col_; }
  int Row() const { return row_; }
  // Make a cell current (the selection shrinks to it); fires OnClick, as a move by the user does.
  void SetCol(int col);
  void SetRow(int row);

  // --- Scroll position and geometry (client size set by the peer)
  int ClientWidth = 0, ClientHeight = 0;
  int TopRow() const { return topRow_; }
  int LeftCol() const { return leftCol_; }
  void SetTopRow(int row);
  void SetLeftCol(int col);
  int FullyVisibleRows() const;   // data rows that fit below the header
  int FullyVisibleCols() const;
  // The cell under a client point, or false when the point is on no cell.
  bool MouseToCell(int x, int y, int& col, int& row) const;
  // Client rectangle of a visible cell (header cells scroll sideways only).
  TBounds CellRect(int col, int row) const;
  // The column whose right border lies within `slack` pixels of x in the header, or -1.
  int ColumnBorderAt(int x, int slack = 3) const;

  // --- Events
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  std::function<void(TKey& key, TShiftState shift)> OnKeyDown;
  std::function<void(TMouseButton button, TShiftState shift, int x, int y)> OnMouseDown;
  std::function<void(int col, int row, std::string& text)> OnGetEditText;
  std::function<void(int col, int row)> OnFixedCellClick;

  // --- User input (exceptions from handlers are shown, not thrown)
  void UserMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void UserMouseMove(int x, int y);   // with the left button held
  void UserMouseUp(TMouseButton button, int x, int y);
  void UserDoubleClick();
  // A key pressed on the grid or in its cell editor: OnKeyDown first; a key it leaves
  // (not set to 0) moves the current cell. Returns the key as left by the handler.
  TKey UserKeyDown(TKey key, TShiftState shift);
  // Moves the current cell as an arrow, paging, Home or End key does outside the editor
  // (the cell editor's Up and Down, after it has put its text into the cell).
  void UserMoveByKey(TKey key, TShiftState shift);
  void UserResizeColumn(int col, int width) { SetColWidth(col, width); }
  void UserMoveColumn(int from, int to);
  void UserScrollTo(int topRow, int leftCol);

  // --- In-place editing (only with AllowEditing)
  bool Editing() const { return editing_; }
  // Starts editing the current cell; the handler of OnGetEditText sees the text first.
  bool BeginEdit();
  const std::string& EditText() const { return editText_; }
  void EndEdit(std::string text);   // puts the text into the cell
  void CancelEdit();

 private:
  void ChangeCells() { if (!Updating()) Notify(TAspect::Cells); }
  void ChangeLayout() { if (!Updating()) Notify(TAspect::Layout); }
  void MoveCurrent(int col, int row, bool moveAnchor);
  void ClampPosition();
  void ScrollIntoView();
  void NavigateByKey(TKey key, TShiftState shift);

  int colCount_ = 0;
  std::vector<std::vector<std::string>> rows_;
  std::vector<int> colWidths_;
  int updateDepth_ = 0;
  int col_ = 0, row_ = 1, anchorCol_ = 0, anchorRow_ = 1;
  int topRow_ = 1, leftCol_ = 0;
  bool leftDown_ = false;
  int downCol_ = -1, downRow_ = -1;
  bool editing_ = false;
  std::string editText_;
};

// Empties every cell, header row included; keeps counts and widths.
void ClearGridCells(TStringGrid& grid);

}  // namespace kav::ui
