// Filling a grid from a text file: the reset, the delimiter of the first line, the
// work-area filter, trimming of every field and the widening of columns to their texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "ui/StringGrid.h"

namespace kav::partslist {

inline constexpr int kFirstColumnWidth = 32;   // column 0 of a freshly reset grid

// One column of 32 pixels, two rows, every cell empty: the state before a table is loaded.
void ResetGrid(ui::TStringGrid& grid);

// The work-area filter: true when `line` contains `filter`, with only a to z folded; every
// other character must match exactly. An empty filter passes every line.
bool FilterMatches(std::string_view line, std::string_view filter);

// Puts the non-blank lines that pass `filter` into a grid that was just reset, one row each,
// split by the delimiter of the first line, every field trimmed; numbers the header row when
// at least one row was loaded. Returns the number of rows loaded.
int FillGrid(ui::TStringGrid& grid, const std::vector<std::string>& lines, std::string_view filter = {});

// The import of the file grid: nothing at all when no file exists under `path`; otherwise
// the grid is reset and filled. A file that cannot be read throws FileError with the grid
// left reset.
void LoadTextFileIntoGrid(ui::TStringGrid& grid, IFileSystem& files, const ICodePage& codePage,
                          const std::string& path);

// The loading of the work-area list: the grid is reset first, then filled from `path` with
// `filter` when a file exists there. Returns the number of rows loaded. A file that cannot
// be read throws FileError with the grid left reset.
int LoadWorkAreaGrid(ui::TStringGrid& grid, IFileSystem& files, const ICodePage& codePage,
                     const std::string& path, std::string_view filter);

// Closes a grid's update bracket also when filling fails half-way.
class TGridUpdate {
 public:
  explicit TGridUpdate(ui::TStringGrid& grid) : grid_(grid) { grid_.BeginUpdate(); }
  ~TGridUpdate() { grid_.EndUpdate(); }
  TGridUpdate(const TGridUpdate&) = delete;
  TGridUpdate& operator=(const TGridUpdate&) = delete;

 private:
  ui::TStringGrid& grid_;
};

// Writes the column numbers "1", "2", ... into the header row.
void NumberHeaderRow(ui::TStringGrid& grid);

}  // namespace kav::partslist
