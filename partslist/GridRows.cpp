#include "partslist/GridRows.h"

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "partslist/TableLoad.h"
#include "platform/Text.h"

namespace kav::partslist {
namespace {

using TRow = std::vector<std::string>;

TRow TakeRow(const ui::TStringGrid& grid, int row) {
  TRow cells(static_cast<std::size_t>(grid.ColCount()));
  for (int c = 0; c < grid.ColCount(); ++c) cells[static_cast<std::size_t>(c)] = grid.Cell(c, row);
  return cells;
}

void PutRow(ui::TStringGrid& grid, int row, TRow cells) {
  for (int c = 0; c < static_cast<int>(cells.size()); ++c)
    grid.SetCell(c, row, std::move(cells[static_cast<std::size_t>(c)]));
}

struct TRowHash {
  std::size_t operator()(const TRow& row) const {
    std::size_t h = row.size();
    for (const auto& cell : row) h = h * 1000003u ^ std::hash<std::string>()(cell);
    return h;
  }
};

}  // namespace

void SelectAllData(ui::TStringGrid& grid) { grid.SetSelection({0, 1, grid.ColCount() - 1, grid.RowCount() - 1}); }

void SelectDataColumn(ui::TStringGrid& grid, int col) {
  if (col < 0 || col >= grid.ColCount()) return;
  grid.SetSelection({col, 1, col, grid.RowCount() - 1});
}

void SortGridByColumn(ui::TStringGrid& grid, int col, const ICollation& collation) {
  if (col < 0 || col >= grid.ColCount()) return;
  std::vector<TRow> rows;
  for (int r = 1; r < grid.RowCount(); ++r) rows.push_back(TakeRow(grid, r));
  const auto key = static_cast<std::size_t>(col);
  std::stable_sort(rows.begin(), rows.end(), [&](const TRow& a, const TRow& b) {
    return collation.CompareIgnoreCase(a[key], b[key]) < 0;
  });
  TGridUpdate update(grid);
  for (int r = 1; r < grid.RowCount(); ++r) PutRow(grid, r, std::move(rows[static_cast<std::size_t>(r - 1)]));
}

int RemoveDuplicateRows(ui::TStringGrid& grid) {
  const int before = grid.RowCount();
  TGridUpdate update(grid);
  // Rows are compared cell by cell: joining them with TAB first would make two different
  // rows equal when a cell holds a TAB.
  std::vector<TRow> kept;
  std::unordered_set<TRow, TRowHash> seen;
  for (int r = 1; r < grid.RowCount(); ++r) {
    TRow row = TakeRow(grid, r);
    for (auto& cell : row) cell = Trim(cell);
    if (seen.insert(row).second) kept.push_back(std::move(row));
  }
  grid.SetRowCount(static_cast<int>(kept.size()) + 1);
  for (int r = 0; r < static_cast<int>(kept.size()); ++r) {
    TRow& row = kept[static_cast<std::size_t>(r)];
    for (int c = 0; c < static_cast<int>(row.size()); ++c) grid.WidenColumn(c, row[static_cast<std::size_t>(c)]);
    PutRow(grid, r + 1, std::move(row));
  }
  return before - grid.RowCount();
}

std::string DuplicatesMessage(int removed) {
  if (removed == 0) return "重複データはありません。";
  return "重複データ " + std::to_string(removed) + " を削除しました。";
}

void DeleteCurrentRow(ui::TStringGrid& grid) {
  if (grid.RowCount() <= 2) return;
  TGridUpdate update(grid);
  for (int r = grid.Row(); r < grid.RowCount() - 1; ++r) PutRow(grid, r, TakeRow(grid, r + 1));
  grid.SetRowCount(grid.RowCount() - 1);
}

void DeleteCurrentColumn(ui::TStringGrid& grid) {
  if (grid.ColCount() <= 1) return;
  TGridUpdate update(grid);
  for (int r = 1; r < grid.RowCount(); ++r)
    for (int c = grid.Col(); c < grid.ColCount() - 1; ++c) grid.SetCell(c, r, grid.Cell(c + 1, r));
  grid.SetColCount(grid.ColCount() - 1);
}

void AddBlankLastRow(ui::TStringGrid& grid) {
  grid.SetRowCount(grid.RowCount() + 1);
  grid.SetRow(grid.RowCount() - 1);
}

}  // namespace kav::partslist
