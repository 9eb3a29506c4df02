// TEXT and attribute change, and the text property pick: one sub-entity pick each, the cancel
// character by the ProgID, and what reaches the drawing or the window.
#include <gtest/gtest.h>

#include "tests/native/placement/PlacementFixture.h"

namespace kav::test {
namespace {

using Strings = std::vector<std::string>;

class ChangeTextTest : public ::testing::Test, public TPlacementFixture {
 protected:
  const sim::TEntity& Entity(int id) { return *Cad.Drawing().Find(id); }
};

TEST_F(ChangeTextTest, ThePickedTextTakesTheTrimmedSendBoxTextInOneUndoGroup) {
  const int text = Cad.AddText("OLD", 10, 10, 2.5);
  Form->Edit2.SetText("  新しい  部品 \t");
  Cad.QueuePick(text, 10, 10);
  Form->Button3.UserClick();
  EXPECT_EQ(Entity(text).Text.TextString, "新しい  部品");   // inner blanks stay
  EXPECT_EQ(Calls(), (Strings{"Application.HWND", "Application.ActiveDocument", "Document.Utility",
                              "Utility.GetSubEntity", "Text.EntityName", "Document.StartUndoMark",
                              "Text.TextString :=", "Document.EndUndoMark", "Document.SendCommand"}));
  EXPECT_EQ(Cad.State().Prompts, Strings{"\n文字を変更する TEXT、属性を選択 : "});
  EXPECT_EQ(Cad.State().Commands, Strings{"\x1b"});
  EXPECT_EQ(Cad.State().UndoGroups, 1);
  EXPECT_TRUE(F.Platform.Desktop.Keys.empty());   // no key stroke
  EXPECT_EQ(Form->WindowState(), ui::TWindowState::Normal);
}

TEST_F(ChangeTextTest, AnAttributeOfOneReferenceOtherKindsAndCancelledPicks) {
  const int a = Cad.AddBlock("TITLE", 0, 0, {"PARTNO", "NAME"}, {"P-1", "ボルト"});
  const int b = Cad.AddBlock("TITLE", 50, 0, {"PARTNO", "NAME"}, {"P-1", "ボルト"});
  const int line = Cad.AddLine(0, 0, 10, 10);
  const int attribute = Entity(a).Attributes[0];
  ClickCell(0, 2);   // "ボルト"
  Cad.QueuePick(attribute, 0, 0);
  Form->Button3Click();
  EXPECT_EQ(Entity(attribute).Text.TextString, "ボルト");
  EXPECT_EQ(Entity(Entity(b).Attributes[0]).Text.TextString, "P-1");   // the other reference keeps its value
  Cad.QueuePick(line, 5, 5);
  Cad.QueueCancel();
  Form->Button3Click();
  Form->Button3Click();
  EXPECT_EQ(Cad.State().UndoGroups, 1);   // only the attribute changed
  EXPECT_EQ(Cad.State().Commands.size(), 3u);   // the cancel character after every pick
  // An empty send box writes the empty string.
  Form->Edit2.SetText("   ");
  Cad.QueuePick(attribute, 0, 0);
  Form->EXT1.OnClick();
  EXPECT_EQ(Entity(attribute).Text.TextString, "");
}

TEST_F(ChangeTextTest, AutoInAnyCapitalsSendsCodeThree) {
  const int text = Cad.AddText("OLD", 10, 10, 2.5);
  for (const char* progId : {"AutoCAD.Application", "xyzauto.cad", "Bricscad.Application"}) {
    Host.Register(progId, &Cad);
    F.Target.TargetProgID = progId;
    Cad.QueuePick(text, 10, 10);
    Form->Button3Click();
  }
  EXPECT_EQ(Cad.State().Commands, (Strings{"\x03", "\x03", "\x1b"}));
}

TEST_F(ChangeTextTest, AFailingChangeIsShownAndItsUndoGroupClosed) {
  const int text = Cad.AddText("OLD", 10, 10, 2.5);
  Cad.FailMember("Text.TextString", cad::kFail, "the layer is locked");
  Form->Edit2.SetText("NEW");
  Cad.QueuePick(text, 10, 10);
  Form->Button3.UserClick();
  EXPECT_EQ(F.Platform.Messages.Errors, Strings{"the layer is locked"});
  EXPECT_EQ(Cad.State().UndoDepth, 0);
  EXPECT_EQ(Form->WindowState(), ui::TWindowState::Normal);
}

class PropertyPickTest : public ::testing::Test, public TPlacementFixture {};

TEST_F(PropertyPickTest, HeightWidthPitchAndJustificationOfAPickedText) {
  Cad.State().Variables["DIMSCALE"] = cad::Variant(2.0);
  const int text = Cad.AddText("X", 0, 0, 5, 0);
  Cad.Drawing().Find(text)->Text.ScaleFactor = 0.8;
  Cad.QueuePick(text, 0, 0);
  Form->Button4.UserClick();
  EXPECT_EQ(Form->Edit9.Text(), "2.50");
  EXPECT_EQ(Form->Edit10.Text(), "0.80");
  EXPECT_EQ(Form->Edit3.Text(), "5.00");
  EXPECT_TRUE(Form->RadioButton4.Checked());
  EXPECT_EQ(Form->ComboBox2.Text(), "L : 左");
  EXPECT_FALSE(Form->CheckBox3.Enabled());
  EXPECT_EQ(Calls(), (Strings{"Application.HWND", "Application.ActiveDocument", "Document.GetVariable",
                              "Document.Utility", "Utility.GetSubEntity", "Text.EntityName", "Text.Height",
                              "Text.ScaleFactor", "Text.Alignment", "Document.SendCommand"}));

  // MiddleCenter: its radio button, the drop-down unchanged, the mode boxes enabled again.
  Cad.Drawing().Find(text)->Text.Alignment = 10;
  Cad.QueuePick(text, 0, 0);
  Form->N3.OnClick();
  EXPECT_TRUE(Form->RadioButton2.Checked());
  EXPECT_FALSE(Form->RadioButton4.Checked());
  EXPECT_EQ(Form->ComboBox2.Text(), "L : 左");
  EXPECT_TRUE(Form->CheckBox3.Enabled());
  EXPECT_TRUE(Form->CheckBox5.Enabled());
}

TEST_F(PropertyPickTest, EveryAlignmentShowsAsTheControlsThatCreateIt) {
  const int text = Cad.AddText("X", 0, 0, 1);
  for (int code = 0; code <= 14; ++code) {
    Form->RadioButton1.SetChecked(true);
    Form->ComboBox2.SetItemIndex(3);
    Cad.Drawing().Find(text)->Text.Alignment = code;
    Cad.QueuePick(text, 0, 0);
    Form->Button4Click();
    const auto created = placement::AlignmentFor(Form->JustificationControls());
    if (code == 3 || code == 5) {   // Aligned and Fit leave the controls alone
      EXPECT_TRUE(Form->RadioButton1.Checked());
      EXPECT_EQ(Form->ComboBox2.ItemIndex(), 3);
    } else {
      EXPECT_EQ(created, code);
    }
  }
}

TEST_F(PropertyPickTest, RoundingTheDefaultPitchAndWhatIsNotRead) {
  const int text = Cad.AddText("X", 0, 0, 1.0 / 3);
  const int line = Cad.AddLine(0, 0, 1, 1);
  Form->Edit7.SetText("kein");
  Cad.QueuePick(text, 0, 0);
  Form->Button4Click();
  EXPECT_EQ(Form->Edit9.Text(), "0.33");
  EXPECT_EQ(Form->Edit3.Text(), "0.67");   // twice the height when the factor box holds no number
  Form->Edit9.SetText("7");
  Cad.QueuePick(line, 0, 0);
  Cad.QueueCancel();
  Form->Button4Click();
  Form->Button4Click();
  EXPECT_EQ(Form->Edit9.Text(), "7");
  EXPECT_EQ(Cad.State().Commands.size(), 3u);
}

TEST_F(PropertyPickTest, TheNumbersShowTheLocalesDecimalSeparatorAndCreationReadsThemBack) {
  F.Platform.Locale.Separator = ",";
  const int text = Cad.AddText("X", 0, 0, 3.75);
  Cad.Drawing().Find(text)->Text.ScaleFactor = 0.75;
  Cad.QueuePick(text, 0, 0);
  Form->Button4Click();
  EXPECT_EQ(Form->Edit9.Text(), "3,75");
  EXPECT_EQ(Form->Edit10.Text(), "0,75");
  ClickCell(0, 2);
  Cad.QueuePoint(1, 1);
  Form->Button1Click();
  EXPECT_DOUBLE_EQ(Texts().back()->Text.Height, 3.75);
  EXPECT_DOUBLE_EQ(Texts().back()->Text.ScaleFactor, 0.75);
}

TEST_F(PropertyPickTest, ADrawingScaleOfZeroTakesNothingAndSaysWhy) {
  Cad.State().Variables["DIMSCALE"] = cad::Variant(0.0);
  const int text = Cad.AddText("X", 0, 0, 5);
  Cad.QueuePick(text, 0, 0);
  Form->Button4Click();
  EXPECT_EQ(Form->Edit9.Text(), "2.5");
  EXPECT_EQ(F.Platform.Messages.Shown, Strings{"DIMSCALE が 0 のため、文字高さを取得できません"});
  EXPECT_EQ(Cad.State().Commands.size(), 1u);   // the pick is still cancelled in the CAD
  EXPECT_EQ(Form->WindowState(), ui::TWindowState::Normal);
}

}  // namespace
}  // namespace kav::test
