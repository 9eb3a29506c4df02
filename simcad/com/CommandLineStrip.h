// The command line strip under the drawing: a few lines of history and the prompt of the
// pick that waits, with the CAD's state at the right.
#pragma once

#include <windows.h>

#include <string>

#include "simcad/SimCommandLine.h"
#include "platform/win32/Handles.h"

namespace kav::sim::com {

class TCommandLineStrip {
 public:
  static constexpr int kHistoryShown = 4;

  // The strip's height in pixels for the window's font.
  int Height() const { return (kHistoryShown + 1) * kLineHeight + 2 * kPadding + 1; }
  // `status` is shown at the right of the prompt line.
  void Paint(HDC dc, const RECT& strip, const TCommandLine& commandLine, const std::string& status);

 private:
  static constexpr int kLineHeight = 17;
  static constexpr int kPadding = 3;
  HFONT Font();
  kav::TFontHandle font_;
};

}  // namespace kav::sim::com
