// The exchange sort of the harvest, in one place for both border arrays and both text sorts.
// It is not stable, and the order it leaves equal keys in decides which of two texts in one
// cell is written last; so the harvest uses exactly this sort, never a library sort.
#pragma once

#include <cstddef>
#include <vector>

namespace kav::harvest {

enum class TSortOrder { Ascending, Descending };

// For i from 0 to n - 2, for j from i + 1 to n - 1: when the key at j must come before the
// key at i (strictly smaller, or strictly greater for Descending), the two are swapped.
// Equal keys are never swapped with each other directly; a NaN is never swapped at all.
void ExchangeSort(std::vector<double>& values, TSortOrder order);

// The same sort on `keys` (taken by value), giving the permutation it applies: element p of
// the result is the index, in the unsorted sequence, of the key that ends at place p. The
// comparisons and swaps run on the keys and indexes alone; the records they belong to are
// moved once, afterwards, however many swaps the sort makes.
std::vector<std::size_t> ExchangeSortOrder(std::vector<double> keys, TSortOrder order);

// Puts the records in the order that ExchangeSortOrder gave.
template <class T>
void ApplyOrder(std::vector<T>& records, const std::vector<std::size_t>& order) {
  std::vector<T> sorted;
  sorted.reserve(records.size());
  for (const std::size_t from : order) sorted.push_back(std::move(records[from]));
  records = std::move(sorted);
}

}  // namespace kav::harvest
