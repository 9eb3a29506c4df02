// simcad.exe opening and saving drawing files, errors in a message box.
#include "simcad/com/DrawingFile.h"

#include <stdexcept>

#include "platform/Text.h"
#include "platform/win32/Win32Services.h"
#include "simcad/DxfTokenizer.h"

namespace kav::sim::com {

namespace {

// The error in a message box; the caller goes on with the drawing it has.
void ShowError(HWND window, bool quiet, const std::wstring& text) {
  if (!quiet) MessageBoxW(window, text.c_str(), L"KaverolinSim", MB_OK | MB_ICONERROR);
}

template <class TAction>
bool Run(HWND window, TSimState& state, bool quiet, const std::wstring& what, const std::wstring& path, TAction action) {
  try {
    action(WideToUtf8(path));
    ShowDrawingTitle(window, state);
    return true;
  } catch (const std::exception& e) {
    // A file error names the path itself; a reading error names the line.
    const std::string reason = e.what();
    const std::wstring name = Utf8ToWide(ExtractFileName(WideToUtf8(path)));
    ShowError(window, quiet, what + L" " + name + L":\r\n" + Utf8ToWide(reason));
    return false;
  }
}

}  // namespace

TDrawingFiles::TDrawingFiles() : files_(MakeWin32FileSystem()), ansi_(MakeWin32CodePage()) {
  if (ansi_->AnsiCodePage() != 932) japanese_ = MakeWin32CodePage(932);
  access_ = TDxfFileAccess{files_.get(), TDxfCodePages{ansi_.get(), japanese_.get()}};
}

bool OpenDrawing(HWND window, TSimState& state, const TDrawingFiles& files, const std::wstring& path, bool quiet) {
  return Run(window, state, quiet, L"Cannot open", path,
             [&](const std::string& file) { OpenDxfFile(state, files.Access(), file); });
}

bool SaveDrawing(HWND window, TSimState& state, const TDrawingFiles& files, const std::wstring& path, bool quiet) {
  return Run(window, state, quiet, L"Cannot save", path,
             [&](const std::string& file) { SaveDxfFile(state, files.Access(), file); });
}

void ShowDrawingTitle(HWND window, const TSimState& state) {
  const std::string name = state.DocumentPath.empty() ? "Drawing1.dwg" : ExtractFileName(state.DocumentPath);
  const std::wstring title = L"KaverolinSim - " + Utf8ToWide(name);
  wchar_t current[512] = L"";
  GetWindowTextW(window, current, 512);
  if (title != current) SetWindowTextW(window, title.c_str());
}

}  // namespace kav::sim::com
