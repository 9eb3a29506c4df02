#include <windows.h>

#include "platform/Text.h"
#include "platform/win32/Win32Services.h"

namespace kav {
namespace {

class TWin32Messages final : public IMessages {
 public:
  TWin32Messages(std::function<std::uintptr_t()> owner, std::string title)
      : owner_(std::move(owner)), title_(Utf8ToWide(title)) {}

  void ShowMessage(const std::string& text) override { Box(text, MB_OK); }
  void ShowError(const std::string& text) override { Box(text, MB_OK | MB_ICONERROR); }
  bool AskYesNo(const std::string& text) override { return Box(text, MB_YESNO | MB_ICONQUESTION) == IDYES; }

 private:
  int Box(const std::string& text, UINT flags) {
    const HWND owner = owner_ ? reinterpret_cast<HWND>(owner_()) : nullptr;
    return MessageBoxW(owner, Utf8ToWide(text).c_str(), title_.c_str(), flags | MB_TOPMOST);
  }
  std::function<std::uintptr_t()> owner_;
  std::wstring title_;
};

class TWin32Desktop final : public IDesktop {
 public:
  WindowId ForegroundWindow() override { return reinterpret_cast<WindowId>(GetForegroundWindow()); }
  bool IsIconic(WindowId window) override { return ::IsIconic(reinterpret_cast<HWND>(window)) != FALSE; }
  void OpenIcon(WindowId window) override { ::OpenIcon(reinterpret_cast<HWND>(window)); }
  void SetForegroundWindow(WindowId window) override { ::SetForegroundWindow(reinterpret_cast<HWND>(window)); }
  void KeyEvent(unsigned char vk, unsigned char scan, unsigned flags) override { keybd_event(vk, scan, flags, 0); }
  void Sleep(unsigned ms) override { ::Sleep(ms); }
  std::uint32_t TickCount() override { return GetTickCount(); }
  bool ProcessMessages() override {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));   // leave it for the main loop
        return false;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    return true;
  }
  int ScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
  int ScreenHeight() override { return GetSystemMetrics(SM_CYSCREEN); }
};

}  // namespace

std::unique_ptr<IMessages> MakeWin32Messages(std::function<std::uintptr_t()> owner, std::string title) {
  return std::make_unique<TWin32Messages>(std::move(owner), std::move(title));
}

std::unique_ptr<IDesktop> MakeWin32Desktop() { return std::make_unique<TWin32Desktop>(); }

}  // namespace kav
