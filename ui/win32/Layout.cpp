#include "ui/win32/Layout.h"

#include "ui/Control.h"

namespace kav::ui::win32 {
namespace {

void Place(LONG& low, LONG& high, LONG delta, bool nearSide, bool farSide) {
  if (farSide && nearSide) {
    high += delta;
  } else if (farSide) {
    low += delta;
    high += delta;
  } else if (!nearSide) {
    low += delta / 2;
    high += delta / 2;
  }
  if (high < low) high = low;
}

}  // namespace

RECT AnchoredRect(const RECT& designed, SIZE designParent, SIZE parent, unsigned anchors) {
  RECT r = designed;
  Place(r.left, r.right, parent.cx - designParent.cx, (anchors & ui::akLeft) != 0, (anchors & ui::akRight) != 0);
  Place(r.top, r.bottom, parent.cy - designParent.cy, (anchors & ui::akTop) != 0, (anchors & ui::akBottom) != 0);
  return r;
}

SIZE ClientSize(HWND window) {
  RECT rc{};
  GetClientRect(window, &rc);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

}  // namespace kav::ui::win32
