// Drives simcad.exe through the moments scripts/simcad-screenshots takes pictures of: the
// demo drawing as ./run opens it (tests/data/demo-drawing.dxf), a point pick with its prompt
// on the command line, an attribute pick with the pick box, a sub-entity pick over a label of
// the title block, a crossing window being drawn, a pasted TEXT following the pointer, and a
// zoomed view. At each moment it prints "shot NAME" and waits until the script has written
// NAME.png into the folder given as its argument.
#include <windows.h>

#include <cstdio>
#include <string>

#include "SimProcess.h"
#include "SimUser.h"
#include "cadlink/Point.h"
#include "cadlink/com/ComHost.h"
#include "platform/Text.h"
#include "tests/support/win32/HostPaths.h"

namespace {

using namespace kav;
using namespace std::chrono_literals;

constexpr const char* kProgId = "KaverolinSim.Shots";

class TDriver {
 public:
  explicit TDriver(std::wstring folder) : folder_(std::move(folder)) {}

  int Run() {
    cad::com::TComApartment apartment;
    auto host = cad::com::MakeComHost();
    const std::wstring drawing = test::WindowsPath(std::string(KAV_SOURCE_DIR) + "/tests/data/demo-drawing.dxf");
    test::TSimProcess process(L"--progid KaverolinSim.Shots \"" + drawing + L"\"");
    if (!test::WaitUntil([&] { return host->IsActive(kProgId); })) return Fail("simcad.exe did not register");
    app_ = host->GetActiveObject(kProgId);
    const HWND window = reinterpret_cast<HWND>(static_cast<std::intptr_t>(app_->Get("HWND").AsInteger()));
    SetForegroundWindow(window);
    test::MoveTo(Screen(460, 150));
    Shot("simcad-demo");

    {   // A point pick in a cell of the parts list, the prompt on the command line.
      test::TBlockedCall pick(process, kProgId, [](cad::IAutomationObject& cad) {
        (void)cad.GetObj("ActiveDocument")->GetObj("Utility")->Call("GetPoint", {cad::TMissing{}, "作成基点を指示 : "});
      });
      if (!WaitBusy()) return Fail("no pick");
      test::MoveTo(Screen(300, 85));
      test::MoveTo(Screen(290, 86));
      Shot("simcad-pick");
      test::Click(Screen(290, 86));
      pick.Wait();
    }
    {   // An attribute pick: the pick box over the title block's attribute.
      test::TBlockedCall pick(process, kProgId, [](cad::IAutomationObject& cad) {
        std::vector<cad::TArg> args{cad::Out(), cad::Out(), cad::Out(), cad::Out(), cad::In("\n文字を変更する TEXT、属性を選択 : ")};
        cad.GetObj("ActiveDocument")->GetObj("Utility")->CallWithRefs("GetSubEntity", args);
      });
      if (!WaitBusy()) return Fail("no attribute pick");
      test::MoveTo(Screen(330, 21));
      Shot("simcad-attribute-pick");
      test::Key(VK_ESCAPE);
      pick.Wait();
    }
    {   // A sub-entity pick inside the title block: the pick box over its label "図番".
      test::TBlockedCall pick(process, kProgId, [](cad::IAutomationObject& cad) {
        std::vector<cad::TArg> args{cad::Out(), cad::Out(), cad::Out(), cad::Out(), cad::In("\n文字を変更する TEXT、属性を選択 : ")};
        cad.GetObj("ActiveDocument")->GetObj("Utility")->CallWithRefs("GetSubEntity", args);
        // What it found, on the command line of the shot that follows.
        const cad::ObjectRef found = args[0].Value.AsObject();
        std::string note = found->Get("ObjectName").AsString();
        note.append(" ").append(found->Get("TextString").AsString());
        cad.GetObj("ActiveDocument")->GetObj("Utility")->Call("Prompt", {note});
      });
      if (!WaitBusy()) return Fail("no block pick");
      test::MoveTo(Screen(271, 21));
      Shot("simcad-block-pick");
      test::Click(Screen(271, 21));
      pick.Wait();
    }
    {   // A selection: one list row picked, a crossing window being drawn from right to left.
      test::TBlockedCall select(process, kProgId, [](cad::IAutomationObject& cad) {
        cad::ObjectRef set = cad.GetObj("ActiveDocument")->GetObj("ActiveSelectionSet");
        set->Call("Clear");
        set->Call("SelectOnScreen");
      });
      if (!WaitBusy()) return Fail("no selection");
      test::Click(Screen(180, 70));   // the outline's lower right edge
      test::Click(Screen(416, 112));  // the first corner, between the border lines
      test::MoveTo(Screen(300, 75));
      Shot("simcad-crossing-window");
      test::Click(Screen(300, 75));
      test::RightClick(Screen(300, 75));
      select.Wait();
      Shot("simcad-selected");
    }
    // Zoomed in on the parts list and the title block with the wheel.
    app_->GetObj("ActiveDocument")->GetObj("ActiveSelectionSet")->Call("Clear");
    test::Wheel(Screen(330, 60), 3);
    test::Wheel(Screen(330, 60), 2);
    {   // PASTECLIP: the TEXT hangs at the pointer until the click.
      cad::ObjectRef doc = app_->GetObj("ActiveDocument");
      cad::ObjectRef text = doc->GetObj("ModelSpace")->Call("AddText", {"六角ボルト M8x20", cad::MakePoint(0, 0), 2.5}).AsObject();
      text->Put("Alignment", cad::Variant(9));
      text->Put("TextAlignmentPoint", cad::MakePoint(0, 0));
      doc->Call("SendCommand", {"copybase 0,0\rlast\r\r"});
      doc->Call("SendCommand", {"erase\rlast\r\r"});
      doc->Call("SendCommand", {"pasteclip\r"});
      test::MoveTo(Screen(290, 80));
      test::MoveTo(Screen(300, 83));
      Shot("simcad-paste");
      test::Click(Screen(266.5, 78));
      test::WaitUntil([&] { return !test::CadBusy(*app_); });
    }
    Shot("simcad-zoomed");
    app_->Call("SimQuit");
    return 0;
  }

 private:
  bool WaitBusy() { return test::WaitUntil([&] { return test::CadBusy(*app_); }); }
  POINT Screen(double x, double y) { return test::ScreenPointOf(*app_, x, y); }
  void Shot(const std::string& name) { test::AskForScreenshot(folder_, name); }
  int Fail(const char* what) {
    std::printf("failed: %s\n", what);
    return 1;
  }

  std::wstring folder_;
  cad::ObjectRef app_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::printf("usage: simcad_screenshot_driver FOLDER\n");
    return 2;
  }
  try {
    return TDriver(argv[1]).Run();
  } catch (const std::exception& e) {
    std::printf("failed: %s\n", e.what());
    return 1;
  }
}
