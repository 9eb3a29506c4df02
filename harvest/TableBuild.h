// Building the file grid from what a harvest read: the borders that vertical and horizontal
// segments give, the ruled fill, and the clustering of texts into rows and columns where
// there are too few borders. Pure: no CAD in here.
#pragma once

#include <cstdint>

#include "harvest/TableRecords.h"
#include "ui/StringGrid.h"

namespace kav::harvest {

// Segments whose ends differ by less than this in x are vertical, in y horizontal; borders
// closer than this are one. Drawing units, whatever the drawing's scale.
inline constexpr double kBorderTolerance = 0.5;

// The largest table the harvest puts into the grid, in cells (header row included). Texts
// scattered over a drawing can give as many rows and columns as there are texts; a grid of
// that many squared cells would exhaust the memory instead of showing a table.
inline constexpr std::int64_t kMaxTableCells = 2'000'000;

// Empties both border arrays, then appends the x of every vertical segment to TxgColBorders
// and the y of every horizontal one to TxgRowBorders, in segment order. A segment shorter
// than `tolerance` both ways counts as vertical; an oblique one is ignored.
void CollectTableBorders(THarvestArrays& arrays, double tolerance);

// Sorts the column borders ascending and the row borders descending (exchange sort), then
// keeps of each array its first value and every value more than `tolerance` beyond the last
// kept one. An array of fewer than 2 values is left alone.
void MergeTableBorders(THarvestArrays& arrays, double tolerance);

// With at least one text and two borders each way (as MergeTableBorders leaves them: strictly
// ordered, so that a text's bands are found by halving): sizes the grid to the bands between the
// borders (plus the header row), clears it, numbers the header and puts every text into the
// cell whose bands hold its base point strictly inside, later texts over earlier ones,
// widening the columns. Otherwise leaves the grid alone.
void FillGridFromBorders(const THarvestArrays& arrays, ui::TStringGrid& grid);

// The smallest text height; 0 without texts.
double MinTextHeight(const THarvestArrays& arrays);

// Orders the texts by x and gives each its column: a text joins the column opened last when
// it lies at most `tolerance` right of that column's first (leftmost) text, else it opens the
// next. Then orders them by y, top first, and gives each its row the same way.
void ClusterTexts(THarvestArrays& arrays, double tolerance);

// Sizes the grid to the clustered columns and rows, clears it and puts every text that is
// not blank into its cell, in the texts' order, widening the columns; numbers the header.
void FillGridFromClusters(const THarvestArrays& arrays, ui::TStringGrid& grid);

enum class TBuildResult {
  Ruled,       // the ruled fill ran (with no text it only numbered the header row)
  Clustered,   // the texts were clustered into the grid
  Untouched,   // no borders enough and no text (or no positive height): the grid is as it was
  TooLarge,    // the table would exceed kMaxTableCells: the grid is as it was
};

struct TBuildOutcome {
  TBuildResult Result = TBuildResult::Untouched;
  std::int64_t Rows = 0;      // data rows of the table (TooLarge: of the table that was refused)
  std::int64_t Columns = 0;
};

// The whole build: the borders; the ruled fill with at least two borders each way, else the
// clustering of a copy of the texts (TxgTexts keeps the selection order). What it writes into the grid it writes inside one update, so the grid repaints
// once.
TBuildOutcome BuildTable(THarvestArrays& arrays, ui::TStringGrid& grid);

}  // namespace kav::harvest
