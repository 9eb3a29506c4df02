// Cell undo and the keyboard commands of both grids.
#include <gtest/gtest.h>

#include "partslist/ClipboardTable.h"
#include "partslist/GridKeys.h"
#include "partslist/UndoCells.h"
#include "tests/native/partslist/GridText.h"
#include "tests/support/Fakes.h"

namespace kav::partslist {
namespace {

using test::Fill;
using test::Rows;
using test::TTable;
using ui::TGridRect;
namespace vk = ui::vk;

TEST(UndoStack, LevelsCountPerGridAndUndoTakesTheNewestOfThatGrid) {
  ui::TStringGrid a("A"), b("B");
  Fill(a, {{"a1", "a2"}});
  Fill(b, {{"b1"}});
  TUndoCells stack;
  EXPECT_EQ(stack.Add(a, 0, 1).UndoLevel(), 0);
  EXPECT_EQ(stack.Add(b, 0, 1).UndoLevel(), 0);
  const TUndoCell& second = stack.Add(a, 1, 1);
  EXPECT_EQ(second.UndoLevel(), 1);
  EXPECT_EQ(second.Text(), "a2");
  EXPECT_EQ(second.Grid(), &a);
  EXPECT_EQ(stack.Count(), 3);
  a.SetCell(0, 1, "x");
  a.SetCell(1, 1, "y");
  b.SetCell(0, 1, "z");
  stack.Undo(a);
  EXPECT_EQ(Rows(a), (TTable{{"x", "a2"}}));
  EXPECT_EQ(a.Col(), 1);
  EXPECT_EQ(a.Row(), 1);
  stack.Undo(a);
  stack.Undo(a);   // nothing left for a
  EXPECT_EQ(Rows(a), (TTable{{"a1", "a2"}}));
  EXPECT_EQ(Rows(b), (TTable{{"z"}}));
  EXPECT_EQ(stack.Count(), 1);
  EXPECT_EQ(stack.GetItem(0).Grid(), &b);
  EXPECT_THROW(stack.GetItem(1), std::out_of_range);
  EXPECT_THROW(stack.GetItem(-1), std::out_of_range);
}

TEST(UndoStack, ALimitDropsTheGridsOldestAndRenumbers) {
  ui::TStringGrid a("A"), b("B");
  TUndoCells stack;
  stack.SetUndoLevels(2);
  stack.Add(b, 0, 1);
  for (int c = 0; c < 4; ++c) {
    a.SetCell(c, 1, "v" + std::to_string(c));
    stack.Add(a, c, 1);
  }
  // a keeps its two newest records, numbered 0 and 1; b is untouched.
  ASSERT_EQ(stack.Count(), 3);
  EXPECT_EQ(stack.GetItem(0).Grid(), &b);
  EXPECT_EQ(stack.GetItem(1).Text(), "v2");
  EXPECT_EQ(stack.GetItem(1).UndoLevel(), 0);
  EXPECT_EQ(stack.GetItem(2).Text(), "v3");
  EXPECT_EQ(stack.GetItem(2).UndoLevel(), 1);
}

TEST(UndoStack, RecordsOutsideAShrunkGridAreConsumedWithoutHarm) {
  ui::TStringGrid grid("G");
  Fill(grid, {{"a", "b", "c"}, {"d", "e", "f"}});
  TUndoCells stack;
  stack.Add(grid, 0, 1);
  stack.Add(grid, 2, 2);
  grid.SetCell(0, 1, "changed");
  grid.SetRowCount(2);
  grid.SetColCount(1);
  grid.SetCol(0);
  stack.Undo(grid);   // (2, 2) is gone
  EXPECT_EQ(stack.Count(), 1);
  EXPECT_EQ(grid.Cell(0, 1), "changed");
  stack.Undo(grid);
  EXPECT_EQ(grid.Cell(0, 1), "a");
  EXPECT_EQ(stack.Count(), 0);
}

class GridKeysTest : public ::testing::Test {
 protected:
  ui::TStringGrid grid{"StringGrid2"};
  TUndoCells stack;
  int count = 0;
  TGridRect rect;
  kav::test::TFakePlatform platform;

  void SetUp() override {
    Fill(grid, {{"a", "b", "c", "d"}, {"e", "f", "g", "h"}, {"i", "j", "k", "l"}});
    for (int c = 0; c < grid.ColCount(); ++c) grid.SetCell(c, 0, std::to_string(c + 1));
  }
  ui::TKey Press(ui::TKey key, ui::TShiftState shift = ui::ssCtrl) {
    GridKeyDown(grid, key, shift, {&stack, count, rect}, platform.Clipboard, platform.Desktop);
    return key;
  }
};

TEST_F(GridKeysTest, DeleteClearsARangeAndUndoBringsItBackWithItsSelection) {
  grid.SetSelection({1, 1, 2, 2});
  EXPECT_EQ(Press(vk::Delete, 0), 0);
  EXPECT_EQ(Rows(grid), (TTable{{"a", "", "", "d"}, {"e", "", "", "h"}, {"i", "j", "k", "l"}}));
  EXPECT_EQ(count, 4);
  grid.SetSelection({0, 3, 0, 3});
  EXPECT_EQ(Press(vk::Letter('Z')), 0);
  EXPECT_EQ(Rows(grid), (TTable{{"a", "b", "c", "d"}, {"e", "f", "g", "h"}, {"i", "j", "k", "l"}}));
  EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 2, 2}));
  EXPECT_EQ(count, 0);
  // Ctrl+Delete clears too: modifiers do not matter.
  EXPECT_EQ(Press(vk::Delete, ui::ssCtrl | ui::ssShift), 0);
  EXPECT_EQ(grid.Cell(1, 1), "");
}

TEST_F(GridKeysTest, DeleteOnASingleCellIsLeftToTheGrid) {
  grid.SetSelection({1, 1, 1, 1});
  EXPECT_EQ(Press(vk::Delete, 0), vk::Delete);
  EXPECT_EQ(grid.Cell(1, 1), "b");
  EXPECT_EQ(stack.Count(), 0);
}

TEST_F(GridKeysTest, CopyAndPasteGiveTheSameBlockElsewhere) {
  grid.SetSelection({0, 1, 2, 2});
  EXPECT_EQ(Press(vk::Letter('C'), ui::ssCtrl | ui::ssShift), 0);
  EXPECT_EQ(platform.Clipboard.Text, "a\tb\tc\r\ne\tf\tg\r\n");
  EXPECT_EQ(rect, (TGridRect{0, 1, 2, 2}));
  EXPECT_EQ(stack.Count(), 0);
  grid.SetSelection({1, 3, 1, 3});
  Press(vk::Letter('V'));
  EXPECT_EQ(grid.RowCount(), 6);   // one empty row after the block
  EXPECT_EQ(Rows(grid), (TTable{{"a", "b", "c", "d"}, {"e", "f", "g", "h"}, {"i", "a", "b", "c"},
                                {"", "e", "f", "g"}, {"", "", "", ""}}));
  EXPECT_EQ(count, 6);
  Press(vk::Letter('Z'));
  EXPECT_EQ(Rows(grid).at(2), (std::vector<std::string>{"i", "j", "k", "l"}));
  EXPECT_EQ(Rows(grid).at(3), (std::vector<std::string>{"", "", "", ""}));
  // The second undo only restores the saved selection.
  grid.SetCell(0, 1, "kept");
  grid.SetSelection({0, 1, 0, 1});
  Press(vk::Letter('Z'));
  EXPECT_EQ(grid.Cell(0, 1), "kept");
  EXPECT_EQ(grid.Selection(), (TGridRect{1, 3, 1, 3}));
}

TEST_F(GridKeysTest, PasteGrowsColumnsNumbersNewHeadersAndWidens) {
  grid.SetColCount(5);
  grid.SetCell(4, 0, "5");
  platform.Clipboard.Text = "x\ty\ta-rather-long-field\r\np\tq\tr\r\n";
  grid.SetSelection({3, 1, 3, 1});
  Press(vk::Letter('V'));
  EXPECT_EQ(grid.ColCount(), 6);   // 3 + 3
  EXPECT_EQ(test::Header(grid), (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
  EXPECT_EQ(grid.Cell(5, 1), "a-rather-long-field");
  EXPECT_EQ(grid.ColWidth(5), grid.MeasureText("a-rather-long-fieldAAA"));
  EXPECT_EQ(grid.ColWidth(3), grid.DefaultColWidth);
  // Pasting onto a selection of ten rows with one line changes one row only.
  grid.SetRowCount(12);
  platform.Clipboard.Text = " one ";
  grid.SetSelection({0, 1, 0, 10});
  Press(vk::Letter('V'));
  EXPECT_EQ(grid.Cell(0, 1), " one ");   // untrimmed
  EXPECT_EQ(grid.Cell(0, 2), "e");
  EXPECT_EQ(count, 1);
}

TEST_F(GridKeysTest, PasteAtTheLastRowLeavesOneEmptyRowAfterTheBlock) {
  grid.SetRowCount(4);
  platform.Clipboard.Text = "1\r\n2\r\n";
  grid.SetSelection({0, 3, 0, 3});
  Press(vk::Letter('V'));
  EXPECT_EQ(grid.RowCount(), 6);
  EXPECT_EQ(grid.Cell(0, 4), "2");
  EXPECT_EQ(grid.Cell(0, 5), "");
}

TEST_F(GridKeysTest, PasteWithoutTextPastesNothing) {
  grid.SetSelection({0, 1, 1, 1});
  Press(vk::Delete, 0);
  EXPECT_EQ(count, 2);
  platform.Clipboard.Text.reset();
  Press(vk::Letter('V'));
  EXPECT_EQ(count, 0);
  EXPECT_EQ(grid.RowCount(), 4);
}

TEST_F(GridKeysTest, CutClearsEvenWhenTheClipboardStaysBusy) {
  platform.Clipboard.BusyAttempts = 2;
  grid.SetSelection({0, 1, 1, 1});
  EXPECT_EQ(Press(vk::Letter('X')), 0);
  EXPECT_EQ(platform.Clipboard.SetAttempts, 2);   // one retry
  EXPECT_FALSE(platform.Clipboard.Text.has_value());
  EXPECT_EQ(grid.Cell(0, 1), "");
  EXPECT_EQ(count, 2);
  EXPECT_TRUE(platform.Messages.Shown.empty());
  Press(vk::Letter('Z'));
  EXPECT_EQ(grid.Cell(1, 1), "b");
}

TEST_F(GridKeysTest, UndoTakesBackTheNewestRecordsWhicheverCommandMadeThem) {
  grid.SetSelection({0, 1, 2, 1});
  Press(vk::Delete, 0);            // 3 cells
  grid.SetSelection({3, 2, 3, 2});
  stack.Add(grid, 3, 2);           // an in-place edit of another cell
  grid.SetCell(3, 2, "edited");
  Press(vk::Letter('Z'));
  EXPECT_EQ(grid.Cell(3, 2), "h");
  EXPECT_EQ(Rows(grid).at(0), (std::vector<std::string>{"", "b", "c", "d"}));
}

TEST_F(GridKeysTest, SelectAllAndKeysThatAreNotCommands) {
  EXPECT_EQ(Press(vk::Letter('A')), 0);
  EXPECT_EQ(grid.Selection(), (TGridRect{0, 1, 3, 3}));
  EXPECT_EQ(Press(vk::Letter('C'), 0), vk::Letter('C'));              // no Ctrl
  EXPECT_EQ(Press(vk::Letter('V'), ui::ssAlt), vk::Letter('V'));
  EXPECT_EQ(Press(vk::Down), vk::Down);
  EXPECT_EQ(stack.Count(), 0);
}

TEST_F(GridKeysTest, UndoBeforeAnyEditAndAfterRowsWentAwayNeverCrashes) {
  Press(vk::Letter('Z'));
  EXPECT_EQ(grid.Selection(), (TGridRect{0, 1, 0, 1}));
  grid.SetSelection({0, 1, 3, 3});
  Press(vk::Delete, 0);
  grid.SetRowCount(2);
  grid.SetColCount(2);
  Press(vk::Letter('Z'));
  EXPECT_EQ(Rows(grid), (TTable{{"a", "b"}}));
  EXPECT_EQ(stack.Count(), 0);
  EXPECT_EQ(grid.Selection(), (TGridRect{0, 1, 1, 1}));
}

TEST_F(GridKeysTest, WithoutAStackNothingIsRecordedOrChanged) {
  grid.SetSelection({0, 1, 1, 1});
  ui::TKey key = vk::Delete;
  GridKeyDown(grid, key, 0, {nullptr, count, rect}, platform.Clipboard, platform.Desktop);
  EXPECT_EQ(grid.Cell(0, 1), "a");
}

TEST(ClipboardTables, SizeAndFieldsFollowTheSplittingRule) {
  EXPECT_EQ(ClipboardTableSize(""), (TTableSize{0, 0}));
  EXPECT_EQ(ClipboardTableSize("a\tb\tc\r\nd\r\n"), (TTableSize{3, 2}));
  EXPECT_EQ(ClipboardTableSize("a\rb\nc"), (TTableSize{1, 3}));
  EXPECT_EQ(ClipboardTableSize("\r\n\r\nx\t"), (TTableSize{2, 3}));
  EXPECT_EQ(ParseClipboardTable("\"q\tq\"\tz\r\n"), (TTable{{"q\tq", "z"}}));
  ui::TStringGrid grid("G");
  Fill(grid, {{"a", "b"}, {"", ""}});
  EXPECT_EQ(RangeText(grid, {0, 1, 1, 2}), "a\tb\r\n\t\r\n");
}

TEST(ClipboardRetry, TenAttemptsTwoHundredFiftyMillisecondsApart) {
  kav::test::TFakePlatform platform;
  platform.Clipboard.BusyAttempts = 3;
  EXPECT_TRUE(PutClipboardText(platform.Clipboard, platform.Desktop, "x", 10));
  EXPECT_EQ(platform.Clipboard.SetAttempts, 4);
  EXPECT_EQ(platform.Desktop.Slept, (std::vector<unsigned>{250, 250, 250}));
  platform.Clipboard.BusyAttempts = 100;
  platform.Clipboard.SetAttempts = 0;
  platform.Desktop.Slept.clear();
  EXPECT_FALSE(PutClipboardText(platform.Clipboard, platform.Desktop, "y", 10));
  EXPECT_EQ(platform.Clipboard.SetAttempts, 10);
  EXPECT_EQ(platform.Desktop.Slept.size(), 9u);
  EXPECT_EQ(platform.Clipboard.Text, "x");
}

}  // namespace
}  // namespace kav::partslist
