// Test helpers: a grid's cells as rows of texts, and a grid filled from such rows.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "ui/StringGrid.h"

namespace kav::partslist::test {

using TTable = std::vector<std::vector<std::string>>;

// Every row from `firstRow` down, every column.
inline TTable Rows(const ui::TStringGrid& grid, int firstRow = 1) {
  TTable table;
  for (int r = firstRow; r < grid.RowCount(); ++r) {
    std::vector<std::string> row;
    for (int c = 0; c < grid.ColCount(); ++c) row.push_back(grid.Cell(c, r));
    table.push_back(row);
  }
  return table;
}

inline std::vector<std::string> Header(const ui::TStringGrid& grid) { return Rows(grid, 0).front(); }

// Sizes the grid to the table (plus the header row) and puts the texts into rows 1 and on.
inline void Fill(ui::TStringGrid& grid, const TTable& table) {
  std::size_t cols = 1;
  for (const auto& row : table) cols = std::max(cols, row.size());
  grid.SetColCount(static_cast<int>(cols));
  grid.SetRowCount(static_cast<int>(table.size()) + 1);
  for (std::size_t r = 0; r < table.size(); ++r)
    for (std::size_t c = 0; c < table[r].size(); ++c)
      grid.SetCell(static_cast<int>(c), static_cast<int>(r + 1), table[r][c]);
}

}  // namespace kav::partslist::test
