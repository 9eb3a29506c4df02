// The exchange sort on packed keys must leave records exactly where the plain exchange sort,
// swapping the records themselves, leaves them: ties included, since the order of equal keys
// decides which text keeps a cell.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <utility>

#include "harvest/ExchangeSort.h"

namespace kav::harvest {
namespace {

struct TRecord {
  double Key;
  int Id;
};

// The sort as written down: whole records swapped in place.
void PlainExchangeSort(std::vector<TRecord>& records, TSortOrder order) {
  for (std::size_t i = 0; i + 1 < records.size(); ++i)
    for (std::size_t j = i + 1; j < records.size(); ++j) {
      const bool before = order == TSortOrder::Ascending ? records[j].Key < records[i].Key : records[j].Key > records[i].Key;
      if (before) std::swap(records[i], records[j]);
    }
}

std::vector<int> Ids(const std::vector<TRecord>& records) {
  std::vector<int> ids;
  for (const auto& r : records) ids.push_back(r.Id);
  return ids;
}

TEST(ExchangeSort, EqualKeysEndWhereThePlainSortLeavesThem) {
  std::mt19937 random(20240611);
  for (const TSortOrder order : {TSortOrder::Ascending, TSortOrder::Descending}) {
    for (int round = 0; round < 300; ++round) {
      // Few distinct keys, so that most of them tie.
      const int n = static_cast<int>(random() % 60);
      const int distinct = 1 + static_cast<int>(random() % 6);
      std::vector<TRecord> records;
      std::vector<double> keys;
      for (int i = 0; i < n; ++i) {
        records.push_back({static_cast<double>(random() % static_cast<unsigned>(distinct)), i});
        keys.push_back(records.back().Key);
      }
      std::vector<TRecord> moved = records;
      ApplyOrder(moved, ExchangeSortOrder(keys, order));
      PlainExchangeSort(records, order);
      ASSERT_EQ(Ids(moved), Ids(records)) << "round " << round;
      ExchangeSort(keys, order);
      for (int i = 0; i < n; ++i) ASSERT_EQ(keys[static_cast<std::size_t>(i)], records[static_cast<std::size_t>(i)].Key);
    }
  }
}

TEST(ExchangeSort, ItIsNotStable) {
  // 1a, 1b, 0: the 0 changes place with 1a, which so passes 1b.
  EXPECT_EQ(ExchangeSortOrder({1, 1, 0}, TSortOrder::Ascending), (std::vector<std::size_t>{2, 1, 0}));
  EXPECT_EQ(ExchangeSortOrder({0, 0, 1}, TSortOrder::Descending), (std::vector<std::size_t>{2, 1, 0}));
  EXPECT_TRUE(ExchangeSortOrder({}, TSortOrder::Ascending).empty());
}

TEST(ExchangeSort, ANotANumberStaysInItsPlaceAndTheRestIsSortedAroundIt) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<double> values{3, nan, 1, 2, nan, 0};
  ExchangeSort(values, TSortOrder::Ascending);
  ASSERT_EQ(values.size(), 6u);
  EXPECT_EQ(values[0], 0);
  EXPECT_TRUE(std::isnan(values[1]));
  EXPECT_EQ(values[2], 1);
  EXPECT_EQ(values[3], 2);
  EXPECT_TRUE(std::isnan(values[4]));
  EXPECT_EQ(values[5], 3);
}

}  // namespace
}  // namespace kav::harvest
