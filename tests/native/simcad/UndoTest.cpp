// Undo in the simulated CAD: the changes between StartUndoMark and EndUndoMark go back in
// one step, a change outside a group is a step of its own, and nothing is undone while an
// operation is still open.
#include <gtest/gtest.h>

#include "cadlink/Point.h"
#include "simcad/SimCad.h"
#include "simcad/SimInteraction.h"

namespace kav::sim {
namespace {

using cad::MakePoint;
using cad::ObjectRef;
using cad::Variant;

class UndoTest : public ::testing::Test {
 protected:
  TSimCad cad;
  int line = cad.AddLine(0, 0, 10, 0);
  int block = cad.AddBlock("TITLE", 50, 50, {"PARTNO"}, {"K-1"});
  ObjectRef app = cad.Application();
  ObjectRef doc = app->GetObj("ActiveDocument");
  ObjectRef space = doc->GetObj("ModelSpace");
  TUndoJournal& undo = cad.State().Undo;
  bool Undo() { return undo.Undo(cad.Drawing()); }
};

TEST_F(UndoTest, AGroupGoesBackInOneStepAndRestoresEveryChangeOfIt) {
  const std::vector<std::string> before = cad.DrawingLines();
  doc->Call("StartUndoMark");
  ObjectRef text = space->Call("AddText", {"新規", MakePoint(1, 2), 2.5}).AsObject();
  text->Put("Alignment", Variant(10));
  text->Put("TextAlignmentPoint", MakePoint(30, 40));
  ObjectRef attribute = app->Call("SimEntity", {block + 1}).AsObject();
  attribute->Put("TextString", "K-2");
  attribute->Put("TextString", "K-3");
  doc->Call("SendCommand", {"erase\rlast\r\r"});   // the new TEXT
  app->Call("SimEntity", {line}).AsObject()->Call("Delete");
  EXPECT_FALSE(Undo()) << "nothing is undone while the group is open";
  doc->Call("EndUndoMark");
  EXPECT_NE(cad.DrawingLines(), before);
  EXPECT_EQ(undo.Steps(), 1u);
  ASSERT_TRUE(Undo());
  EXPECT_EQ(cad.DrawingLines(), before);
  EXPECT_FALSE(Undo());
  // The objects the tool still holds see the state undo left.
  EXPECT_EQ(attribute->Get("TextString").AsString(), "K-1");
  EXPECT_THROW((void)text->Get("TextString"), cad::TAutomationError);
}

TEST_F(UndoTest, ChangesOutsideAGroupAreStepsOfTheirOwnAndReadsAreNone) {
  ObjectRef text = space->Call("AddText", {"A", MakePoint(1, 2), 2.5}).AsObject();
  text->Put("Height", 5.0);
  (void)text->Get("Height");
  (void)doc->Call("GetVariable", {"DIMSCALE"});
  doc->Call("StartUndoMark");
  doc->Call("EndUndoMark");   // an empty group
  EXPECT_EQ(undo.Steps(), 2u);
  ASSERT_TRUE(Undo());
  EXPECT_DOUBLE_EQ(text->Get("Height").AsDouble(), 2.5);
  ASSERT_TRUE(Undo());
  EXPECT_EQ(cad.DrawingLines().size(), 2u);
  // The drawing built before any call is where undo stops.
  EXPECT_FALSE(Undo());
}

TEST_F(UndoTest, NestedMarksCloseTheGroupAtTheOutermostEndAndAStrayEndIsIgnored) {
  doc->Call("EndUndoMark");
  doc->Call("StartUndoMark");
  space->Call("AddText", {"A", MakePoint(0, 0), 2.5});
  doc->Call("StartUndoMark");
  space->Call("AddText", {"B", MakePoint(0, 5), 2.5});
  doc->Call("EndUndoMark");
  EXPECT_FALSE(Undo());
  space->Call("AddText", {"C", MakePoint(0, 10), 2.5});
  doc->Call("EndUndoMark");
  EXPECT_EQ(undo.Steps(), 1u);
  ASSERT_TRUE(Undo());
  EXPECT_EQ(cad.DrawingLines().size(), 2u);
}

TEST_F(UndoTest, TheBulkCommandAndThePasteAreStepsAndAFailedCallLeavesNone) {
  doc->Call("SendCommand", {"do_attrep\rPARTNO\rNEW\r"});
  cad.QueuePoint(100, 100);
  doc->Call("SendCommand", {"copybase 0,0\rlast\r\rerase\rlast\r\rpasteclip\r"});
  EXPECT_EQ(cad.DrawingLines().size(), 2u);   // the block moved from 50,50 to 150,150
  EXPECT_NE(cad.DrawingLines()[1].find("at 150,150"), std::string::npos) << cad.DrawingLines()[1];
  cad.FailMember("Document.SendCommand", cad::kFail, "failed");
  EXPECT_THROW(doc->Call("SendCommand", {"erase\rlast\r\r"}), cad::TAutomationError);
  EXPECT_EQ(cad.DrawingLines().size(), 2u);
  EXPECT_EQ(undo.Steps(), 2u);
  ASSERT_TRUE(Undo());
  EXPECT_NE(cad.DrawingLines()[1].find("TITLE at 50,50\tPARTNO=NEW"), std::string::npos) << cad.DrawingLines()[1];
  ASSERT_TRUE(Undo());
  EXPECT_NE(cad.DrawingLines()[1].find("PARTNO=K-1"), std::string::npos) << cad.DrawingLines()[1];
}

TEST_F(UndoTest, TheUsersUndoSaysWhatItDidAndWaitsWhileAnythingIsOpen) {
  auto& state = cad.State();
  space->Call("AddText", {"A", MakePoint(1, 2), 2.5});
  doc->Call("StartUndoMark");
  EXPECT_FALSE(UndoLastStep(state));
  EXPECT_EQ(state.CommandLine.History().back(), "コマンドの実行中は元に戻せません。");
  doc->Call("EndUndoMark");
  state.PastePending = true;
  EXPECT_FALSE(UndoLastStep(state));
  state.PastePending = false;
  const auto revision = state.Revision;
  ASSERT_TRUE(UndoLastStep(state));
  EXPECT_GT(state.Revision, revision);
  EXPECT_EQ(state.CommandLine.History().back(), "元に戻す: 1 操作 (残り 0)");
  EXPECT_EQ(cad.DrawingLines().size(), 2u);
  EXPECT_FALSE(UndoLastStep(state));
  EXPECT_EQ(state.CommandLine.History().back(), "元に戻す操作はありません。");
}

}  // namespace
}  // namespace kav::sim
