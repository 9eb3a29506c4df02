#include "harvest/TableBuild.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "harvest/ExchangeSort.h"
#include "partslist/TableLoad.h"
#include "platform/Text.h"

namespace kav::harvest {
namespace {

// Keeps the first value and every value more than `tolerance` beyond the last kept one;
// `beyond(a, b)` is how far a lies beyond b in the array's order.
template <class TBeyond>
void MergeSorted(std::vector<double>& values, double tolerance, TBeyond beyond) {
  if (values.size() < 2) return;
  std::size_t kept = 1;
  for (std::size_t i = 1; i < values.size(); ++i)
    if (beyond(values[i], values[kept - 1]) > tolerance) values[kept++] = values[i];
  values.resize(kept);
}

// The band of a strictly ordered border array that holds v strictly inside: the index of its
// first border, or -1. `inside(border, v)` is true for the borders before v.
template <class TInside>
int BandOf(const std::vector<double>& borders, double v, TInside inside) {
  // After the merge the borders are strictly ordered, so the borders before v form a prefix.
  const auto after = std::partition_point(borders.begin(), borders.end(), [&](double b) { return inside(b, v); });
  const std::ptrdiff_t band = (after - borders.begin()) - 1;
  if (band < 0 || after == borders.end() || !inside(v, *after)) return -1;
  return static_cast<int>(band);
}

bool Fits(std::int64_t rows, std::int64_t columns) { return rows * columns <= kMaxTableCells; }

template <class TKey>
std::vector<double> Keys(const std::vector<TTxgText>& texts, TKey key) {
  std::vector<double> keys;
  keys.reserve(texts.size());
  for (const TTxgText& text : texts) keys.push_back(key(text));
  return keys;
}

}  // namespace

void CollectTableBorders(THarvestArrays& arrays, double tolerance) {
  arrays.TxgColBorders.clear();
  arrays.TxgRowBorders.clear();
  for (const TTxgLine& line : arrays.TxgLines) {
    if (std::abs(line.st.X - line.ed.X) < tolerance) arrays.TxgColBorders.push_back(line.st.X);
    else if (std::abs(line.st.Y - line.ed.Y) < tolerance) arrays.TxgRowBorders.push_back(line.st.Y);
  }
}

void MergeTableBorders(THarvestArrays& arrays, double tolerance) {
  ExchangeSort(arrays.TxgColBorders, TSortOrder::Ascending);
  ExchangeSort(arrays.TxgRowBorders, TSortOrder::Descending);
  MergeSorted(arrays.TxgColBorders, tolerance, [](double value, double kept) { return value - kept; });
  MergeSorted(arrays.TxgRowBorders, tolerance, [](double value, double kept) { return kept - value; });
}

void FillGridFromBorders(const THarvestArrays& arrays, ui::TStringGrid& grid) {
  const auto& rows = arrays.TxgRowBorders;
  const auto& cols = arrays.TxgColBorders;
  if (arrays.TxgTexts.empty() || rows.size() < 2 || cols.size() < 2) return;
  partslist::TGridUpdate update(grid);
  grid.SetRowCount(static_cast<int>(rows.size()));
  grid.SetColCount(static_cast<int>(cols.size() - 1));
  ui::ClearGridCells(grid);
  partslist::NumberHeaderRow(grid);
  for (const TTxgText& text : arrays.TxgTexts) {
    const int row = BandOf(rows, text.base.Y, [](double border, double y) { return border > y; });
    if (row < 0) continue;
    const int col = BandOf(cols, text.base.X, [](double border, double x) { return border < x; });
    if (col < 0) continue;
    grid.SetCell(col, row + 1, text.sText);
    grid.WidenColumn(col, text.sText);
  }
}

double MinTextHeight(const THarvestArrays& arrays) {
  if (arrays.TxgTexts.empty()) return 0;
  double smallest = arrays.TxgTexts.front().txtH;
  for (const TTxgText& text : arrays.TxgTexts)
    if (text.txtH < smallest) smallest = text.txtH;
  return smallest;
}

void ClusterTexts(THarvestArrays& arrays, double tolerance) {
  auto& texts = arrays.TxgTexts;
  if (texts.size() == 1) {
    texts[0].xidx = 0;
    texts[0].yidx = 0;
    return;
  }
  if (texts.empty()) return;

  ApplyOrder(texts, ExchangeSortOrder(Keys(texts, [](const TTxgText& t) { return t.base.X; }), TSortOrder::Ascending));
  // Each column's anchor is its first, leftmost text: a column is at most `tolerance` wide,
  // however closely its texts follow each other.
  std::int32_t column = 0;
  double anchor = texts[0].base.X;
  texts[0].xidx = 0;
  for (std::size_t k = 1; k < texts.size(); ++k) {
    if (!(texts[k].base.X - anchor <= tolerance)) {
      ++column;
      anchor = texts[k].base.X;
    }
    texts[k].xidx = column;
  }

  ApplyOrder(texts, ExchangeSortOrder(Keys(texts, [](const TTxgText& t) { return t.base.Y; }), TSortOrder::Descending));
  std::int32_t row = 0;
  anchor = texts[0].base.Y;
  texts[0].yidx = 0;
  for (std::size_t k = 1; k < texts.size(); ++k) {
    if (!(anchor - texts[k].base.Y <= tolerance)) {
      ++row;
      anchor = texts[k].base.Y;
    }
    texts[k].yidx = row;
  }
}

namespace {

struct TClusterSize {
  std::int64_t Columns = 1, Rows = 2;   // grid rows, the header included
};

TClusterSize ClusterSize(const THarvestArrays& arrays) {
  std::int32_t maxX = 0, maxY = 0;
  for (const TTxgText& text : arrays.TxgTexts) {
    maxX = std::max(maxX, text.xidx);
    maxY = std::max(maxY, text.yidx);
  }
  return {std::int64_t{maxX} + 1, std::int64_t{maxY} + 2};
}

}  // namespace

void FillGridFromClusters(const THarvestArrays& arrays, ui::TStringGrid& grid) {
  const TClusterSize size = ClusterSize(arrays);
  partslist::TGridUpdate update(grid);
  grid.SetColCount(static_cast<int>(size.Columns));
  grid.SetRowCount(static_cast<int>(size.Rows));
  ui::ClearGridCells(grid);
  for (const TTxgText& text : arrays.TxgTexts) {
    if (IsBlank(text.sText)) continue;
    grid.SetCell(text.xidx, text.yidx + 1, text.sText);
    grid.WidenColumn(text.xidx, text.sText);
  }
  partslist::NumberHeaderRow(grid);
}

TBuildOutcome BuildTable(THarvestArrays& arrays, ui::TStringGrid& grid) {
  CollectTableBorders(arrays, kBorderTolerance);
  if (arrays.TxgColBorders.size() >= 2 && arrays.TxgRowBorders.size() >= 2) {
    MergeTableBorders(arrays, kBorderTolerance);
    const auto rows = static_cast<std::int64_t>(arrays.TxgRowBorders.size());
    const auto columns = static_cast<std::int64_t>(arrays.TxgColBorders.size()) - 1;
    if (!arrays.TxgTexts.empty() && columns >= 1 && rows >= 2 && !Fits(rows, columns))
      return {TBuildResult::TooLarge, rows - 1, columns};
    partslist::TGridUpdate update(grid);   // the header numbers too: one repaint in all
    FillGridFromBorders(arrays, grid);
    partslist::NumberHeaderRow(grid);
    return {TBuildResult::Ruled, grid.RowCount() - 1, grid.ColCount()};
  }
  const double tolerance = MinTextHeight(arrays);
  if (!(tolerance > 0)) return {};
  // The clustering sorts a copy: the kept texts stay in the order they were selected in, so
  // that an empty selection builds exactly this table again. Sorted in place, they would meet
  // the unstable exchange sort in another order next time, and of two texts stacked in one
  // cell the other one could win.
  THarvestArrays clustered;
  clustered.TxgTexts = arrays.TxgTexts;
  ClusterTexts(clustered, tolerance);
  const TClusterSize size = ClusterSize(clustered);
  if (!Fits(size.Rows, size.Columns)) return {TBuildResult::TooLarge, size.Rows - 1, size.Columns};
  FillGridFromClusters(clustered, grid);
  return {TBuildResult::Clustered, grid.RowCount() - 1, grid.ColCount()};
}

}  // namespace kav::harvest
