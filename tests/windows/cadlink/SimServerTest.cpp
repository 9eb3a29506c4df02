// End to end: simcad.exe started by the test, found by its ProgID through the target
// connection, and every member the tool uses called once through the COM backend with the
// argument kinds the operations pass. Also: unknown ProgIDs, a CAD that is registered but not
// running, and a CAD that dies in the middle of a call.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "SimProcess.h"
#include "cadlink/Point.h"
#include "cadlink/TargetConnection.h"
#include "cadlink/com/ComHost.h"
#include "cadlink/com/MessageFilter.h"
#include "tests/support/Fakes.h"

namespace kav::cad {
namespace {

constexpr const char* kSimProgId = "KaverolinSim.Application";

bool WaitUntilActive(IAutomationHost& host, const std::string& progId) {
  for (int i = 0; i < 300; ++i) {
    if (host.IsActive(progId)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

Variant Strings(std::initializer_list<const char*> items) {
  VariantArray array;
  for (const char* item : items) array.Items.emplace_back(item);
  return Variant(std::move(array));
}

class SimServerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    apartment_ = std::make_unique<com::TComApartment>();
    filter_ = com::MakeMessageFilterHook();
    filter_->RegisterFilter();
    host_ = com::MakeComHost();
    process_ = std::make_unique<test::TSimProcess>(L"--hidden");
  }
  static void TearDownTestSuite() {
    try {
      if (host_->IsActive(kSimProgId)) host_->GetActiveObject(kSimProgId)->Call("SimQuit");
    } catch (const std::exception&) {
    }
    process_.reset();
    host_.reset();
    filter_->RevokeFilter();
    filter_.reset();
    apartment_.reset();
  }
  void SetUp() override {
    ASSERT_TRUE(WaitUntilActive(*host_, kSimProgId)) << "simcad.exe did not register";
    app = connection.GetTargetApplication();
    app->Call("SimReset");
  }

  std::vector<std::string> Log() {
    std::vector<std::string> lines;
    for (const auto& item : app->Call("SimCallLog").AsVariants()) lines.push_back(item.AsString());
    return lines;
  }

  static inline std::unique_ptr<com::TComApartment> apartment_;
  static inline std::unique_ptr<IMessageFilterHook> filter_;
  static inline std::unique_ptr<IAutomationHost> host_;
  static inline std::unique_ptr<test::TSimProcess> process_;

  test::TFakeDesktop desktop;
  test::TFakeMessages messages;
  TTargetState target{kSimProgId, {}};
  TTargetConnection connection{*host_, desktop, messages, target};
  ObjectRef app;
};

TEST_F(SimServerTest, EveryMemberAnswersThroughTheComBackend) {
  ASSERT_TRUE(connection.IsTargetRunning());
  EXPECT_TRUE(messages.Shown.empty());
  const int line = app->Call("SimAddLine", {0, 0, 10, 0}).AsInt32();
  app->Call("SimAddPolyline", {Variant(DoubleArray{0, {0, 5, 10, 5, 10, 8}}), true});
  app->Call("SimAddSpline", {Variant(DoubleArray{0, {2, -1, 0, 2, 9, 0}})});
  app->Call("SimAddCircle", {5, 5, 1});
  const int block = app->Call("SimAddBlock", {"TITLE", 50, 50, Strings({"PARTNO"}), Strings({"K-1"})}).AsInt32();
  const int text = app->Call("SimAddText", {"部品A", 1, 1, 2.5}).AsInt32();

  // Application
  ObjectRef doc = app->GetObj("ActiveDocument");
  const WindowId window = TTargetConnection::TargetWindow(*app);
  EXPECT_TRUE(IsWindow(reinterpret_cast<HWND>(window)));
  EXPECT_TRUE(app->Call("GetAcadState").AsObject()->Get("IsQuiescent").AsBool());
  EXPECT_TRUE(app->Call("GetGcadState").AsObject()->Get("IsQuiescent").AsBool());
  app->Call("SimSetBusy", {true});
  EXPECT_FALSE(app->Call("GetZcadState").AsObject()->Get("IsQuiescent").AsBool());
  app->Call("SimSetBusy", {false});

  // Document
  EXPECT_EQ(doc->Call("GetVariable", {"DIMSCALE"}).Kind(), VariantKind::Double);
  ObjectRef space = doc->GetObj("ModelSpace");
  ObjectRef utility = doc->GetObj("Utility");
  ObjectRef set = doc->GetObj("ActiveSelectionSet");
  doc->Call("StartUndoMark");

  // A new TEXT and every property the operations read or put (puts by reference as well).
  ObjectRef added = space->Call("AddText", {"新規", MakePoint(20, 30, 0), 2.5}).AsObject();
  added->Put("Alignment", Variant(9), true);
  EXPECT_EQ(added->Get("Alignment").AsInt32(), 9);
  added->Put("TextAlignmentPoint", MakePoint(21, 31, 0));
  EXPECT_EQ(ToPoint(added->Get("TextAlignmentPoint")), (TPoint{21, 31, 0}));
  added->Put("ScaleFactor", Variant(0.8), true);
  EXPECT_DOUBLE_EQ(added->Get("ScaleFactor").AsDouble(), 0.8);
  added->Put("Rotation", 0.5);
  added->Put("TextString", "変更");
  EXPECT_EQ(added->Get("TextString").AsString(), "変更");
  EXPECT_DOUBLE_EQ(added->Get("Height").AsDouble(), 2.5);
  EXPECT_EQ(ToPoint(added->Get("InsertionPoint")).Z, 0);
  doc->Call("EndUndoMark");

  // Picks: a point, an object with its point (two out arguments), a sub-entity (four).
  app->Call("SimQueuePoint", {3, 4});
  EXPECT_EQ(ToPoint(utility->Call("GetPoint", {TMissing{}, "作成基点を指示 : "})), (TPoint{3, 4, 0}));
  app->Call("SimQueuePick", {line, 5, 0});
  std::vector<TArg> entity{Out(), Out(), In("線分を指示 : ")};
  utility->CallWithRefs("GetEntity", entity);
  ObjectRef picked = entity[0].Value.AsObject();
  EXPECT_EQ(picked->Get("EntityName").AsString(), "AcDbLine");
  EXPECT_EQ(ToPoint(picked->Get("StartPoint")), (TPoint{0, 0, 0}));
  EXPECT_EQ(ToPoint(picked->Get("EndPoint")), (TPoint{10, 0, 0}));
  EXPECT_EQ(ToPoint(entity[1].Value), (TPoint{5, 0, 0}));
  app->Call("SimQueuePick", {block + 1, 50, 50});   // the block's attribute
  std::vector<TArg> sub{Out(), Out(), Out(), Out(), In("\n文字を変更する TEXT、属性を選択 : ")};
  utility->CallWithRefs("GetSubEntity", sub);
  ObjectRef attribute = sub[0].Value.AsObject();
  EXPECT_EQ(attribute->Get("EntityName").AsString(), "AcDbAttribute");
  EXPECT_EQ(attribute->Get("TagString").AsString(), "PARTNO");
  utility->Call("Prompt", {"完了"});

  // A crossing selection with the 16-bit filter types and variant filter values.
  set->Call("Clear");
  set->Call("Select", {1, MakePoint(-1, 5, 0), MakePoint(20, 5, 0), Variant(ShortArray{0, {0}}),
                       Variant(VariantArray{0, {Variant("*LINE")}})});
  ASSERT_EQ(set->Get("Count").AsInt32(), 2);   // the polyline and the spline; not the circle
  ObjectRef polyline = set->Call("Item", {0}).AsObject();
  EXPECT_EQ(polyline->Get("EntityName").AsString(), "AcDbPolyline");
  EXPECT_EQ(polyline->Get("Coordinates"), Variant(DoubleArray{0, {0, 5, 10, 5, 10, 8}}));
  EXPECT_TRUE(polyline->Get("Closed").AsBool());
  set->Call("Clear");
  set->Call("Select", {4, TMissing{}, TMissing{}, TMissing{}, TMissing{}});
  EXPECT_EQ(set->Get("Count").AsInt32(), 1);

  // On-screen selection with the attribute filter, then the attributes of the block.
  set->Call("Clear");
  app->Call("SimQueueSelection", {Variant(VariantArray{0, {Variant(text), Variant(block)}})});
  set->Call("SelectOnScreen", {Variant(ShortArray{0, {0, 66}}), Variant(VariantArray{0, {Variant("INSERT"), Int16(1)}})});
  ASSERT_EQ(set->Get("Count").AsInt32(), 1);
  ObjectRef insert = set->Call("Item", {0}).AsObject();
  EXPECT_EQ(insert->Get("Name").AsString(), "TITLE");
  const auto attributes = insert->Call("GetAttributes").AsVariants();
  ASSERT_EQ(attributes.size(), 1u);
  attributes[0].AsObject()->Put("TextString", "K-2");
  doc->Call("Regen");
  doc->Call("SendCommand", {"do_attrep\rPARTNO\rK-3\r"});

  // A cancelled pick arrives as an error with the CAD's message.
  app->Call("SimQueueCancel");
  try {
    utility->Call("GetPoint", {TMissing{}, "作成基点を指示 : "});
    FAIL() << "no error";
  } catch (const TAutomationError& e) {
    EXPECT_EQ(e.Code, kAbort);
    EXPECT_STREQ(e.what(), "*Cancel*");
  }

  const auto log = Log();
  for (const char* member : {"Application.ActiveDocument", "Application.HWND", "Application.GetAcadState",
                             "Application.GetGcadState", "Application.GetZcadState", "AcadState.IsQuiescent",
                             "Document.ModelSpace", "Document.Utility", "Document.ActiveSelectionSet",
                             "Document.GetVariable", "Document.SendCommand", "Document.StartUndoMark",
                             "Document.EndUndoMark", "Document.Regen", "ModelSpace.AddText", "Utility.GetPoint",
                             "Utility.GetEntity", "Utility.GetSubEntity", "Utility.Prompt", "SelectionSet.Clear",
                             "SelectionSet.Select", "SelectionSet.SelectOnScreen", "SelectionSet.Count",
                             "SelectionSet.Item", "Line.EntityName", "Line.StartPoint", "Line.EndPoint",
                             "Polyline.Coordinates", "Polyline.Closed", "Text.TextString :=", "Text.Height",
                             "Text.ScaleFactor :=", "Text.Alignment :=", "Text.TextAlignmentPoint :=",
                             "Text.InsertionPoint", "Text.Rotation :=", "BlockReference.Name",
                             "BlockReference.GetAttributes", "Attribute.TagString", "Attribute.TextString :="})
    EXPECT_NE(std::find(log.begin(), log.end(), member), log.end()) << member;
  const auto drawing = app->Call("SimDrawing").AsVariants();
  EXPECT_NE(drawing[4].AsString().find("PARTNO=K-3"), std::string::npos) << drawing[4].AsString();
}

TEST_F(SimServerTest, AHiddenCadCancelsAPickWithNothingQueuedAtOnce) {
  // simcad.exe --hidden has no user at a window: the tests that script every answer get the
  // cancel error at once instead of a pick that waits.
  ObjectRef utility = app->GetObj("ActiveDocument")->GetObj("Utility");
  const auto start = std::chrono::steady_clock::now();
  HResult code = 0;
  try {
    utility->Call("GetPoint", {TMissing{}, "作成基点を指示 : "});
  } catch (const TAutomationError& e) {
    code = e.Code;
  }
  EXPECT_EQ(code, kAbort);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  app->Call("SimAddText", {"A", 0, 0, 2.5});
  app->GetObj("ActiveDocument")->Call("SendCommand", {"copybase 0,0\rlast\r\rpasteclip\r"});
  EXPECT_TRUE(app->Call("GetAcadState").AsObject()->Get("IsQuiescent").AsBool());
  EXPECT_EQ(app->Call("SimCommandEvents").AsVariants().back().AsString(), "PASTECLIP cancelled");
}

TEST_F(SimServerTest, TheConnectionStepsWorkAgainstTheRunningCad) {
  const WindowId window = TTargetConnection::TargetWindow(*app);
  connection.ActivateTargetWindow(*app);
  EXPECT_EQ(desktop.Foreground, window);
  connection.PressEscapeInTarget(*app, 0);
  EXPECT_EQ(desktop.Keys.size(), 2u);
  app->Call("SimSetBusy", {true});
  EXPECT_TRUE(connection.IsTargetBusy(*app));
  app->Call("SimSetBusy", {false});
  EXPECT_FALSE(connection.IsTargetBusy(*app));
  connection.SendCancelToTarget(*app->GetObj("ActiveDocument"));
  EXPECT_EQ(app->Call("SimCommands").AsVariants().back().AsString(), "\x1b");
}

TEST_F(SimServerTest, UnknownAndBadProgIdsShowTheInvalidProgIdMessage) {
  for (const std::string& progId : {std::string("KaverolinSim.Missing"), std::string(), std::string(10000, 'K'),
                                    std::string("Kaverolin\0Sim\x01\xff", 14), std::string("KaverolinSim.Application\0x", 26)}) {
    target.TargetProgID = progId;
    EXPECT_FALSE(connection.IsTargetRunning());
    EXPECT_THROW(connection.GetTargetApplication(), TAutomationError);
  }
  ASSERT_EQ(messages.Shown.size(), 5u);
  EXPECT_EQ(messages.Shown[0], "ProgID（クラス文字列）: \"KaverolinSim.Missing\" は無効です．");
  EXPECT_EQ(messages.Shown[1], "ProgID（クラス文字列）: \"\" は無効です．");
}

TEST_F(SimServerTest, ARegisteredCadThatIsNotRunningGivesFalseSilently) {
  ASSERT_EQ(test::TSimProcess::RunToEnd(L"--register-only --progid KaverolinSim.Idle"), 0u);
  target.TargetProgID = "KaverolinSim.Idle";
  EXPECT_FALSE(connection.IsTargetRunning());
  EXPECT_TRUE(messages.Shown.empty());
  EXPECT_THROW(connection.GetTargetApplication(), TAutomationError);
}

TEST_F(SimServerTest, ACadKilledInTheMiddleOfACallGivesAnErrorNotAHang) {
  test::TSimProcess doomed(L"--hidden --progid KaverolinSim.Doomed");
  ASSERT_TRUE(WaitUntilActive(*host_, "KaverolinSim.Doomed"));
  ObjectRef victim = host_->GetActiveObject("KaverolinSim.Doomed");
  (void)victim->Get("HWND");
  std::thread killer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    doomed.Kill();
  });
  const auto start = std::chrono::steady_clock::now();
  HResult code = 0;
  try {
    victim->Call("SimSleep", {20000});
  } catch (const TAutomationError& e) {
    code = e.Code;
  }
  killer.join();
  const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  EXPECT_NE(code, 0);
  // The call ends with the process, long before the 20 s it asked for.
  EXPECT_LT(waited.count(), 15000);
  // Later calls on the dead object fail as well, at once.
  EXPECT_THROW((void)victim->Get("HWND"), TAutomationError);
  std::printf("call into a killed CAD: 0x%08X after %lld ms\n", static_cast<unsigned>(code),
              static_cast<long long>(waited.count()));
}

}  // namespace
}  // namespace kav::cad
