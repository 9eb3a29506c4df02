// Whole notches of a mouse wheel. Fine-grained wheels and touch pads send parts of a notch,
// which add up until a whole one is turned.
#pragma once

#include <windows.h>

namespace kav::ui::win32 {

class TWheelNotches {
 public:
  // Adds a WM_MOUSEWHEEL delta and returns the whole notches turned (positive away from the
  // user), keeping the part of a notch left over.
  int Add(int delta) {
    remainder_ += delta;
    const int notches = remainder_ / WHEEL_DELTA;
    remainder_ %= WHEEL_DELTA;
    return notches;
  }
  void Reset() { remainder_ = 0; }

 private:
  int remainder_ = 0;
};

}  // namespace kav::ui::win32
