// A native peer: the window that shows one control model. Peers are owned by the form's
// peer tree and destroyed with it; the window is destroyed with its parent window.
#pragma once

#include <windows.h>

namespace kav::ui::win32 {

class TPeer {
 public:
  virtual ~TPeer() = default;
  TPeer() = default;
  TPeer(const TPeer&) = delete;
  TPeer& operator=(const TPeer&) = delete;
  virtual HWND Handle() const = 0;
};

}  // namespace kav::ui::win32
