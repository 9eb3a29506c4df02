// The program's entry: the dark look, the main window and its services, the message loop.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>

#include "app/Form88.h"
#include "app/win32/Resources.h"
#include "cadlink/TargetCADForm.h"
#include "cadlink/com/ComHost.h"
#include "cadlink/com/MessageFilter.h"
#include "cadlink/win32/TargetCADDialog.h"
#include "platform/Text.h"
#include "platform/win32/Win32Services.h"
#include "ui/win32/FormPeer.h"
#include "ui/win32/Palette.h"
#include "ui/win32/Theme.h"

namespace {

using namespace kav;

constexpr const char* kStyleName = "Windows10 Dark";

// COM for this thread, a single-threaded apartment, for as long as the program runs.
using cad::com::TComApartment;

// The program's icon on the main window's title bar and task-bar button. Shared icons belong to
// the module, so there is no handle to free.
void ShowProgramIcon(HWND window) {
  const HINSTANCE module = GetModuleHandleW(nullptr);
  for (const auto& [which, metric] : {std::pair{ICON_SMALL, SM_CXSMICON}, std::pair{ICON_BIG, SM_CXICON}}) {
    const int size = GetSystemMetrics(metric);
    const HANDLE icon = LoadImageW(module, MAKEINTRESOURCEW(KAV_IDI_PROGRAM), IMAGE_ICON, size, size, LR_SHARED);
    if (icon != nullptr) SendMessageW(window, WM_SETICON, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(icon));
  }
}

// DPI awareness comes from the manifest (kaverolin.manifest), before any window exists.
int Run() {
  TComApartment apartment;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  HWND mainWindow = nullptr;
  const auto owner = [&mainWindow] { return reinterpret_cast<std::uintptr_t>(mainWindow); };
  const auto codePage = MakeWin32CodePage();
  const auto collation = MakeWin32Collation();
  const auto locale = MakeWin32Locale();
  const auto clipboard = MakeWin32Clipboard();
  const auto messages = MakeWin32Messages(owner, app::kApplicationTitle);
  const auto dialogs = MakeWin32FileDialogs(owner);
  const auto desktop = MakeWin32Desktop();
  const auto files = MakeWin32FileSystem();
  const TServices services{*codePage, *collation, *locale, *clipboard, *messages, *dialogs, *desktop, *files,
                           ProgramFilePath()};

  // The look the program carries; without it the program goes on in the plain look.
  const ui::win32::TPalette* palette = ui::win32::FindStyle(kStyleName);
  static const ui::win32::TPalette plain = ui::win32::PlainPalette();
  if (!palette) {
    messages->ShowError(std::string("スタイル '") + kStyleName + "' が見つかりません");
    palette = &plain;
  }

  cad::TTargetState target;
  // Target CAD: the COM message filter that FormCreate registers and FormDestroy revokes.
  const auto messageFilter = cad::com::MakeMessageFilterHook();
  // The CAD every drawing operation works with: found through the system's class registry
  // and table of running objects.
  const auto automationHost = cad::com::MakeComHost();
  app::TForm88 form(services, target);
  form.MessageFilter = messageFilter.get();
  form.AttachCad(*automationHost);
  ui::win32::TFormPeer peer(form, {nullptr, palette, {}});
  mainWindow = peer.Handle();
  ShowProgramIcon(mainWindow);
  peer.QuitWhenDestroyed();
  peer.OnDestroy = [&] {
    mainWindow = nullptr;   // message boxes of the shut-down have no owner any more
    form.FormDestroy();
  };
  form.FormCreate();
  // Target CAD: the dialog is created after the main window, hidden until SpeedButton7.
  cad::TTargetCADForm targetCadForm(services, target, form, app::kApplicationTitle);
  cad::win32::AttachNativeDialog(targetCadForm, [&mainWindow] { return mainWindow; });
  form.TargetCADForm = &targetCadForm;
  peer.Show();
  return ui::win32::RunMessageLoop(peer);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    return Run();
  } catch (const std::exception& e) {
    MessageBoxW(nullptr, kav::Utf8ToWide(e.what()).c_str(), L"KAVEROLIN 2.18", MB_OK | MB_ICONERROR);
    return 1;
  }
}
