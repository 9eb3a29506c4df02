// Cell undo: one record per changed cell with its old text, kept in a stack that can hold
// the records of several grids and undoes them grid by grid, newest first.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/StringGrid.h"

namespace kav::partslist {

class TUndoCell {
 public:
  TUndoCell(ui::TStringGrid* grid, std::string text, int x, int y, int undoLevel)
      : FGrid(grid), FText(std::move(text)), FX(x), FY(y), FUndoLevel(undoLevel) {}

  ui::TStringGrid* Grid() const { return FGrid; }
  const std::string& Text() const { return FText; }
  int X() const { return FX; }
  int Y() const { return FY; }
  int UndoLevel() const { return FUndoLevel; }

 private:
  friend class TUndoCells;
  ui::TStringGrid* FGrid;   // not owned
  std::string FText;        // the cell's text before the change
  int FX;                   // column
  int FY;                   // row
  int FUndoLevel;           // sequence number among the records of its grid; 0 for the oldest
};

class TUndoCells {
 public:
  TUndoCells() = default;
  ~TUndoCells() { Clear(); }
  TUndoCells(const TUndoCells&) = delete;
  TUndoCells& operator=(const TUndoCells&) = delete;

  // Records the present text of a cell; returns the new record.
  TUndoCell& Add(ui::TStringGrid& aGrid, int ACol, int ARow);
  // Takes back the grid's newest record, if it has one. A record whose cell no longer
  // exists (rows or columns went away) is consumed without writing anything.
  void Undo(ui::TStringGrid& aGrid);
  void Clear() { FList.clear(); }

  int Count() const { return static_cast<int>(FList.size()); }
  // The record at a list index; throws std::out_of_range for an index outside the list.
  const TUndoCell& GetItem(int index) const;
  const TUndoCell& Items(int index) const { return GetItem(index); }
  // Most records kept for one grid; 0 means no limit.
  int UndoLevels() const { return FUndoLevels; }
  void SetUndoLevels(int levels) { FUndoLevels = levels < 0 ? 0 : levels; }

 private:
  TUndoCell* LastUndoCell(const ui::TStringGrid& aGrid) const;
  TUndoCell* FirstUndoCell(const ui::TStringGrid& aGrid) const;
  int DropOldestUndoCell(const ui::TStringGrid& aGrid);

  std::vector<std::unique_ptr<TUndoCell>> FList;   // oldest first
  int FUndoLevels = 0;
};

}  // namespace kav::partslist
