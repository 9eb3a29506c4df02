// Windows of other programs, synthesised key strokes, time and the message pump.
#pragma once

#include <cstdint>

namespace kav {

using WindowId = std::uintptr_t;   // a window handle as a number

class IDesktop {
 public:
  virtual ~IDesktop() = default;
  virtual WindowId ForegroundWindow() = 0;
  virtual bool IsIconic(WindowId window) = 0;
  virtual void OpenIcon(WindowId window) = 0;
  virtual void SetForegroundWindow(WindowId window) = 0;
  virtual void KeyEvent(unsigned char virtualKey, unsigned char scanCode, unsigned flags) = 0;
  virtual void Sleep(unsigned milliseconds) = 0;
  virtual std::uint32_t TickCount() = 0;
  // Runs the program's pending messages; false once the program has been asked to end.
  virtual bool ProcessMessages() = 0;
  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;
};

}  // namespace kav
