// simcad.exe: the simulated CAD served over COM. It registers its ProgID for the current
// user, puts its application object in the running object table so that GetActiveObject
// finds it, and runs until its window closes or a client calls SimQuit.
//
//   simcad.exe [--demo] [--hidden] [--progid NAME] [--register-only] [--ready-file PATH] [DRAWING.dxf]
//   simcad.exe --quit [--progid NAME]
//
// --ready-file names a file that is written once the application object can be found, so
// that a script can wait for it. --hidden shows no window and answers no pick from the
// mouse: an empty queue of answers cancels at once. --quit asks the running simulated CAD
// to close (exit code 0), or finds none (exit code 5). A drawing named on the command line is
// opened at the start; when it cannot be read the simulated CAD says why in a message box (not
// with --hidden) and starts with an empty drawing (the demo drawing with --demo).
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "cadlink/com/ComHost.h"
#include "platform/Text.h"
#include "platform/win32/Win32Services.h"
#include "simcad/SimCad.h"
#include "simcad/SimDemo.h"
#include "simcad/com/DispatchAdapter.h"
#include "simcad/com/DrawingFile.h"
#include "simcad/com/DrawingView.h"
#include "simcad/com/ServerRegistration.h"

using namespace kav;

namespace {

struct TOptions {
  bool Demo = false, Hidden = false, RegisterOnly = false, Quit = false;
  std::wstring ProgId = sim::com::kSimProgId;
  std::wstring ReadyFile;
  std::wstring Drawing;
};

TOptions ParseOptions() {
  TOptions options;
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; argv != nullptr && i < count; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--demo") options.Demo = true;
    else if (arg == L"--hidden") options.Hidden = true;
    else if (arg == L"--register-only") options.RegisterOnly = true;
    else if (arg == L"--quit") options.Quit = true;
    else if (arg == L"--progid" && i + 1 < count) options.ProgId = argv[++i];
    else if (arg == L"--ready-file" && i + 1 < count) options.ReadyFile = argv[++i];
    else if (arg.rfind(L"--", 0) != 0) options.Drawing = arg;
  }
  if (argv != nullptr) LocalFree(argv);
  return options;
}

// Another ProgID gets a class of its own, derived from the simulated CAD's.
CLSID ClassFor(const std::wstring& progId) {
  CLSID clsid = sim::com::kSimClassId;
  if (progId == sim::com::kSimProgId) return clsid;
  for (wchar_t c : progId) clsid.Data1 = clsid.Data1 * 31 + static_cast<unsigned long>(c);
  return clsid;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    const TOptions options = ParseOptions();
    cad::com::TComApartment apartment;
    if (options.Quit) {
      const auto host = cad::com::MakeComHost();
      const std::string progId = WideToUtf8(options.ProgId);
      if (!host->IsActive(progId)) return 5;
      host->GetActiveObject(progId)->Call("SimQuit");
      return 0;
    }
    const CLSID clsid = ClassFor(options.ProgId);
    if (sim::com::RegisterProgId(options.ProgId, clsid) != ERROR_SUCCESS) return 2;
    if (options.RegisterOnly) return 0;

    sim::TSimCad cad;
    const sim::com::TDrawingFiles files;
    cad.State().FileAccess = &files.Access();
    if (options.Demo) sim::BuildDemoDrawing(cad.Drawing());
    if (options.Demo) cad.State().DocumentName = "demo.dwg";
    // The File menu's message boxes and dialogs belong to the window, made just below.
    HWND window = nullptr;
    const auto owner = [&window] { return reinterpret_cast<std::uintptr_t>(window); };
    const auto messages = MakeWin32Messages(owner, "KaverolinSim");
    const auto dialogs = MakeWin32FileDialogs(owner);
    sim::com::TDrawingView view(cad.State(), options.Hidden,
                                {&files, options.Hidden ? nullptr : messages.get(), dialogs.get()});
    window = view.Handle();
    if (window == nullptr) return 3;
    cad.State().WindowHandle = static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(window));
    if (!options.Drawing.empty()) view.OpenFile(WideToUtf8(options.Drawing));

    auto context = std::make_shared<sim::com::TServerContext>();
    context->OnCall = [&view] { view.Refresh(); };   // SimOpenDxf and SimSaveDxf name another file too
    context->OnQuit = [window] { PostMessageW(window, WM_CLOSE, 0, 0); };
    context->ServerMember = [&view](const std::string& name, std::span<cad::TArg> args, cad::Variant& result) {
      return view.HandleViewMember(name, args, result);
    };
    auto application = sim::com::TDispatchAdapter::Create(cad.Application(), context);

    DWORD cookie = 0;
    if (FAILED(RegisterActiveObject(application.Get(), clsid, ACTIVEOBJECT_STRONG, &cookie))) return 4;
    if (!options.ReadyFile.empty()) {
      HANDLE ready = CreateFileW(options.ReadyFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    RevokeActiveObject(cookie, nullptr);
    CoDisconnectObject(application.Get(), 0);
    return 0;
  } catch (const std::exception&) {
    return 1;
  }
}
