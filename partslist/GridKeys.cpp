#include "partslist/GridKeys.h"

#include <exception>
#include <string>

#include "partslist/ClipboardTable.h"
#include "partslist/TableLoad.h"

namespace kav::partslist {
namespace {

void ClearSelectionWithUndo(ui::TStringGrid& grid, TGridUndo undo, const ui::TGridRect& rect) {
  int recorded = 0;
  TGridUpdate update(grid);
  for (int r = rect.Top; r <= rect.Bottom; ++r)
    for (int c = rect.Left; c <= rect.Right; ++c) {
      undo.Cells->Add(grid, c, r);
      ++recorded;
      grid.SetCell(c, r, {});
    }
  undo.Count = recorded;
}

bool IsSingleCell(const ui::TGridRect& rect) { return rect.Left == rect.Right && rect.Top == rect.Bottom; }

}  // namespace

void ClearRange(ui::TStringGrid& grid, TGridUndo undo) {
  if (undo.Cells == nullptr) return;
  undo.Rect = grid.Selection();
  ClearSelectionWithUndo(grid, undo, undo.Rect);
}

void CopyRange(ui::TStringGrid& grid, TGridUndo undo, IClipboard& clipboard, IDesktop& desktop) {
  undo.Rect = grid.Selection();
  // One retry straight away; a clipboard still held after that is left without a message.
  PutClipboardText(clipboard, desktop, RangeText(grid, undo.Rect), 2, 0);
}

void CutRange(ui::TStringGrid& grid, TGridUndo undo, IClipboard& clipboard, IDesktop& desktop) {
  if (undo.Cells == nullptr) return;
  CopyRange(grid, undo, clipboard, desktop);
  ClearSelectionWithUndo(grid, undo, undo.Rect);
}

void PasteRange(ui::TStringGrid& grid, TGridUndo undo, IClipboard& clipboard) {
  if (undo.Cells == nullptr) return;
  undo.Rect = grid.Selection();
  const int left = undo.Rect.Left, top = undo.Rect.Top;
  // One read serves both the size and the cells, so they always agree.
  const std::string text = clipboard.GetText().value_or(std::string());
  const auto table = ParseClipboardTable(text);
  int width = 0;
  for (const auto& fields : table) width = std::max(width, static_cast<int>(fields.size()));
  const int lines = static_cast<int>(table.size());

  TGridUpdate update(grid);
  if (left + width > grid.ColCount()) grid.SetColCount(left + width);
  if (top + lines >= grid.RowCount()) grid.SetRowCount(top + lines + 1);
  int pasted = 0;
  for (int i = 0; i < lines; ++i) {
    const auto& fields = table[static_cast<std::size_t>(i)];
    for (int k = 0; k < static_cast<int>(fields.size()); ++k) {
      const int col = left + k, row = top + i;
      if (i == 0 && grid.Cell(col, 0).empty()) grid.SetCell(col, 0, std::to_string(col + 1));
      undo.Cells->Add(grid, col, row);
      grid.SetCell(col, row, fields[static_cast<std::size_t>(k)]);
      grid.WidenColumn(col, fields[static_cast<std::size_t>(k)]);
      ++pasted;
    }
  }
  undo.Count = pasted;
}

void SelectAllCells(ui::TStringGrid& grid) {
  grid.SetSelection({0, 1, grid.ColCount() - 1, grid.RowCount() - 1});
}

void UndoBulkEdit(ui::TStringGrid& grid, TGridUndo undo) {
  if (undo.Cells != nullptr) {
    TGridUpdate update(grid);
    for (int i = 0; i < undo.Count; ++i) {
      try {
        undo.Cells->Undo(grid);
      } catch (const std::exception&) {
        // One record that cannot be written back must not stop the others.
      }
    }
  }
  undo.Count = 0;
  grid.SetSelection(undo.Rect);
}

void GridKeyDown(ui::TStringGrid& grid, ui::TKey& key, ui::TShiftState shift, TGridUndo undo,
                 IClipboard& clipboard, IDesktop& desktop) {
  const bool ctrl = (shift & ui::ssCtrl) != 0;
  if (key == ui::vk::Delete) {
    if (IsSingleCell(grid.Selection())) return;   // the grid or its cell editor deletes
    ClearRange(grid, undo);
  } else if (ctrl && key == ui::vk::Letter('C')) {
    CopyRange(grid, undo, clipboard, desktop);
  } else if (ctrl && key == ui::vk::Letter('X')) {
    CutRange(grid, undo, clipboard, desktop);
  } else if (ctrl && key == ui::vk::Letter('V')) {
    PasteRange(grid, undo, clipboard);
  } else if (ctrl && key == ui::vk::Letter('A')) {
    SelectAllCells(grid);
  } else if (ctrl && key == ui::vk::Letter('Z')) {
    UndoBulkEdit(grid, undo);
  } else {
    return;
  }
  key = 0;
}

}  // namespace kav::partslist
