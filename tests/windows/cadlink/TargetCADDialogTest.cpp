// The target CAD dialog as a native window over a main window: it opens in the middle of the
// screen with the target selected, Enter in the ProgID box changes the entry, OK closes it
// and names the new target; Escape cancels.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "cadlink/TargetCADForm.h"
#include "cadlink/win32/TargetCADDialog.h"
#include "platform/Text.h"
#include "tests/support/Fakes.h"
#include "ui/win32/FormPeer.h"

namespace kav::cad {
namespace {

const char* kListPath = "C:\\Tools\\TargetCAD_APIVersion.txt";

// Steps run one by one from a timer while the dialog's modal loop runs.
struct TScript {
  std::vector<std::function<void(HWND dialog)>> Steps;
  std::size_t Next = 0;
  static inline TScript* Running = nullptr;

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowW(L"KaverolinForm", L"ターゲット CAD");
    if (dialog == nullptr || Running == nullptr || Running->Next >= Running->Steps.size()) return;
    Running->Steps[Running->Next++](dialog);
  }
};

std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* className) {
  struct TSearch {
    const wchar_t* Class;
    std::vector<HWND> Found;
  } search{className, {}};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<TSearch*>(data);
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        if (lstrcmpiW(name, s->Class) == 0) s->Found.push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

HWND ButtonWithText(HWND dialog, const std::wstring& text) {
  for (HWND button : ChildrenOfClass(dialog, L"Button")) {
    wchar_t caption[64] = {};
    GetWindowTextW(button, caption, 64);
    if (text == caption) return button;
  }
  return nullptr;
}

class TargetCADDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform.Files.Files[kListPath] = "Sim\tKaverolinSim.Application\r\nBricsCAD\tBricscadApp.AcadApplication\r\n";
    mainForm.ClientWidth = 641;
    mainForm.ClientHeight = 369;
    mainForm.SetCaption("KAVEROLIN 2.18 [ BricsCAD ]");
    mainPeer = std::make_unique<ui::win32::TFormPeer>(mainForm);
    mainPeer->Show();
    win32::AttachNativeDialog(dialog, [this] { return mainPeer->Handle(); });
  }
  void Run(TScript& script) {
    TScript::Running = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 150, TScript::Tick);
    OpenTargetCADDialog(mainForm, dialog, platform.Desktop, target);
    KillTimer(nullptr, timer);
    TScript::Running = nullptr;
  }

  test::TFakePlatform platform;
  TTargetState target;
  ui::TForm mainForm{"Form88"};
  std::unique_ptr<ui::win32::TFormPeer> mainPeer;
  TTargetCADForm dialog{platform.Services(), target, mainForm, "KAVEROLIN 2.18"};
};

TEST_F(TargetCADDialogTest, EnterChangesTheEntryAndOkNamesTheTarget) {
  RECT placed{};
  std::wstring shownProgId;
  TScript script;
  script.Steps = {
      [&](HWND dialogWindow) {
        GetWindowRect(dialogWindow, &placed);
        const auto edits = ChildrenOfClass(dialogWindow, L"Edit");
        ASSERT_EQ(edits.size(), 2u);
        wchar_t text[128] = {};
        GetWindowTextW(edits[1], text, 128);
        shownProgId = text;
        SetWindowTextW(edits[1], L"BricscadApp.AcadApplication.24");
        SetFocus(edits[1]);
      },
      [&](HWND dialogWindow) {
        HWND edit = ChildrenOfClass(dialogWindow, L"Edit")[1];
        PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        PostMessageW(edit, WM_KEYUP, VK_RETURN, 0xC01C0001);
      },
      [&](HWND dialogWindow) { SendMessageW(ButtonWithText(dialogWindow, L"OK"), BM_CLICK, 0, 0); },
  };
  Run(script);

  EXPECT_EQ(shownProgId, L"BricscadApp.AcadApplication");   // the target's entry was selected
  const int centreX = (GetSystemMetrics(SM_CXSCREEN) - (placed.right - placed.left)) / 2;
  const int centreY = (GetSystemMetrics(SM_CYSCREEN) - (placed.bottom - placed.top)) / 2;
  EXPECT_NEAR(placed.left, centreX, 2);
  EXPECT_NEAR(placed.top, centreY, 2);
  EXPECT_EQ(dialog.ModalResult, ui::mrOk);
  EXPECT_EQ(target.TargetProgID, "BricscadApp.AcadApplication.24");
  EXPECT_EQ(mainForm.GetCaption(), "KAVEROLIN 2.18 [BricsCAD]");
  EXPECT_EQ(target.TargetCaption, "KAVEROLIN 2.18 [BricsCAD]");
  EXPECT_EQ(platform.Files.Files[kListPath], "BricsCAD\tBricscadApp.AcadApplication.24\r\nSim\tKaverolinSim.Application\r\n");
  EXPECT_TRUE(mainForm.Topmost());
  EXPECT_NE(GetWindowLongPtrW(mainPeer->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(IsWindowEnabled(mainPeer->Handle()));
}

TEST_F(TargetCADDialogTest, EscapeCancels) {
  TScript script;
  script.Steps = {[&](HWND dialogWindow) {
    HWND list = ChildrenOfClass(dialogWindow, L"ListBox")[0];
    SetFocus(list);
    PostMessageW(list, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  }};
  Run(script);
  EXPECT_EQ(dialog.ModalResult, ui::mrCancel);
  EXPECT_EQ(target.TargetProgID, kDefaultProgID);
  EXPECT_EQ(target.TargetCaption, "KAVEROLIN 2.18 [ BricsCAD ]");
}

}  // namespace
}  // namespace kav::cad
