// Where an anchored child goes when its parent's client area changes size.
#pragma once

#include <windows.h>

namespace kav::ui::win32 {

// `designed` is the child's rectangle when the parent's client area was `designParent`.
// A child anchored right (bottom) keeps its distance to the right (bottom) edge; anchored on
// both sides it stretches; anchored on neither it keeps its centre in proportion.
RECT AnchoredRect(const RECT& designed, SIZE designParent, SIZE parent, unsigned anchors);

// The size of a window's client area.
SIZE ClientSize(HWND window);

}  // namespace kav::ui::win32
