// End to end with real input: simcad.exe shows its window, a client asks it over COM for a
// point, a line, an attribute, a window selection and a PASTECLIP insertion point with no
// answer queued, and this test answers as the user does, with SendInput: it moves the
// mouse and clicks in the window (and presses Escape). The call that asked stays blocked on
// a thread of its own meanwhile, as the tool's call does. Closing the window during a pick
// gives the client an error and ends simcad.exe.
#include <gtest/gtest.h>

#include <functional>

#include "SimProcess.h"
#include "SimUser.h"
#include "cadlink/Point.h"
#include "cadlink/com/ComHost.h"

namespace kav::cad {
namespace {

using test::Click;
using test::Key;
using test::MoveTo;
using test::RightClick;
using test::WaitUntil;

constexpr const char* kProgId = "KaverolinSim.MouseTest";

// A call of the client that waits for the user.
class TBlockedCall : public test::TBlockedCall {
 public:
  TBlockedCall(test::TSimProcess& process, std::function<void(IAutomationObject& app)> call)
      : test::TBlockedCall(process, kProgId, std::move(call)) {}
};

class SimMouseTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    apartment_ = std::make_unique<com::TComApartment>();
    host_ = com::MakeComHost();
    process_ = std::make_unique<test::TSimProcess>(L"--progid KaverolinSim.MouseTest");
  }
  static void TearDownTestSuite() {
    try {
      if (process_ && process_->Running() && host_->IsActive(kProgId)) host_->GetActiveObject(kProgId)->Call("SimQuit");
    } catch (const std::exception&) {
    }
    process_.reset();
    host_.reset();
    apartment_.reset();
  }

  void SetUp() override {
    ASSERT_TRUE(process_ && process_->Running()) << "simcad.exe is not running";
    ASSERT_TRUE(WaitUntil([] { return host_->IsActive(kProgId); })) << "simcad.exe did not register";
    app = host_->GetActiveObject(kProgId);
    app->Call("SimReset");
    window = reinterpret_cast<HWND>(static_cast<std::intptr_t>(app->Get("HWND").AsInteger()));
    ASSERT_TRUE(IsWindowVisible(window));
    // A drawing about 160 units wide: a few pixels to the unit once fitted.
    line = app->Call("SimAddLine", {0, 0, 100, 0}).AsInt32();
    slanted = app->Call("SimAddLine", {0, 20, 40, 50}).AsInt32();
    VariantArray tags{0, {Variant("PARTNO"), Variant("NAME")}}, values{0, {Variant("K-1"), Variant("ブラケット")}};
    block = app->Call("SimAddBlock", {"TITLE", 120, 60, Variant(tags), Variant(values)}).AsInt32();
    text = app->Call("SimAddText", {"部品A", 60, 30, 5, 10}).AsInt32();
    app->Call("SimAddCircle", {140, 20, 8});
    app->Call("SimAddCircle", {75, 15, 5});
    app->Call("SimFitView");
    // The window in front, where the user works.
    SetForegroundWindow(window);
  }

  bool Quiescent() { return !test::CadBusy(*app); }
  bool WaitBusy() { return WaitUntil([&] { return !Quiescent(); }); }
  POINT Screen(double x, double y) { return test::ScreenPointOf(*app, x, y); }
  double Pixel() { return test::PixelLength(*app); }
  std::vector<std::string> Drawing() {
    std::vector<std::string> lines;
    for (const auto& item : app->Call("SimDrawing").AsVariants()) lines.push_back(item.AsString());
    return lines;
  }

  static inline std::unique_ptr<com::TComApartment> apartment_;
  static inline std::unique_ptr<IAutomationHost> host_;
  static inline std::unique_ptr<test::TSimProcess> process_;
  ObjectRef app;
  HWND window = nullptr;
  int line = 0, slanted = 0, block = 0, text = 0;
};

TEST_F(SimMouseTest, AClickAnswersGetPointWhileTheCallWaits) {
  TPoint picked;
  TBlockedCall call(*process_, [&](IAutomationObject& cad) {
    picked = ToPoint(cad.GetObj("ActiveDocument")->GetObj("Utility")->Call("GetPoint", {TMissing{}, "作成基点を指示 : "}));
  });
  ASSERT_TRUE(WaitBusy()) << "the CAD never reported the pick";
  // The command line shows the prompt while the pick waits.
  const auto commandLine = app->Call("SimCommandLine").AsVariants();
  EXPECT_EQ(commandLine.back().AsString(), "作成基点を指示 :");
  Click(Screen(30, 40));
  ASSERT_TRUE(call.Wait()) << "the pick did not end";
  ASSERT_FALSE(call.Error()) << call.Message();
  EXPECT_NEAR(picked.X, 30, Pixel());
  EXPECT_NEAR(picked.Y, 40, Pixel());
  EXPECT_TRUE(Quiescent());
}

TEST_F(SimMouseTest, ClicksPickALineAndAnAttributeAndEscapeCancels) {
  int lineId = 0;
  TBlockedCall lineCall(*process_, [&](IAutomationObject& cad) {
    std::vector<TArg> args{Out(), Out(), In("線分を指示 : ")};
    cad.GetObj("ActiveDocument")->GetObj("Utility")->CallWithRefs("GetEntity", args);
    lineId = args[0].Value.AsObject()->Get("ObjectID").AsInt32();
  });
  ASSERT_TRUE(WaitBusy());
  Click(Screen(20, 35.2));   // 20,35 lies on the slanted line; a pixel off is within the pick box
  ASSERT_TRUE(lineCall.Wait());
  ASSERT_FALSE(lineCall.Error()) << lineCall.Message();
  EXPECT_EQ(lineId, slanted);

  std::string tag, value;
  TBlockedCall attributeCall(*process_, [&](IAutomationObject& cad) {
    std::vector<TArg> args{Out(), Out(), Out(), Out(), In("\n文字を変更する TEXT、属性を選択 : ")};
    cad.GetObj("ActiveDocument")->GetObj("Utility")->CallWithRefs("GetSubEntity", args);
    ObjectRef attribute = args[0].Value.AsObject();
    tag = attribute->Get("TagString").AsString();
    attribute->Put("TextString", "K-2");
    value = attribute->Get("TextString").AsString();
  });
  ASSERT_TRUE(WaitBusy());
  // The second attribute stands below the insertion point: 120,55 up to 57.5.
  Click(Screen(123, 56));
  ASSERT_TRUE(attributeCall.Wait());
  ASSERT_FALSE(attributeCall.Error()) << attributeCall.Message();
  EXPECT_EQ(tag, "NAME");
  EXPECT_NE(Drawing()[2].find("NAME=K-2"), std::string::npos) << Drawing()[2];

  TBlockedCall cancelled(*process_, [&](IAutomationObject& cad) {
    std::vector<TArg> args{Out(), Out(), In("線分を指示 : ")};
    cad.GetObj("ActiveDocument")->GetObj("Utility")->CallWithRefs("GetEntity", args);
  });
  ASSERT_TRUE(WaitBusy());
  Click(Screen(70, 45));   // nothing there: the pick goes on, and the window has the keyboard
  Key(VK_ESCAPE);
  ASSERT_TRUE(cancelled.Wait());
  ASSERT_TRUE(cancelled.Error());
  EXPECT_EQ(*cancelled.Error(), kAbort);
  EXPECT_TRUE(Quiescent());
}

TEST_F(SimMouseTest, AWindowFromLeftToRightSelectsWhatLiesInsideThroughTheFilter) {
  int count = -1;
  std::vector<int> ids;
  TBlockedCall call(*process_, [&](IAutomationObject& cad) {
    ObjectRef set = cad.GetObj("ActiveDocument")->GetObj("ActiveSelectionSet");
    set->Call("Clear");
    set->Call("SelectOnScreen", {Variant(ShortArray{0, {0}}), Variant(VariantArray{0, {Variant("*LINE,TEXT")}})});
    count = set->Get("Count").AsInt32();
    for (int i = 0; i < count; ++i) ids.push_back(set->Call("Item", {i}).AsObject()->Get("ObjectID").AsInt32());
  });
  ASSERT_TRUE(WaitBusy());
  // Around the slanted line, the text and a circle (which the filter leaves out); the long
  // line, which a crossing window would take, sticks out of it, and so does the block.
  Click(Screen(-3, -5));
  Click(Screen(90, 52));
  RightClick(Screen(90, 52));   // ends the selection
  ASSERT_TRUE(call.Wait());
  ASSERT_FALSE(call.Error()) << call.Message();
  EXPECT_EQ(ids, (std::vector<int>{slanted, text}));
  // The selection stays the active selection set, highlighted in the window.
  const auto selection = app->Call("SimSelection").AsVariants();
  EXPECT_EQ(selection.size(), 2u);
}

TEST_F(SimMouseTest, PasteclipReturnsAtOnceAndTheClickPlacesTheText) {
  ObjectRef doc = app->GetObj("ActiveDocument");
  ObjectRef pasted = doc->GetObj("ModelSpace")->Call("AddText", {"貼付", MakePoint(0, 0), 5.0}).AsObject();
  pasted->Put("Alignment", Variant(10));
  pasted->Put("TextAlignmentPoint", MakePoint(0, 0));
  doc->Call("SendCommand", {"copybase 0,0\rlast\r\r"});
  doc->Call("SendCommand", {"erase\rlast\r\r"});
  doc->Call("SendCommand", {"pasteclip\r"});   // returns while the paste waits
  EXPECT_FALSE(Quiescent());
  MoveTo(Screen(50, 40));
  MoveTo(Screen(80, 45));
  Click(Screen(90, 48));
  ASSERT_TRUE(WaitUntil([&] { return Quiescent(); })) << "the paste did not end";
  const auto lines = Drawing();
  const std::string& last = lines.back();
  ASSERT_NE(last.find("貼付"), std::string::npos) << last;
  // "anchor x,y": the middle of the text where the click was.
  const auto anchor = last.find("anchor ");
  ASSERT_NE(anchor, std::string::npos);
  const double x = std::stod(last.substr(anchor + 7));
  const double y = std::stod(last.substr(last.find(',', anchor) + 1));
  EXPECT_NEAR(x, 90, Pixel());
  EXPECT_NEAR(y, 48, Pixel());
  // The paste is one step of its own: Ctrl+Z in the window takes it back, and the erase
  // before it is the next step.
  const std::size_t placed = lines.size();
  test::ControlKey('Z');
  ASSERT_TRUE(WaitUntil([&] { return Drawing().size() == placed - 1; })) << "Ctrl+Z did not undo the paste";
  EXPECT_EQ(Drawing().back().find("貼付"), std::string::npos);
  test::ControlKey('Z');
  ASSERT_TRUE(WaitUntil([&] { return Drawing().size() == placed; })) << "Ctrl+Z did not undo the erase";
  EXPECT_NE(Drawing().back().find("貼付\tat "), std::string::npos) << Drawing().back();
  EXPECT_NE(Drawing().back().find("anchor 0,0"), std::string::npos) << Drawing().back();
}

// Last: it ends simcad.exe.
TEST_F(SimMouseTest, ZClosingTheWindowDuringAPickGivesTheClientAnErrorAndEndsTheProgram) {
  TBlockedCall call(*process_, [&](IAutomationObject& cad) {
    (void)cad.GetObj("ActiveDocument")->GetObj("Utility")->Call("GetPoint", {TMissing{}, "作成基点を指示 : "});
  });
  ASSERT_TRUE(WaitBusy());
  PostMessageW(window, WM_CLOSE, 0, 0);   // what the window's close box sends
  ASSERT_TRUE(call.Wait()) << "the client hangs";
  ASSERT_TRUE(call.Error());
  EXPECT_EQ(*call.Error(), kAbort);
  EXPECT_EQ(WaitForSingleObject(process_->Handle(), 30000), WAIT_OBJECT_0) << "simcad.exe did not end";
  DWORD code = 99;
  GetExitCodeProcess(process_->Handle(), &code);
  EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace kav::cad
