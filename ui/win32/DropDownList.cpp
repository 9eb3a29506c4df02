#include "ui/win32/DropDownList.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/win32/Handles.h"

namespace kav::ui::win32 {
namespace {

constexpr wchar_t kClassName[] = L"KaverolinDropDownList";

// The work area of the monitor that shows `box`: the list opens upwards where there is no
// room below.
RECT WorkAreaAround(const RECT& box) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(MonitorFromRect(&box, MONITOR_DEFAULTTONEAREST), &info)) return info.rcWork;
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return screen;
}

}  // namespace

void TDropDownList::Open(TOpening opening) {
  items_ = std::move(opening.Items);
  font_ = opening.Font;
  rowHeight_ = std::max(1, opening.RowHeight);
  const int count = static_cast<int>(items_.size());
  rows_ = std::max(1, std::min(count, opening.Rows));
  const bool scrolls = count > rows_;
  if (Handle() == nullptr) {
    CreateOwnWindow(kClassName, WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WS_POPUP | WS_BORDER, RECT{0, 0, 1, 1},
                    opening.Owner);
    if (Handle() == nullptr) return;
  }
  ShowScrollBar(Handle(), SB_VERT, scrolls ? TRUE : FALSE);
  // The frame and the scroll bar come on top of the rows.
  RECT frame{0, 0, opening.Box.right - opening.Box.left, rows_ * rowHeight_};
  AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
  const int width = opening.Box.right - opening.Box.left, height = frame.bottom - frame.top;
  const RECT work = WorkAreaAround(opening.Box);
  int top = opening.Box.bottom;
  if (top + height > work.bottom && opening.Box.top - height >= work.top) top = opening.Box.top - height;
  top_ = 0;
  marked_ = -1;
  wheel_.Reset();
  buttonHeld_ = opening.ButtonHeld;
  pressedInside_ = false;
  open_ = true;
  Mark(opening.Marked);
  UpdateScrollBar();
  SetWindowPos(Handle(), HWND_TOP, opening.Box.left, top, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
  InvalidateRect(Handle(), nullptr, FALSE);
  // Every click goes here while the list is open: outside it closes the list.
  SetCapture(Handle());
}

void TDropDownList::Close() {
  if (!open_) return;
  open_ = false;   // before the capture goes, so that losing it does not count as the user's
  buttonHeld_ = pressedInside_ = false;
  if (GetCapture() == Handle()) ReleaseCapture();
  ShowWindow(Handle(), SW_HIDE);
}

void TDropDownList::CloseByUser() {
  if (!open_) return;
  Close();
  if (OnClosedByUser) OnClosedByUser();
}

void TDropDownList::Mark(int index) {
  const int count = static_cast<int>(items_.size());
  marked_ = index >= 0 && index < count ? index : -1;
  if (marked_ >= 0) {
    if (marked_ < top_) SetTop(marked_);
    else if (marked_ >= top_ + rows_) SetTop(marked_ - rows_ + 1);
  }
  if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
}

void TDropDownList::SetTop(int top) {
  const int count = static_cast<int>(items_.size());
  top = std::clamp(top, 0, std::max(0, count - rows_));
  if (top == top_) return;
  top_ = top;
  UpdateScrollBar();
  if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
}

void TDropDownList::UpdateScrollBar() {
  if (Handle() == nullptr) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = std::max(0, static_cast<int>(items_.size()) - 1);
  info.nPage = static_cast<UINT>(rows_);
  info.nPos = top_;
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

void TDropDownList::Wheel(int delta) {
  const int notches = wheel_.Add(delta);
  if (notches != 0) SetTop(top_ - notches * 3);
}

int TDropDownList::RowAt(POINT client) const {
  RECT rc{};
  GetClientRect(Handle(), &rc);
  if (!PtInRect(&rc, client)) return -1;
  const int index = top_ + client.y / rowHeight_;
  return index < static_cast<int>(items_.size()) ? index : -1;
}

RECT TDropDownList::RowScreenRect(int index) const {
  if (!open_ || index < top_ || index >= top_ + rows_) return RECT{};
  RECT rc{};
  GetClientRect(Handle(), &rc);
  RECT row{0, (index - top_) * rowHeight_, rc.right, (index - top_ + 1) * rowHeight_};
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&row), 2);
  return row;
}

RECT TDropDownList::ScreenRect() const {
  RECT r{};
  if (open_) GetWindowRect(Handle(), &r);
  return r;
}

// --- Mouse

void TDropDownList::MouseMove(POINT client) {
  const int row = RowAt(client);
  if (row >= 0 && row != marked_) {
    marked_ = row;
    InvalidateRect(Handle(), nullptr, FALSE);
  }
}

void TDropDownList::LeftDown(POINT client) {
  pressedInside_ = true;
  MouseMove(client);
}

void TDropDownList::LeftUp(POINT client) {
  const bool choose = buttonHeld_ || pressedInside_;
  buttonHeld_ = pressedInside_ = false;
  const int row = RowAt(client);
  if (choose && row >= 0 && OnChoose) OnChoose(row);
}

void TDropDownList::ScrollBarPressed(LPARAM screenPoint) {
  // The scroll bar tracks the mouse in a loop of its own, which needs the capture; the list
  // takes it back afterwards.
  scrolling_ = true;
  ReleaseCapture();
  DefWindowProcW(Handle(), WM_NCLBUTTONDOWN, HTVSCROLL, screenPoint);
  scrolling_ = false;
  if (open_) SetCapture(Handle());
}

void TDropDownList::ScrollBy(int code) {
  switch (code) {
    case SB_LINEUP: SetTop(top_ - 1); break;
    case SB_LINEDOWN: SetTop(top_ + 1); break;
    case SB_PAGEUP: SetTop(top_ - rows_); break;
    case SB_PAGEDOWN: SetTop(top_ + rows_); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(Handle(), SB_VERT, &info);
      SetTop(info.nTrackPos);
      break;
    }
    case SB_TOP: SetTop(0); break;
    case SB_BOTTOM: SetTop(static_cast<int>(items_.size())); break;
    default: break;
  }
}

// --- Drawing

void TDropDownList::Paint(HDC dc) {
  const TPalette& p = theme_.Palette();
  RECT rc{};
  GetClientRect(Handle(), &rc);
  TSelectObject useFont(dc, font_ != nullptr ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
  for (int r = 0; r * rowHeight_ < rc.bottom; ++r) {
    const int index = top_ + r;
    RECT row{rc.left, r * rowHeight_, rc.right, (r + 1) * rowHeight_};
    const bool marked = index == marked_;
    FillSolid(dc, row, marked ? p.Highlight : p.Edit);
    if (index >= static_cast<int>(items_.size())) continue;
    DrawRowText(dc, theme_, items_[static_cast<std::size_t>(index)], row, marked ? p.HighlightText : p.Text);
  }
}

// --- The window procedure

LRESULT TDropDownList::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (AnswerPaint(Handle(), message, wParam, [this](HDC dc) { Paint(dc); })) return 0;
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;   // the box keeps the focus, and the form stays the active window
    case WM_ERASEBKGND:
      return 1;
    case WM_NCPAINT: {
      const LRESULT result = TWindowBase::HandleMessage(message, wParam, lParam);   // the scroll bar
      HDC dc = GetWindowDC(Handle());
      RECT r{};
      GetWindowRect(Handle(), &r);
      OffsetRect(&r, -r.left, -r.top);
      FrameSolid(dc, r, theme_.Palette().Border);
      ReleaseDC(Handle(), dc);
      return result;
    }
    case WM_MOUSEMOVE:
      MouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(Handle(), &screen);
      RECT window{};
      GetWindowRect(Handle(), &window);
      const bool inWindow = PtInRect(&window, screen) != FALSE;
      const POINT client{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      RECT rc{};
      GetClientRect(Handle(), &rc);
      if (inWindow && !PtInRect(&rc, client)) {
        if (message != WM_RBUTTONDOWN && message != WM_MBUTTONDOWN) ScrollBarPressed(MAKELPARAM(screen.x, screen.y));
        return 0;
      }
      if (!inWindow) CloseByUser();   // a click anywhere else closes the list, and goes no further
      else if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) LeftDown(client);
      return 0;
    }
    case WM_LBUTTONUP:
      LeftUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_MOUSEWHEEL:
      Wheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_VSCROLL:
      ScrollBy(LOWORD(wParam));
      return 0;
    case WM_CAPTURECHANGED:
      if (!scrolling_ && reinterpret_cast<HWND>(lParam) != Handle()) CloseByUser();
      return 0;
    case WM_CANCELMODE:
      CloseByUser();
      return 0;
    default:
      break;
  }
  return TWindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace kav::ui::win32
