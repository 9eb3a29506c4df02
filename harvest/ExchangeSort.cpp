#include "harvest/ExchangeSort.h"

#include <numeric>
#include <utility>

namespace kav::harvest {
namespace {

// The one loop both forms share; `carry` follows every swap of the keys.
template <class TBefore, class TCarry>
void Sort(std::vector<double>& keys, TBefore before, TCarry carry) {
  const std::size_t n = keys.size();
  for (std::size_t i = 0; i + 1 < n; ++i) {
    double first = keys[i];   // the key at i, kept in a register through the inner loop
    for (std::size_t j = i + 1; j < n; ++j) {
      if (!before(keys[j], first)) continue;
      keys[i] = keys[j];
      keys[j] = first;
      first = keys[i];
      carry(i, j);
    }
  }
}

template <class TCarry>
void SortBy(std::vector<double>& keys, TSortOrder order, TCarry carry) {
  if (order == TSortOrder::Ascending) Sort(keys, [](double a, double b) { return a < b; }, carry);
  else Sort(keys, [](double a, double b) { return a > b; }, carry);
}

}  // namespace

void ExchangeSort(std::vector<double>& values, TSortOrder order) {
  SortBy(values, order, [](std::size_t, std::size_t) {});
}

std::vector<std::size_t> ExchangeSortOrder(std::vector<double> keys, TSortOrder order) {
  std::vector<std::size_t> permutation(keys.size());
  std::iota(permutation.begin(), permutation.end(), std::size_t{0});
  SortBy(keys, order, [&permutation](std::size_t i, std::size_t j) { std::swap(permutation[i], permutation[j]); });
  return permutation;
}

}  // namespace kav::harvest
