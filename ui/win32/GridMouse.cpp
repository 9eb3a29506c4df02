// Mouse input of the grid window: selecting cells, header clicks, resizing a column by its
// header border, moving a column by its header cell, and the right click that ends in the
// popup menu. Window pixels become model pixels here; the model does the hit-testing.
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "ui/win32/GridControl.h"

namespace kav::ui::win32 {
namespace {

// Narrower columns could no longer be told apart from their neighbour's border.
constexpr int kMinColumnWidth = 8;


}  // namespace

void TGridControl::LeftDown(int x, int y, bool doubleClick) {
  // Taking the focus also ends an edit in progress, before the click moves the current cell.
  if (GetFocus() != Handle()) SetFocus(Handle());
  const int mx = Unscale(x), my = Unscale(y);
  const ui::TShiftState shift = CurrentShift();
  const bool inHeader = my >= 0 && my < model_.RowHeight() + ui::TStringGrid::GridLineWidth;
  if (doubleClick) model_.UserDoubleClick();

  if (inHeader && model_.AllowColSizing) {
    const int border = model_.ColumnBorderAt(mx);
    if (border >= 0) {
      mouseMode_ = TMouseMode::Resize;
      dragCol_ = border;
      dragStartX_ = mx;
      dragStartWidth_ = model_.ColWidth(border);
      SetCapture(Handle());
      return;
    }
  }
  int col = -1, row = -1;
  const bool onCell = model_.MouseToCell(mx, my, col, row);
  if (onCell && row < ui::TStringGrid::FixedRows) {
    mouseMode_ = TMouseMode::HeaderPress;
    dragCol_ = col;
    dragStartX_ = x;   // window pixels: the drag threshold is a system metric
  } else {
    // Beside the cells there is nothing to select; only the release is passed on.
    mouseMode_ = onCell ? TMouseMode::Select : TMouseMode::Press;
  }
  // Capture first: a handler that opens a window takes the capture away, and that ends the press.
  SetCapture(Handle());
  model_.UserMouseDown(ui::TMouseButton::Left, shift, mx, my);
}

void TGridControl::MouseMove(int x, int y) {
  const int mx = Unscale(x);
  switch (mouseMode_) {
    case TMouseMode::Resize:
      model_.UserResizeColumn(dragCol_, std::max(kMinColumnWidth, dragStartWidth_ + mx - dragStartX_));
      break;
    case TMouseMode::HeaderPress:
      if (!model_.AllowColMoving || std::abs(x - dragStartX_) < std::max(1, GetSystemMetrics(SM_CXDRAG)))
        break;
      mouseMode_ = TMouseMode::ColumnDrag;
      dropCol_ = DropColumnAt(mx);
      InvalidateRect(Handle(), nullptr, FALSE);
      break;
    case TMouseMode::ColumnDrag: {
      const int drop = DropColumnAt(mx);
      if (drop != dropCol_) {
        dropCol_ = drop;
        InvalidateRect(Handle(), nullptr, FALSE);
      }
      break;
    }
    case TMouseMode::Select: {
      lastMouse_ = POINT{x, y};
      RECT client{};
      GetClientRect(Handle(), &client);
      const int headerBottom = Scale(model_.RowHeight() + ui::TStringGrid::GridLineWidth);
      const bool outside = y < headerBottom || y >= client.bottom || x < 0 || x >= client.right;
      // Inside the window a partly shown cell may be chosen (the model scrolls it into view).
      const POINT inside = outside ? FullCellPoint(POINT{x, y}) : POINT{x, y};
      model_.UserMouseMove(Unscale(inside.x), Unscale(inside.y));
      if (outside && !autoScrolling_) autoScrolling_ = SetTimer(Handle(), kAutoScrollTimer, 60, nullptr) != 0;
      break;
    }
    case TMouseMode::Press:
    case TMouseMode::None:
      break;
  }
}

void TGridControl::AutoScroll() {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int headerBottom = Scale(model_.RowHeight() + ui::TStringGrid::GridLineWidth);
  const POINT p = lastMouse_;
  const int rows = p.y < headerBottom ? -1 : p.y >= client.bottom ? 1 : 0;
  const int cols = p.x < 0 ? -1 : p.x >= client.right ? 1 : 0;
  if (mouseMode_ != TMouseMode::Select || (rows == 0 && cols == 0)) {
    KillTimer(Handle(), kAutoScrollTimer);
    autoScrolling_ = false;
    return;
  }
  const int top = std::clamp(model_.TopRow() + rows, ui::TStringGrid::FixedRows, MaxTopRow());
  const int left = std::clamp(model_.LeftCol() + cols, 0, MaxLeftCol());
  ScrollTo(top, left);
  // The selection follows to the cell at the edge that the pointer is beyond.
  const POINT inside = FullCellPoint(p);
  model_.UserMouseMove(Unscale(inside.x), Unscale(inside.y));
}

POINT TGridControl::FullCellPoint(POINT p) const {
  // Past an edge the selection stops at the last fully shown cell; the timer scrolls on from
  // there one row or column at a time, instead of jumping as far as the pointer went.
  const int line = ui::TStringGrid::GridLineWidth;
  const int pitch = model_.RowHeight() + line;
  const int bottom = Scale((model_.FullyVisibleRows() + 1) * pitch) - 1;
  int right = 0;
  for (int c = model_.LeftCol(), n = 0; c < model_.ColCount() && n < model_.FullyVisibleCols(); ++c, ++n)
    right += model_.ColWidth(c) + line;
  const int x = std::clamp(static_cast<int>(p.x), 0, std::max(0, Scale(right) - 1));
  const int y = std::clamp(static_cast<int>(p.y), Scale(pitch), std::max(Scale(pitch), bottom));
  return POINT{x, y};
}

void TGridControl::LeftUp(int x, int y) {
  const TMouseMode mode = mouseMode_;
  mouseMode_ = TMouseMode::None;   // before the capture goes, so that its loss is not a cancel
  if (GetCapture() == Handle()) ReleaseCapture();
  EndMouseMode();   // the auto-scroll timer
  const int mx = Unscale(x), my = Unscale(y);
  switch (mode) {
    case TMouseMode::ColumnDrag: {
      const int to = DropColumnAt(mx);
      // A drag is no header click: the release is reported on no cell.
      model_.UserMouseUp(ui::TMouseButton::Left, -1, -1);
      if (to >= 0 && to != dragCol_) model_.UserMoveColumn(dragCol_, to);
      InvalidateRect(Handle(), nullptr, FALSE);
      break;
    }
    case TMouseMode::HeaderPress:
    case TMouseMode::Select:
    case TMouseMode::Press:
      model_.UserMouseUp(ui::TMouseButton::Left, mx, my);
      break;
    case TMouseMode::Resize:
    case TMouseMode::None:
      break;
  }
  dragCol_ = dropCol_ = -1;
}

void TGridControl::EndMouseMode() {
  if (autoScrolling_) {
    KillTimer(Handle(), kAutoScrollTimer);
    autoScrolling_ = false;
  }
  if (mouseMode_ == TMouseMode::None) return;
  const bool dragging = mouseMode_ == TMouseMode::ColumnDrag;
  mouseMode_ = TMouseMode::None;
  dragCol_ = dropCol_ = -1;
  if (dragging) InvalidateRect(Handle(), nullptr, FALSE);
}

void TGridControl::RightDown(int x, int y) {
  if (GetFocus() != Handle()) SetFocus(Handle());
  // The form's handler makes the clicked cell current; the menu follows on WM_CONTEXTMENU.
  model_.UserMouseDown(ui::TMouseButton::Right, CurrentShift(), Unscale(x), Unscale(y));
}

void TGridControl::ContextMenu(LPARAM lParam) {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (point.x == -1 && point.y == -1) {
    // From the keyboard: open the menu at the current cell.
    const RECT cell = WindowCellRect(model_.Col(), model_.Row());
    point = POINT{cell.left, cell.bottom};
    ClientToScreen(Handle(), &point);
  }
  if (OnContextMenu) OnContextMenu(point);
}

bool TGridControl::SetCursorFor(int x, int y) const {
  const int mx = Unscale(x), my = Unscale(y);
  const bool inHeader = my >= 0 && my < model_.RowHeight() + ui::TStringGrid::GridLineWidth;
  if (mouseMode_ == TMouseMode::Resize ||
      (mouseMode_ == TMouseMode::None && inHeader && model_.AllowColSizing && model_.ColumnBorderAt(mx) >= 0)) {
    SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
    return true;
  }
  return false;
}

int TGridControl::DropColumnAt(int x) const {
  if (x < 0) return model_.LeftCol();
  int col = -1, row = -1;
  if (model_.MouseToCell(x, 0, col, row)) return col;
  return model_.ColCount() - 1;   // beyond the last column
}

}  // namespace kav::ui::win32
