// Plain creation: the TEXT at the origin, the copy, erase and paste commands, and the wait
// until the CAD has finished the paste, during which the window runs its events.
#include <gtest/gtest.h>

#include "tests/native/placement/PlacementFixture.h"

namespace kav::test {
namespace {

using Strings = std::vector<std::string>;

class PlainCreateTest : public ::testing::Test, public TPlacementFixture {};

TEST_F(PlainCreateTest, TheTextIsCopiedFromTheOriginErasedAndPastedWhereTheUserClicks) {
  Cad.State().Variables["DIMSCALE"] = cad::Variant(10.0);
  Form->Edit9.SetText("3.0");
  Form->RadioButton4.UserClick();
  Form->ComboBox2.SetItemIndex(6);   // "TR : 右上"
  ClickCell(0, 2);
  Cad.QueuePoint(200, 100);          // where the user places the pasted TEXT
  Cad.State().BusyPollsAfterCommand = 3;
  Form->Button6.UserClick();

  const auto texts = Texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0]->Text.TextString, "ボルト");
  EXPECT_DOUBLE_EQ(texts[0]->Text.Height, 30);
  EXPECT_EQ(texts[0]->Text.Alignment, 8);
  EXPECT_EQ(texts[0]->Text.Anchor, (cad::TPoint{200, 100}));
  EXPECT_EQ(Cad.State().Commands, (Strings{"copybase 0,0\rlast\r\r", "erase\rlast\r\r", "pasteclip\r"}));
  EXPECT_EQ(Calls(), (Strings{"Application.ActiveDocument", "Application.HWND", "Document.GetVariable",
                              "Document.ModelSpace", "ModelSpace.AddText", "Text.Alignment :=", "Text.Alignment",
                              "Text.TextAlignmentPoint :=", "Text.ScaleFactor :=", "Document.SendCommand",
                              "Document.SendCommand", "Document.SendCommand", "Application.GetAcadState",
                              "AcadState.IsQuiescent", "Application.GetAcadState", "AcadState.IsQuiescent",
                              "Application.GetAcadState", "AcadState.IsQuiescent", "Application.GetAcadState",
                              "AcadState.IsQuiescent", "Document.ActiveSelectionSet", "SelectionSet.Clear",
                              "SelectionSet.Select", "SelectionSet.Count", "SelectionSet.Clear"}));
  // Three busy answers: three pauses of 100 ms, each followed by the window's own messages.
  const auto& slept = F.Platform.Desktop.Slept;
  EXPECT_EQ(std::count(slept.begin(), slept.end(), 100u), 3);
  EXPECT_EQ(F.Platform.Desktop.MessagePumps, 3);
  EXPECT_EQ(KeyStrokes(), (Strings{"27 down", "27 up", "27 down", "27 up"}));
  EXPECT_EQ(Cad.State().UndoGroups, 0);
  EXPECT_EQ(Form->WindowState(), ui::TWindowState::Normal);
}

TEST_F(PlainCreateTest, OfAStackOnlyTheLastLineTravelsWithTheCursor) {
  F.PutFile("a.tsv", "A\r\n\r\nC\r\n");
  Form->ComboBox1Change(*Form);
  Form->StringGrid1.SetRowCount(4);
  Form->StringGrid1.SetCell(0, 2, "");
  Form->StringGrid1.SetCell(0, 3, "C");
  SelectColumn(0, 1, 3);
  Form->Edit3.SetText("4");
  Cad.QueuePoint(100, 50);
  Form->N14.OnClick();
  const auto texts = Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0]->Text.TextString, "A");
  EXPECT_EQ(texts[0]->Text.Anchor, (cad::TPoint{0, 0}));   // stays at the origin
  EXPECT_EQ(texts[1]->Text.TextString, "C");
  EXPECT_EQ(texts[1]->Text.Anchor, (cad::TPoint{100, 50 - 8}));   // two pitches below the base point
}

TEST_F(PlainCreateTest, BlanksCreateNothingButTheCadIsStillWaitedForAndTidied) {
  Form->Edit2.SetText("   ");
  Form->Button6Click();
  EXPECT_TRUE(Texts().empty());
  EXPECT_TRUE(Cad.State().Commands.empty());
  EXPECT_EQ(KeyStrokes().size(), 4u);
  EXPECT_EQ(Calls().back(), "SelectionSet.Clear");
  // An empty text: nothing at all.
  Form->Edit2.SetText("");
  Cad.State().Calls.clear();
  Form->Button6Click();
  EXPECT_TRUE(Calls().empty());
}

TEST_F(PlainCreateTest, AFailureDropsTheCommandsAfterItAndTheWaitStillRuns) {
  ClickCell(0, 2);
  Cad.FailMember("Text.ScaleFactor", cad::kFail, "refused");
  Form->Button6Click();
  ASSERT_EQ(Texts().size(), 1u);
  EXPECT_EQ(Texts()[0]->Text.Anchor, (cad::TPoint{0, 0}));   // left at the origin
  EXPECT_TRUE(Cad.State().Commands.empty());
  EXPECT_EQ(Calls().back(), "SelectionSet.Clear");
  EXPECT_TRUE(F.Platform.Messages.Errors.empty());
}

TEST_F(PlainCreateTest, AnOperationStartedDuringTheWaitIsTurnedAwayAndTheWaitGoesOn) {
  ClickCell(0, 2);
  Cad.QueuePoint(10, 10);
  Cad.State().BusyPollsAfterCommand = 2;
  int clicks = 0;
  F.Platform.Desktop.OnProcessMessages = [&] {
    // The user brings the tool back and clicks again while the CAD waits for the paste.
    ++clicks;
    Form->Button1.UserClick();
    Form->Button6.UserClick();
    Form->N15.OnClick();
  };
  Form->Button6Click();
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(F.Platform.Messages.Shown.size(), 6u);
  EXPECT_EQ(F.Platform.Messages.Shown[0], "CAD での前の操作がまだ終わっていません");
  ASSERT_EQ(Texts().size(), 1u);
  EXPECT_EQ(Texts()[0]->Text.Anchor, (cad::TPoint{10, 10}));
  // Afterwards operations run again.
  F.Platform.Desktop.OnProcessMessages = nullptr;
  Cad.QueuePoint(5, 5);
  Form->Button1Click();
  EXPECT_EQ(Texts().size(), 2u);
}

TEST_F(PlainCreateTest, TheWaitEndsWhenTheCadGoesAwayOrTheProgramIsClosing) {
  ClickCell(0, 2);
  Cad.State().Busy = true;   // a CAD that stays busy...
  int polls = 0;
  F.Platform.Desktop.OnSleep = [&] {
    if (++polls == 100) Cad.FailMember("Application.GetAcadState", cad::kDisconnected, "gone");   // ...then goes away
  };
  Form->Button6Click();
  EXPECT_EQ(polls, 100);
  EXPECT_EQ(Form->WindowState(), ui::TWindowState::Normal);
  EXPECT_TRUE(F.Platform.Messages.Errors.empty());

  // The user closes the tool during the wait: the wait ends at the next round.
  Cad.State().Failures.clear();
  F.Platform.Desktop.OnSleep = nullptr;
  F.Platform.Desktop.Slept.clear();
  F.Platform.Desktop.OnProcessMessages = [&] { F.Platform.Desktop.Quitting = true; };
  Form->Button6Click();
  const auto& slept = F.Platform.Desktop.Slept;
  EXPECT_EQ(std::count(slept.begin(), slept.end(), 100u), 1);
}

}  // namespace
}  // namespace kav::test
