// Block definitions in the simulated CAD: kept out of model space, shown by their references
// (scaled, rotated, arrayed, nested), and picked one entity at a time with GetSubEntity as a
// CAD picks them; the kinds of real drawings that the selection filters let through or skip.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <numbers>

#include "cadlink/Point.h"
#include "simcad/SimBlockGeometry.h"
#include "simcad/SimCad.h"
#include "tests/support/SimEntities.h"
#include "tests/support/AutomationCode.h"

namespace kav::sim {
namespace {

using test::CodeOf;

using cad::ObjectRef;
using cad::TArg;
using cad::Variant;

constexpr double kPi = std::numbers::pi;

int AddReference(TDrawing& drawing, const std::string& name, double x, double y, TBlockTransform insert = {}) {
  TEntity reference;
  reference.Type = TEntityType::BlockReference;
  reference.BlockName = name;
  reference.Center = {x, y, 0};
  reference.Insert = insert;
  return drawing.Add(reference);
}

// The point a 4x4 matrix (row by row) takes `p` to.
cad::TPoint Through(const std::vector<double>& m, const cad::TPoint& p) {
  return {m[0] * p.X + m[1] * p.Y + m[2] * p.Z + m[3], m[4] * p.X + m[5] * p.Y + m[6] * p.Z + m[7],
          m[8] * p.X + m[9] * p.Y + m[10] * p.Z + m[11]};
}

void ExpectNear(const cad::TPoint& actual, const cad::TPoint& expected) {
  EXPECT_NEAR(actual.X, expected.X, 1e-9);
  EXPECT_NEAR(actual.Y, expected.Y, 1e-9);
  EXPECT_NEAR(actual.Z, expected.Z, 1e-9);
}

class SimBlocksTest : public ::testing::Test {
 protected:
  // A title block "TB" with its base at (10, 0): a frame line, a label TEXT and an attribute
  // definition; two references of it in model space, the second scaled by 2 and turned by 90°.
  void SetUp() override {
    auto& drawing = cad.Drawing();
    const TTitleBlock tb = AddTitleBlockDefinition(drawing);
    frame = tb.Frame;
    label = tb.Label;
    first = drawing.AddBlock("TB", {100, 100, 0}, {"PARTNO"}, {"K-1"});
    second = AddReference(drawing, "tb", 200, 100, TBlockTransform{{2, 2, 1}, kPi / 2});
  }

  std::vector<TArg> SubEntity(int id, int reference = 0) {
    cad.QueuePick(id, 0, 0, reference);
    std::vector<TArg> args{cad::Out(), cad::Out(), cad::Out(), cad::Out(), cad::In("\n文字を変更する TEXT、属性を選択 : ")};
    utility->CallWithRefs("GetSubEntity", args);
    return args;
  }

  TSimCad cad;
  ObjectRef doc = cad.Application()->GetObj("ActiveDocument");
  ObjectRef utility = doc->GetObj("Utility");
  int frame = 0, label = 0, first = 0, second = 0;
};

TEST_F(SimBlocksTest, DefinitionsStayOutOfModelSpaceAndItsSelections) {
  EXPECT_LT(frame, 0);
  EXPECT_EQ(cad.Drawing().TopLevel(), (std::vector<int>{first, second}));
  EXPECT_EQ(doc->GetObj("ModelSpace")->Get("Count").AsInt32(), 2);
  auto set = doc->GetObj("ActiveSelectionSet");
  set->Call("Select", {5});
  EXPECT_EQ(set->Get("Count").AsInt32(), 2);
  set->Call("Clear");
  // A definition entity handed to an on-screen selection is not taken on its own.
  cad.QueueSelection({frame, label, first});
  set->Call("SelectOnScreen");
  ASSERT_EQ(set->Get("Count").AsInt32(), 1);
  EXPECT_EQ(set->Call("Item", {0}).AsObject()->Get("ObjectID").AsInt32(), first);
  EXPECT_EQ(cad.Drawing().LastTopLevel(), second);
}

TEST_F(SimBlocksTest, ACrossingMeetsAReferenceThroughWhatItsDefinitionShows) {
  // The frame of the first reference runs from (100, 100) to (120, 100); of the second,
  // scaled by 2 and turned, from (200, 100) up to (200, 140).
  EXPECT_EQ(cad.Drawing().Crossing({110, 99, 0}, {111, 101, 0}), (std::vector<int>{first}));
  EXPECT_EQ(cad.Drawing().Crossing({199, 130, 0}, {201, 131, 0}), (std::vector<int>{second}));
  EXPECT_TRUE(cad.Drawing().Crossing({230, 99, 0}, {240, 101, 0}).empty());   // where it would lie unturned
  EXPECT_TRUE(cad.Drawing().Crossing({15, -1, 0}, {16, 1, 0}).empty());       // the definition's own place
}

TEST_F(SimBlocksTest, SubEntityPickGivesAnAttributeItselfWithoutTransform) {
  const int attribute = cad.Drawing().Find(first)->Attributes[0];
  const auto args = SubEntity(attribute);
  auto picked = args[0].Value.AsObject();
  EXPECT_EQ(picked->Get("EntityName").AsString(), "AcDbAttribute");
  EXPECT_EQ(picked->Get("TagString").AsString(), "PARTNO");
  EXPECT_TRUE(args[2].Value.IsEmpty());
  EXPECT_TRUE(args[3].Value.IsEmpty());
  picked->Put("TextString", "K-2");
  EXPECT_EQ(cad.Drawing().Find(attribute)->Text.TextString, "K-2");

  // A plain pick of the same attribute gives the reference around it.
  cad.QueuePick(attribute, 0, 0);
  std::vector<TArg> plain{cad::Out(), cad::Out(), cad::In("")};
  utility->CallWithRefs("GetEntity", plain);
  EXPECT_EQ(plain[0].Value.AsObject()->Get("ObjectID").AsInt32(), first);
}

TEST_F(SimBlocksTest, SubEntityPickOfADefinitionTextChangesWhatEveryReferenceShows) {
  const auto args = SubEntity(label, second);
  auto picked = args[0].Value.AsObject();
  EXPECT_EQ(picked->Get("EntityName").AsString(), "AcDbText");
  // The transform takes the text from the block's coordinates to where the second reference
  // shows it: base (10, 0) on (200, 100), scaled by 2, turned by 90°.
  const std::vector<double> matrix = args[2].Value.AsDoubles();
  ASSERT_EQ(matrix.size(), 16u);
  ExpectNear(Through(matrix, cad::ToPoint(picked->Get("InsertionPoint"))), {196, 104, 0});
  EXPECT_EQ((std::vector<double>(matrix.end() - 4, matrix.end())), (std::vector<double>{0, 0, 0, 1}));
  // The context holds the reference it was picked through, by object id.
  const auto context = args[3].Value.AsVariants();
  ASSERT_EQ(context.size(), 1u);
  EXPECT_EQ(context[0].AsInt32(), second);
  EXPECT_EQ(doc->Call("ObjectIdToObject", {context[0]}).AsObject()->Get("EntityName").AsString(), "AcDbBlockReference");

  picked->Put("TextString", "DRAWING NO.");
  int shown = 0;
  for (int reference : {first, second}) {
    ForEachBlockEntity(cad.Drawing(), *cad.Drawing().Find(reference), [&](const TEntity& e, const TTransform&) {
      if (e.Type == TEntityType::Text) {
        EXPECT_EQ(e.Text.TextString, "DRAWING NO.");
        ++shown;
      }
    });
  }
  EXPECT_EQ(shown, 2);
}

TEST_F(SimBlocksTest, ALineOfABlockIsPickedAsALineAndAPlainPickGivesTheReference) {
  const auto args = SubEntity(frame);   // no reference named: the first that shows it
  EXPECT_EQ(args[0].Value.AsObject()->Get("EntityName").AsString(), "AcDbLine");
  EXPECT_EQ(args[3].Value.AsVariants()[0].AsInt32(), first);
  ExpectNear(Through(args[2].Value.AsDoubles(), {30, 0, 0}), {120, 100, 0});

  cad.QueuePick(frame, 0, 0, second);
  std::vector<TArg> plain{cad::Out(), cad::Out(), cad::In("")};
  utility->CallWithRefs("GetEntity", plain);
  EXPECT_EQ(plain[0].Value.AsObject()->Get("EntityName").AsString(), "AcDbBlockReference");
  EXPECT_EQ(plain[0].Value.AsObject()->Get("ObjectID").AsInt32(), second);
}

TEST_F(SimBlocksTest, NestedBlocksGiveEveryReferenceOnTheWayInnermostFirst) {
  auto& drawing = cad.Drawing();
  const int outer = drawing.AddBlockDefinition("OUTER", {0, 0, 0});
  TEntity inner;
  inner.Type = TEntityType::BlockReference;
  inner.BlockName = "TB";
  inner.Center = {50, 0, 0};
  const int innerReference = drawing.AddToBlock(outer, inner);
  const int outerReference = AddReference(drawing, "OUTER", 0, 500, TBlockTransform{{1, -1, 1}, 0});   // mirrored in y
  const auto args = SubEntity(frame, outerReference);
  EXPECT_EQ(args[3].Value.AsVariants().size(), 2u);
  EXPECT_EQ(args[3].Value.AsVariants()[0].AsInt32(), innerReference);
  EXPECT_EQ(args[3].Value.AsVariants()[1].AsInt32(), outerReference);
  ExpectNear(Through(args[2].Value.AsDoubles(), {12, 2, 0}), {52, 498, 0});

  // A reference that does not show the entity cannot be picked through it.
  const int lone = drawing.AddToBlock(drawing.AddBlockDefinition("UNUSED", {}), MakeLine(0, 0, 1, 1));
  cad.QueuePick(lone, 0, 0, outerReference);
  cad.QueuePick(lone, 0, 0);
  std::vector<TArg> none{cad::Out(), cad::Out(), cad::Out(), cad::Out()};
  EXPECT_EQ(CodeOf([&] { utility->CallWithRefs("GetSubEntity", none); }), cad::kFail);
  EXPECT_EQ(CodeOf([&] { utility->CallWithRefs("GetSubEntity", none); }), cad::kFail);
}

TEST_F(SimBlocksTest, ABlockThatContainsItselfOrAHugeArrayEndsInBoundedTime) {
  auto& drawing = cad.Drawing();
  const int loop = drawing.AddBlockDefinition("LOOP", {});
  drawing.AddToBlock(loop, MakeLine(0, 0, 1, 0));
  TEntity self;
  self.Type = TEntityType::BlockReference;
  self.BlockName = "LOOP";
  self.Center = {0, 1, 0};
  drawing.AddToBlock(loop, self);
  const int looping = AddReference(drawing, "LOOP", 1000, 0);
  drawing.AddBlockDefinition("EMPTY", {});
  TBlockTransform array;
  array.Columns = 30000;
  array.Rows = 30000;
  array.ColumnSpacing = array.RowSpacing = 1;
  AddReference(drawing, "EMPTY", 5000, 0, array);

  const auto start = std::chrono::steady_clock::now();
  std::size_t visits = 0;
  ForEachBlockEntity(drawing, *drawing.Find(looping), [&](const TEntity&, const TTransform&) { ++visits; });
  EXPECT_EQ(visits, static_cast<std::size_t>(kMaxBlockNesting));   // one line per level, then it stops
  EXPECT_EQ(drawing.Crossing({1000, kMaxBlockNesting - 1.0, 0}, {1001, kMaxBlockNesting - 0.5, 0}), (std::vector<int>{looping}));
  EXPECT_TRUE(drawing.Crossing({-1e6, -1e6, 0}, {1e6, -1e5, 0}).empty());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST(SimKinds, FiltersLetEveryKindEndingInLineThroughAndSkipTheRest) {
  TSimCad cad;
  auto& drawing = cad.Drawing();
  std::vector<int> ids;
  auto add = [&](TEntityType type, const char* otherType = "", const char* otherName = "") {
    TEntity e;
    e.Type = type;
    e.OtherType = otherType;
    e.OtherName = otherName;
    e.Text.TextString = "x";
    ids.push_back(drawing.Add(e));
  };
  add(TEntityType::Arc);
  add(TEntityType::MText);
  add(TEntityType::Polyline2d);
  add(TEntityType::AttributeDefinition);
  add(TEntityType::Other, "XLINE", "AcDbXline");
  add(TEntityType::Other, "HATCH", "AcDbHatch");
  TEntity array;
  array.Type = TEntityType::BlockReference;
  array.Insert.Columns = 2;
  ids.push_back(drawing.Add(array));
  auto set = cad.Application()->GetObj("ActiveDocument")->GetObj("ActiveSelectionSet");
  cad.QueueSelection(ids);
  set->Call("SelectOnScreen", {Variant(cad::ShortArray{0, {0}}), Variant(cad::VariantArray{0, {Variant("TEXT,*LINE")}})});
  std::vector<std::string> names;
  for (int i = 0; i < set->Get("Count").AsInt32(); ++i)
    names.push_back(set->Call("Item", {i}).AsObject()->Get("EntityName").AsString());
  EXPECT_EQ(names, (std::vector<std::string>{"AcDb2dPolyline", "AcDbXline"}));
  set->Call("Clear");
  cad.QueueSelection(ids);
  set->Call("SelectOnScreen", {Variant(cad::ShortArray{0, {0}}), Variant(cad::VariantArray{0, {Variant("ARC,MTEXT,ATTDEF,HATCH,INSERT")}})});
  names.clear();
  for (int i = 0; i < set->Get("Count").AsInt32(); ++i)
    names.push_back(set->Call("Item", {i}).AsObject()->Get("EntityName").AsString());
  EXPECT_EQ(names, (std::vector<std::string>{"AcDbArc", "AcDbMText", "AcDbAttributeDefinition", "AcDbHatch", "AcDbMInsertBlock"}));
}

}  // namespace
}  // namespace kav::sim
