#include "ToolProcess.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "SimUser.h"
#include "platform/Text.h"
#include "platform/win32/Win32Services.h"
#include "tests/support/win32/HostPaths.h"

namespace kav::test {

namespace {

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

struct TFind {
  DWORD ProcessId;
  HWND Found = nullptr;
};

}  // namespace

TToolProcess::TToolProcess(const std::map<std::string, std::string>& files) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  static int serial = 0;
  const std::wstring folder =
      std::wstring(temp) + L"kav-tool-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
  CreateDirectoryW(folder.c_str(), nullptr);
  folder_ = WideToUtf8(folder) + "\\";
  ownsFolder_ = true;
  const std::wstring exe = folder + L"\\kaverolin.exe";
  if (!CopyFileW(WindowsPath(KAV_KAVEROLIN_EXE).c_str(), exe.c_str(), FALSE)) throw std::runtime_error("cannot copy kaverolin.exe");
  const auto fileSystem = MakeWin32FileSystem();
  for (const auto& [name, bytes] : files) fileSystem->WriteAtomically(folder_ + name, bytes);
  Start();
}

TToolProcess::TToolProcess(const std::string& folder) : folder_(folder) { Start(); }

void TToolProcess::Start() {
  const std::wstring folder = Utf8ToWide(folder_);
  std::wstring commandLine = L"\"" + folder + L"kaverolin.exe\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info))
    throw std::runtime_error("cannot start kaverolin.exe");
  CloseHandle(info.hThread);
  process_.Reset(info.hProcess);
  processId_ = info.dwProcessId;
  TFind find{processId_};
  WaitUntil([&] {
    EnumWindows(
        [](HWND window, LPARAM param) {
          auto* f = reinterpret_cast<TFind*>(param);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          if (owner == f->ProcessId && IsWindowVisible(window) && TextOf(window).rfind(L"KAVEROLIN", 0) == 0) {
            f->Found = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.Found != nullptr;
  });
  window_ = find.Found;
  if (window_ == nullptr) throw std::runtime_error("kaverolin.exe showed no main window");
}

TToolProcess::~TToolProcess() {
  if (process_.Get() != nullptr && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
    Close();
    if (WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.Get(), 1);
      WaitForSingleObject(process_.Get(), 10000);
    }
  }
  process_.Reset();
  std::error_code ignored;   // a file still held open only leaves the folder behind
  if (ownsFolder_) std::filesystem::remove_all(std::filesystem::path(Utf8ToWide(folder_)), ignored);
}

HWND TToolProcess::Control(const std::wstring& caption, bool lowest) const {
  HWND found = nullptr;
  LONG foundTop = 0;
  for (HWND child : Children(window_)) {
    if (TextOf(child) != caption) continue;
    RECT r{};
    GetWindowRect(child, &r);
    if (found == nullptr || (lowest ? r.top > foundTop : r.top < foundTop)) {
      found = child;
      foundTop = r.top;
    }
  }
  return found;
}

HWND TToolProcess::Grid() const {
  for (HWND child : Children(window_))
    if (ClassOf(child) == L"KaverolinStringGrid" && IsWindowVisible(child)) return child;
  return nullptr;
}

namespace {
// The visible edit boxes of the shown page, the widest first.
std::vector<HWND> EditsByWidth(HWND window) {
  std::vector<std::pair<LONG, HWND>> edits;
  for (HWND child : Children(window)) {
    if (ClassOf(child) != L"Edit" || !IsWindowVisible(child)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    edits.emplace_back(r.right - r.left, child);
  }
  std::sort(edits.begin(), edits.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<HWND> sorted;
  for (const auto& edit : edits) sorted.push_back(edit.second);
  return sorted;
}
}  // namespace

void TToolProcess::SetSendText(const std::wstring& text) const {
  // The send box is the widest edit box of the work-area page.
  const auto edits = EditsByWidth(window_);
  if (!edits.empty()) SendMessageW(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TToolProcess::SetAttributeValue(const std::wstring& text) const {
  // The attribute value box is the next widest.
  const auto edits = EditsByWidth(window_);
  if (edits.size() > 1) SendMessageW(edits[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TToolProcess::Click(const std::wstring& caption, bool lowest) const {
  const HWND control = Control(caption, lowest);
  if (control == nullptr) throw std::runtime_error("no control " + WideToUtf8(caption));
  PostMessageW(control, BM_CLICK, 0, 0);
}

void TToolProcess::ClickRow(int row) const {
  const HWND grid = Grid();
  if (grid == nullptr) throw std::runtime_error("no grid");
  // Rows are 21 pixels high at 96 DPI; the first column starts at the left edge.
  const LPARAM at = MAKELPARAM(5, 21 * row + 8);
  PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(grid, WM_LBUTTONUP, 0, at);
}

DWORD TToolProcess::Close() {
  PostMessageW(window_, WM_CLOSE, 0, 0);
  DWORD code = 99;
  if (WaitForSingleObject(process_.Get(), 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process_.Get(), &code);
  return code;
}

std::string TToolProcess::ReadFile(const std::string& name) const { return MakeWin32FileSystem()->ReadAll(folder_ + name); }

}  // namespace kav::test
