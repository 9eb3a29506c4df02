// The table building without a CAD: which segments are borders, how close borders merge, the
// ruled fill, the clustering of texts by their anchors, which of two texts keeps a cell, the
// column widths, and the grid's one repaint.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "harvest/TableBuild.h"
#include "tests/native/partslist/GridText.h"

namespace kav::harvest {
namespace {

using partslist::test::Header;
using partslist::test::Rows;
using partslist::test::TTable;
using Doubles = std::vector<double>;
using Strings = std::vector<std::string>;

TTxgLine Line(double x1, double y1, double x2, double y2) { return {{x1, y1, 0}, {x2, y2, 0}}; }
TTxgText Text(const std::string& s, double x, double y, double height = 2.5) {
  TTxgText t;
  t.base = {x, y, 0};
  t.sText = s;
  t.txtH = height;
  return t;
}

// A rectangle from (0, 0) to (20, 10) with one inner horizontal line at y = 5 and one inner
// vertical at x = 12: two rows and two columns.
std::vector<TTxgLine> TwoByTwo() {
  return {Line(0, 0, 20, 0), Line(20, 0, 20, 10), Line(20, 10, 0, 10), Line(0, 10, 0, 0), Line(0, 5, 20, 5),
          Line(12, 0, 12, 10)};
}

class TableBuildTest : public ::testing::Test {
 protected:
  THarvestArrays a;
  ui::TStringGrid grid{"StringGrid2"};
  int notifications = 0;
  void SetUp() override { grid.OnModelChange = [this](ui::TAspect) { ++notifications; }; }
};

TEST_F(TableBuildTest, VerticalHorizontalAndObliqueSegments) {
  a.TxgLines = {Line(0, 0, 0.3, 10), Line(0, 0, 10, 0.6), Line(5, 1, 15, 1.49), Line(7, 7, 7.2, 7.1),
                Line(3, 0, 3.5, 10), Line(-2, 4, -2, -4)};
  CollectTableBorders(a, kBorderTolerance);
  // The start point's coordinate is the border; a segment short both ways is vertical; 0.5
  // apart is already oblique.
  EXPECT_EQ(a.TxgColBorders, (Doubles{0, 7, -2}));
  EXPECT_EQ(a.TxgRowBorders, (Doubles{1}));
  // Collecting again starts afresh.
  a.TxgLines = {Line(1, 1, 1, 2)};
  CollectTableBorders(a, kBorderTolerance);
  EXPECT_EQ(a.TxgColBorders, (Doubles{1}));
  EXPECT_TRUE(a.TxgRowBorders.empty());
}

TEST_F(TableBuildTest, BordersHalfAUnitApartMergeIntoTheFirstAndAreComparedWithTheLastKept) {
  a.TxgColBorders = {10.5, 10, 20, 20.51};
  a.TxgRowBorders = {0, 9.5, 10, -0.51};
  MergeTableBorders(a, kBorderTolerance);
  EXPECT_EQ(a.TxgColBorders, (Doubles{10, 20, 20.51}));   // 0.5 apart: one, the smaller x
  EXPECT_EQ(a.TxgRowBorders, (Doubles{10, 0, -0.51}));    // rows from the top: the larger y
  // A run of borders each 0.4 from its neighbour: compared with the last kept value, every
  // other one survives; compared with the neighbour, only the first would.
  a.TxgColBorders = {1.2, 0.8, 0.4, 0, 1.6};
  a.TxgRowBorders = {7};
  MergeTableBorders(a, kBorderTolerance);
  EXPECT_EQ(a.TxgColBorders, (Doubles{0, 0.8, 1.6}));
  EXPECT_EQ(a.TxgRowBorders, (Doubles{7}));
}

TEST_F(TableBuildTest, ARectangleWithInnerLinesGivesTwoRowsAndTwoColumns) {
  a.TxgLines = TwoByTwo();
  a.TxgTexts = {Text("右下", 15, 2), Text("左上", 1, 7), Text("右上", 13, 9), Text("左下", 0.5, 0.5)};
  grid.SetColCount(7);
  grid.SetRowCount(9);
  grid.SetCell(6, 8, "old");
  notifications = 0;
  const TBuildOutcome outcome = BuildTable(a, grid);
  EXPECT_EQ(outcome.Result, TBuildResult::Ruled);
  EXPECT_EQ(a.TxgColBorders, (Doubles{0, 12, 20}));
  EXPECT_EQ(a.TxgRowBorders, (Doubles{10, 5, 0}));
  EXPECT_EQ(Header(grid), (Strings{"1", "2"}));
  EXPECT_EQ(Rows(grid), (TTable{{"左上", "右上"}, {"左下", "右下"}}));
  EXPECT_EQ(notifications, 1);   // one repaint for the whole table
}

TEST_F(TableBuildTest, TextsOnABorderOrOutsideAreLeftOutAndTheLaterOfTwoInACellStays) {
  a.TxgLines = TwoByTwo();
  a.TxgTexts = {Text("first", 3, 7), Text("on x", 12, 7), Text("on y", 3, 5), Text("outside", 25, 7),
                Text("below", 3, -1), Text("second", 4, 8), Text("   ", 15, 2)};
  BuildTable(a, grid);
  // A blank TEXT is written by the ruled fill as it was read.
  EXPECT_EQ(Rows(grid), (TTable{{"second", ""}, {"", "   "}}));
}

TEST_F(TableBuildTest, ColumnsWidenToTheTextAndAAAAndNeverNarrow) {
  grid.TextWidth = [](std::string_view s) { return static_cast<int>(s.size()) * 10; };
  grid.SetColCount(2);
  grid.SetColWidth(1, 500);
  a.TxgLines = TwoByTwo();
  a.TxgTexts = {Text("abcdefghij", 1, 7), Text("ab", 1, 2), Text("x", 13, 7)};
  BuildTable(a, grid);
  EXPECT_EQ(grid.ColWidth(0), 130);   // "abcdefghijAAA"
  EXPECT_EQ(grid.ColWidth(1), 500);   // wider already
  // A second table keeps the widths the first one made.
  a.TxgTexts = {Text("a", 1, 7)};
  BuildTable(a, grid);
  EXPECT_EQ(grid.ColWidth(0), 130);
}

TEST_F(TableBuildTest, LinesWithoutTextsOnlyNumberTheHeader) {
  partslist::test::Fill(grid, {{"keep", "these"}, {"cells", "as", "they are"}});
  a.TxgLines = TwoByTwo();
  EXPECT_EQ(BuildTable(a, grid).Result, TBuildResult::Ruled);
  EXPECT_EQ(Header(grid), (Strings{"1", "2", "3"}));
  EXPECT_EQ(Rows(grid), (TTable{{"keep", "these", ""}, {"cells", "as", "they are"}}));

  // Too few borders and no text: nothing at all changes.
  a.TxgLines = {Line(0, 0, 0, 10), Line(5, 0, 5, 10), Line(0, 0, 5, 0)};
  grid.SetCell(0, 0, "h");
  notifications = 0;
  EXPECT_EQ(BuildTable(a, grid).Result, TBuildResult::Untouched);
  EXPECT_EQ(grid.Cell(0, 0), "h");
  EXPECT_EQ(notifications, 0);
}

TEST_F(TableBuildTest, BordersThatMergeBelowTwoLeaveTheCellsAlone) {
  // Two vertical lines 0.3 apart collect as two borders but merge into one: the ruled fill
  // has no column band and leaves the cells; the header is numbered all the same.
  partslist::test::Fill(grid, {{"a", "b"}});
  a.TxgLines = {Line(0, 0, 0, 10), Line(0.3, 0, 0.3, 10), Line(0, 0, 5, 0), Line(0, 10, 5, 10)};
  a.TxgTexts = {Text("x", 0.1, 5)};
  BuildTable(a, grid);
  EXPECT_EQ(Rows(grid), (TTable{{"a", "b"}}));
  EXPECT_EQ(Header(grid), (Strings{"1", "2"}));
}

TEST_F(TableBuildTest, ClusteringComparesWithTheColumnsAnchorAndJoinsAtTheTolerance) {
  // Smallest height 3: x = 0 and 2.5 share column 0, 4 opens column 1.
  a.TxgTexts = {Text("c", 4, 0, 3), Text("a", 0, 0, 5), Text("b", 2.5, -10, 3)};
  BuildTable(a, grid);
  EXPECT_EQ(Rows(grid), (TTable{{"a", "c"}, {"b", ""}}));
  // A distance equal to the tolerance joins.
  a.TxgTexts = {Text("a", 0, 0, 3), Text("b", 3, 10, 3)};
  BuildTable(a, grid);
  EXPECT_EQ(Rows(grid), (TTable{{"b"}, {"a"}}));
  // 0, 2, 4, 6 with tolerance 3: {0, 2} and {4, 6}, though each is 2 from its neighbour.
  a.TxgTexts = {Text("6", 6, 0, 3), Text("2", 2, 0, 3), Text("4", 4, -20, 3), Text("0", 0, -20, 3)};
  BuildTable(a, grid);
  EXPECT_EQ(Rows(grid), (TTable{{"2", "6"}, {"0", "4"}}));
  EXPECT_EQ(Header(grid), (Strings{"1", "2"}));
}

TEST_F(TableBuildTest, RowsGoFromTheTopWithTheSameAnchorRule) {
  a.TxgTexts = {Text("low", 0, 0, 2), Text("top", 0, 10, 2), Text("mid", 0, 8, 2), Text("mid2", 5, 6.5, 2)};
  BuildTable(a, grid);
  // 10 opens row 0; 8 joins it (2 below the anchor); 6.5 opens row 1; 0 opens row 2.
  EXPECT_EQ(Rows(grid), (TTable{{"mid", ""}, {"", "mid2"}, {"low", ""}}));
}

TEST_F(TableBuildTest, OneTextAndBlankTextsInTheClustering) {
  partslist::test::Fill(grid, {{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}});
  a.TxgTexts = {Text("ひとつ", 100, 200)};
  EXPECT_EQ(BuildTable(a, grid).Result, TBuildResult::Clustered);
  EXPECT_EQ(grid.ColCount(), 1);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(Rows(grid, 0), (TTable{{"1"}, {"ひとつ"}}));

  // A blank text takes its place in the clustering but writes nothing; others stay untrimmed.
  a.TxgTexts = {Text(" \t ", 0, 0), Text(" x ", 10, 0), Text("", 0, -10)};
  BuildTable(a, grid);
  EXPECT_EQ(Rows(grid), (TTable{{"", " x "}, {"", ""}}));
}

TEST_F(TableBuildTest, NoPositiveHeightLeavesTheGridAlone) {
  partslist::test::Fill(grid, {{"a"}});
  notifications = 0;
  a.TxgTexts = {Text("x", 0, 0, 2), Text("y", 10, 0, 0)};
  EXPECT_EQ(BuildTable(a, grid).Result, TBuildResult::Untouched);
  a.TxgTexts = {Text("x", 0, 0, std::numeric_limits<double>::quiet_NaN()), Text("y", 10, 0, 1)};
  EXPECT_EQ(BuildTable(a, grid).Result, TBuildResult::Untouched);
  a.TxgTexts.clear();
  EXPECT_DOUBLE_EQ(MinTextHeight(a), 0);
  EXPECT_EQ(BuildTable(a, grid).Result, TBuildResult::Untouched);
  EXPECT_EQ(Rows(grid, 0), (TTable{{""}, {"a"}}));
  EXPECT_EQ(notifications, 0);
}

// Which of two texts in one cell stays is decided by the exchange sort, which is not stable.
// Selection order A (1, 0), B (1, 0), C (0, 0), tolerance 0.5. Sorting by x: C is smaller than
// A and changes place with it, giving C, B, A. A and B share column 1, and all share row 0,
// which the sort by y leaves in this order: A is written last and stays. A stable sort would
// give C, A, B and leave B.
TEST_F(TableBuildTest, TheExchangeSortsOrderDecidesWhichTextStaysInAClusteredCell) {
  a.TxgTexts = {Text("A", 1, 0, 0.5), Text("B", 1, 0, 0.5), Text("C", 0, 0, 0.5)};
  BuildTable(a, grid);
  EXPECT_EQ(Rows(grid), (TTable{{"C", "A"}}));
  ClusterTexts(a, 0.5);
  ASSERT_EQ(a.TxgTexts.size(), 3u);
  EXPECT_EQ(a.TxgTexts[0].sText + a.TxgTexts[1].sText + a.TxgTexts[2].sText, "CBA");
  EXPECT_EQ(a.TxgTexts[2].xidx, 1);
  EXPECT_EQ(a.TxgTexts[2].yidx, 0);
}

TEST_F(TableBuildTest, AnEmptySelectionsRebuildGivesTheSameTable) {
  a.TxgLines = TwoByTwo();
  a.TxgTexts = {Text("1", 1, 7), Text("2", 13, 7), Text("3", 1, 2), Text("4", 13, 2)};
  BuildTable(a, grid);
  const TTable first = Rows(grid, 0);
  partslist::test::Fill(grid, {{"edited"}});
  BuildTable(a, grid);
  EXPECT_EQ(Rows(grid, 0), first);

  a.TxgLines.clear();
  a.TxgTexts = {Text("p", 0, 10), Text("q", 30, 10), Text("r", 0, 0), Text("s", 30, 0)};
  BuildTable(a, grid);
  const TTable clustered = Rows(grid, 0);
  EXPECT_EQ(clustered, (TTable{{"1", "2"}, {"p", "q"}, {"r", "s"}}));
  partslist::test::Fill(grid, {{"edited"}});
  BuildTable(a, grid);
  EXPECT_EQ(Rows(grid, 0), clustered);

  // Two texts stacked on one point (A and D): the first build leaves D, the later of the two
  // in the selection, in the cell; so must the second. Had the first build left the texts in
  // its sorted order, the second would meet them as C, A, D, B and leave A.
  a.TxgTexts = {Text("A", 5, 5, 1.5), Text("B", 1, 1, 1.5), Text("C", 2, 5, 1.5), Text("D", 5, 5, 1.5)};
  BuildTable(a, grid);
  const TTable stacked = Rows(grid, 0);
  EXPECT_EQ(stacked, (TTable{{"1", "2"}, {"C", "D"}, {"B", ""}}));
  BuildTable(a, grid);
  EXPECT_EQ(Rows(grid, 0), stacked);
}

TEST_F(TableBuildTest, ATableTooLargeForTheGridIsRefusedAndTheGridKept) {
  // Texts along a diagonal: each one its own row and column.
  for (int i = 0; i < 1500; ++i) a.TxgTexts.push_back(Text(std::to_string(i), i * 10.0, -i * 10.0, 2));
  partslist::test::Fill(grid, {{"kept"}});
  notifications = 0;
  const TBuildOutcome outcome = BuildTable(a, grid);
  EXPECT_EQ(outcome.Result, TBuildResult::TooLarge);
  EXPECT_EQ(outcome.Rows, 1500);
  EXPECT_EQ(outcome.Columns, 1500);
  EXPECT_EQ(Rows(grid), (TTable{{"kept"}}));
  EXPECT_EQ(notifications, 0);

  // The same in a ruled table of 1,200 by 1,700 bands.
  THarvestArrays ruled;
  for (int i = 0; i <= 1200; ++i) ruled.TxgLines.push_back(Line(0, i, 2000, i));
  for (int i = 0; i <= 1700; ++i) ruled.TxgLines.push_back(Line(i, 0, i, 1200));
  ruled.TxgTexts = {Text("x", 0.5, 0.5)};
  const TBuildOutcome refused = BuildTable(ruled, grid);
  EXPECT_EQ(refused.Result, TBuildResult::TooLarge);
  EXPECT_EQ(refused.Rows, 1200);
  EXPECT_EQ(refused.Columns, 1700);
  EXPECT_EQ(Rows(grid), (TTable{{"kept"}}));
}

TEST_F(TableBuildTest, NotANumberAnywhereNeitherCrashesNorPlacesATextAtRandom) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  a.TxgLines = TwoByTwo();
  a.TxgLines.push_back(Line(nan, 0, nan, 10));
  a.TxgLines.push_back(Line(0, inf, 20, inf));
  a.TxgTexts = {Text("nan", nan, 7), Text("ok", 1, 7), Text("inf", 1, -inf)};
  BuildTable(a, grid);
  EXPECT_EQ(Rows(grid), (TTable{{"ok", ""}, {"", ""}}));

  a.TxgLines.clear();
  a.TxgTexts = {Text("a", 0, 0, 1), Text("b", nan, 0, 1), Text("c", 5, nan, 1)};
  EXPECT_EQ(BuildTable(a, grid).Result, TBuildResult::Clustered);
  EXPECT_LE(grid.ColCount() * grid.RowCount(), 3 * 4);
}

}  // namespace
}  // namespace kav::harvest
