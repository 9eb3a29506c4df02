// The main window at first start and the rules that live on its pages.
#include <gtest/gtest.h>

#include "platform/Text.h"
#include "tests/native/app/FormFixture.h"

namespace kav::test {
namespace {

using app::kSettingsPage;
using app::kWorkAreaPage;

TEST(FirstStart, ShowsTheDesignedStateOnTheWorkAreaPage) {
  TFormFixture f;
  auto& form = f.Create();
  EXPECT_EQ(form.PageControl1.ActivePageIndex(), kWorkAreaPage);
  EXPECT_TRUE(form.Topmost());
  EXPECT_TRUE(form.AcceptFiles());
  EXPECT_EQ(form.GetCaption(), "MOLBREX");
  EXPECT_EQ(f.Target.TargetProgID, "BricscadApp.AcadApplication");
  EXPECT_EQ(form.Edit9.Text(), "2.5");
  EXPECT_EQ(form.Edit10.Text(), "1.0");
  EXPECT_EQ(form.Edit3.Text(), "5.0");
  EXPECT_FALSE(form.Edit3.Enabled());
  EXPECT_FALSE(form.Label2.Enabled());
  EXPECT_TRUE(form.RadioButton1.Checked());
  EXPECT_EQ(form.ComboBox2.Text(), "L : 左");
  EXPECT_TRUE(form.CheckBox1.Checked());
  EXPECT_FALSE(form.CheckBox2.Checked() || form.CheckBox7.Checked() || form.CheckBox3.Checked() ||
               form.CheckBox5.Checked() || form.CheckBox6.Checked());
  EXPECT_EQ(form.Edit8.Text(), "12.5");
  EXPECT_EQ(form.Edit11.Text(), "125.0");
  for (auto* b : {&form.Button3, &form.Button1, &form.Button6}) EXPECT_FALSE(b->Enabled()) << b->Name;
  EXPECT_TRUE(form.Button8.Enabled());
  // Centred: (1920 - width) / 2 and (1080 - height) / 2.
  EXPECT_EQ(form.Left(), (1920 - form.Width()) / 2);
  EXPECT_EQ(form.Top(), (1080 - form.Height()) / 2);
  EXPECT_TRUE(f.Platform.Messages.Errors.empty());
}

// A user whose locale writes decimals with a comma: the number boxes read "2,5" and still "2.5",
// and the derived ranges show a comma.
TEST(NumberBoxes, ReadAndShowTheLocalesDecimalSeparator) {
  TFormFixture f;
  f.Platform.Locale.Separator = ",";
  auto& form = f.Create();
  form.Edit9.SetText("2,5");
  EXPECT_EQ(form.NumberIn(form.Edit9, 0), 2.5);
  form.Edit9.SetText(" 2.5 ");
  EXPECT_EQ(form.NumberIn(form.Edit9, 0), 2.5);
  form.Edit9.SetText("-0,25");
  EXPECT_EQ(form.NumberIn(form.Edit9, 0), -0.25);
  for (const char* notANumber : {"1.000,5", "2,5,0", ",", "2,5x", "", "1 000"}) {
    form.Edit9.SetText(notANumber);
    EXPECT_EQ(form.NumberIn(form.Edit9, 7.0), 7.0) << notANumber;
  }
  EXPECT_EQ(form.FormatNumber(1.0 / 3.0, 2), "0,33");
  EXPECT_EQ(form.FormatNumber(-12, 1), "-12,0");
  EXPECT_EQ(form.FormatNumber(3, 0), "3");

  form.Edit9.SetText("2,5");
  form.Edit4.SetText("5.0");
  form.PageControl1.UserSelectPage(kSettingsPage);
  EXPECT_EQ(form.Edit8.Text(), "12,5");
  EXPECT_EQ(form.Edit11.Text(), "125,0");
  form.Edit5.UserSetText("10,4");
  EXPECT_EQ(form.Edit11.Text(), "26,0");

  // The separator is asked at each use: a change in the regional settings shows at once.
  f.Platform.Locale.Separator = ".";
  form.Edit4.UserSetText("4");
  EXPECT_EQ(form.Edit8.Text(), "10.0");
  EXPECT_EQ(form.NumberIn(form.Edit5, 0), 0);   // "10,4" is no number where "." is the separator
}

// Separators of more than one character, as the regional settings allow.
TEST(NumberText, LongerSeparatorsAreReplacedWhole) {
  double value = 0;
  EXPECT_TRUE(TryParseNumber("3::75", value, "::"));
  EXPECT_EQ(value, 3.75);
  EXPECT_FALSE(TryParseNumber("3:75", value, "::"));
  EXPECT_EQ(FormatFixed(3.75, 2, "::"), "3::75");
  EXPECT_EQ(FormatFixed(2.5, 1, ""), "2.5");   // no separator known: the point
}

TEST(DerivedRanges, FollowTheBoxesOnlyWhileTheSettingsPageShows) {
  TFormFixture f;
  auto& form = f.Create();
  form.Edit9.UserSetText("3");
  EXPECT_EQ(form.Edit11.Text(), "125.0");   // not recomputed on the work-area page
  form.PageControl1.UserSelectPage(kSettingsPage);
  EXPECT_EQ(form.Edit11.Text(), "150.0");
  EXPECT_EQ(form.Edit8.Text(), "15.0");
  form.Edit9.SetText("2.5");
  form.Edit4.UserSetText("4");
  EXPECT_EQ(form.Edit8.Text(), "10.0");
  form.Edit4.UserSetText("abc");   // not a number: 5.0 is used
  EXPECT_EQ(form.Edit8.Text(), "12.5");
  form.Edit5.UserSetText("10");
  form.Edit13.UserSetText("90");   // the angle boxes recompute the same two values
  EXPECT_EQ(form.Edit11.Text(), "25.0");
  form.Edit9.SetText("x");         // text height not a number: 2.5
  form.Edit12.UserSetText("1");
  EXPECT_EQ(form.Edit11.Text(), "25.0");
}

TEST(SendButtons, AreEnabledExactlyWhenTheTextHasMoreThanBlanks) {
  TFormFixture f;
  auto& form = f.Create();
  form.Edit2.UserSetText(" \t ");
  EXPECT_FALSE(form.Button1.Enabled());
  form.Edit2.UserSetText("\xE3\x80\x80");   // a full-width space is not trimmed
  EXPECT_TRUE(form.Button1.Enabled());
  form.Edit2.UserSetText(" ボルト ");
  for (auto* b : {&form.Button3, &form.Button1, &form.Button6}) EXPECT_TRUE(b->Enabled()) << b->Name;
  form.Edit2.UserSetText("");
  EXPECT_FALSE(form.Button6.Enabled());
}

TEST(DoubleClickModes, ExcludeEachOtherButMayAllBeOff) {
  TFormFixture f;
  auto& form = f.Create();
  form.CheckBox2.UserClick();
  EXPECT_FALSE(form.CheckBox1.Checked());
  EXPECT_TRUE(form.CheckBox2.Checked());
  form.CheckBox7.UserClick();
  EXPECT_FALSE(form.CheckBox2.Checked());
  form.CheckBox7.UserClick();
  EXPECT_FALSE(form.CheckBox1.Checked() || form.CheckBox2.Checked() || form.CheckBox7.Checked());
}

TEST(Placement, InCellAndOnLineExcludeEachOtherAndOthersDisablesBoth) {
  TFormFixture f;
  auto& form = f.Create();
  form.CheckBox3.UserClick();
  form.CheckBox5.UserClick();
  EXPECT_FALSE(form.CheckBox3.Checked());
  EXPECT_TRUE(form.CheckBox5.Checked());
  form.RadioButton4.UserClick();
  EXPECT_FALSE(form.CheckBox3.Enabled());
  EXPECT_FALSE(form.CheckBox5.Enabled());
  EXPECT_TRUE(form.CheckBox5.Checked());   // greyed out, mark kept
  EXPECT_TRUE(form.ComboBox2.Enabled());
  form.RadioButton2.UserClick();
  EXPECT_TRUE(form.CheckBox3.Enabled());
  EXPECT_TRUE(form.CheckBox5.Enabled());
  EXPECT_TRUE(form.CheckBox5.Checked());
  EXPECT_FALSE(form.RadioButton4.Checked());
}

TEST(Controls, CarryTheirCaptionsHintsAndKinds) {
  TFormFixture f;
  auto& form = f.Create();
  EXPECT_EQ(form.TabSheet1.Caption, "ファイル作成");
  EXPECT_EQ(form.TabSheet2.Caption, "作業エリア");
  EXPECT_EQ(form.TabSheet3.Caption, "設定");
  EXPECT_EQ(form.SpeedButton7.Hint, "ターゲット CAD を変更");
  EXPECT_EQ(form.Edit2.Placeholder, "CAD へ流し込む文字");
  EXPECT_TRUE(form.Edit2.Font.Bold);
  EXPECT_TRUE(form.Edit9.NumberBox);
  EXPECT_FALSE(form.Edit8.TabStop);
  EXPECT_TRUE(form.Edit8.ReadOnly);
  EXPECT_TRUE(form.StringGrid2.AllowEditing);
  EXPECT_FALSE(form.StringGrid1.AllowEditing);
  EXPECT_EQ(form.ComboBox2.Items.Count(), 10);
  EXPECT_EQ(form.ComboBox2.DropDownCount, 16);
  EXPECT_EQ(form.PopupMenu1.Items().size(), 13u);
  EXPECT_EQ(form.PopupMenu2.Items().size(), 8u);
  EXPECT_EQ(form.StringGrid1.ColCount(), 5);
  EXPECT_EQ(form.StringGrid1.RowCount(), 5);
  // Every control lies inside its parent at design size.
  std::function<void(ui::TContainer&)> check = [&](ui::TContainer& parent) {
    for (ui::TControl* c : parent.Children()) {
      EXPECT_LE(c->Bounds.Left + c->Bounds.Width, parent.Kind == ui::TControlKind::Form ? form.ClientWidth
                                                                                       : parent.Bounds.Width)
          << c->Name;
      EXPECT_LE(c->Bounds.Top + c->Bounds.Height,
                parent.Kind == ui::TControlKind::Form ? form.ClientHeight : parent.Bounds.Height)
          << c->Name;
      if (auto* inner = dynamic_cast<ui::TContainer*>(c)) check(*inner);
    }
  };
  check(form);
}

}  // namespace
}  // namespace kav::test
