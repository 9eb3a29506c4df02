// Whole-table commands: selection, sort, duplicates, row and column deletion, blank row.
#include <gtest/gtest.h>

#include "partslist/GridRows.h"
#include "tests/native/partslist/GridText.h"
#include "tests/support/Fakes.h"

namespace kav::partslist {
namespace {

using test::Fill;
using test::Header;
using test::Rows;
using test::TTable;
using ui::TGridRect;

TEST(GridSelection, AllDataCellsAndHeaderColumn) {
  ui::TStringGrid grid("StringGrid2");
  Fill(grid, {{"a", "b", "c"}, {"d", "e", "f"}});
  SelectAllData(grid);
  EXPECT_EQ(grid.Selection(), (TGridRect{0, 1, 2, 2}));
  SelectDataColumn(grid, 2);
  EXPECT_EQ(grid.Selection(), (TGridRect{2, 1, 2, 2}));
  SelectDataColumn(grid, 7);   // outside: nothing
  EXPECT_EQ(grid.Selection(), (TGridRect{2, 1, 2, 2}));
}

TEST(GridSort, RowsMoveWholeByTheColumnIgnoringCase) {
  kav::test::TFakePlatform platform;
  ui::TStringGrid grid("StringGrid2");
  Fill(grid, {{"1", "b"}, {"2", "A"}, {"3", "a"}, {"4", "C"}});
  grid.SetCell(0, 0, "1");
  SortGridByColumn(grid, 1, *platform.Collation);
  // Rows equal apart from case keep the order they had.
  EXPECT_EQ(Rows(grid), (TTable{{"2", "A"}, {"3", "a"}, {"1", "b"}, {"4", "C"}}));
  EXPECT_EQ(grid.Cell(0, 0), "1");   // the header stays
  Fill(grid, {{"1", "b"}, {"2", "a"}, {"3", "A"}});
  SortGridByColumn(grid, 1, *platform.Collation);
  EXPECT_EQ(Rows(grid), (TTable{{"2", "a"}, {"3", "A"}, {"1", "b"}}));
}

TEST(GridSort, AGreatManyEqualTextsKeepTheirOrder) {
  // Enough rows that a sort which only happens to keep the order of a few would show itself.
  kav::test::TFakePlatform platform;
  ui::TStringGrid grid("StringGrid1");
  const char* const keys[] = {"c", "B", "a", "C", "b", "A"};
  TTable table;
  for (int i = 0; i < 300; ++i) table.push_back({std::to_string(i), keys[i % 6]});
  Fill(grid, table);
  SortGridByColumn(grid, 1, *platform.Collation);
  const TTable rows = Rows(grid);
  ASSERT_EQ(rows.size(), table.size());
  const auto folded = [](const std::string& key) { return static_cast<char>(key[0] | 0x20); };
  for (std::size_t r = 0; r < rows.size(); ++r) ASSERT_EQ(rows[r][1], keys[std::stoi(rows[r][0]) % 6]);
  for (std::size_t r = 1; r < rows.size(); ++r) {
    const char before = folded(rows[r - 1][1]), here = folded(rows[r][1]);
    ASSERT_LE(before, here) << "row " << r;
    if (before == here) {
      ASSERT_LT(std::stoi(rows[r - 1][0]), std::stoi(rows[r][0])) << "row " << r;
    }
  }
}

TEST(GridDuplicates, KeepsTheFirstOfEachAndTrimsEverything) {
  ui::TStringGrid grid("StringGrid2");
  Fill(grid, {{"A"}, {"B"}, {" A "}, {""}, {" "}, {"B"}});
  EXPECT_EQ(RemoveDuplicateRows(grid), 3);
  EXPECT_EQ(Rows(grid), (TTable{{"A"}, {"B"}, {""}}));
  EXPECT_EQ(DuplicatesMessage(3), "重複データ 3 を削除しました。");
  Fill(grid, {{" x ", "y"}, {"x", "z"}});
  EXPECT_EQ(RemoveDuplicateRows(grid), 0);
  EXPECT_EQ(Rows(grid), (TTable{{"x", "y"}, {"x", "z"}}));
  EXPECT_EQ(DuplicatesMessage(0), "重複データはありません。");
}

TEST(GridDuplicates, CellsWithQuotesAndTabsSurviveWhole) {
  ui::TStringGrid grid("StringGrid2");
  // Joined with TAB these two rows would read alike; cell by cell they differ.
  Fill(grid, {{"a\tb", "c"}, {"a", "b\tc"}, {"\"open", "x"}});
  EXPECT_EQ(RemoveDuplicateRows(grid), 0);
  EXPECT_EQ(Rows(grid), (TTable{{"a\tb", "c"}, {"a", "b\tc"}, {"\"open", "x"}}));
  grid.TextWidth = [](std::string_view s) { return static_cast<int>(s.size()) * 10; };
  Fill(grid, {{"wide-cell-text"}, {"wide-cell-text"}});
  RemoveDuplicateRows(grid);
  EXPECT_EQ(grid.ColWidth(0), 170);
}

TEST(GridDeletion, CurrentRowAndColumnKeepAtLeastOne) {
  ui::TStringGrid grid("StringGrid2");
  Fill(grid, {{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}});
  for (int c = 0; c < 3; ++c) grid.SetCell(c, 0, std::to_string(c + 1));
  grid.SetColWidth(2, 99);
  grid.SetSelection({1, 2, 1, 2});
  DeleteCurrentRow(grid);
  EXPECT_EQ(Rows(grid), (TTable{{"a", "b", "c"}, {"g", "h", "i"}}));
  DeleteCurrentColumn(grid);
  EXPECT_EQ(Rows(grid), (TTable{{"a", "c"}, {"g", "i"}}));
  EXPECT_EQ(Header(grid), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(grid.ColWidth(1), grid.DefaultColWidth);   // widths stay with their positions
  grid.SetSelection({0, 1, 0, 1});
  DeleteCurrentRow(grid);
  DeleteCurrentRow(grid);   // one data row left: nothing
  EXPECT_EQ(Rows(grid), (TTable{{"g", "i"}}));
  DeleteCurrentColumn(grid);
  DeleteCurrentColumn(grid);
  EXPECT_EQ(Rows(grid), (TTable{{"i"}}));
}

TEST(GridBlankRow, AddsOneRowAndMakesItCurrent) {
  ui::TStringGrid grid("StringGrid1");
  Fill(grid, {{"a"}, {"b"}});
  int clicks = 0;
  grid.OnClick = [&] { ++clicks; };
  AddBlankLastRow(grid);
  EXPECT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(grid.Row(), 3);
  EXPECT_EQ(grid.Cell(0, 3), "");
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace kav::partslist
