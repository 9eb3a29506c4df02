// Bulk attribute change: the tag from the tag box, the direct path with its skip list and
// timing message, and the command path handed to the CAD.
#include <gtest/gtest.h>

#include <algorithm>

#include "placement/BulkAttributes.h"
#include "tests/native/placement/PlacementFixture.h"

namespace kav::test {
namespace {

using Strings = std::vector<std::string>;

TEST(AttributeTag, FromTheTagBoxText) {
  EXPECT_EQ(placement::TagFromText("PARTNO : 品番"), "PARTNO");
  EXPECT_EQ(placement::TagFromText(" partno , desc: x"), "PARTNO , DESC");   // a colon decides before a comma
  EXPECT_EQ(placement::TagFromText("partno,desc"), "PARTNO");
  EXPECT_EQ(placement::TagFromText(" partno "), " PARTNO ");   // neither: kept whole, blanks and all
  EXPECT_EQ(placement::TagFromText("ｐａｒｔ"), "ｐａｒｔ");   // full-width letters stay
  EXPECT_EQ(placement::TagFromText(":PARTNO"), "");
  EXPECT_EQ(placement::TagFromText(",PARTNO"), "");
  EXPECT_EQ(placement::AttributeCommand("PARTNO", "ABC"), "do_attrep\rPARTNO\rABC\r");
  EXPECT_EQ(placement::TimingMessage(1234), "1.23 sec");
  EXPECT_EQ(placement::TimingMessage(7), "0.01 sec");
  EXPECT_EQ(placement::TimingMessage(0), "0.00 sec");
}

class BulkAttributesTest : public ::testing::Test, public TPlacementFixture {
 protected:
  std::string Value(int reference, std::size_t attribute = 0) {
    return Cad.Drawing().Find(Cad.Drawing().Find(reference)->Attributes[attribute])->Text.TextString;
  }
};

TEST_F(BulkAttributesTest, EverySelectedReferenceGetsTheValueAndBlocksWithoutTheTagAreReadOnce) {
  std::vector<int> selection;
  for (int i = 0; i < 10; ++i) selection.push_back(Cad.AddBlock("A", i, 0, {"NAME"}, {"a"}));
  std::vector<int> withTag;
  for (int i = 0; i < 5; ++i) withTag.push_back(Cad.AddBlock("B", i, 10, {"NAME", "PartNo"}, {"b", "old"}));
  selection.insert(selection.end(), withTag.begin(), withTag.end());
  Form->ComboBox3.SetText("PARTNO : 品番");
  Form->Edit15.SetText("  P-100  ");
  Cad.QueueSelection(selection);
  Form->Button7.UserClick();

  for (int b : withTag) EXPECT_EQ(Value(b, 1), "P-100");
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Value(selection[static_cast<std::size_t>(i)]), "a");
  const Strings calls = Calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "BlockReference.GetAttributes"), 1 + 5);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "BlockReference.Name"), 15);
  EXPECT_EQ(Cad.State().UndoGroups, 1);
  EXPECT_EQ(Cad.State().Regens, 1);
  EXPECT_EQ(Cad.State().Prompts, Strings{"0.00 sec"});
  EXPECT_TRUE(Cad.State().Selection.empty());
  const Strings head(calls.begin(), calls.begin() + 9);
  EXPECT_EQ(head, (Strings{"Application.HWND", "Application.ActiveDocument", "Document.ActiveSelectionSet",
                           "SelectionSet.Clear", "SelectionSet.SelectOnScreen", "Document.SendCommand",
                           "SelectionSet.Count", "Document.StartUndoMark", "SelectionSet.Item"}));
  const Strings tail(calls.end() - 5, calls.end());
  EXPECT_EQ(tail, (Strings{"Document.Utility", "Utility.Prompt", "Document.Regen", "Document.EndUndoMark",
                           "SelectionSet.Clear"}));
  // The filter: block references with attributes only.
  const auto& select = Cad.State().Calls[4];
  EXPECT_EQ(select.Args[0], cad::Variant(cad::ShortArray{0, {0, 66}}));
  EXPECT_EQ(KeyStrokes(), (Strings{"27 down", "27 up"}));
}

TEST_F(BulkAttributesTest, OnlyTheFirstOfTwoAttributesWithTheTagChanges) {
  const int r = Cad.AddBlock("C", 0, 0, {"partno", "PARTNO"}, {"1", "2"});
  Form->ComboBox3.SetText("partno,説明");
  Form->Edit15.SetText(std::string(10000, 'x'));
  Cad.QueueSelection({r});
  Form->Button7Click();
  EXPECT_EQ(Value(r, 0), std::string(10000, 'x'));
  EXPECT_EQ(Value(r, 1), "2");
}

TEST_F(BulkAttributesTest, ABlockWithAThousandAttributes) {
  std::vector<std::string> tags, values;
  for (int i = 0; i < 1000; ++i) {
    tags.push_back(std::string("T").append(std::to_string(i)));
    values.push_back("v");
  }
  const int r = Cad.AddBlock("BIG", 0, 0, tags, values);
  Form->ComboBox3.SetText("t999");
  Form->Edit15.SetText("last");
  Cad.QueueSelection({r});
  Form->Button7Click();
  EXPECT_EQ(Value(r, 999), "last");
  EXPECT_EQ(Value(r, 998), "v");
}

TEST_F(BulkAttributesTest, TheCommandPathSendsOneStringAndWaitsUntilTheCadIsQuiescent) {
  const int r = Cad.AddBlock("B", 0, 0, {"PARTNO"}, {"old"});
  Form->CheckBox6.SetChecked(true);
  Form->ComboBox3.SetText("partno : 品番");
  Form->Edit15.SetText(" ABC ");
  Cad.State().BusyPollsAfterCommand = 2;
  Form->Button7Click();
  EXPECT_EQ(Cad.State().Commands, Strings{"do_attrep\rPARTNO\rABC\r"});
  EXPECT_EQ(Value(r), "ABC");   // the CAD's own command did it
  EXPECT_EQ(Calls(), (Strings{"Application.HWND", "Application.ActiveDocument", "Document.SendCommand",
                              "Application.GetAcadState", "AcadState.IsQuiescent", "Application.GetAcadState",
                              "AcadState.IsQuiescent", "Application.GetAcadState", "AcadState.IsQuiescent"}));
  EXPECT_EQ(F.Platform.Desktop.MessagePumps, 3);
  EXPECT_TRUE(F.Platform.Desktop.Keys.empty());
}

TEST_F(BulkAttributesTest, AnEmptyTagACancelledSelectionAndAFailureHalfWay) {
  const int a = Cad.AddBlock("A", 0, 0, {"PARTNO"}, {"1"});
  const int b = Cad.AddBlock("B", 0, 0, {"PARTNO"}, {"2"});
  Form->ComboBox3.SetText(": nothing");
  Form->Button7Click();
  EXPECT_TRUE(Cad.State().Commands.empty());
  EXPECT_EQ(KeyStrokes().size(), 2u);   // the Escape key stroke all the same

  Form->ComboBox3.SetText("PARTNO");
  Form->Edit15.SetText("new");
  Cad.QueueCancel();
  Form->Button7Click();
  EXPECT_EQ(Value(a), "1");
  EXPECT_TRUE(Cad.State().Selection.empty());
  EXPECT_EQ(Cad.State().UndoGroups, 0);

  Cad.FailMember("Attribute.TextString", cad::kFail, "locked", 1);   // the first change fails...
  Cad.QueueSelection({a, b});
  Form->Button7Click();
  EXPECT_EQ(Value(a), "1");
  EXPECT_EQ(Value(b), "2");   // ...and ends the loop: the rest is not processed
  EXPECT_TRUE(Cad.State().Prompts.empty());
  EXPECT_EQ(Cad.State().UndoDepth, 0);
  EXPECT_TRUE(F.Platform.Messages.Errors.empty());
  EXPECT_EQ(Form->WindowState(), ui::TWindowState::Normal);
}

TEST_F(BulkAttributesTest, AnUntidyTagListGivesItemsThatAreSafeToUse) {
  const int r = Cad.AddBlock("B", 0, 0, {"PARTNO"}, {"old"});
  const std::string longLine(100000, 'a');
  F.PutFile("ATTTAGList.txt", longLine + "\r\n" + std::string("\x00\xff\xfe\x81\t\x01", 6) + "\r\nPARTNO\r\n");
  Form->ComboBox3.Items.Clear();
  Form->LoadTagList();
  ASSERT_EQ(Form->ComboBox3.Items.Count(), 3);
  Form->Edit15.SetText("new");
  for (int item = 0; item < 3; ++item) {
    Form->ComboBox3.SetItemIndex(item);
    Cad.QueueSelection({r});
    Form->Button7Click();
  }
  EXPECT_EQ(Cad.Drawing().Find(Cad.Drawing().Find(r)->Attributes[0])->Text.TextString, "new");   // only the last matched
  EXPECT_EQ(Cad.State().UndoGroups, 3);
  EXPECT_TRUE(F.Platform.Messages.Errors.empty());
}

}  // namespace
}  // namespace kav::test
