// Picks answered by the user instead of the script: a scripted user at the simulated CAD's
// window (the same input rules simcad.exe's window feeds) answers GetPoint, GetEntity,
// GetSubEntity, SelectOnScreen and the insertion point of PASTECLIP; scripted answers win.
#include <gtest/gtest.h>

#include <functional>

#include "cadlink/Point.h"
#include "simcad/SimCad.h"
#include "simcad/SimInteraction.h"
#include "tests/support/AutomationCode.h"

namespace kav::sim {
namespace {

using test::CodeOf;

using cad::MakePoint;
using cad::ObjectRef;
using cad::TArg;
using cad::Variant;

// Answers as simcad.exe's window does: begins the pick, lets the user act, and gives the
// answer; an answer the script queued meanwhile is left to the caller.
class TScriptedUser final : public IInteractiveAnswers {
 public:
  explicit TScriptedUser(TSimState& state) : state_(state), Interaction(state) {}
  std::optional<TAnswer> Ask(const TPickRequest& request) override {
    Requests.push_back(request);
    Interaction.BeginPick(request);
    if (Act) Act(Interaction);
    if (!Interaction.PickDone() && !state_.Answers.empty()) {
      Interaction.EndPick();
      return std::nullopt;
    }
    return Interaction.EndPick();
  }
  void PasteStarted() override { ++Pastes; }

 private:
  TSimState& state_;

 public:
  TInteraction Interaction;
  std::function<void(TInteraction&)> Act;   // what the user does while asked
  std::vector<TPickRequest> Requests;
  int Pastes = 0;
};

class InteractionTest : public ::testing::Test {
 protected:
  InteractionTest() { cad.State().Interactive = &user; }

  bool Quiescent() { return app->Call("GetAcadState").AsObject()->Get("IsQuiescent").AsBool(); }
  ObjectRef PickEntity(const char* member, std::vector<TArg>& args) {
    utility->CallWithRefs(member, args);
    return args[0].Value.AsObject();
  }

  TSimCad cad;
  TScriptedUser user{cad.State()};
  int line = cad.AddLine(0, 0, 100, 0);
  int text = cad.AddText("ABCDE", 10, 20, 5, 10, 0);   // 0..20 across, 17.5..22.5 up
  int block = cad.AddBlock("TITLE", 200, 100, {"PARTNO", "NAME"}, {"K-1", "ブラケット"});
  ObjectRef app = cad.Application();
  ObjectRef doc = app->GetObj("ActiveDocument");
  ObjectRef utility = doc->GetObj("Utility");
  ObjectRef set = doc->GetObj("ActiveSelectionSet");
};

TEST_F(InteractionTest, APointPickWaitsBusyWithItsPromptUntilTheClick) {
  bool quiescentMeanwhile = true;
  std::string promptMeanwhile;
  user.Act = [&](TInteraction& input) {
    quiescentMeanwhile = Quiescent();
    promptMeanwhile = cad.State().CommandLine.Prompt();
    EXPECT_EQ(input.Cursor(), TInteraction::TCursor::Crosshair);
    input.Move({5, 5, 0});
    input.Press({12.5, 7.2512345, 0}, 0.5);
  };
  const cad::TPoint p = cad::ToPoint(utility->Call("GetPoint", {cad::TMissing{}, "作成基点を指示 : "}));
  EXPECT_EQ(p, (cad::TPoint{12.5, 7.2512345, 0}));   // the point as clicked; the command line rounds it
  EXPECT_FALSE(quiescentMeanwhile);
  EXPECT_EQ(promptMeanwhile, "作成基点を指示 :");
  EXPECT_TRUE(Quiescent());
  EXPECT_EQ(cad.State().CommandLine.Prompt(), "");
  EXPECT_EQ(cad.State().CommandLine.History().back(), "作成基点を指示 : 12.5,7.2512");
  EXPECT_EQ(user.Interaction.Cursor(), TInteraction::TCursor::Arrow);
}

TEST_F(InteractionTest, ScriptedAnswersWinAlsoWhenQueuedWhileTheUserIsAsked) {
  cad.QueuePoint(1, 2);
  EXPECT_EQ(cad::ToPoint(utility->Call("GetPoint")), (cad::TPoint{1, 2, 0}));
  EXPECT_TRUE(user.Requests.empty()) << "the user is not asked while the script has an answer";
  user.Act = [&](TInteraction& input) {
    input.Move({40, 40, 0});
    app->Call("SimQueuePoint", {3, 4});   // a test queues while the pick waits
  };
  EXPECT_EQ(cad::ToPoint(utility->Call("GetPoint")), (cad::TPoint{3, 4, 0}));
  EXPECT_EQ(user.Requests.size(), 1u);
  EXPECT_TRUE(cad.State().Answers.empty());
  // Without a source (the in-process tests, simcad.exe --hidden) nothing waits.
  cad.State().Interactive = nullptr;
  EXPECT_EQ(CodeOf([&] { utility->Call("GetPoint"); }), kCancelCode);
}

TEST_F(InteractionTest, EscapeCancelsWithTheCadsErrorAndEnterIsNoPoint) {
  user.Act = [](TInteraction& input) { input.Escape(); };
  try {
    utility->Call("GetPoint", {cad::TMissing{}, "作成基点を指示 : "});
    FAIL() << "no error";
  } catch (const cad::TAutomationError& e) {
    EXPECT_EQ(e.Code, kCancelCode);
    EXPECT_STREQ(e.what(), kCancelMessage);
  }
  EXPECT_EQ(cad.State().CommandLine.History().back(), "作成基点を指示 : *キャンセル*");
  user.Act = [](TInteraction& input) { input.Enter(); };
  EXPECT_EQ(CodeOf([&] { utility->Call("GetPoint"); }), kCancelCode);
  EXPECT_TRUE(Quiescent());
}

TEST_F(InteractionTest, EntityPicksTakeWhatLiesUnderThePickBoxAndMissesKeepWaiting) {
  const TEntity& name = *cad.Drawing().Find(cad.Drawing().Find(block)->Attributes[1]);
  const cad::TPoint onName{name.Text.Anchor.X + 3, name.Text.Anchor.Y + 1, 0};
  int presses = 0;
  cad::TPoint target{50, 0.3, 0};
  user.Act = [&](TInteraction& input) {
    EXPECT_EQ(input.Cursor(), TInteraction::TCursor::PickBox);
    input.Press({50, 30, 0}, 0.5);   // nothing there
    ++presses;
    EXPECT_FALSE(input.PickDone());
    input.Press(target, 0.5);
  };
  std::vector<TArg> entity{cad::Out(), cad::Out(), cad::In("線分を指示 : ")};
  ObjectRef picked = PickEntity("GetEntity", entity);
  EXPECT_EQ(picked->Get("EntityName").AsString(), "AcDbLine");
  EXPECT_EQ(picked->Get("ObjectID").AsInt32(), line);
  EXPECT_EQ(cad::ToPoint(entity[1].Value), target);
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(cad.State().CommandLine.History().end()[-2], "オブジェクトが見つかりません。");

  // An attribute: the entity pick gives its block reference, the sub-entity pick the attribute.
  target = onName;
  std::vector<TArg> again{cad::Out(), cad::Out(), cad::Out()};
  EXPECT_EQ(PickEntity("GetEntity", again)->Get("ObjectID").AsInt32(), block);
  std::vector<TArg> sub{cad::Out(), cad::Out(), cad::Out(), cad::Out(), cad::In("\n文字を変更する TEXT、属性を選択 : ")};
  ObjectRef attribute = PickEntity("GetSubEntity", sub);
  EXPECT_EQ(attribute->Get("EntityName").AsString(), "AcDbAttribute");
  EXPECT_EQ(attribute->Get("TagString").AsString(), "NAME");
  EXPECT_EQ(user.Requests.back().Kind, TPickKind::SubEntity);
  EXPECT_EQ(user.Requests.back().Prompt, "\n文字を変更する TEXT、属性を選択 : ");
  // A TEXT is taken anywhere on its box.
  target = {19, 22, 0};
  std::vector<TArg> onText{cad::Out(), cad::Out(), cad::Out(), cad::Out(), cad::In("")};
  EXPECT_EQ(PickEntity("GetSubEntity", onText)->Get("ObjectID").AsInt32(), text);
}

TEST_F(InteractionTest, SelectionTakesClicksAndWindowsThroughItsFilterUntilEnter) {
  const int second = cad.AddBlock("TITLE", 300, 100, {"PARTNO"}, {"K-2"});
  const int bare = cad.AddBlock("MARK", 260, 50, {}, {});
  user.Act = [&](TInteraction& input) {
    input.Press({50, 0.2, 0}, 0.5);        // the line: the filter leaves it out
    EXPECT_TRUE(input.Picked().empty());
    input.Press({201, 100.5, 0}, 0.5);     // the first block, on its attribute
    input.Press({201, 100.5, 0}, 0.5);     // again: still once
    // A window from right to left over the second block's attribute and the bare block.
    input.Press({315, 103, 0}, 0.5);       // empty: the first corner
    EXPECT_TRUE(input.BandActive());
    input.Move({250, 40, 0});
    EXPECT_TRUE(input.BandCrossing());
    input.Press({250, 40, 0}, 0.5);
    EXPECT_FALSE(input.BandActive());
    input.Enter();
  };
  set->Call("Clear");
  set->Call("SelectOnScreen", {Variant(cad::ShortArray{0, {0, 66}}), Variant(cad::VariantArray{0, {Variant("INSERT"), cad::Int16(1)}})});
  EXPECT_EQ(user.Requests.back().Kind, TPickKind::Selection);
  ASSERT_EQ(set->Get("Count").AsInt32(), 2);
  EXPECT_EQ(set->Call("Item", {0}).AsObject()->Get("ObjectID").AsInt32(), block);
  EXPECT_EQ(set->Call("Item", {1}).AsObject()->Get("ObjectID").AsInt32(), second);
  (void)bare;
  EXPECT_EQ(cad.State().CommandLine.History().end()[-2], "2 個を検出、フィルタで 1 個を除外、合計 2 個");

  // A window dragged from left to right takes only what lies wholly inside it; no filter.
  user.Act = [&](TInteraction& input) {
    input.Press({-1, -1, 0}, 0.5);
    input.Move({30, 30, 0});
    EXPECT_FALSE(input.BandCrossing());
    input.Release({30, 30, 0}, true);
    input.Enter();
  };
  set->Call("Clear");
  set->Call("SelectOnScreen");
  ASSERT_EQ(set->Get("Count").AsInt32(), 1);
  EXPECT_EQ(set->Call("Item", {0}).AsObject()->Get("ObjectID").AsInt32(), text);

  // Escape cancels the selection: the CAD's error, nothing selected.
  user.Act = [&](TInteraction& input) {
    input.Press({50, 0.2, 0}, 0.5);
    input.Escape();
  };
  set->Call("Clear");
  EXPECT_EQ(CodeOf([&] { set->Call("SelectOnScreen"); }), kCancelCode);
  EXPECT_EQ(set->Get("Count").AsInt32(), 0);
}

TEST_F(InteractionTest, PasteclipReturnsAtOnceAndTheTextFollowsThePointerUntilTheClick) {
  ObjectRef space = doc->GetObj("ModelSpace");
  ObjectRef pasted = space->Call("AddText", {"部品A", MakePoint(0, 0), 2.5}).AsObject();
  pasted->Put("Alignment", Variant(9));
  pasted->Put("TextAlignmentPoint", MakePoint(0, 0));
  doc->Call("SendCommand", {"copybase 0,0\rlast\r\r"});
  doc->Call("SendCommand", {"erase\rlast\r\r"});
  const std::size_t stepsBefore = cad.State().Undo.Steps();
  doc->Call("SendCommand", {"pasteclip\r"});
  EXPECT_EQ(user.Pastes, 1);
  EXPECT_FALSE(Quiescent());
  EXPECT_EQ(cad.State().CommandLine.Prompt(), "挿入点を指定:");
  // A pick asked for while the paste waits is turned away as by a busy CAD.
  EXPECT_EQ(CodeOf([&] { utility->Call("GetPoint"); }), kBusyCode);
  TInteraction& input = user.Interaction;
  EXPECT_EQ(input.Cursor(), TInteraction::TCursor::Crosshair);
  input.Move({40, 30, 0});
  auto ghost = input.PasteGhost();
  ASSERT_EQ(ghost.size(), 1u);
  EXPECT_EQ(ghost[0].Text.TextString, "部品A");
  EXPECT_EQ(ghost[0].Text.Anchor, (cad::TPoint{40, 30, 0}));
  input.Move({70, 60, 0});
  EXPECT_EQ(input.PasteGhost()[0].Text.Anchor, (cad::TPoint{70, 60, 0}));
  const std::size_t before = cad.DrawingLines().size();
  input.Press({70, 60, 0}, 0.5);
  EXPECT_TRUE(Quiescent());
  EXPECT_TRUE(input.PasteGhost().empty());
  const auto lines = cad.DrawingLines();
  ASSERT_EQ(lines.size(), before + 1);
  EXPECT_NE(lines.back().find("部品A\tat 70,58.75 anchor 70,60"), std::string::npos) << lines.back();
  EXPECT_EQ(cad.State().CommandEvents.back(), "PASTECLIP 70,60");
  // The paste is one step of its own: undo takes the placed TEXT away.
  EXPECT_EQ(cad.State().Undo.Steps(), stepsBefore + 1);
  ASSERT_TRUE(cad.State().Undo.Undo(cad.Drawing()));
  EXPECT_EQ(cad.DrawingLines().size(), before);
}

TEST_F(InteractionTest, EscapeWithNothingWaitingIsAnsweredOnTheCommandLine) {
  user.Interaction.Escape();
  EXPECT_EQ(cad.State().CommandLine.History().back(), "*キャンセル*");
  EXPECT_TRUE(Quiescent());
}

TEST_F(InteractionTest, AWaitingPasteEndsWithEscapeACancelCommandOrAQueuedPoint) {
  cad.AddText("X", 0, 0, 2.5);
  doc->Call("SendCommand", {"copybase 0,0\rlast\r\r"});
  const std::size_t before = cad.DrawingLines().size();
  doc->Call("SendCommand", {"pasteclip\r"});
  user.Interaction.Escape();
  EXPECT_TRUE(Quiescent());
  EXPECT_EQ(cad.State().CommandEvents.back(), "PASTECLIP cancelled");
  doc->Call("SendCommand", {"pasteclip\r"});
  doc->Call("SendCommand", {"\x1b"});
  EXPECT_TRUE(Quiescent());
  doc->Call("SendCommand", {"pasteclip\r"});
  app->Call("SimQueuePoint", {5, 6});
  EXPECT_TRUE(Quiescent());
  EXPECT_TRUE(cad.State().Answers.empty());
  ASSERT_EQ(cad.DrawingLines().size(), before + 1);
  EXPECT_NE(cad.DrawingLines().back().find("anchor 5,6"), std::string::npos) << cad.DrawingLines().back();
  // Without a user at the window (simcad.exe --hidden, the in-process tests) nothing waits.
  cad.State().Interactive = nullptr;
  doc->Call("SendCommand", {"pasteclip\r"});
  EXPECT_TRUE(Quiescent());
  EXPECT_EQ(cad.State().CommandEvents.back(), "PASTECLIP cancelled");
  // Nor with an empty clipboard.
  cad.State().Interactive = &user;
  cad.State().Clipboard.clear();
  doc->Call("SendCommand", {"pasteclip\r"});
  EXPECT_TRUE(Quiescent());
  EXPECT_EQ(user.Pastes, 3);
}

}  // namespace
}  // namespace kav::sim
