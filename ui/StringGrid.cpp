#include "ui/StringGrid.h"

#include <algorithm>

#include "platform/Text.h"

namespace kav::ui {
namespace {

const std::string kEmpty;

}  // namespace

TStringGrid::TStringGrid(std::string name) : TControl(TControlKind::StringGrid, std::move(name)) {
  Font.Height = 13;
  SetColCount(5);
  SetRowCount(5);
}

// --- Size and cells

void TStringGrid::SetColCount(int count) {
  count = std::max(count, 1);
  if (count == colCount_) return;
  colCount_ = count;
  for (auto& row : rows_) row.resize(static_cast<std::size_t>(count));
  colWidths_.resize(static_cast<std::size_t>(count), DefaultColWidth);
  ClampPosition();
  ChangeLayout();
}

void TStringGrid::SetRowCount(int count) {
  count = std::max(count, FixedRows + 1);
  if (count == RowCount()) return;
  rows_.resize(static_cast<std::size_t>(count), std::vector<std::string>(static_cast<std::size_t>(colCount_)));
  ClampPosition();
  ChangeLayout();
}

const std::string& TStringGrid::Cell(int col, int row) const {
  if (col < 0 || row < 0 || col >= colCount_ || row >= RowCount()) return kEmpty;
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void TStringGrid::SetCell(int col, int row, std::string text) {
  if (col < 0 || row < 0 || col >= colCount_ || row >= RowCount()) return;
  rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = std::move(text);
  ChangeCells();
}

int TStringGrid::ColWidth(int col) const {
  if (col < 0 || col >= colCount_) return DefaultColWidth;
  return colWidths_[static_cast<std::size_t>(col)];
}

void TStringGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= colCount_) return;
  colWidths_[static_cast<std::size_t>(col)] = std::max(width, 0);
  ChangeLayout();
}

void TStringGrid::MoveColumn(int from, int to) {
  if (from < 0 || to < 0 || from >= colCount_ || to >= colCount_ || from == to) return;
  const auto move = [from, to](auto& items) {
    auto first = items.begin();
    if (from < to) std::rotate(first + from, first + from + 1, first + to + 1);
    else std::rotate(first + to, first + from, first + from + 1);
  };
  for (auto& row : rows_) move(row);
  move(colWidths_);
  ChangeLayout();
}

int TStringGrid::MeasureText(std::string_view text) const {
  if (TextWidth) return TextWidth(text);
  return static_cast<int>(Utf16Length(text)) * 7;
}

void TStringGrid::WidenColumn(int col, std::string_view text) {
  const int width = MeasureText(std::string(text) + "AAA");
  if (ColWidth(col) < width) SetColWidth(col, width);
}

void TStringGrid::EndUpdate() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ == 0) {
    ClampPosition();
    Notify(TAspect::Layout);
  }
}

// --- Selection and current cell

TGridRect TStringGrid::Selection() const {
  return {std::min(anchorCol_, col_), std::min(anchorRow_, row_), std::max(anchorCol_, col_),
          std::max(anchorRow_, row_)};
}

void TStringGrid::SetSelection(const TGridRect& rect) {
  const int maxCol = colCount_ - 1, maxRow = RowCount() - 1;
  anchorCol_ = std::clamp(std::min(rect.Left, rect.Right), 0, maxCol);
  anchorRow_ = std::clamp(std::min(rect.Top, rect.Bottom), FixedRows, maxRow);
  col_ = std::clamp(std::max(rect.Left, rect.Right), 0, maxCol);
  row_ = std::clamp(std::max(rect.Top, rect.Bottom), FixedRows, maxRow);
  ScrollIntoView();
  Notify(TAspect::Selection);
}

void TStringGrid::SetCol(int col) {
  MoveCurrent(col, row_, true);
  if (OnClick) OnClick();
}

void TStringGrid::SetRow(int row) {
  MoveCurrent(col_, row, true);
  if (OnClick) OnClick();
}

void TStringGrid::MoveCurrent(int col, int row, bool moveAnchor) {
  col_ = std::clamp(col, 0, colCount_ - 1);
  row_ = std::clamp(row, FixedRows, RowCount() - 1);
  if (moveAnchor) {
    anchorCol_ = col_;
    anchorRow_ = row_;
  }
  ScrollIntoView();
  Notify(TAspect::Selection);
}

void TStringGrid::ClampPosition() {
  const int maxCol = colCount_ - 1, maxRow = std::max(RowCount() - 1, FixedRows);
  col_ = std::clamp(col_, 0, maxCol);
  anchorCol_ = std::clamp(anchorCol_, 0, maxCol);
  row_ = std::clamp(row_, FixedRows, maxRow);
  anchorRow_ = std::clamp(anchorRow_, FixedRows, maxRow);
  topRow_ = std::clamp(topRow_, FixedRows, maxRow);
  leftCol_ = std::clamp(leftCol_, 0, maxCol);
}

// --- Scroll position and geometry

void TStringGrid::SetTopRow(int row) {
  row = std::clamp(row, FixedRows, std::max(FixedRows, RowCount() - 1));
  if (row == topRow_) return;
  topRow_ = row;
  Notify(TAspect::Scroll);
}

void TStringGrid::SetLeftCol(int col) {
  col = std::clamp(col, 0, colCount_ - 1);
  if (col == leftCol_) return;
  leftCol_ = col;
  Notify(TAspect::Scroll);
}

int TStringGrid::FullyVisibleRows() const {
  const int pitch = DefaultRowHeight + GridLineWidth;
  return std::max(1, (ClientHeight - pitch) / pitch);
}

int TStringGrid::FullyVisibleCols() const {
  int x = 0, n = 0;
  for (int c = leftCol_; c < colCount_; ++c) {
    x += ColWidth(c) + GridLineWidth;
    if (x > ClientWidth) break;
    ++n;
  }
  return std::max(1, n);
}

void TStringGrid::ScrollIntoView() {
  if (ClientHeight <= 0 || ClientWidth <= 0) return;
  int top = topRow_;
  if (row_ < top) top = row_;
  else if (row_ >= top + FullyVisibleRows()) top = row_ - FullyVisibleRows() + 1;
  int left = leftCol_;
  if (col_ < left) {
    left = col_;
  } else {
    // Scroll right until the current column's right edge fits.
    while (left < col_) {
      int x = 0;
      for (int c = left; c <= col_; ++c) x += ColWidth(c) + GridLineWidth;
      if (x <= ClientWidth) break;
      ++left;
    }
  }
  if (top != topRow_ || left != leftCol_) {
    topRow_ = top;
    leftCol_ = left;
    Notify(TAspect::Scroll);
  }
}

bool TStringGrid::MouseToCell(int x, int y, int& col, int& row) const {
  if (x < 0 || y < 0) return false;
  const int pitch = DefaultRowHeight + GridLineWidth;
  row = y < pitch ? 0 : topRow_ + (y - pitch) / pitch;
  if (row >= RowCount()) return false;
  int left = 0;
  for (int c = leftCol_; c < colCount_; ++c) {
    const int right = left + ColWidth(c) + GridLineWidth;
    if (x < right) {
      col = c;
      return true;
    }
    left = right;
  }
  return false;
}

TBounds TStringGrid::CellRect(int col, int row) const {
  if (col < leftCol_ || col >= colCount_ || row < 0 || row >= RowCount()) return {};
  if (row >= FixedRows && row < topRow_) return {};
  int x = 0;
  for (int c = leftCol_; c < col; ++c) x += ColWidth(c) + GridLineWidth;
  const int pitch = DefaultRowHeight + GridLineWidth;
  const int y = row < FixedRows ? 0 : (row - topRow_ + FixedRows) * pitch;
  return {x, y, ColWidth(col), DefaultRowHeight};
}

int TStringGrid::ColumnBorderAt(int x, int slack) const {
  int right = 0;
  for (int c = leftCol_; c < colCount_; ++c) {
    right += ColWidth(c) + GridLineWidth;
    if (x >= right - slack && x <= right + slack) return c;
    if (right > x + slack) break;
  }
  return -1;
}

// --- User input

void TStringGrid::UserMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  RunUserEvent([&] {
    int col = -1, row = -1;
    const bool onCell = MouseToCell(x, y, col, row);
    if (button == TMouseButton::Left) {
      leftDown_ = true;
      downCol_ = onCell ? col : -1;
      downRow_ = onCell ? row : -1;
      if (onCell && row >= FixedRows) MoveCurrent(col, row, (shift & ssShift) == 0);
    }
    if (OnMouseDown) OnMouseDown(button, shift, x, y);
  });
}

void TStringGrid::UserMouseMove(int x, int y) {
  if (!leftDown_ || downRow_ < FixedRows) return;
  int col, row;
  if (!MouseToCell(x, y, col, row)) return;
  if (col != col_ || (row != row_ && row >= FixedRows)) MoveCurrent(col, std::max(row, FixedRows), false);
}

void TStringGrid::UserMouseUp(TMouseButton button, int x, int y) {
  if (button != TMouseButton::Left || !leftDown_) return;
  leftDown_ = false;
  RunUserEvent([&] {
    if (downRow_ < 0) return;
    if (downRow_ < FixedRows) {
      int col, row;
      if (MouseToCell(x, y, col, row) && col == downCol_ && row == downRow_ && OnFixedCellClick)
        OnFixedCellClick(col, row);
      return;
    }
    if (OnClick) OnClick();
  });
}

void TStringGrid::UserDoubleClick() {
  RunUserEvent([&] {
    if (OnDblClick) OnDblClick();
  });
}

TKey TStringGrid::UserKeyDown(TKey key, TShiftState shift) {
  RunUserEvent([&] {
    if (OnKeyDown) OnKeyDown(key, shift);
    if (key != 0 && !editing_) NavigateByKey(key, shift);
  });
  return key;
}

void TStringGrid::UserMoveByKey(TKey key, TShiftState shift) {
  if (editing_) return;
  RunUserEvent([&] { NavigateByKey(key, shift); });
}

void TStringGrid::NavigateByKey(TKey key, TShiftState shift) {
  int col = col_, row = row_;
  const int page = FullyVisibleRows();
  const bool ctrl = (shift & ssCtrl) != 0;
  switch (key) {
    case vk::Left: --col; break;
    case vk::Right: ++col; break;
    case vk::Up: --row; break;
    case vk::Down: ++row; break;
    case vk::Prior: row -= page; break;
    case vk::Next: row += page; break;
    case vk::Home: col = 0; if (ctrl) row = FixedRows; break;
    case vk::End: col = colCount_ - 1; if (ctrl) row = RowCount() - 1; break;
    default: return;
  }
  col = std::clamp(col, 0, colCount_ - 1);
  row = std::clamp(row, FixedRows, RowCount() - 1);
  if (col == col_ && row == row_) return;
  MoveCurrent(col, row, (shift & ssShift) == 0);
  if (OnClick) OnClick();
}

void TStringGrid::UserMoveColumn(int from, int to) {
  if (!AllowColMoving) return;
  const bool wasCurrent = col_ == from;
  MoveColumn(from, to);
  if (wasCurrent) MoveCurrent(to, row_, true);
}

void TStringGrid::UserScrollTo(int topRow, int leftCol) {
  SetTopRow(topRow);
  SetLeftCol(leftCol);
}

// --- In-place editing

bool TStringGrid::BeginEdit() {
  if (!AllowEditing || editing_) return editing_;
  bool started = false;
  RunUserEvent([&] {
    editText_ = Cell(col_, row_);
    if (OnGetEditText) OnGetEditText(col_, row_, editText_);
    editing_ = true;
    started = true;
  });
  return started;
}

void TStringGrid::EndEdit(std::string text) {
  if (!editing_) return;
  editing_ = false;
  SetCell(col_, row_, std::move(text));
}

void TStringGrid::CancelEdit() { editing_ = false; }

void ClearGridCells(TStringGrid& grid) {
  grid.BeginUpdate();
  for (int r = 0; r < grid.RowCount(); ++r)
    for (int c = 0; c < grid.ColCount(); ++c) grid.SetCell(c, r, {});
  grid.EndUpdate();
}

}  // namespace kav::ui
