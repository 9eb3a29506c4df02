#include "partslist/UndoCells.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace kav::partslist {

TUndoCell* TUndoCells::LastUndoCell(const ui::TStringGrid& aGrid) const {
  // A grid's levels rise strictly in list order (a new record takes the highest level + 1 and
  // goes to the end; dropping renumbers in list order), so its highest level is its last
  // record. Searching from the end keeps undoing a bulk edit of many cells linear.
  for (auto it = FList.rbegin(); it != FList.rend(); ++it)
    if ((*it)->FGrid == &aGrid) return it->get();
  return nullptr;
}

TUndoCell* TUndoCells::FirstUndoCell(const ui::TStringGrid& aGrid) const {
  for (const auto& cell : FList)
    if (cell->FGrid == &aGrid) return cell.get();
  return nullptr;
}

int TUndoCells::DropOldestUndoCell(const ui::TStringGrid& aGrid) {
  TUndoCell* first = FirstUndoCell(aGrid);
  if (first == nullptr) return 0;
  FList.erase(std::find_if(FList.begin(), FList.end(), [first](const auto& c) { return c.get() == first; }));
  int level = 0;
  for (const auto& cell : FList)
    if (cell->FGrid == &aGrid) cell->FUndoLevel = level++;
  return level;
}

TUndoCell& TUndoCells::Add(ui::TStringGrid& aGrid, int ACol, int ARow) {
  int level = 0;
  if (const TUndoCell* last = LastUndoCell(aGrid)) {
    level = last->FUndoLevel + 1;
    if (FUndoLevels > 0 && level >= FUndoLevels) level = DropOldestUndoCell(aGrid);
  }
  FList.push_back(std::make_unique<TUndoCell>(&aGrid, aGrid.Cell(ACol, ARow), ACol, ARow, level));
  return *FList.back();
}

void TUndoCells::Undo(ui::TStringGrid& aGrid) {
  TUndoCell* last = LastUndoCell(aGrid);
  if (last == nullptr) return;
  // Take the record off the list first: whatever happens below, it is consumed.
  const auto it = std::find_if(FList.rbegin(), FList.rend(), [last](const auto& c) { return c.get() == last; });
  const std::unique_ptr<TUndoCell> record = std::move(*it);
  FList.erase(std::next(it).base());
  const bool inside = record->FX >= 0 && record->FX < aGrid.ColCount() && record->FY >= 0 &&
                      record->FY < aGrid.RowCount();
  if (!inside) return;
  aGrid.SetCell(record->FX, record->FY, record->FText);
  aGrid.SetCol(record->FX);
  aGrid.SetRow(record->FY);
}

const TUndoCell& TUndoCells::GetItem(int index) const {
  if (index < 0 || index >= Count())
    throw std::out_of_range("undo record " + std::to_string(index) + " does not exist");
  return *FList[static_cast<std::size_t>(index)];
}

}  // namespace kav::partslist
