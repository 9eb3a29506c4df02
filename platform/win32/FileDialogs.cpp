#include <windows.h>
#include <commdlg.h>

#include <stdexcept>

#include "platform/Text.h"
#include "platform/win32/Win32Services.h"

namespace kav {
namespace {

// "*.tsv|*.tsv|*.*|*.*" -> "*.tsv\0*.tsv\0*.*\0*.*\0\0"
std::wstring FilterString(const std::string& filter) {
  std::wstring out = Utf8ToWide(filter);
  for (auto& c : out)
    if (c == L'|') c = L'\0';
  out.push_back(L'\0');
  out.push_back(L'\0');
  return out;
}

// The dialogs' library is loaded at the first dialog, not at start-up: it pulls in much of the
// shell, which would slow every start for a dialog most runs never show.
using TFileDialogFunction = BOOL(WINAPI*)(OPENFILENAMEW*);

TFileDialogFunction DialogFunction(bool save) {
  static HMODULE library = LoadLibraryW(L"comdlg32.dll");
  if (library == nullptr) throw std::runtime_error("comdlg32.dll: " + SystemErrorMessage(GetLastError()));
  const FARPROC function = GetProcAddress(library, save ? "GetSaveFileNameW" : "GetOpenFileNameW");
  if (function == nullptr) throw std::runtime_error("comdlg32.dll: " + SystemErrorMessage(GetLastError()));
  return reinterpret_cast<TFileDialogFunction>(reinterpret_cast<void*>(function));
}

class TWin32FileDialogs final : public IFileDialogs {
 public:
  explicit TWin32FileDialogs(std::function<std::uintptr_t()> owner) : owner_(std::move(owner)) {}

  std::optional<std::string> OpenFile(const TFileDialogOptions& options) override {
    return Show(options, false);
  }
  std::optional<std::string> SaveFile(const TFileDialogOptions& options) override {
    return Show(options, true);
  }

 private:
  std::optional<std::string> Show(const TFileDialogOptions& options, bool save) {
    std::wstring file(32768, L'\0');
    const std::wstring preset = Utf8ToWide(options.FileName);
    preset.copy(file.data(), std::min(preset.size(), file.size() - 1));
    const std::wstring filter = FilterString(options.Filter);
    const std::wstring dir = Utf8ToWide(options.InitialDir);
    const std::wstring ext = Utf8ToWide(options.DefaultExt);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner_ ? reinterpret_cast<HWND>(owner_()) : nullptr;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | (save ? OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST) |
                (options.ConfirmOverwrite ? OFN_OVERWRITEPROMPT : 0);
    const BOOL ok = DialogFunction(save)(&ofn);
    if (!ok) return std::nullopt;
    return WideToUtf8(file.c_str());
  }
  std::function<std::uintptr_t()> owner_;
};

}  // namespace

std::unique_ptr<IFileDialogs> MakeWin32FileDialogs(std::function<std::uintptr_t()> owner) {
  return std::make_unique<TWin32FileDialogs>(std::move(owner));
}

}  // namespace kav
