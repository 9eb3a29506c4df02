// The event rules the form's handlers rely on.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/PageControl.h"

namespace kav::ui {
namespace {

TEST(EditRules, SettingTextFiresChangeOnlyWhenTheTextChanges) {
  TEdit edit("Edit1", "5.0");
  int changes = 0;
  edit.OnChange = [&] { ++changes; };
  edit.SetText("5.0");
  EXPECT_EQ(changes, 0);
  edit.SetText("4");
  edit.UserSetText("4");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(edit.Text(), "4");
}

TEST(CheckBoxRules, ClickFiresWheneverTheMarkChangesAlsoFromCode) {
  TCheckBox box("CheckBox1", "x");
  std::vector<bool> seen;
  box.OnClick = [&] { seen.push_back(box.Checked()); };
  box.SetChecked(true);
  box.SetChecked(true);   // no change, no event
  box.UserClick();        // the user toggles it off
  box.SetEnabled(false);
  box.UserClick();        // disabled: ignored
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST(RadioRules, CheckingOneUnchecksItsGroupAndOnlyTheCheckedOneFires) {
  TPanel group("Panel1"), other("Panel2");
  TRadioButton a("A", "a"), b("B", "b"), c("C", "c"), elsewhere("D", "d");
  group.Add(a);
  group.Add(b);
  group.Add(c);
  other.Add(elsewhere);
  std::vector<std::string> fired;
  for (auto* r : {&a, &b, &c, &elsewhere}) r->OnClick = [&fired, r] { fired.push_back(r->Name); };
  elsewhere.SetChecked(true);
  a.SetChecked(true);
  b.UserClick();
  EXPECT_FALSE(a.Checked());
  EXPECT_TRUE(b.Checked());
  EXPECT_TRUE(elsewhere.Checked());   // another group is not touched
  b.SetChecked(false);                 // becoming unchecked fires nothing
  EXPECT_EQ(fired, (std::vector<std::string>{"D", "A", "B"}));
}

TEST(ChoiceRules, CodeChoosesSilentlyTheUserChoiceFires) {
  TComboBox combo("ComboBox2", TComboStyle::DropDownList);
  for (const char* s : {"L : 左", "C : 中心"}) combo.AddItem(s);
  int changes = 0;
  combo.OnChange = [&] { ++changes; };
  combo.SetItemIndex(1);
  EXPECT_EQ(combo.Text(), "C : 中心");
  EXPECT_EQ(changes, 0);
  combo.UserSelect(0);
  EXPECT_EQ(changes, 1);
  combo.SetItemIndex(12);   // outside the list: nothing chosen
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(combo.Text(), "");

  TPageControl pages("PageControl1");
  TTabSheet p0("TabSheet1", "a"), p1("TabSheet2", "b");
  pages.AddPage(p0);
  pages.AddPage(p1);
  int pageChanges = 0;
  pages.OnChange = [&] { ++pageChanges; };
  pages.SetActivePageIndex(1);
  pages.UserSelectPage(0);
  EXPECT_EQ(pageChanges, 1);
  EXPECT_EQ(pages.ActivePageIndex(), 0);
}

TEST(SortedItems, FollowTheSuppliedOrderAndKeepTheChosenItem) {
  TComboBox combo("ComboBox1", TComboStyle::DropDownList);
  combo.Items.Sorted = true;
  combo.AddItem("b.tsv");
  combo.AddItem("C.tsv");
  combo.SetItemIndex(1);
  combo.AddItem("A.tsv");
  EXPECT_EQ(combo.Items.All(), (std::vector<std::string>{"A.tsv", "b.tsv", "C.tsv"}));
  EXPECT_EQ(combo.Text(), "C.tsv");
  combo.SetText("B.TSV");   // a fixed list chooses the item equal to it, case ignored
  EXPECT_EQ(combo.ItemIndex(), 1);
}

TEST(UserEvents, AnEscapingExceptionIsShownAndTheProgramGoesOn) {
  TForm form("Form1");
  TButton button("Button1", "go");
  form.Add(button);
  std::vector<std::string> shown;
  form.OnError = [&](const std::string& text) { shown.push_back(text); };
  button.OnClick = [] { throw std::runtime_error("broken"); };
  button.UserClick();
  button.UserClick();
  EXPECT_EQ(shown, (std::vector<std::string>{"broken", "broken"}));
  // From code the exception reaches the caller, as a handler calling another handler expects.
  EXPECT_THROW(button.OnClick(), std::runtime_error);
}

TEST(UserEvents, AFailureOfAnyTypeIsShownNeverSwallowed) {
  TForm form("Form1");
  TCheckBox box("CheckBox1", "x");
  form.Add(box);
  std::vector<std::string> shown;
  form.OnError = [&](const std::string& text) { shown.push_back(text); };
  box.OnClick = [] { throw 42; };   // not a std::exception: still the user hears of it
  box.UserClick();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_FALSE(shown[0].empty());
  EXPECT_TRUE(box.Checked());

  // A form without anyone to show errors lets them go on to its caller, the window procedure.
  form.OnError = nullptr;
  box.OnClick = [] { throw std::logic_error("unshown"); };
  EXPECT_THROW(box.UserClick(), std::logic_error);
}

}  // namespace
}  // namespace kav::ui
