// The simulated CAD's window: draws the drawing (lines, polylines, circles, TEXT and
// attributes) fitted into the window, with a status line. Its handle is the application's HWND.
#pragma once

#include <windows.h>

#include "simcad/SimCad.h"

namespace kav::sim::com {

// Creates the window over `state` (which must outlive it); shown unless `hidden`.
HWND CreateDrawingView(HINSTANCE instance, TSimState& state, bool hidden);

}  // namespace kav::sim::com
