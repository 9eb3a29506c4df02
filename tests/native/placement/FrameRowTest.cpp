// A grid row into a ruled table row with one pick: the column stops, the texts one text height
// after each line, the cancel character's capitals rule, and the silent ends.
#include <gtest/gtest.h>

#include "placement/FrameRow.h"
#include "tests/native/placement/PlacementFixture.h"

namespace kav::placement {
namespace {

using Strings = std::vector<std::string>;

TEST(ColumnStops, TheBasePointThenEveryCrossingInAscendingOrder) {
  const std::vector<TSegment> segments{{{90, -5}, {90, 5}},   {{20, -5}, {20, 5}},   {{0, 3}, {200, 3}},
                                       {{50, -5}, {52, 5}},   {{300, -5}, {300, 5}}, {{50, 5}, {50, -5}}};
  const auto stops = ColumnStops({5, 0}, 187.5, segments);
  ASSERT_EQ(stops.size(), 5u);   // the parallel line and the one beyond the scan give none
  EXPECT_EQ(stops[0], 5);
  EXPECT_EQ(stops[1], 20);
  EXPECT_EQ(stops[2], 50);        // the drawn-back vertical line
  EXPECT_DOUBLE_EQ(stops[3], 51);  // a slanted line is a stop like any other
  EXPECT_EQ(stops[4], 90);
}

TEST(FrameRowCancel, OnlyTheseCapitalsMeanCodeThree) {
  EXPECT_EQ(FrameRowCancelCharacter("Autocad.Application"), '\x03');
  EXPECT_EQ(FrameRowCancelCharacter("AutoCAD.Application"), '\x1b');
  EXPECT_EQ(FrameRowCancelCharacter("BricscadApp.AcadApplication"), '\x1b');
}

class FrameRowTest : public ::testing::Test, public test::TPlacementFixture {
 protected:
  FrameRowTest() : TPlacementFixture("A\tB\tC\tD\r\n") {
    // A table row 10 high; the picked cell from x 0 to 20, then cells 30, 40 and 50 wide.
    Cad.AddLine(0, 0, 140, 0);
    Cad.AddLine(0, 10, 140, 10);
    for (double x : {0.0, 20.0, 50.0, 90.0, 140.0}) Cad.AddLine(x, 0, x, 10);
    Form->StringGrid1.SetSelection({0, 1, 0, 1});
    Cad.State().Calls.clear();
  }
  std::vector<std::pair<std::string, double>> Written() {
    std::vector<std::pair<std::string, double>> written;
    for (const auto* t : Texts()) {
      EXPECT_EQ(t->Text.Alignment, 9);
      EXPECT_DOUBLE_EQ(t->Text.Anchor.Y, 5);
      written.emplace_back(t->Text.TextString, t->Text.Anchor.X);
    }
    return written;
  }
  using TWritten = std::vector<std::pair<std::string, double>>;
};

TEST_F(FrameRowTest, EachCellOneTextHeightAfterTheLineThatBeginsIt) {
  Cad.QueuePoint(10, 3);
  Form->N15.OnClick();
  // The picked cell f row heights after its left line, the others 2.5 after theirs; the table
  // has a fifth stop (its right border) but the grid row has only four cells.
  EXPECT_EQ(Written(), (TWritten{{"A", 5}, {"B", 22.5}, {"C", 52.5}, {"D", 92.5}}));
  EXPECT_EQ(Cad.State().UndoGroups, 0);   // no undo group: each TEXT on its own
  EXPECT_EQ(Cad.State().Commands, Strings{"\x1b"});
  EXPECT_EQ(Form->WindowState(), ui::TWindowState::Normal);
  const Strings calls = Calls();
  const Strings head(calls.begin(), calls.begin() + 6);
  EXPECT_EQ(head, (Strings{"Application.ActiveDocument", "Application.HWND", "Document.GetVariable",
                           "Document.Utility", "Utility.GetPoint", "Document.SendCommand"}));
  // The scan, then the writes: model space once, four calls for each text.
  Strings writes{"SelectionSet.Clear", "Document.ModelSpace"};
  for (int i = 0; i < 4; ++i)
    for (const char* call : {"ModelSpace.AddText", "Text.Alignment :=", "Text.TextAlignmentPoint :=", "Text.ScaleFactor :="})
      writes.push_back(call);
  const Strings tail(calls.end() - static_cast<long>(writes.size()), calls.end());
  EXPECT_EQ(tail, writes);
}

TEST_F(FrameRowTest, FromALaterColumnABlankCellAndADoubledLine) {
  Form->StringGrid1.SetCell(1, 1, "  ");
  Cad.AddLine(50, 0, 50, 10);   // drawn twice at one border
  Cad.QueuePoint(10, 3);
  Form->Button8.UserClick();
  // The blank cell uses its stop up; the doubled line puts C and D at the same place.
  EXPECT_EQ(Written(), (TWritten{{"A", 5}, {"C", 52.5}, {"D", 52.5}}));

  Form->StringGrid1.SetSelection({3, 1, 3, 1});   // the last column
  Cad.QueuePoint(30, 3);
  Form->N15Click();
  EXPECT_EQ(Written().back(), (std::pair<std::string, double>{"D", 25}));
  EXPECT_EQ(Texts().size(), 4u);
}

TEST_F(FrameRowTest, NothingIsWrittenWithoutAFrameOrAPickButTheCancelIsSent) {
  Cad.QueueCancel();
  Form->N15Click();
  Cad.QueuePoint(500, 500);   // no frame
  Form->N15Click();
  EXPECT_TRUE(Texts().empty());
  EXPECT_EQ(Cad.State().Commands, (Strings{"\x1b", "\x1b"}));
  F.Target.TargetProgID = "Autocad.Application";
  Host.Register("Autocad.Application", &Cad);
  Cad.QueuePoint(10, 3);
  Cad.FailMember("ModelSpace.AddText", cad::kFail, "refused", 1);
  Form->N15Click();
  EXPECT_EQ(Cad.State().Commands.back(), "\x03");
  EXPECT_TRUE(Texts().empty());   // the first failure ends the row
  EXPECT_TRUE(F.Platform.Messages.Errors.empty());
  EXPECT_EQ(Form->WindowState(), ui::TWindowState::Normal);
}

TEST_F(FrameRowTest, ACadThatIsNotRunningIsASilentEndWithoutTheRunningCheck) {
  F.Target.TargetProgID = "Misspelt.Application";
  Form->N15Click();
  EXPECT_TRUE(F.Platform.Messages.Shown.empty());
  EXPECT_TRUE(F.Platform.Messages.Errors.empty());
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(Form->WindowState(), ui::TWindowState::Normal);
}

}  // namespace
}  // namespace kav::placement
