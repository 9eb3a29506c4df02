// The simulated CAD window's input: the mouse and keys turned into the answers of the pick
// that waits (through TInteraction), zoom, pan and undo; and the wait of a pick itself.
#include <windowsx.h>

#include <cmath>
#include <cstdlib>

#include "simcad/com/DrawingView.h"

namespace kav::sim::com {

namespace {
constexpr int kDragPixels = 4;      // a press that moves further draws a window by dragging
constexpr double kWheelStep = 1.25; // zoom for one notch of the wheel
}  // namespace

std::optional<TAnswer> TDrawingView::Ask(const TPickRequest& request) {
  interaction_.BeginPick(request);
  ViewChanged();
  // The calling client stays blocked in its call while this loop runs the window, and COM
  // delivers further incoming calls through it (a test may queue the answer meanwhile).
  bool queued = false;
  while (!interaction_.PickDone()) {
    if (!state_.Answers.empty()) {
      queued = true;
      break;
    }
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      // The program is ending: leave the quit for the outer loop and cancel.
      PostQuitMessage(got == 0 ? static_cast<int>(message.wParam) : 1);
      interaction_.CancelPick();
      break;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  const TAnswer answer = interaction_.EndPick();
  pressed_ = false;
  if (GetCapture() == Handle()) ReleaseCapture();
  ViewChanged();
  if (closeAfterPick_) {
    closeAfterPick_ = false;
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
  }
  if (queued) return std::nullopt;
  return answer;
}

void TDrawingView::PasteStarted() { ViewChanged(); }

bool TDrawingView::HandleInput(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_SETCURSOR:
      // While a pick or a paste waits the crosshair drawn over the drawing is the cursor.
      if (LOWORD(lParam) == HTCLIENT && interaction_.Cursor() != TInteraction::TCursor::Arrow) {
        SetCursor(nullptr);
        result = TRUE;
        return true;
      }
      return false;
    case WM_MOUSEMOVE: {
      if (!pointerInside_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&track);
        pointerInside_ = true;
      }
      const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (panning_) {
        view_.Pan(at.x - panFrom_.x, at.y - panFrom_.y);
        panFrom_ = at;
        ViewChanged();
        return true;
      }
      interaction_.Move(PointerAt(lParam));
      // Only the overlay changes: the scene stays.
      InvalidateRect(Handle(), nullptr, FALSE);
      return true;
    }
    case WM_MOUSELEAVE:
      pointerInside_ = false;
      InvalidateRect(Handle(), nullptr, FALSE);
      return true;
    case WM_LBUTTONDOWN:
      SetFocus(Handle());
      SetCapture(Handle());
      pressed_ = true;
      pressAt_ = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      interaction_.Press(PointerAt(lParam), Tolerance());
      ViewChanged();
      return true;
    case WM_LBUTTONUP: {
      if (GetCapture() == Handle()) ReleaseCapture();
      const bool dragged = pressed_ && (std::abs(GET_X_LPARAM(lParam) - pressAt_.x) > kDragPixels ||
                                        std::abs(GET_Y_LPARAM(lParam) - pressAt_.y) > kDragPixels);
      pressed_ = false;
      interaction_.Release(PointerAt(lParam), dragged);
      ViewChanged();
      return true;
    }
    case WM_RBUTTONUP:
      interaction_.Enter();
      ViewChanged();
      return true;
    case WM_MBUTTONDOWN:
      SetCapture(Handle());
      panning_ = true;
      panFrom_ = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      return true;
    case WM_MBUTTONUP:
      if (GetCapture() == Handle()) ReleaseCapture();
      panning_ = false;
      return true;
    case WM_MBUTTONDBLCLK:
      FitView();
      return true;
    case WM_CAPTURECHANGED:
      panning_ = false;
      pressed_ = false;
      return false;
    case WM_MOUSEWHEEL: {
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};   // screen coordinates
      ScreenToClient(Handle(), &at);
      const RECT area = DrawingArea();
      const double notches = static_cast<double>(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA;
      view_.ZoomAt(at.x - area.left, at.y - area.top, std::pow(kWheelStep, notches));
      interaction_.Move(view_.ToDrawing(at.x - area.left, at.y - area.top));
      ViewChanged();
      return true;
    }
    case WM_KEYDOWN:
      switch (wParam) {
        case VK_ESCAPE: interaction_.Escape(); break;
        case VK_RETURN:
        case VK_SPACE: interaction_.Enter(); break;
        case VK_HOME: FitView(); break;
        case 'Z':
          if (GetKeyState(VK_CONTROL) < 0) UndoLastStep(state_);
          break;
        case 'O':
          if (GetKeyState(VK_CONTROL) < 0) OpenFromMenu();
          break;
        default: return false;
      }
      ViewChanged();
      return true;
    default: return false;
  }
}

}  // namespace kav::sim::com
