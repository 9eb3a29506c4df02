// The key commands of both grids, also during in-place editing: Delete, Ctrl+C/X/V/A and
// Ctrl+Z taking back the last bulk edit; every changed cell is recorded for undo first.
#pragma once

#include "partslist/UndoCells.h"
#include "platform/Clipboard.h"
#include "platform/Desktop.h"
#include "ui/Keys.h"
#include "ui/StringGrid.h"

namespace kav::partslist {

// What one grid keeps between its key commands.
struct TGridUndo {
  TUndoCells* Cells = nullptr;   // the grid's undo stack; commands that record do nothing without one
  int& Count;                    // records made by the last bulk edit
  ui::TGridRect& Rect;           // the selection taken by the last bulk edit or copy
};

// Every cell of the selection, top to bottom and left to right: recorded, then emptied.
void ClearRange(ui::TStringGrid& grid, TGridUndo undo);
// Puts the selection on the clipboard (one retry), saving the selection.
void CopyRange(ui::TStringGrid& grid, TGridUndo undo, IClipboard& clipboard, IDesktop& desktop);
void CutRange(ui::TStringGrid& grid, TGridUndo undo, IClipboard& clipboard, IDesktop& desktop);
// Pastes the clipboard's table at the selection's top left cell, growing the grid as needed.
void PasteRange(ui::TStringGrid& grid, TGridUndo undo, IClipboard& clipboard);
// Selects every data cell.
void SelectAllCells(ui::TStringGrid& grid);
// Takes back as many of the grid's newest records as the count says, then restores the
// saved selection.
void UndoBulkEdit(ui::TStringGrid& grid, TGridUndo undo);

// Runs the command of a key, if it has one, and sets the key to 0 when it did.
void GridKeyDown(ui::TStringGrid& grid, ui::TKey& key, ui::TShiftState shift, TGridUndo undo,
                 IClipboard& clipboard, IDesktop& desktop);

}  // namespace kav::partslist
