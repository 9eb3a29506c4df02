// What block references show, as the window sees and the user picks it: a click on what a
// reference shows picks the reference, the sub-entity pick the TEXT or LINE of its definition
// under the pick box (with the transform and the reference) or the attribute; boxes, fit and
// window selections cover what the definitions show; undo takes back changes made inside a
// definition through a sub-entity pick.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "cadlink/Point.h"
#include "simcad/SimBlockGeometry.h"
#include "simcad/SimCad.h"
#include "tests/support/SimEntities.h"
#include "simcad/SimHitTest.h"
#include "simcad/SimInteraction.h"

namespace kav::sim {
namespace {

using cad::ObjectRef;
using cad::TArg;

constexpr double kPi = std::numbers::pi;

// The user clicks at one point, as simcad.exe's window turns a click into the pick's answer.
class TClickingUser final : public IInteractiveAnswers {
 public:
  explicit TClickingUser(TSimState& state) : interaction_(state) {}
  std::optional<TAnswer> Ask(const TPickRequest& request) override {
    interaction_.BeginPick(request);
    interaction_.Press(At, 0.5);
    if (!interaction_.PickDone()) interaction_.Escape();   // a miss: the test gives up
    return interaction_.EndPick();
  }
  cad::TPoint At;

 private:
  TInteraction interaction_;
};

// A title block "TB" (base (10, 0)): a frame line from (10, 0) to (30, 0), the label "図番"
// at (12, 2) and an attribute definition; one reference as it is at (100, 100) with its
// attribute, one scaled by 2 and turned by 90° at (200, 100), whose frame runs from
// (200, 100) up to (200, 140).
class BlockViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cad.State().Interactive = &user;
    auto& drawing = cad.Drawing();
    const TTitleBlock tb = AddTitleBlockDefinition(drawing);
    frame = tb.Frame;
    label = tb.Label;
    first = InsertBlock(drawing, "TB", {100, 100, 0}, {{"PARTNO", "K-1"}});
    second = InsertBlock(drawing, "TB", {200, 100, 0}, {{"PARTNO", "K-2"}}, TBlockTransform{{2, 2, 1}, kPi / 2});
  }

  ObjectRef Pick(const char* member, std::vector<TArg>& args) {
    utility->CallWithRefs(member, args);
    return args[0].Value.AsObject();
  }

  TSimCad cad;
  TClickingUser user{cad.State()};
  ObjectRef app = cad.Application();
  ObjectRef doc = app->GetObj("ActiveDocument");
  ObjectRef utility = doc->GetObj("Utility");
  int frame = 0, label = 0, first = 0, second = 0;
};

TEST_F(BlockViewTest, InsertingPlacesEachAttributeWhereItsDefinitionStandsInTheReference) {
  const TEntity& plain = *cad.Drawing().Find(cad.Drawing().Find(first)->Attributes.at(0));
  EXPECT_EQ(plain.Tag, "PARTNO");
  EXPECT_EQ(plain.Text.TextString, "K-1");
  EXPECT_NEAR(plain.Text.Anchor.X, 102, 1e-9);
  EXPECT_NEAR(plain.Text.Anchor.Y, 106, 1e-9);
  // Turned and scaled with its reference: (2, 6) from the base becomes (-12, 4) from (200, 100).
  const TEntity& turned = *cad.Drawing().Find(cad.Drawing().Find(second)->Attributes.at(0));
  EXPECT_NEAR(turned.Text.Anchor.X, 188, 1e-9);
  EXPECT_NEAR(turned.Text.Anchor.Y, 104, 1e-9);
  EXPECT_NEAR(turned.Text.Height, 5, 1e-9);
  EXPECT_NEAR(turned.Text.Rotation, kPi / 2, 1e-9);
  EXPECT_EQ(InsertBlock(cad.Drawing(), "NONE", {0, 0, 0}, {}), 0);
}

TEST_F(BlockViewTest, AClickOnWhatAReferenceShowsPicksTheReferenceOrTheEntityInsideIt) {
  // On the turned reference's frame line, halfway up: the reference for GetEntity.
  user.At = {200.3, 120, 0};
  std::vector<TArg> entity{cad::Out(), cad::Out(), cad::In("")};
  EXPECT_EQ(Pick("GetEntity", entity)->Get("ObjectID").AsInt32(), second);
  // GetSubEntity gives the line itself, the transform into the world and the reference.
  std::vector<TArg> sub{cad::Out(), cad::Out(), cad::Out(), cad::Out(), cad::In("")};
  ObjectRef line = Pick("GetSubEntity", sub);
  EXPECT_EQ(line->Get("ObjectID").AsInt32(), frame);
  EXPECT_EQ(line->Get("EntityName").AsString(), "AcDbLine");
  const std::vector<double> m = sub[2].Value.AsDoubles();
  ASSERT_EQ(m.size(), 16u);
  EXPECT_NEAR(m[0] * 30 + m[3], 200, 1e-9);   // the line's end (30, 0) lies at (200, 140)
  EXPECT_NEAR(m[4] * 30 + m[7], 140, 1e-9);
  EXPECT_EQ(sub[3].Value.AsVariants().at(0).AsInt32(), second);

  // The label as the turned reference shows it: 5 high, running upwards from (196, 104).
  user.At = {194, 106, 0};
  std::vector<TArg> onLabel{cad::Out(), cad::Out(), cad::Out(), cad::Out(), cad::In("")};
  ObjectRef text = Pick("GetSubEntity", onLabel);
  EXPECT_EQ(text->Get("ObjectID").AsInt32(), label);
  EXPECT_EQ(onLabel[3].Value.AsVariants().at(0).AsInt32(), second);
  // Where the unturned reference shows the label, the same entity comes through that one.
  user.At = {103, 103, 0};
  std::vector<TArg> onFirst{cad::Out(), cad::Out(), cad::Out(), cad::Out(), cad::In("")};
  EXPECT_EQ(Pick("GetSubEntity", onFirst)->Get("ObjectID").AsInt32(), label);
  EXPECT_EQ(onFirst[3].Value.AsVariants().at(0).AsInt32(), first);

  // The attribute over the definition's place comes as itself, in model space.
  const int attribute = cad.Drawing().Find(first)->Attributes.at(0);
  user.At = {103, 107, 0};
  std::vector<TArg> onAttribute{cad::Out(), cad::Out(), cad::Out(), cad::Out(), cad::In("")};
  EXPECT_EQ(Pick("GetSubEntity", onAttribute)->Get("ObjectID").AsInt32(), attribute);
  EXPECT_TRUE(onAttribute[2].Value.IsEmpty());
  EXPECT_TRUE(onAttribute[3].Value.IsEmpty());

  // Where the turned reference would lie unturned nothing is drawn: the pick finds nothing.
  EXPECT_EQ(HitTest(cad.Drawing(), {215, 100, 0}, 0.5, true), THit{});
  EXPECT_EQ(HitTest(cad.Drawing(), {215, 100, 0}, 0.5, false), THit{});
}

TEST_F(BlockViewTest, EveryCopyOfAMinsertAnswersAPick) {
  TBlockTransform array;
  array.Columns = 3;
  array.Rows = 2;
  array.ColumnSpacing = 50;
  array.RowSpacing = 20;
  const int minsert = InsertBlock(cad.Drawing(), "TB", {0, 0, 0}, {}, array);
  // The frame of the copy in the third column and the second row: (100, 20) to (120, 20).
  EXPECT_EQ(HitTest(cad.Drawing(), {110, 20.2, 0}, 0.5, false), (THit{minsert, 0}));
  EXPECT_EQ(HitTest(cad.Drawing(), {110, 20.2, 0}, 0.5, true), (THit{frame, minsert}));
  EXPECT_EQ(HitTest(cad.Drawing(), {135, 20.2, 0}, 0.5, false), THit{});   // between the copies
}

TEST_F(BlockViewTest, BoxesAndWindowsCoverWhatTheDefinitionsShow) {
  // The turned reference reaches up to (200, 140) with its frame and left to its label's top.
  const TBounds turned = BoundsOf(cad.Drawing(), *cad.Drawing().Find(second));
  EXPECT_LE(turned.MinX, 200 - 4 - 5);
  EXPECT_GE(turned.MaxY, 140);
  EXPECT_GE(DrawingBounds(cad.Drawing()).MaxY, 140);
  // A window from the left takes the reference when it holds everything it shows, not when it
  // cuts its frame; from the right the cut takes it.
  EXPECT_EQ(WindowSelection(cad.Drawing(), {180, 95, 0}, {205, 145, 0}), (std::vector<int>{second}));
  EXPECT_TRUE(WindowSelection(cad.Drawing(), {180, 95, 0}, {205, 130, 0}).empty());
  EXPECT_EQ(WindowSelection(cad.Drawing(), {205, 130, 0}, {180, 95, 0}), (std::vector<int>{second}));

  // A diagonal turned flat by -45°: the box of its definition's box, turned, stands 7 high
  // around it; a window that holds the flat line takes it all the same.
  cad.Drawing().AddToBlock(cad.Drawing().AddBlockDefinition("DIAG", {0, 0, 0}), MakeLine(0, 0, 10, 10));
  const int flat = InsertBlock(cad.Drawing(), "DIAG", {400, 0, 0}, {}, TBlockTransform{{1, 1, 1}, -kPi / 4});
  EXPECT_GT(BoundsOf(cad.Drawing(), *cad.Drawing().Find(flat)).MaxY, 7);
  const double length = 10 * std::sqrt(2.0);
  EXPECT_EQ(WindowSelection(cad.Drawing(), {399.9, -0.1, 0}, {400 + length + 0.1, 0.1, 0}), (std::vector<int>{flat}));
  EXPECT_TRUE(WindowSelection(cad.Drawing(), {399.9, -0.1, 0}, {400 + length - 0.1, 0.1, 0}).empty());
}

TEST_F(BlockViewTest, ANestedReferencesAttributeIsCrossedThroughTheOuterReference) {
  auto& drawing = cad.Drawing();
  const int outer = drawing.AddBlockDefinition("OUTER", {0, 0, 0});
  TEntity inner;
  inner.Type = TEntityType::BlockReference;
  inner.BlockName = "EMPTYINNER";
  inner.Center = {5, 5, 0};
  const int innerId = drawing.AddToBlock(outer, inner);
  drawing.AddBlockDefinition("EMPTYINNER", {0, 0, 0});
  TEntity attribute = MakeText("X-9", 5, 5, 2);
  attribute.Type = TEntityType::Attribute;
  attribute.Tag = "NO";
  attribute.Owner = innerId;
  const int attributeId = drawing.AddToBlock(outer, attribute);
  drawing.Find(innerId)->Attributes = {attributeId};
  const int reference = InsertBlock(drawing, "OUTER", {500, 0, 0}, {});
  // The attribute shows at (505, 5) to (509.8, 7): nothing else of OUTER is there.
  EXPECT_EQ(drawing.Crossing({506, 5.5, 0}, {507, 6, 0}), (std::vector<int>{reference}));
  EXPECT_EQ(HitTest(drawing, {506, 6, 0}, 0.1, true), (THit{attributeId, reference}));
}

TEST_F(BlockViewTest, UndoTakesBackAChangeMadeInsideADefinition) {
  user.At = {194, 106, 0};
  std::vector<TArg> sub{cad::Out(), cad::Out(), cad::Out(), cad::Out(), cad::In("")};
  ObjectRef text = Pick("GetSubEntity", sub);
  doc->Call("StartUndoMark");
  text->Put("TextString", "DRAWING NO.");
  app->Call("SimEntity", {frame}).AsObject()->Call("Delete");
  doc->Call("EndUndoMark");
  EXPECT_EQ(cad.Drawing().Find(label)->Text.TextString, "DRAWING NO.");
  EXPECT_EQ(cad.Drawing().Find(frame), nullptr);
  EXPECT_EQ(HitTest(cad.Drawing(), {200.3, 120, 0}, 0.5, false), THit{});   // the frame is gone from both

  ASSERT_TRUE(UndoLastStep(cad.State()));
  EXPECT_EQ(cad.Drawing().Find(label)->Text.TextString, "図番");
  ASSERT_NE(cad.Drawing().Find(frame), nullptr);
  EXPECT_EQ(HitTest(cad.Drawing(), {200.3, 120, 0}, 0.5, false), (THit{second, 0}));
}

TEST(BlockExtentsTest, ABlockThatContainsItselfHasTheBoxOfWhatItShows) {
  TDrawing drawing;
  const int loop = drawing.AddBlockDefinition("LOOP", {});
  drawing.AddToBlock(loop, MakeLine(0, 0, 1, 0));
  TEntity self;
  self.Type = TEntityType::BlockReference;
  self.BlockName = "LOOP";
  self.Center = {0, 1, 0};
  drawing.AddToBlock(loop, self);
  const int reference = InsertBlock(drawing, "LOOP", {0, 0, 0}, {});
  // One line per level of nesting, each a unit higher, until the nesting ends.
  const TBounds box = BoundsOf(drawing, *drawing.Find(reference));
  EXPECT_DOUBLE_EQ(box.MinY, 0);
  EXPECT_DOUBLE_EQ(box.MaxY, kMaxBlockNesting - 1.0);
  EXPECT_DOUBLE_EQ(box.MaxX, 1);
}

}  // namespace
}  // namespace kav::sim
