// The simulated CAD as the operations will see it: members, selections and filters, scripted
// picks, the command line, the busy state and the call log.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <set>

#include "cadlink/Point.h"
#include "simcad/SimCad.h"
#include "simcad/SimDemo.h"
#include "tests/support/AutomationCode.h"

namespace kav::sim {
namespace {

using test::CodeOf;

using cad::MakePoint;
using cad::ObjectRef;
using cad::TArg;
using cad::Variant;

Variant Filter0(const char* type) { return Variant(cad::VariantArray{0, {Variant(type)}}); }
Variant Types0() { return Variant(cad::ShortArray{0, {0}}); }

void ExpectPoint(const Variant& value, double x, double y) {
  const cad::TPoint p = cad::ToPoint(value);
  EXPECT_NEAR(p.X, x, 1e-9);
  EXPECT_NEAR(p.Y, y, 1e-9);
}

class SimCadTest : public ::testing::Test {
 protected:
  TSimCad cad;
  ObjectRef app = cad.Application();
  ObjectRef doc = app->GetObj("ActiveDocument");

  std::vector<std::string> SelectedNames(const ObjectRef& set) {
    std::vector<std::string> names;
    const int count = set->Get("Count").AsInt32();
    for (int i = 0; i < count; ++i) names.push_back(set->Call("Item", {i}).AsObject()->Get("EntityName").AsString());
    return names;
  }
};

TEST_F(SimCadTest, EveryCallIsLoggedInOrderWithPutsMarked) {
  auto text = doc->GetObj("ModelSpace")->Call("AddText", {"ABC", MakePoint(1, 2), 2.5}).AsObject();
  text->Put("Alignment", Variant(9), true);
  (void)text->Get("Alignment");
  doc->Call("StartUndoMark");
  doc->Call("EndUndoMark");
  EXPECT_EQ(cad.CallTexts(), (std::vector<std::string>{"Application.ActiveDocument", "Document.ModelSpace",
                                                       "ModelSpace.AddText", "Text.Alignment :=", "Text.Alignment",
                                                       "Document.StartUndoMark", "Document.EndUndoMark"}));
  EXPECT_EQ(cad.State().UndoGroups, 1);
  EXPECT_EQ(cad.State().Calls[2].Args[0], Variant("ABC"));
}

TEST_F(SimCadTest, TextAlignmentKeepsTheTextInPlaceAndTheAlignmentPointMovesIt) {
  auto text = doc->GetObj("ModelSpace")->Call("AddText", {"AB", MakePoint(10, 20), 2.0}).AsObject();
  ExpectPoint(text->Get("InsertionPoint"), 10, 20);
  text->Put("Alignment", Variant(10));   // middle centre: width 2 chars * 2 * 0.8 = 3.2
  ExpectPoint(text->Get("InsertionPoint"), 10, 20);
  ExpectPoint(text->Get("TextAlignmentPoint"), 11.6, 21);
  text->Put("TextAlignmentPoint", MakePoint(50, 50));
  ExpectPoint(text->Get("InsertionPoint"), 48.4, 49);
  text->Put("ScaleFactor", 0.5);
  text->Put("Rotation", 1.0);
  text->Put("TextString", "XYZ");
  EXPECT_EQ(text->Get("TextString").AsString(), "XYZ");
  EXPECT_DOUBLE_EQ(text->Get("ScaleFactor").AsDouble(), 0.5);
  EXPECT_DOUBLE_EQ(text->Get("Height").AsDouble(), 2.0);
  EXPECT_EQ(CodeOf([&] { text->Put("Alignment", Variant(15)); }), cad::kInvalidArg);
  EXPECT_EQ(CodeOf([&] { text->Put("Height", 0.0); }), cad::kInvalidArg);
  EXPECT_EQ(CodeOf([&] { (void)text->Get("StartPoint"); }), cad::kUnknownName);
}

TEST_F(SimCadTest, CrossingWithTheLineFilterTakesEveryTypeEndingInLine) {
  const int line = cad.AddLine(0, 0, 0, 10);
  cad.AddPolyline({5, -1, 5, 11}, false);
  cad.AddSpline({8, -1, 0, 8, 11, 0});
  cad.Add3dPolyline({9, -1, 0, 9, 11, 0});
  cad.AddCircle(7, 5, 0.5);            // crosses the probe, but is no *LINE
  cad.AddText("T", 3, 4.5, 1.0);       // crosses, but is TEXT
  cad.AddLine(0, 20, 10, 20);          // does not cross
  auto set = doc->GetObj("ActiveSelectionSet");
  set->Call("Clear");
  // A probe segment: a rectangle of no height.
  set->Call("Select", {1, MakePoint(-1, 5), MakePoint(20, 5), Types0(), Filter0("*LINE")});
  EXPECT_EQ(SelectedNames(set),
            (std::vector<std::string>{"AcDbLine", "AcDbPolyline", "AcDbSpline", "AcDb3dPolyline"}));
  set->Call("Clear");
  EXPECT_EQ(set->Get("Count").AsInt32(), 0);
  // Without a filter the circle and the text come too.
  set->Call("Select", {1, MakePoint(-1, 5), MakePoint(20, 5)});
  EXPECT_EQ(set->Get("Count").AsInt32(), 6);
  // An erased entity leaves the set.
  cad.Drawing().Erase(line);
  EXPECT_EQ(set->Get("Count").AsInt32(), 5);
}

TEST_F(SimCadTest, LastObjectSelectionAndItsLeftOutArguments) {
  cad.AddLine(0, 0, 1, 1);
  cad.AddText("last", 0, 0, 1);
  auto set = doc->GetObj("ActiveSelectionSet");
  set->Call("Select", {4, cad::TMissing{}, cad::TMissing{}, cad::TMissing{}, cad::TMissing{}});
  EXPECT_EQ(SelectedNames(set), (std::vector<std::string>{"AcDbText"}));
  std::string message;
  EXPECT_EQ(CodeOf([&] { set->Call("Select", {2}); }, &message), cad::kInvalidArg);
  EXPECT_NE(message.find("mode 2"), std::string::npos);
  EXPECT_EQ(CodeOf([&] { set->Call("Select", {1, MakePoint(0, 0)}); }), cad::kParamNotFound);
  EXPECT_EQ(CodeOf([&] { set->Call("Item", {5}); }), cad::kBadIndex);
}

TEST_F(SimCadTest, OnScreenSelectionAppliesTheFiltersOfTheHarvestAndTheAttributeChange) {
  const int text = cad.AddText("A", 0, 0, 1);
  const int line = cad.AddLine(0, 0, 1, 0);
  const int poly = cad.AddPolyline({0, 0, 1, 1}, true);
  const int circle = cad.AddCircle(0, 0, 1);
  const int withAttributes = cad.AddBlock("B", 0, 0, {"TAG"}, {"V"});
  const int bare = cad.AddBlock("C", 0, 0, {}, {});
  auto set = doc->GetObj("ActiveSelectionSet");

  cad.QueueSelection({text, line, poly, circle, withAttributes, bare});
  set->Call("SelectOnScreen", {Types0(), Filter0("TEXT,*LINE")});
  EXPECT_EQ(SelectedNames(set), (std::vector<std::string>{"AcDbText", "AcDbLine", "AcDbPolyline"}));

  set->Call("Clear");
  cad.QueueSelection({text, withAttributes, bare});
  set->Call("SelectOnScreen", {Variant(cad::ShortArray{0, {0, 66}}),
                               Variant(cad::VariantArray{0, {Variant("INSERT"), cad::Int16(1)}})});
  ASSERT_EQ(set->Get("Count").AsInt32(), 1);
  auto block = set->Call("Item", {0}).AsObject();
  EXPECT_EQ(block->Get("Name").AsString(), "B");
  const auto attributes = block->Call("GetAttributes").AsVariants();
  ASSERT_EQ(attributes.size(), 1u);
  EXPECT_EQ(attributes[0].AsObject()->Get("TagString").AsString(), "TAG");

  EXPECT_EQ(CodeOf([&] { set->Call("SelectOnScreen", {Variant(cad::ShortArray{0, {0, 8}}), Filter0("TEXT")}); }),
            cad::kInvalidArg);   // two types, one value
}

TEST_F(SimCadTest, PicksAnswerFromTheScriptThroughOutArguments) {
  const int block = cad.AddBlock("B", 10, 10, {"PARTNO"}, {"X-1"});
  const int attribute = cad.Drawing().Find(block)->Attributes[0];
  auto utility = doc->GetObj("Utility");

  cad.QueuePoint(3, 4);
  EXPECT_EQ(cad::ToPoint(utility->Call("GetPoint", {cad::TMissing{}, "作成基点を指示 : "})), (cad::TPoint{3, 4, 0}));

  cad.QueuePick(attribute, 11, 9);
  std::vector<TArg> args{cad::Out(), cad::Out(), cad::In("線分を指示 : ")};
  utility->CallWithRefs("GetEntity", args);
  EXPECT_EQ(args[0].Value.AsObject()->Get("EntityName").AsString(), "AcDbBlockReference");
  EXPECT_EQ(cad::ToPoint(args[1].Value), (cad::TPoint{11, 9, 0}));

  cad.QueuePick(attribute, 11, 9);
  std::vector<TArg> sub{cad::Out(), cad::Out(), cad::Out(), cad::Out(), cad::In("\n文字を変更する : ")};
  utility->CallWithRefs("GetSubEntity", sub);
  EXPECT_EQ(sub[0].Value.AsObject()->Get("EntityName").AsString(), "AcDbAttribute");
  EXPECT_EQ(cad.State().Prompts,
            (std::vector<std::string>{"作成基点を指示 : ", "線分を指示 : ", "\n文字を変更する : "}));

  // An out argument passed by value would lose the answer: the call says so.
  cad.QueuePick(block, 0, 0);
  std::vector<TArg> byValue{cad::In(Variant()), cad::Out()};
  EXPECT_EQ(CodeOf([&] { utility->CallWithRefs("GetEntity", byValue); }), cad::kTypeMismatch);
}

TEST_F(SimCadTest, ACancelledOrUnscriptedPickRaisesTheCancelError) {
  auto utility = doc->GetObj("Utility");
  cad.QueueCancel();
  std::string message;
  EXPECT_EQ(CodeOf([&] { utility->Call("GetPoint"); }, &message), kCancelCode);
  EXPECT_EQ(message, kCancelMessage);
  EXPECT_EQ(CodeOf([&] { utility->Call("GetPoint"); }), kCancelCode);   // nothing queued
  cad.QueueCancel();
  EXPECT_EQ(CodeOf([&] { doc->GetObj("ActiveSelectionSet")->Call("SelectOnScreen"); }), kCancelCode);
  cad.QueuePick(999, 0, 0);   // a pick on nothing
  std::vector<TArg> args{cad::Out(), cad::Out()};
  EXPECT_EQ(CodeOf([&] { utility->CallWithRefs("GetEntity", args); }), cad::kFail);
}

TEST_F(SimCadTest, CommandLineRunsTheCopyAndPasteSequenceAndTheAttributeCommand) {
  cad.AddLine(0, 0, 5, 0);
  cad.AddText("CELL", 2, 3, 2.5);
  cad.AddBlock("B", 0, 0, {"PARTNO", "NAME"}, {"old", "n"});
  cad.AddText("LAST", 1, 1, 2.5);
  cad.QueuePoint(101, 201);
  doc->Call("SendCommand", {"copybase 0,0\rlast\r\r"});
  doc->Call("SendCommand", {"erase\rlast\r\r"});
  doc->Call("SendCommand", {"pasteclip\r"});
  doc->Call("SendCommand", {"do_attrep\rpartno\rNEW VALUE\r"});
  doc->Call("SendCommand", {"\x1b"});
  doc->Call("SendCommand", {"\x03"});
  doc->Call("SendCommand", {"frobnicate\r"});
  EXPECT_EQ(cad.State().CommandEvents,
            (std::vector<std::string>{"COPYBASE 0,0 LAST", "ERASE LAST", "PASTECLIP 101,201", "DO_ATTREP partno NEW VALUE",
                                      "CANCEL", "CANCEL", "UNKNOWN frobnicate"}));
  const auto lines = cad.DrawingLines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_NE(lines[2].find("PARTNO=NEW VALUE\tNAME=n"), std::string::npos);
  EXPECT_NE(lines[3].find("LAST\tat 102,202"), std::string::npos);   // moved by the paste point
}

TEST_F(SimCadTest, StateObjectsReportTheBusyStateATestSets) {
  auto acad = app->Call("GetAcadState").AsObject();
  EXPECT_TRUE(acad->Get("IsQuiescent").AsBool());
  cad.State().Busy = true;
  EXPECT_FALSE(app->Call("GetGcadState").AsObject()->Get("IsQuiescent").AsBool());
  cad.State().Busy = false;
  cad.State().BusyPollsAfterCommand = 2;
  doc->Call("SendCommand", {"pasteclip\r"});
  auto zcad = app->Call("GetZcadState").AsObject();
  EXPECT_FALSE(zcad->Get("IsQuiescent").AsBool());
  EXPECT_FALSE(zcad->Get("IsQuiescent").AsBool());
  EXPECT_TRUE(zcad->Get("IsQuiescent").AsBool());
}

TEST_F(SimCadTest, MembersFailOnDemandAndUnknownMembersAreNamed) {
  cad.FailMember("Application.GetGcadState", cad::kUnknownName, "Unknown name: GetGcadState", 1);
  std::string message;
  EXPECT_EQ(CodeOf([&] { app->Call("GetGcadState"); }, &message), cad::kUnknownName);
  EXPECT_NO_THROW(app->Call("GetGcadState"));   // only once
  EXPECT_EQ(CodeOf([&] { doc->Call("Frobnicate"); }, &message), cad::kUnknownName);
  EXPECT_NE(message.find("Document.Frobnicate"), std::string::npos);
  EXPECT_DOUBLE_EQ(doc->Call("GetVariable", {"DIMSCALE"}).AsDouble(), 1.0);
  EXPECT_EQ(CodeOf([&] { doc->Call("GetVariable", {"NOSUCHVAR"}); }), cad::kInvalidArg);
  EXPECT_EQ(CodeOf([&] { doc->Call("SendCommand"); }), cad::kBadParamCount);
  auto text = doc->GetObj("ModelSpace")->Call("AddText", {"x", MakePoint(0, 0), 1.0}).AsObject();
  text->Call("Delete");
  EXPECT_EQ(CodeOf([&] { (void)text->Get("TextString"); }), cad::kFail);
}

TEST_F(SimCadTest, TestMembersBuildTheDrawingWithoutEnteringTheLog) {
  cad.State().Calls.clear();
  const int id = app->Call("SimAddLine", {0, 0, 10.0, 0}).AsInt32();
  app->Call("SimQueuePoint", {1, 2});
  app->Call("SimBuildDemo");
  EXPECT_TRUE(cad.State().Calls.empty());
  EXPECT_EQ(cad.State().Answers.size(), 1u);
  const auto drawing = app->Call("SimDrawing").AsVariants();
  TDrawing demo;
  BuildDemoDrawing(demo);
  ASSERT_EQ(drawing.size(), demo.TopLevel().size() + 1);
  EXPECT_EQ(drawing[0].AsString(), std::to_string(id) + "\tAcDbLine\t0,0 10,0");
  (void)doc->Get("Name");
  EXPECT_EQ(app->Call("SimCallLog").AsVariants().size(), 1u);
}

TEST(SimDemo, HoldsARuledPartsListATitleBlockBalloonsLinesAtSeveralAnglesAndShapesToSkip) {
  TDrawing drawing;
  BuildDemoDrawing(drawing);
  std::set<long> angles;
  std::set<std::string> texts;
  std::map<std::string, std::vector<std::string>> references;   // block name -> tag=value of each attribute
  int skipped = 0;
  for (int id : drawing.TopLevel()) {
    const TEntity& e = *drawing.Find(id);
    if (e.Type == TEntityType::Line) {
      const long degrees = std::lround(std::atan2(e.End.Y - e.Start.Y, e.End.X - e.Start.X) * 180 / 3.14159265358979);
      angles.insert(((degrees % 180) + 180) % 180);
    } else if (e.Type == TEntityType::Text) {
      texts.insert(e.Text.TextString);
    } else if (e.Type == TEntityType::BlockReference) {
      // Every reference shows a real definition; its attributes carry values.
      EXPECT_NE(drawing.FindBlock(e.BlockName), 0) << e.BlockName;
      for (int attributeId : e.Attributes) {
        const TEntity& attribute = *drawing.Find(attributeId);
        EXPECT_FALSE(attribute.Text.TextString.empty()) << attribute.Tag;
        references[e.BlockName].push_back(attribute.Tag + "=" + attribute.Text.TextString);
        // The title block's attributes sit in its cells.
        const cad::TPoint at = TextInsertionPoint(attribute.Text);
        if (e.BlockName == "TITLE") {
          EXPECT_TRUE(at.X > 250 && at.X < 410 && at.Y > 10 && at.Y < 50) << attribute.Tag;
        }
      }
    } else if (e.Type == TEntityType::Spline || e.Type == TEntityType::Polyline3d) {
      ++skipped;
    }
  }
  EXPECT_EQ(references["TITLE"], (std::vector<std::string>{"TITLE=ブラケット組立", "PARTNO=K-001", "SCALE=1:1"}));
  EXPECT_EQ(references["BALLOON"], (std::vector<std::string>{"NO=1", "NO=2"}));
  EXPECT_EQ(skipped, 2);
  // Horizontal, vertical, the chamfer and lines at 30, 60 and -15 degrees to write along.
  EXPECT_EQ(angles, (std::set<long>{0, 30, 60, 90, 135, 165}));
  for (const char* title : {"品番", "品名", "数量", "材質", "備考"}) EXPECT_TRUE(texts.count(title)) << title;
  // The parts list is ruled: a probe down its name column crosses its eight row lines.
  int rowLines = 0;
  for (int id : drawing.Crossing({292, 49, 0}, {292, 110, 0}))
    if (drawing.Find(id)->Type == TEntityType::Line) ++rowLines;
  EXPECT_EQ(rowLines, 8);
  // The title block's cells are drawn by its definition: a probe across its middle line finds the reference.
  const auto title = drawing.Crossing({300, 29, 0}, {300, 31, 0});
  ASSERT_EQ(title.size(), 1u);
  EXPECT_EQ(drawing.Find(title[0])->BlockName, "TITLE");
}

}  // namespace
}  // namespace kav::sim
