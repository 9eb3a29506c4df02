// Scrolling of the grid window: the scroll bars' ranges follow the model's counts and the
// client size; bar messages and the wheel move TopRow and LeftCol through the model.
#include <algorithm>

#include "ui/win32/GridControl.h"

namespace kav::ui::win32 {

void TGridControl::UpdateClientSize() {
  RECT client{};
  GetClientRect(Handle(), &client);
  model_.ClientWidth = Unscale(client.right);
  model_.ClientHeight = Unscale(client.bottom);
}

int TGridControl::MaxTopRow() const {
  return std::max(ui::TStringGrid::FixedRows, model_.RowCount() - model_.FullyVisibleRows());
}

int TGridControl::MaxLeftCol() const {
  int width = 0, left = model_.ColCount() - 1;
  for (int c = model_.ColCount() - 1; c >= 0; --c) {
    width += model_.ColWidth(c) + ui::TStringGrid::GridLineWidth;
    if (width > model_.ClientWidth) break;
    left = c;
  }
  return left;
}

void TGridControl::UpdateScrollBars(bool pullBack) {
  if (Handle() == nullptr || updatingScrollBars_) return;
  updatingScrollBars_ = true;
  // Showing or hiding a bar changes the client size and so the ranges; a few rounds settle it.
  for (int round = 0; round < 3; ++round) {
    UpdateClientSize();
    const int clientWidth = model_.ClientWidth, clientHeight = model_.ClientHeight;
    if (pullBack) {
      // After rows or columns went away, show as many as fit instead of a mostly empty window.
      if (model_.TopRow() > MaxTopRow()) model_.SetTopRow(MaxTopRow());
      if (model_.LeftCol() > MaxLeftCol()) model_.SetLeftCol(MaxLeftCol());
    }

    SCROLLINFO vertical{};
    vertical.cbSize = sizeof vertical;
    vertical.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    vertical.nMin = ui::TStringGrid::FixedRows;
    vertical.nMax = model_.RowCount() - 1;
    vertical.nPage = static_cast<UINT>(model_.RowCount() - MaxTopRow());
    vertical.nPos = model_.TopRow();
    SetScrollInfo(Handle(), SB_VERT, &vertical, TRUE);

    SCROLLINFO horizontal{};
    horizontal.cbSize = sizeof horizontal;
    horizontal.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    horizontal.nMin = 0;
    horizontal.nMax = model_.ColCount() - 1;
    horizontal.nPage = static_cast<UINT>(model_.ColCount() - MaxLeftCol());
    horizontal.nPos = model_.LeftCol();
    SetScrollInfo(Handle(), SB_HORZ, &horizontal, TRUE);

    UpdateClientSize();
    if (model_.ClientWidth == clientWidth && model_.ClientHeight == clientHeight) break;
  }
  updatingScrollBars_ = false;
}

void TGridControl::Scroll(int bar, int code) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(Handle(), bar, &info);
  const bool vertical = bar == SB_VERT;
  const int current = vertical ? model_.TopRow() : model_.LeftCol();
  const int first = vertical ? ui::TStringGrid::FixedRows : 0;
  const int last = vertical ? MaxTopRow() : MaxLeftCol();
  const int page = vertical ? model_.FullyVisibleRows() : model_.FullyVisibleCols();
  int target = current;
  switch (code) {
    case SB_LINEUP: target = current - 1; break;
    case SB_LINEDOWN: target = current + 1; break;
    case SB_PAGEUP: target = current - page; break;
    case SB_PAGEDOWN: target = current + page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: target = info.nTrackPos; break;   // 32-bit, unlike the message's
    case SB_TOP: target = first; break;
    case SB_BOTTOM: target = last; break;
    default: return;
  }
  target = std::clamp(target, first, std::max(first, last));
  if (vertical) ScrollTo(target, model_.LeftCol());
  else ScrollTo(model_.TopRow(), target);
}

void TGridControl::ScrollTo(int topRow, int leftCol) {
  if (topRow == model_.TopRow() && leftCol == model_.LeftCol()) return;
  if (editing_) CommitEditing();
  model_.UserScrollTo(topRow, leftCol);
}

void TGridControl::Wheel(int delta, bool horizontal) {
  const int notches = wheel_.Add(delta);
  if (notches == 0) return;
  if (horizontal) {
    const int left = std::clamp(model_.LeftCol() + notches, 0, MaxLeftCol());
    ScrollTo(model_.TopRow(), left);
    return;
  }
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const int step = lines == WHEEL_PAGESCROLL ? model_.FullyVisibleRows() : static_cast<int>(lines);
  const int top = std::clamp(model_.TopRow() - notches * step, ui::TStringGrid::FixedRows,
                             MaxTopRow());
  ScrollTo(top, model_.LeftCol());
}

}  // namespace kav::ui::win32
