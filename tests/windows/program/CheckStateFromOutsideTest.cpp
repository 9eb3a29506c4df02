// The check boxes and radio buttons of the running program, read and set from another process
// with BM_GETCHECK, BM_SETCHECK and BM_CLICK: after start, after clicks, after the settings that
// change them, and with the program's own rules following a mark set from outside.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"
#include "tests/support/win32/HostPaths.h"

namespace kav::test {
namespace {

namespace fs = std::filesystem;

// The program in a folder of its own, started and ended by the test.
class TProgram {
 public:
  explicit TProgram(const fs::path& folder) {
    const fs::path exe = folder / L"kaverolin.exe";
    std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info))
      return;
    process_.Reset(info.hProcess);
    TKernelHandle thread(info.hThread);
    WaitForInputIdle(process_.Get(), 30000);
    id_ = info.dwProcessId;
    for (int tries = 0; tries < 100 && main_ == nullptr; ++tries) {
      EnumWindows(&TProgram::FindMain, reinterpret_cast<LPARAM>(this));
      if (main_ == nullptr) Sleep(100);
    }
  }
  ~TProgram() { Close(); }
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;

  HWND Main() const { return main_; }
  // The button window of the program showing `caption`, or null.
  HWND Button(const std::wstring& caption) const {
    std::pair<const std::wstring*, HWND> search{&caption, nullptr};
    EnumChildWindows(main_, &TProgram::FindButton, reinterpret_cast<LPARAM>(&search));
    return search.second;
  }
  // Ends the program as the user does (the close box), so that it writes its settings.
  void Close() {
    if (!process_) return;
    if (main_ != nullptr) PostMessageW(main_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.Get(), 20000) != WAIT_OBJECT_0) TerminateProcess(process_.Get(), 1);
    process_.Reset();
    main_ = nullptr;
  }

 private:
  static BOOL CALLBACK FindMain(HWND window, LPARAM self) {
    auto* program = reinterpret_cast<TProgram*>(self);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == program->id_ && ClassOf(window) == L"KaverolinForm" && IsWindowVisible(window)) {
      program->main_ = window;
      return FALSE;
    }
    return TRUE;
  }
  static BOOL CALLBACK FindButton(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<std::pair<const std::wstring*, HWND>*>(search);
    if (_wcsicmp(ClassOf(window).c_str(), L"Button") == 0 && TextOf(window) == *wanted->first) {
      wanted->second = window;
      return FALSE;
    }
    return TRUE;
  }
  TKernelHandle process_;
  DWORD id_ = 0;
  HWND main_ = nullptr;
};

// Sent from this process to the program's window, with a time limit.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0) {
  DWORD_PTR result = 0;
  EXPECT_NE(SendMessageTimeoutW(window, message, wParam, 0, SMTO_ABORTIFHUNG, 10000, &result), 0);
  return static_cast<LRESULT>(result);
}

LRESULT CheckOf(const TProgram& program, const std::wstring& caption) {
  const HWND button = program.Button(caption);
  EXPECT_NE(button, nullptr);
  return button != nullptr ? Send(button, BM_GETCHECK) : -1;
}

// Chooses a page as a click on its tab does: the tab strip tells the program.
void ShowPage(const TProgram& program, int page) {
  std::vector<HWND> strips;
  EnumChildWindows(
      program.Main(),
      [](HWND window, LPARAM list) {
        if (ClassOf(window) == WC_TABCONTROLW) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&strips));
  ASSERT_EQ(strips.size(), 1u);
  Send(strips[0], TCM_SETCURFOCUS, static_cast<WPARAM>(page));
}

const std::wstring kChange = L"TEXT, 属性変更", kCreate = L"TEXT 作成", kPlain = L"普通に作成", kInFrame = L"罫線内",
                   kOnLine = L"線上点", kML = L"ML : 中左", kMC = L"MC : 中中", kMR = L"MR : 中右",
                   kOther = L"その他 ↓", kLisp = L"LISP を使う";

class CheckStateFromOutside : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("kav-program-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(WindowsPath(KAV_KAVEROLIN_EXE), folder / L"kaverolin.exe");
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  std::map<std::wstring, LRESULT> Marks(const TProgram& program) const {
    std::map<std::wstring, LRESULT> marks;
    for (const auto& caption : {kChange, kCreate, kPlain, kInFrame, kOnLine, kML, kMC, kMR, kOther})
      marks[caption] = CheckOf(program, caption);
    return marks;
  }
  fs::path folder;
};

TEST_F(CheckStateFromOutside, MarksAtStartAfterClicksAndFromTheSettings) {
  {
    TProgram program(folder);
    ASSERT_NE(program.Main(), nullptr);
    // First start: the designed marks, as Windows' own buttons would report them.
    EXPECT_EQ(Marks(program), (std::map<std::wstring, LRESULT>{{kChange, 1}, {kCreate, 0}, {kPlain, 0}, {kInFrame, 0},
                                                               {kOnLine, 0}, {kML, 1}, {kMC, 0}, {kMR, 0}, {kOther, 0}}));
    // A click from outside is the user's: the double-click modes exclude each other.
    Send(program.Button(kCreate), BM_CLICK);
    EXPECT_EQ(CheckOf(program, kCreate), BST_CHECKED);
    EXPECT_EQ(CheckOf(program, kChange), BST_UNCHECKED);
    Send(program.Button(kMR), BM_CLICK);
    EXPECT_EQ(CheckOf(program, kMR), BST_CHECKED);
    EXPECT_EQ(CheckOf(program, kML), BST_UNCHECKED);

    // A mark set from outside goes to the program as set by the program: its rules follow.
    Send(program.Button(kPlain), BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(CheckOf(program, kPlain), BST_CHECKED);
    EXPECT_EQ(CheckOf(program, kCreate), BST_UNCHECKED);
    Send(program.Button(kInFrame), BM_SETCHECK, BST_CHECKED);
    Send(program.Button(kOnLine), BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(CheckOf(program, kInFrame), BST_UNCHECKED);
    EXPECT_EQ(CheckOf(program, kOnLine), BST_CHECKED);
    Send(program.Button(kOther), BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(CheckOf(program, kOther), BST_CHECKED);
    EXPECT_EQ(CheckOf(program, kMR), BST_UNCHECKED);
    EXPECT_FALSE(IsWindowEnabled(program.Button(kOnLine)));   // the justification rule ran

    // The settings page's box gets its window when its page is shown.
    ShowPage(program, 2);
    ASSERT_NE(program.Button(kLisp), nullptr);
    EXPECT_EQ(CheckOf(program, kLisp), BST_UNCHECKED);
    Send(program.Button(kLisp), BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(CheckOf(program, kLisp), BST_CHECKED);
    program.Close();   // writes the settings
  }
  // The next start reads them back: the marks set from outside were the program's own.
  TProgram again(folder);
  ASSERT_NE(again.Main(), nullptr);
  EXPECT_EQ(Marks(again), (std::map<std::wstring, LRESULT>{{kChange, 0}, {kCreate, 0}, {kPlain, 1}, {kInFrame, 0},
                                                           {kOnLine, 1}, {kML, 0}, {kMC, 0}, {kMR, 0}, {kOther, 1}}));
  ShowPage(again, 2);
  EXPECT_EQ(CheckOf(again, kLisp), BST_CHECKED);
}

}  // namespace
}  // namespace kav::test
