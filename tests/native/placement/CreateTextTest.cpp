// TEXT creation through the main window against the simulated CAD: the calls in their order,
// the stack of rows in one undo group, the window stepping aside, and the silent ends.
#include <gtest/gtest.h>

#include <cmath>

#include "placement/Geometry.h"
#include "tests/native/placement/PlacementFixture.h"

namespace kav::test {
namespace {

using Strings = std::vector<std::string>;

class CreateTextTest : public ::testing::Test, public TPlacementFixture {
 protected:
  CreateTextTest() { Cad.State().Variables["DIMSCALE"] = cad::Variant(10.0); }
  void ExpectTextAt(const sim::TEntity* text, double x, double y) {
    EXPECT_NEAR(text->Text.Anchor.X, x, 1e-9) << text->Text.TextString;
    EXPECT_NEAR(text->Text.Anchor.Y, y, 1e-9) << text->Text.TextString;
  }
};

TEST_F(CreateTextTest, OneTextAtThePickedPointWithTheWindowsSettingsInOneUndoGroup) {
  ClickCell(0, 2);   // "ボルト"
  Form->Edit9.SetText("3");
  Form->Edit10.SetText("0.8");
  Cad.QueuePoint(100, 50, 2);
  std::vector<ui::TWindowState> states;
  Form->OnModelChange = [&](ui::TAspect aspect) {
    if (aspect == ui::TAspect::WindowState) states.push_back(Form->WindowState());
  };
  F.Platform.Desktop.Foreground = 77;   // the tool itself in front
  Form->Button1.UserClick();

  EXPECT_EQ(Calls(), (Strings{"Application.ActiveDocument", "Application.HWND", "Document.GetVariable",
                              "Document.Utility", "Utility.GetPoint", "Document.StartUndoMark",
                              "Document.ModelSpace", "ModelSpace.AddText", "Text.Alignment :=", "Text.Alignment",
                              "Text.TextAlignmentPoint :=", "Text.ScaleFactor :=", "Document.EndUndoMark"}));
  EXPECT_EQ(Cad.State().Prompts, Strings{"作成基点を指示 : "});
  ASSERT_EQ(Texts().size(), 1u);
  const sim::TEntity* text = Texts()[0];
  EXPECT_EQ(text->Text.TextString, "ボルト");
  EXPECT_DOUBLE_EQ(text->Text.Height, 30);      // 3 x DIMSCALE 10
  EXPECT_DOUBLE_EQ(text->Text.ScaleFactor, 0.8);   // not scaled
  EXPECT_EQ(text->Text.Alignment, 9);            // "ML : 中左"
  EXPECT_EQ(text->Text.Anchor, (cad::TPoint{100, 50, 2}));
  EXPECT_EQ(Cad.State().UndoGroups, 1);
  EXPECT_EQ(Cad.State().UndoDepth, 0);
  // Minimised for the run, normal after; the CAD window brought forward twice, then once more
  // before the Escape key stroke, which went to the CAD window.
  EXPECT_EQ(states, (std::vector<ui::TWindowState>{ui::TWindowState::Minimized, ui::TWindowState::Normal}));
  EXPECT_EQ(F.Platform.Desktop.Log, (Strings{"SetForegroundWindow", "SetForegroundWindow", "SetForegroundWindow",
                                             "KeyEvent", "KeyEvent"}));
  EXPECT_EQ(KeyStrokes(), (Strings{"27 down", "27 up"}));
  EXPECT_EQ(F.Platform.Desktop.Keys[0].Foreground, static_cast<WindowId>(Cad.State().WindowHandle));
  EXPECT_EQ(F.Platform.Desktop.Slept, (std::vector<unsigned>{5, 200}));
}

TEST_F(CreateTextTest, EveryJustificationChoiceGivesItsCode) {
  struct TCase {
    ui::TRadioButton* radio;
    int comboIndex;
    int code;
  };
  auto& f = *Form;
  const TCase cases[] = {{&f.RadioButton2, 0, 10}, {&f.RadioButton3, 0, 11}, {&f.RadioButton4, 0, 0},
                         {&f.RadioButton4, 1, 1},  {&f.RadioButton4, 2, 4},  {&f.RadioButton4, 3, 2},
                         {&f.RadioButton4, 4, 6},  {&f.RadioButton4, 5, 7},  {&f.RadioButton4, 6, 8},
                         {&f.RadioButton4, 7, 12}, {&f.RadioButton4, 8, 13}, {&f.RadioButton4, 9, 14}};
  ClickCell(0, 1);
  for (const TCase& c : cases) {
    c.radio->SetChecked(true);
    f.ComboBox2.SetItemIndex(c.comboIndex);
    Cad.QueuePoint(0, 0);
    f.Button1Click();
    EXPECT_EQ(Texts().back()->Text.Alignment, c.code) << c.radio->Name << " " << c.comboIndex;
  }
  // No item chosen in the drop-down: no alignment is put, the TEXT keeps the CAD's own.
  f.ComboBox2.SetItemIndex(-1);
  Cad.State().Calls.clear();
  Cad.QueuePoint(0, 0);
  f.Button1Click();
  EXPECT_EQ(Texts().back()->Text.Alignment, 0);
  for (const auto& call : Calls()) EXPECT_NE(call, "Text.Alignment :=");
}

TEST_F(CreateTextTest, AStackOfRowsLeavesAGapForABlankCellAndIsOneUndoGroup) {
  F.PutFile("a.tsv", "A\tx\r\n B \tx\r\n\tx\r\nC\tx\r\nD\tx\r\n");
  Form->ComboBox1Change(*Form);
  Form->StringGrid1.SetCell(0, 2, " B ");   // as typed into the cell, not as a file loads it
  Form->Edit3.SetText("2");
  SelectColumn(0, 2, 5);   // " B ", blank, "C", "D"
  Cad.QueuePoint(10, 100);
  Form->Button1Click();
  const auto texts = Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0]->Text.TextString, " B ");   // the first line as stored
  EXPECT_EQ(texts[1]->Text.TextString, "C");
  EXPECT_EQ(texts[2]->Text.TextString, "D");
  ExpectTextAt(texts[0], 10, 100);
  ExpectTextAt(texts[1], 10, 100 - 2 * 20);   // pitch 2 x DIMSCALE 10; the blank row is a gap
  ExpectTextAt(texts[2], 10, 100 - 3 * 20);
  for (const auto* t : texts) EXPECT_EQ(t->Text.Alignment, 9);
  EXPECT_EQ(Cad.State().UndoGroups, 1);
  EXPECT_EQ(Cad.State().Prompts.size(), 1u);
}

TEST_F(CreateTextTest, SelectionsThatAreNoStackUseTheSendBoxAndATopCellOfBlanksCreatesNothing) {
  Form->StringGrid1.SetSelection({0, 1, 1, 2});   // two columns
  Form->Edit2.SetText(" typed ");
  Cad.QueuePoint(0, 0);
  Form->Button1Click();
  ASSERT_EQ(Texts().size(), 1u);
  EXPECT_EQ(Texts()[0]->Text.TextString, " typed ");

  // An empty top cell: nothing at all, not even the running check.
  F.PutFile("a.tsv", "A\tx\r\n\tx\r\nC\tx\r\n");
  Form->ComboBox1Change(*Form);
  SelectColumn(0, 2, 3);
  Cad.State().Calls.clear();
  Host.Lookups = 0;
  Form->Button1Click();
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(Host.Lookups, 0);
  EXPECT_EQ(Form->WindowState(), ui::TWindowState::Normal);

  // A top cell of blanks: the CAD is brought forward and Escape pressed, nothing created.
  Form->StringGrid1.SetCell(0, 2, "   ");
  F.Platform.Desktop.Keys.clear();
  Form->Button1Click();
  EXPECT_EQ(Calls(), (Strings{"Application.ActiveDocument", "Application.HWND", "Document.GetVariable"}));
  EXPECT_EQ(KeyStrokes(), (Strings{"27 down", "27 up"}));
  EXPECT_EQ(Texts().size(), 1u);
}

TEST_F(CreateTextTest, ACancelledPickOrAFailingCallEndsSilentlyAndTheClosingStepsStillRun) {
  ClickCell(0, 2);
  Cad.QueueCancel();
  Form->Button1.UserClick();
  EXPECT_TRUE(Texts().empty());
  EXPECT_EQ(Cad.State().UndoGroups, 0);
  EXPECT_TRUE(F.Platform.Messages.Errors.empty());
  EXPECT_EQ(KeyStrokes(), (Strings{"27 down", "27 up"}));
  EXPECT_EQ(Form->WindowState(), ui::TWindowState::Normal);

  // A failure inside the undo group: the TEXT made before it stays, and the group is closed
  // so that one undo in the CAD takes it back.
  Cad.FailMember("Text.ScaleFactor", cad::kFail, "refused");
  Cad.QueuePoint(1, 1);
  Form->Button1.UserClick();
  EXPECT_EQ(Texts().size(), 1u);
  EXPECT_EQ(Cad.State().UndoDepth, 0);
  EXPECT_EQ(Cad.State().UndoGroups, 1);
  EXPECT_TRUE(F.Platform.Messages.Errors.empty());
}

TEST_F(CreateTextTest, NotRunningAndAnInvalidProgIdOnlyMinimiseAndRestore) {
  ClickCell(0, 2);
  Host.Register("Other.Application", nullptr);
  F.Target.TargetProgID = "Other.Application";
  Form->Button1.UserClick();
  EXPECT_TRUE(F.Platform.Messages.Shown.empty());
  F.Target.TargetProgID = "Misspelt.Application";
  Form->Button1.UserClick();
  EXPECT_EQ(F.Platform.Messages.Shown, Strings{"ProgID（クラス文字列）: \"Misspelt.Application\" は無効です．"});
  EXPECT_TRUE(Cad.State().Calls.empty());
  EXPECT_TRUE(F.Platform.Desktop.Keys.empty());
  EXPECT_EQ(Form->WindowState(), ui::TWindowState::Normal);
}

TEST_F(CreateTextTest, AnAttachFailureIsShownAndTheWindowComesBack) {
  ClickCell(0, 2);
  Cad.FailMember("Application.ActiveDocument", cad::kFail, "no drawing is open");
  Form->Button1.UserClick();
  EXPECT_EQ(F.Platform.Messages.Errors, Strings{"no drawing is open"});
  EXPECT_EQ(Form->WindowState(), ui::TWindowState::Normal);
  EXPECT_TRUE(F.Platform.Desktop.Keys.empty());
}

TEST_F(CreateTextTest, NumberBoxesThatHoldNoNumberGiveTheirFallbacks) {
  ClickCell(0, 2);
  for (const char* bad : {"", "abc", "1e400", "2,5x", "nan", "inf"}) {
    Form->Edit9.SetText(bad);
    Form->Edit10.SetText(bad);
    Cad.QueuePoint(0, 0);
    Form->Button1Click();
    EXPECT_DOUBLE_EQ(Texts().back()->Text.Height, 25) << bad;   // 2.5 x DIMSCALE 10
    EXPECT_DOUBLE_EQ(Texts().back()->Text.ScaleFactor, 1.0) << bad;
  }
  // Numbers the CAD refuses (no height, a height beyond any drawing): a silent end, nothing made.
  const std::size_t made = Texts().size();
  for (const char* refused : {"-0", "0", "-3", "1e308"}) {
    Form->Edit9.SetText(refused);
    Cad.QueuePoint(0, 0);
    Form->Button1Click();
    EXPECT_EQ(Texts().size(), made) << refused;
    EXPECT_EQ(Cad.State().UndoDepth, 0) << refused;
  }
  EXPECT_TRUE(F.Platform.Messages.Errors.empty());
}

TEST_F(CreateTextTest, TheDoubleClickWithTextCreationCheckedAndThePopupEntryCreate) {
  Form->CheckBox2.UserClick();
  ClickCell(0, 3);   // the first click of the double-click fills the send box
  Cad.QueuePoint(5, 5);
  Form->StringGrid1.UserDoubleClick();
  ASSERT_EQ(Texts().size(), 1u);
  EXPECT_EQ(Texts()[0]->Text.TextString, "ナット");
  Cad.QueuePoint(6, 6);
  Form->EXT2.OnClick();
  EXPECT_EQ(Texts().size(), 2u);
}

}  // namespace
}  // namespace kav::test

namespace kav::test {
namespace {

class DoubleClickTest : public ::testing::Test, public TPlacementFixture {};

TEST_F(DoubleClickTest, RunsTheOperationOfTheCheckedModeOnly) {
  const auto doubleClick = [this] {
    ClickCell(0, 2);
    Cad.QueueCancel();
    Cad.State().Prompts.clear();
    Cad.State().Commands.clear();
    Form->StringGrid1.UserDoubleClick();
  };
  doubleClick();   // "TEXT, 属性変更" is checked at first start
  EXPECT_EQ(Cad.State().Prompts, std::vector<std::string>{"\n文字を変更する TEXT、属性を選択 : "});
  Form->CheckBox2.UserClick();
  doubleClick();
  EXPECT_EQ(Cad.State().Prompts, std::vector<std::string>{"作成基点を指示 : "});
  Form->CheckBox7.UserClick();
  doubleClick();
  EXPECT_EQ(Cad.State().Commands.size(), 3u);   // plain creation's copy, erase and paste
  Form->CheckBox7.UserClick();   // none checked now
  Cad.State().Calls.clear();
  doubleClick();
  EXPECT_TRUE(Calls().empty());
}

}  // namespace
}  // namespace kav::test
