// The user at simcad.exe's window, for the tests and the screenshot driver: real input
// through SendInput, and an automation call blocked on a thread of its own while the user
// answers, as the tool's call is.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <thread>

#include "SimProcess.h"
#include "cadlink/Automation.h"

namespace kav::test {

inline constexpr std::chrono::milliseconds kPatience{60000};   // generous: Wine on a loaded machine is slow

// Polls `condition` every 50 ms until it holds or `limit` has passed.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = kPatience);

void MoveTo(const POINT& screen);
void Click(const POINT& screen);
void RightClick(const POINT& screen);
void Wheel(const POINT& screen, int notches);
void Key(WORD key);
// `key` with Ctrl held down.
void ControlKey(WORD key);

// Where the drawing point (x, y) shows on the screen in simcad.exe's view (`app` is its
// application object).
POINT ScreenPointOf(cad::IAutomationObject& app, double x, double y);
// The length of one screen pixel in the drawing: how far a click may land from the point
// aimed at.
double PixelLength(cad::IAutomationObject& app);
// Whether simcad.exe waits for the user (a pick asked and not answered yet).
bool CadBusy(cad::IAutomationObject& app);

// For the screenshot scripts: says "shot NAME" on the standard output, and waits until the
// script has written NAME.png into `folder` (a Windows path).
void AskForScreenshot(const std::wstring& folder, const std::string& name);

// One automation call on a thread of its own, with its own apartment and its own proxy of
// the application of `progId`. A call that never returns ends `process`, so that a failing
// test does not hang.
class TBlockedCall {
 public:
  TBlockedCall(TSimProcess& process, std::string progId, std::function<void(cad::IAutomationObject& app)> call);
  ~TBlockedCall();
  TBlockedCall(const TBlockedCall&) = delete;
  TBlockedCall& operator=(const TBlockedCall&) = delete;

  // Waits for the call to end; false when it has not within `limit`.
  bool Wait(std::chrono::milliseconds limit = kPatience);
  std::optional<cad::HResult> Error() const { return error_; }
  const std::string& Message() const { return message_; }

 private:
  TSimProcess& process_;
  std::promise<void> done_;
  std::future<void> finished_ = done_.get_future();
  std::optional<cad::HResult> error_;
  std::string message_;
  std::thread thread_;
};

}  // namespace kav::test
