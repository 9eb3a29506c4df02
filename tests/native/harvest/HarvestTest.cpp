// The harvest through the main window against the simulated CAD in process: the calls of one
// small harvest in order, what is read from which entity, what an empty selection does, a
// harvest that fails half-way, bad input, and the window and the CAD window around it.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "harvest/HarvestTable.h"
#include "harvest/SelectionRead.h"
#include "tests/native/partslist/GridText.h"
#include "tests/native/placement/PlacementFixture.h"

namespace kav::test {
namespace {

using partslist::test::Fill;
using partslist::test::Header;
using partslist::test::Rows;
using partslist::test::TTable;
using Strings = std::vector<std::string>;

class HarvestTest : public ::testing::Test, public TPlacementFixture {
 protected:
  ui::TStringGrid& Grid() { return Form->StringGrid2; }
  void Harvest(std::vector<int> selection) {
    Cad.QueueSelection(std::move(selection));
    Form->Button2.UserClick();
  }
  // A closed polyline from (0, 0) to (30, 20) with an inner line at x = 10 and one at y = 10.
  std::vector<int> RuledTwoByTwo() {
    return {Cad.AddPolyline({0, 0, 30, 0, 30, 20, 0, 20}, true), Cad.AddLine(10, -1, 10, 21),
            Cad.AddLine(-1, 10, 31, 10)};
  }
};

TEST_F(HarvestTest, TheCallsOfOneSmallHarvestAndTheWindowsAroundIt) {
  const int line = Cad.AddLine(10, 0, 10, 10);
  const int text = Cad.AddText("部品", 2, 5, 2.5);
  const int circle = Cad.AddCircle(5, 5, 1);
  const int polyline = Cad.AddPolyline({0, 0, 20, 0, 20, 10, 0, 10}, true);
  const int spline = Cad.AddSpline({0, 0, 0, 5, 5, 0});
  const int heavy = Cad.Add3dPolyline({0, 0, 0, 1, 1, 1});
  std::vector<ui::TWindowState> statesWhileWaiting;
  F.Platform.Desktop.OnSleep = [&] { statesWhileWaiting.push_back(Form->WindowState()); };
  int repaints = 0;
  Grid().OnModelChange = [&](ui::TAspect) { ++repaints; };

  Harvest({line, text, circle, polyline, spline, heavy});

  EXPECT_EQ(Calls(), (Strings{"Application.ActiveDocument", "Application.HWND", "Document.ActiveSelectionSet",
                              "SelectionSet.Clear", "SelectionSet.SelectOnScreen", "SelectionSet.Count",
                              "SelectionSet.Item", "Line.EntityName", "Line.StartPoint", "Line.EndPoint",
                              "SelectionSet.Item", "Text.EntityName", "Text.InsertionPoint",
                              "Text.TextAlignmentPoint", "Text.Alignment", "Text.TextString", "Text.Height",
                              "SelectionSet.Item", "Polyline.EntityName", "Polyline.Coordinates", "Polyline.Closed",
                              "SelectionSet.Item", "Spline.EntityName", "SelectionSet.Item", "3dPolyline.EntityName",
                              "SelectionSet.Clear"}));
  // The filter: group code 0 as a 16-bit array, "TEXT,*LINE" as a variant array.
  const auto& select = Cad.State().Calls[4];
  ASSERT_EQ(select.Args.size(), 2u);
  EXPECT_EQ(select.Args[0], cad::Variant(cad::ShortArray{0, {0}}));
  EXPECT_EQ(select.Args[1], cad::Variant(cad::VariantArray{0, {cad::Variant("TEXT,*LINE")}}));
  EXPECT_TRUE(Cad.State().Prompts.empty());   // the CAD's own prompt only
  EXPECT_TRUE(Cad.State().Commands.empty());  // no cancel character

  // The CAD window in front, one Escape with 5 ms pauses, in front again for the selection.
  EXPECT_EQ(F.Platform.Desktop.Log, (Strings{"SetForegroundWindow", "KeyEvent", "KeyEvent", "SetForegroundWindow"}));
  EXPECT_EQ(KeyStrokes(), (Strings{"27 down", "27 up"}));
  EXPECT_EQ(F.Platform.Desktop.Slept, (std::vector<unsigned>{5, 5}));
  EXPECT_EQ(statesWhileWaiting, (std::vector<ui::TWindowState>{ui::TWindowState::Minimized, ui::TWindowState::Minimized}));
  EXPECT_EQ(Form->WindowState(), ui::TWindowState::Normal);

  // The rectangle and the inner line: one row of two columns, filled in one repaint.
  EXPECT_EQ(Rows(Grid(), 0), (TTable{{"1", "2"}, {"部品", ""}}));
  EXPECT_EQ(repaints, 1);
  EXPECT_TRUE(F.Platform.Messages.Shown.empty());
}

TEST_F(HarvestTest, AlignedTextsStandAtTheirAlignmentPointsLeftAlignedAtTheirInsertionPoints) {
  std::vector<int> ids;
  const char* rows[3][3] = {{"ボルト", "M6", "1"}, {"ナット", "M10", "100"}, {"座金", "M12", "10000"}};
  for (int r = 0; r < 3; ++r) {
    const double y = 20 - 5.0 * r;
    ids.push_back(Cad.AddText(rows[r][0], 0, y, 2.5, 0));
    ids.push_back(Cad.AddText(rows[r][1], 30, y, 2.5, 1));   // centred
    ids.push_back(Cad.AddText(rows[r][2], 50, y, 2.5, 2));   // right-aligned: its left ends differ by 8 and more
  }
  std::reverse(ids.begin(), ids.end());
  Harvest(ids);
  EXPECT_EQ(Rows(Grid()), (TTable{{"ボルト", "M6", "1"}, {"ナット", "M10", "100"}, {"座金", "M12", "10000"}}));
  EXPECT_EQ(Header(Grid()), (Strings{"1", "2", "3"}));
}

TEST_F(HarvestTest, OfTwoTextsInOneRuledCellTheLaterInTheSelectionStays) {
  std::vector<int> lines = RuledTwoByTwo();
  const int a = Cad.AddText("前", 2, 12, 2.5);
  const int b = Cad.AddText("後", 4, 14, 2.5);
  const int blank = Cad.AddText("   ", 12, 2, 2.5);
  const int onBorder = Cad.AddText("線上", 10, 5, 2.5);
  std::vector<int> selection{a, lines[0], b, lines[1], blank, onBorder, lines[2]};
  Harvest(selection);
  EXPECT_EQ(Rows(Grid()), (TTable{{"後", ""}, {"", "   "}}));
  std::swap(selection[0], selection[2]);
  Harvest(selection);
  EXPECT_EQ(Rows(Grid()), (TTable{{"前", ""}, {"", "   "}}));
}

TEST_F(HarvestTest, AnEmptySelectionBuildsThePreviousTableAgainAndNothingRightAfterStart) {
  Fill(Grid(), {{"読み込んだ", "表"}});
  Harvest({});
  EXPECT_EQ(Rows(Grid(), 0), (TTable{{"", ""}, {"読み込んだ", "表"}}));
  EXPECT_EQ(Calls(), (Strings{"Application.ActiveDocument", "Application.HWND", "Document.ActiveSelectionSet",
                              "SelectionSet.Clear", "SelectionSet.SelectOnScreen", "SelectionSet.Count",
                              "SelectionSet.Clear"}));

  std::vector<int> selection = RuledTwoByTwo();
  for (const auto& [s, x, y] : {std::tuple{"A", 1.0, 15.0}, {"B", 11.0, 15.0}, {"C", 1.0, 5.0}, {"D", 11.0, 5.0}})
    selection.push_back(Cad.AddText(s, x, y, 2.5));
  Harvest(selection);
  const TTable table = Rows(Grid(), 0);
  EXPECT_EQ(table, (TTable{{"1", "2"}, {"A", "B"}, {"C", "D"}}));
  Fill(Grid(), {{"別の", "表", "です"}, {"x"}});
  Harvest({});
  EXPECT_EQ(Rows(Grid(), 0), table);

  // The texts alone, clustered; and again from what was kept.
  Harvest({selection[3], selection[4], selection[5], selection[6]});
  Fill(Grid(), {{"x"}});
  Harvest({});
  EXPECT_EQ(Rows(Grid(), 0), table);
}

TEST_F(HarvestTest, ASelectionOfLinesOnly) {
  Fill(Grid(), {{"a", "b", "c"}});
  Harvest(RuledTwoByTwo());
  // Enough borders: the header is numbered, the cells stay.
  EXPECT_EQ(Rows(Grid(), 0), (TTable{{"1", "2", "3"}, {"a", "b", "c"}}));
  // Too few borders and no text to cluster: nothing changes at all.
  Grid().SetCell(0, 0, "");
  Harvest({Cad.AddLine(0, 0, 0, 10), Cad.AddLine(0, 0, 10, 0)});
  EXPECT_EQ(Rows(Grid(), 0), (TTable{{"", "2", "3"}, {"a", "b", "c"}}));
}

TEST_F(HarvestTest, AHarvestThatFailsHalfWayKeepsTheGridAndOnlyWhatItRead) {
  std::vector<int> first = RuledTwoByTwo();
  for (const auto& [s, x, y] : {std::tuple{"A", 1.0, 15.0}, {"B", 11.0, 15.0}, {"C", 1.0, 5.0}})
    first.push_back(Cad.AddText(s, x, y, 2.5));
  Harvest(first);
  const TTable table = Rows(Grid(), 0);

  // The second selection holds as many entities as the first; its polyline cannot be read.
  Cad.FailMember("Polyline.Coordinates", cad::kFail, "the CAD is gone", 1);
  const int x = Cad.AddText("X", 100, 100, 2.5);
  const int polyline = Cad.AddPolyline({0, 0, 5, 0, 5, 5}, true);
  const int y = Cad.AddText("Y", 200, 100, 2.5);
  Cad.State().Calls.clear();
  Harvest({x, polyline, y, Cad.AddLine(0, 0, 0, 9), Cad.AddLine(3, 0, 3, 9), Cad.AddLine(0, 0, 3, 0)});
  EXPECT_EQ(Rows(Grid(), 0), table);
  EXPECT_EQ(Calls().back(), "Polyline.Coordinates");   // nothing after the failure, no Clear
  EXPECT_TRUE(F.Platform.Messages.Shown.empty());
  EXPECT_TRUE(F.Platform.Messages.Errors.empty());
  EXPECT_EQ(Form->WindowState(), ui::TWindowState::Normal);

  // Rebuilt from what that harvest read: its first text and nothing of the harvest before.
  Harvest({});
  EXPECT_EQ(Rows(Grid(), 0), (TTable{{"1"}, {"X"}}));

  // A cancelled selection reads nothing and changes nothing.
  Cad.QueueCancel();
  Form->Button2.UserClick();
  EXPECT_EQ(Rows(Grid(), 0), (TTable{{"1"}, {"X"}}));
  EXPECT_TRUE(F.Platform.Messages.Errors.empty());
}

TEST_F(HarvestTest, TwentyThousandEntitiesMakeATableOfAHundredByAHundred) {
  // 10,000 TEXT, one in every cell, and 10,000 line entities: the rulings drawn in pieces
  // two cells long, and the outline as one closed polyline.
  constexpr int n = 100;
  std::vector<int> selection;
  selection.push_back(Cad.AddPolyline({0, 0, 10.0 * n, 0, 10.0 * n, -5.0 * n, 0, -5.0 * n}, true));
  for (int r = 1; r < n; ++r)
    for (int c = 0; c + 2 <= n; c += 2) selection.push_back(Cad.AddLine(10.0 * c, -5.0 * r, 10.0 * (c + 2), -5.0 * r));
  for (int c = 1; c < n; ++c)
    for (int r = 0; r + 2 <= n; r += 2) selection.push_back(Cad.AddLine(10.0 * c, -5.0 * r, 10.0 * c, -5.0 * (r + 2)));
  ASSERT_EQ(selection.size(), 1u + 2 * 99 * 50);
  // The rest of the 10,000: the left border drawn again and again.
  while (selection.size() < 10'000) selection.push_back(Cad.AddLine(0, 0, 0, -5.0 * n));
  for (int r = 0; r < n; ++r)
    for (int c = 0; c < n; ++c)
      selection.push_back(Cad.AddText(std::to_string(r) + "-" + std::to_string(c), 10.0 * c + 1, -5.0 * r - 4, 2.5));
  ASSERT_EQ(selection.size(), 20'000u);
  Harvest(selection);
  ASSERT_EQ(Grid().RowCount(), n + 1);
  ASSERT_EQ(Grid().ColCount(), n);
  for (int r = 0; r < n; ++r)
    for (int c = 0; c < n; ++c)
      ASSERT_EQ(Grid().Cell(c, r + 1), std::to_string(r) + "-" + std::to_string(c)) << r << " " << c;
  EXPECT_EQ(Grid().Cell(99, 0), "100");
}

TEST_F(HarvestTest, EmptyLongAndControlCharacterTextsArriveAsRead) {
  const std::string longText(10'000, 'W');
  const std::string control = "\x01" "a\tb\x7f";
  Harvest({Cad.AddText("", 0, 10, 2.5), Cad.AddText(longText, 0, 0, 2.5), Cad.AddText(control, 30'000, 10, 2.5),
           Cad.AddText(" \r\n ", 30'000, 0, 2.5)});
  // Clustered: the empty and the blank text write nothing; the others keep every character.
  EXPECT_EQ(Rows(Grid()), (TTable{{"", control}, {longText, ""}}));
  EXPECT_EQ(Grid().ColWidth(0), Grid().MeasureText(longText + "AAA"));

  // Ruled: every text is written as read.
  std::vector<int> selection = RuledTwoByTwo();
  for (const auto& [s, x, y] : {std::tuple{std::string(), 1.0, 15.0}, {" \t x \r", 11.0, 15.0}, {longText, 1.0, 5.0},
                                {control, 11.0, 5.0}})
    selection.push_back(Cad.AddText(s, x, y, 2.5));
  Harvest(selection);
  EXPECT_EQ(Rows(Grid()), (TTable{{"", " \t x \r"}, {longText, control}}));
}

TEST_F(HarvestTest, TextsScatteredTooWidelyForTheGridAreRefusedWithAMessage) {
  Fill(Grid(), {{"今の", "表"}});
  std::vector<int> selection;
  for (int i = 0; i < 1500; ++i) selection.push_back(Cad.AddText("t", i * 10.0, i * 10.0, 2.5));
  Harvest(selection);
  EXPECT_EQ(F.Platform.Messages.Shown, Strings{"表が大きすぎるため取得できません（1500 行 × 1500 列）"});
  EXPECT_EQ(Rows(Grid()), (TTable{{"今の", "表"}}));
  EXPECT_EQ(Form->WindowState(), ui::TWindowState::Normal);
}

TEST_F(HarvestTest, ACadThatIsNotThereOrCannotBeAttached) {
  Fill(Grid(), {{"a"}});
  F.Target.TargetProgID = "Nirgends.Application";
  Form->Button2.UserClick();
  EXPECT_EQ(F.Platform.Messages.Shown, Strings{cad::InvalidProgIdMessage("Nirgends.Application")});
  EXPECT_TRUE(Calls().empty());

  // An error while attaching (no drawing open) is shown, and the window comes back.
  F.Target.TargetProgID = cad::kDefaultProgID;
  Cad.FailMember("Application.ActiveDocument", cad::kFail, "図面が開かれていません");
  Form->Button2.UserClick();
  EXPECT_EQ(F.Platform.Messages.Errors, Strings{"図面が開かれていません"});
  EXPECT_EQ(Form->WindowState(), ui::TWindowState::Normal);
  EXPECT_EQ(Rows(Grid()), (TTable{{"a"}}));
}

TEST(HarvestPolyline, AClosedPolylineEndsWithTheSegmentBackToItsFirstVertex) {
  std::vector<harvest::TTxgLine> lines;
  harvest::AppendPolylineSegments({0, 0, 4, 0, 4.3, 3}, true, lines);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].st, (cad::TPoint{4.3, 3, 0}));
  EXPECT_EQ(lines[2].ed, (cad::TPoint{0, 0, 0}));
  // Open, a stray odd value, a single vertex, nothing at all.
  lines.clear();
  harvest::AppendPolylineSegments({0, 0, 4, 0, 9}, false, lines);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].ed, (cad::TPoint{4, 0, 0}));
  lines.clear();
  harvest::AppendPolylineSegments({0, 0, 4, 0, 9}, true, lines);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].ed, (cad::TPoint{0, 0, 0}));
  lines.clear();
  harvest::AppendPolylineSegments({}, true, lines);
  EXPECT_TRUE(lines.empty());
}

}  // namespace
}  // namespace kav::test
