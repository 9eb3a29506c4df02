// Drives the tool and the simulated CAD of ./run through the moments scripts/tool-screenshots
// takes pictures of for the README: the two windows side by side, a grid row written into a
// row of the drawn parts list, TEXT inside a ruled cell and along a line, a title block
// attribute changed, a TEXT hanging at the cursor, balloons renumbered, and the drawn parts list
// read back into the file grid. At each moment it prints "shot NAME" and waits until the
// script has written NAME.png; a NAME ending in "-cad" shows the CAD's window alone (the tool
// is minimised meanwhile).
//   tool_screenshot_driver <folder of ./run's demo, with the tool> <folder for the pictures>
#include <windows.h>

#include <cstdio>
#include <string>

#include "SimUser.h"
#include "ToolProcess.h"
#include "cadlink/com/ComHost.h"
#include "platform/Text.h"

namespace {

using namespace kav;

constexpr const char* kProgId = "KaverolinSim.Application";

class TDriver {
 public:
  TDriver(std::wstring demo, std::wstring shots) : demo_(std::move(demo)), shots_(std::move(shots)) {}

  int Run() {
    cad::com::TComApartment apartment;
    auto host = cad::com::MakeComHost();
    if (!test::WaitUntil([&] { return host->IsActive(kProgId); })) return Fail("simcad.exe is not running");
    app_ = host->GetActiveObject(kProgId);
    // The drawing on the left, the tool on the right (its place comes from its settings).
    const HWND cad = reinterpret_cast<HWND>(static_cast<std::intptr_t>(app_->Get("HWND").AsInteger()));
    SetWindowPos(cad, nullptr, 0, 0, 644, 640, SWP_NOZORDER);
    app_->Call("SimFitView");
    test::TToolProcess tool(WideToUtf8(demo_));
    Shot("try-start");

    // The parts list and the title block close up.
    test::Wheel(Screen(410, 58), 2);
    // A grid row into the empty fourth row of the drawn parts list.
    tool.ClickRow(4);
    tool.Click(L"枠内に左中基点で一括作成");
    if (!WaitForCad()) return Fail("no pick for the row");
    test::MoveTo(Screen(255, 77));
    test::MoveTo(Screen(257, 78));
    Shot("try-row-pick-cad");
    test::Click(Screen(257, 78));
    WaitUntilBack(tool);

    // TEXT inside the ruled cell around the click: the number of the fifth row.
    tool.Click(L"罫線内");
    tool.ClickRow(5);
    tool.Click(L"TEXT 作成", true);
    if (!WaitForCad()) return Fail("no pick for the cell");
    test::Click(Screen(259, 69));
    WaitUntilBack(tool);

    // The title block's name attribute, picked and changed.
    tool.SetSendText(L"ブラケット組立図");
    tool.Click(L"TEXT, 属性変更", true);
    if (!WaitForCad()) return Fail("no attribute pick");
    test::Click(Screen(350, 40));
    WaitUntilBack(tool);
    Shot("try-table");

    // The part close up; text along the line at 60 degrees.
    app_->Call("SimFitView");
    test::Wheel(Screen(150, 130), 2);
    tool.Click(L"線上点");
    tool.SetSendText(L"溶接線");
    tool.Click(L"TEXT 作成", true);
    if (!WaitForCad()) return Fail("no line pick");
    test::Click(Screen(202.5, 121.65));
    WaitUntilBack(tool);

    // Plain creation: the TEXT follows the pointer until the click.
    tool.SetSendText(L"バリ取り");
    tool.Click(L"普通に作成", true);
    if (!WaitForCad()) return Fail("no paste");
    test::MoveTo(Screen(95, 150));
    test::MoveTo(Screen(100, 150));
    Shot("try-paste-cad");
    test::Click(Screen(100, 150));
    WaitUntilBack(tool);

    // The balloons' numbers, by a window around both.
    tool.SetAttributeValue(L"A");
    tool.Click(L"属性一括変更");
    if (!WaitForCad()) return Fail("no selection");
    test::Click(Screen(145, 172));
    test::MoveTo(Screen(202, 40));
    Shot("try-bulk-window-cad");
    test::Click(Screen(202, 40));
    test::RightClick(Screen(202, 40));
    WaitUntilBack(tool);
    Shot("try-part");
    app_->Call("SimFitView");

    // The drawn parts list back into the file grid: the file page, then a window around it.
    ClickTab(tool.MainWindow(), 30);
    tool.Click(L"TEXT を取得");
    if (!WaitForCad()) return Fail("no harvest selection");
    test::Click(Screen(245, 110));
    test::Click(Screen(415, 45));
    test::RightClick(Screen(415, 45));
    WaitUntilBack(tool);
    Shot("try-harvest");
    tool.Close();
    return 0;
  }

 private:
  POINT Screen(double x, double y) { return test::ScreenPointOf(*app_, x, y); }
  bool Busy() { return test::CadBusy(*app_); }
  bool WaitForCad() { return test::WaitUntil([&] { return Busy(); }); }
  void WaitUntilBack(const test::TToolProcess& tool) {
    test::WaitUntil([&] { return !tool.Minimized() && !Busy(); });
  }
  // Clicks the page tab whose middle stands `x` pixels from the window's client edge.
  static void ClickTab(HWND window, int x) {
    POINT at{x, 12};
    ClientToScreen(window, &at);
    test::Click(at);
  }
  void Shot(const std::string& name) { test::AskForScreenshot(shots_, name); }
  static int Fail(const char* what) {
    std::printf("failed: %s\n", what);
    return 1;
  }

  std::wstring demo_, shots_;
  cad::ObjectRef app_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::printf("usage: tool_screenshot_driver DEMO-FOLDER SHOTS-FOLDER\n");
    return 2;
  }
  std::wstring demo = argv[1];
  if (!demo.empty() && demo.back() != L'\\') demo += L'\\';
  try {
    return TDriver(demo, argv[2]).Run();
  } catch (const std::exception& e) {
    std::printf("failed: %s\n", e.what());
    return 1;
  }
}
