// Commands on a grid's table as a whole: selecting, sorting, removing duplicate rows,
// deleting the current row or column, adding a blank row. None of them records cell undo.
#pragma once

#include "platform/Collation.h"
#include "ui/StringGrid.h"

namespace kav::partslist {

// Columns 0 to the last, rows 1 to the last.
void SelectAllData(ui::TStringGrid& grid);
// One column from row 1 to the last row.
void SelectDataColumn(ui::TStringGrid& grid, int col);

// Sorts the data rows, each moving whole, by the text of `col` in the user's locale order
// with letter case ignored. The header row stays.
void SortGridByColumn(ui::TStringGrid& grid, int col, const ICollation& collation);

// Keeps the first of every group of data rows whose trimmed cells are equal, in row order;
// every kept cell ends up trimmed and its column widened to it. Returns how many rows went.
int RemoveDuplicateRows(ui::TStringGrid& grid);

// The message that reports the removal of duplicates.
std::string DuplicatesMessage(int removed);

// Rows below the current one move up by one; nothing when only one data row is left.
void DeleteCurrentRow(ui::TStringGrid& grid);
// Cells right of the current column move left by one in every data row; nothing when only
// one column is left. The header row and the column widths stay where they are.
void DeleteCurrentColumn(ui::TStringGrid& grid);
// One more row at the end, made the current row.
void AddBlankLastRow(ui::TStringGrid& grid);

}  // namespace kav::partslist
