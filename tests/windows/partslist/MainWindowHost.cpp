#include "tests/windows/partslist/MainWindowHost.h"

#include <array>
#include <fstream>
#include <sstream>

#include "platform/Text.h"
#include "platform/win32/Win32Services.h"
#include "tests/support/win32/ClipboardText.h"

namespace kav::test {

void MainWindowTest::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  folder = std::filesystem::temp_directory_path() / (std::string("kav-partslist-") + info->name());
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  codePage = MakeWin32CodePage();
  collation = MakeWin32Collation();
  clipboard = MakeWin32Clipboard();
  desktop = MakeWin32Desktop();
  files = MakeWin32FileSystem();
}

void MainWindowTest::Start(bool useRealDialogs) {
  IFileDialogs* fileDialogs = &dialogs;
  if (useRealDialogs) {
    realDialogs = MakeWin32FileDialogs([this] { return reinterpret_cast<std::uintptr_t>(peer ? peer->Handle() : nullptr); });
    fileDialogs = realDialogs.get();
  }
  const std::string program = WideToUtf8((folder / L"kaverolin.exe").wstring());
  form = std::make_unique<app::TForm88>(
      TServices{*codePage, *collation, locale, *clipboard, messages, *fileDialogs, *desktop, *files, program}, target);
  peer = std::make_unique<ui::win32::TFormPeer>(*form);
  form->FormCreate();
  peer->Show();
  Pump();
}

void MainWindowTest::TearDown() {
  SetCtrl(false);
  if (form) form->FormDestroy();
  peer.reset();
  Pump();
  form.reset();
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
}

std::string MainWindowTest::PathOf(const std::string& name) const {
  return WideToUtf8((folder / Utf8ToWide(name)).wstring());
}

void MainWindowTest::WriteFile(const std::string& path, const std::string& bytes) const {
  std::ofstream(std::filesystem::path(Utf8ToWide(path)), std::ios::binary) << bytes;
}

std::string MainWindowTest::ReadFile(const std::string& path) const {
  std::ifstream in(std::filesystem::path(Utf8ToWide(path)), std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void MainWindowTest::SetCtrl(bool down) {
  std::array<BYTE, 256> keys{};
  GetKeyboardState(keys.data());
  keys[VK_CONTROL] = keys[VK_LCONTROL] = down ? 0x80 : 0;
  SetKeyboardState(keys.data());
}

void MainWindowTest::KeyDown(HWND target, WPARAM key, bool ctrl) {
  SetCtrl(ctrl);
  SendMessageW(target, WM_KEYDOWN, key, 1);
  SetCtrl(false);
}

void MainWindowTest::Pump() {
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void MainWindowTest::PumpAsTheProgram() {
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (peer->PreTranslateMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::wstring MainWindowTest::ClipboardText() { return test::ClipboardText(); }

void MainWindowTest::PutClipboardText(const std::wstring& text) { ASSERT_TRUE(test::PutClipboardText(text)); }

}  // namespace kav::test
