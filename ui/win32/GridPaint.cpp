// Painting of the grid window: header row, cells, grid lines, selection, current-cell frame and
// the drop mark of a column move. Only the cells inside the painted rectangle are visited, so
// the cost of a paint follows the window size, never the row count.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "ui/win32/GridControl.h"

namespace kav::ui::win32 {
namespace {

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Frame(HDC dc, RECT rect, COLORREF colour, int thickness) {
  SetDCBrushColor(dc, colour);
  const auto brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
  for (int i = 0; i < thickness && rect.right > rect.left && rect.bottom > rect.top; ++i) {
    FrameRect(dc, &rect, brush);
    InflateRect(&rect, -1, -1);
  }
}

struct TColumnSpan {
  int Col;
  int Left, Right;   // window pixels of the cell, its grid line excluded
};

}  // namespace

void TGridControl::Paint() {
  PAINTSTRUCT ps{};
  const HDC windowDC = BeginPaint(Handle(), &ps);
  const RECT area = ps.rcPaint;
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (windowDC != nullptr && width > 0 && height > 0) {
    // Draw into a bitmap first so that scrolling and selecting do not flicker.
    TMemoryDc memory(CreateCompatibleDC(windowDC));
    TBitmapHandle bitmap(CreateCompatibleBitmap(windowDC, width, height));
    if (memory && bitmap) {
      TSelectObject selected(memory.Get(), bitmap.Get());
      SetViewportOrgEx(memory.Get(), -area.left, -area.top, nullptr);
      PaintContent(memory.Get(), area);
      SetViewportOrgEx(memory.Get(), 0, 0, nullptr);
      BitBlt(windowDC, area.left, area.top, width, height, memory.Get(), 0, 0, SRCCOPY);
    } else {
      PaintContent(windowDC, area);
    }
  }
  EndPaint(Handle(), &ps);
}

void TGridControl::PaintContent(HDC dc, const RECT& rect) const {
  const ui::TStringGrid& g = model_;
  const int line = ui::TStringGrid::GridLineWidth;
  const int pitch = g.RowHeight() + line;
  Fill(dc, rect, palette_.Window);

  // Columns that reach into the painted rectangle.
  std::vector<TColumnSpan> columns;
  int x = 0;   // model pixels from the left edge of LeftCol
  for (int c = g.LeftCol(); c < g.ColCount(); ++c) {
    const int left = Scale(x);
    if (left >= rect.right) break;
    const int next = x + g.ColWidth(c) + line;
    if (Scale(next) > rect.left) columns.push_back({c, left, Scale(x + g.ColWidth(c))});
    x = next;
  }
  const int gridRight = std::min<int>(Scale(x), rect.right);

  // Rows: the header row, then data rows from TopRow down to the painted rectangle's bottom.
  std::vector<std::pair<int, int>> rows;   // row, top in model pixels
  if (Scale(pitch) > rect.top) rows.emplace_back(0, 0);
  const int skipped = std::max(0, (Unscale(rect.top) - pitch) / pitch - 1);
  for (int r = g.TopRow() + skipped, y = (skipped + 1) * pitch; r < g.RowCount(); ++r, y += pitch) {
    if (Scale(y) >= rect.bottom) break;
    if (Scale(y + pitch) > rect.top) rows.emplace_back(r, y);
  }
  if (columns.empty() || rows.empty()) return;
  const int gridBottom = std::min<int>(Scale(rows.back().second + pitch), rect.bottom);

  // The grid lines are what the cells leave uncovered of this one fill.
  Fill(dc, RECT{rect.left, rect.top, gridRight, gridBottom}, palette_.GridLine);

  const HFONT font = Font();
  const HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, OPAQUE);
  const bool enabled = Handle() == nullptr || IsWindowEnabled(Handle());
  const ui::TGridRect selection = g.Selection();
  const int textLeft = Scale(2);
  std::wstring text;
  for (const auto& [row, top] : rows) {
    const int cellTop = Scale(top), cellBottom = Scale(top + g.RowHeight());
    for (const TColumnSpan& span : columns) {
      COLORREF back = palette_.Edit, fore = enabled ? palette_.Text : palette_.DisabledText;
      if (row < ui::TStringGrid::FixedRows) {
        back = palette_.Control;
      } else if (span.Col >= selection.Left && span.Col <= selection.Right && row >= selection.Top &&
                 row <= selection.Bottom) {
        back = palette_.Highlight;
        fore = enabled ? palette_.HighlightText : palette_.DisabledText;
      }
      SetBkColor(dc, back);
      SetTextColor(dc, fore);
      const RECT cell{span.Left, cellTop, span.Right, cellBottom};
      text = Utf8ToWide(g.Cell(span.Col, row));
      ExtTextOutW(dc, cell.left + textLeft, cell.top + textTop_, ETO_CLIPPED | ETO_OPAQUE, &cell,
                  text.data(), static_cast<UINT>(text.size()), nullptr);
    }
  }
  SelectObject(dc, oldFont);

  // The header row is set apart from the data by a brighter line.
  if (rows.front().first == 0)
    Fill(dc, RECT{rect.left, Scale(g.RowHeight()), gridRight, Scale(pitch)}, palette_.Border);

  const RECT current = WindowCellRect(g.Col(), g.Row());
  if (current.right > current.left) {
    const bool focused = Handle() != nullptr && (GetFocus() == Handle() || (editing_ && GetFocus() == editor_));
    Frame(dc, current, palette_.Focus, focused ? std::max(2, Scale(2)) : std::max(1, Scale(1)));
  }
  DrawDropMark(dc);
}

void TGridControl::DrawDropMark(HDC dc) const {
  if (mouseMode_ != TMouseMode::ColumnDrag || dropCol_ < 0 || dropCol_ == dragCol_) return;
  const RECT target = WindowCellRect(dropCol_, 0);
  if (target.right <= target.left) return;
  // The dragged column lands after the target when it moves right, before it when it moves left.
  const int edge = dropCol_ > dragCol_ ? target.right : target.left;
  const int half = std::max(1, Scale(1));
  RECT client{};
  GetClientRect(Handle(), &client);
  Fill(dc, RECT{edge - half, 0, edge + half, client.bottom}, palette_.Accent);
}

}  // namespace kav::ui::win32
