#include "SimUser.h"

#include <objbase.h>

#include <algorithm>
#include <cstdio>

#include "cadlink/com/ComHost.h"
#include "platform/Text.h"

namespace kav::test {

using namespace std::chrono_literals;

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    std::this_thread::sleep_for(50ms);
  }
  return condition();
}

POINT ScreenPointOf(cad::IAutomationObject& app, double x, double y) {
  const auto xy = app.Call("SimScreenPoint", {x, y}).AsDoubles();
  return POINT{static_cast<LONG>(xy[0]), static_cast<LONG>(xy[1])};
}

double PixelLength(cad::IAutomationObject& app) {
  const POINT a = ScreenPointOf(app, 0, 0), b = ScreenPointOf(app, 100, 0);
  return 100.0 / std::max<LONG>(b.x - a.x, 1);
}

bool CadBusy(cad::IAutomationObject& app) {
  return !app.Call("GetAcadState").AsObject()->Get("IsQuiescent").AsBool();
}

namespace {
void Send(INPUT* inputs, UINT count) {
  SendInput(count, inputs, sizeof inputs[0]);
  std::this_thread::sleep_for(30ms);   // lets the window take the input before the next
}

void Buttons(const POINT& screen, DWORD down, DWORD up) {
  MoveTo(screen);
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = down;
  inputs[1].mi.dwFlags = up;
  Send(inputs, 2);
}
}  // namespace

void MoveTo(const POINT& screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  Send(&input, 1);
}

void Click(const POINT& screen) { Buttons(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }

void RightClick(const POINT& screen) { Buttons(screen, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }

void Wheel(const POINT& screen, int notches) {
  MoveTo(screen);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_WHEEL;
  input.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
  Send(&input, 1);
}

void Key(WORD key) {
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[1].ki.wVk = key;
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  Send(inputs, 2);
}

void ControlKey(WORD key) {
  INPUT inputs[4]{};
  for (auto& input : inputs) input.type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[3].ki.wVk = VK_CONTROL;
  inputs[1].ki.wVk = inputs[2].ki.wVk = key;
  inputs[2].ki.dwFlags = inputs[3].ki.dwFlags = KEYEVENTF_KEYUP;
  Send(inputs, 4);
}

TBlockedCall::TBlockedCall(TSimProcess& process, std::string progId, std::function<void(cad::IAutomationObject& app)> call)
    : process_(process) {
  thread_ = std::thread([this, progId = std::move(progId), call = std::move(call)] {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    try {
      auto host = cad::com::MakeComHost();
      cad::ObjectRef app = host->GetActiveObject(progId);
      call(*app);
    } catch (const cad::TAutomationError& e) {
      error_ = e.Code;
      message_ = e.what();
    } catch (const std::exception& e) {
      error_ = cad::kFail;
      message_ = e.what();
    }
    CoUninitialize();
    done_.set_value();
  });
}

TBlockedCall::~TBlockedCall() {
  if (!thread_.joinable()) return;
  if (finished_.wait_for(kPatience) != std::future_status::ready) process_.Kill();
  thread_.join();
}

bool TBlockedCall::Wait(std::chrono::milliseconds limit) {
  if (finished_.wait_for(limit) != std::future_status::ready) return false;
  thread_.join();
  return true;
}

void AskForScreenshot(const std::wstring& folder, const std::string& name) {
  std::this_thread::sleep_for(std::chrono::milliseconds(300));   // the windows have painted what the input changed
  const std::wstring file = folder + L"\\" + Utf8ToWide(name) + L".png";
  DeleteFileW(file.c_str());
  std::printf("shot %s\n", name.c_str());
  std::fflush(stdout);
  WaitUntil([&] { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; });
}

}  // namespace kav::test
