#include "ui/win32/ControlPeer.h"

#include <commctrl.h>

#include <stdexcept>
#include <vector>

#include "platform/Text.h"
#include "ui/win32/ControlAccessibility.h"
#include "ui/win32/Layout.h"

namespace kav::ui::win32 {
namespace {

constexpr const wchar_t* kPeerProperty = L"KaverolinPeer";

}  // namespace

TControlPeer::~TControlPeer() {
  if (own_) model_.OnModelChange = nullptr;
}

TControlPeer* TControlPeer::FromHandle(HWND window) {
  if (window == nullptr) return nullptr;
  return static_cast<TControlPeer*>(GetPropW(window, kPeerProperty));
}

void TControlPeer::Detach(HWND window) { RemovePropW(window, kPeerProperty); }

HBRUSH TControlPeer::OnCtlColor(HDC dc) {
  const TPalette& p = Theme().Palette();
  SetTextColor(dc, model_.Enabled() ? p.Text : p.DisabledText);
  SetBkColor(dc, p.Window);
  return Theme().WindowBrush();
}

void TControlPeer::Attach(bool own) {
  HWND window = Handle();
  if (window == nullptr) return;
  SetPropW(window, kPeerProperty, this);
  if (own) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Theme().Font(model_.Font)), FALSE);
  context_.Tips.Add(window, model_.Hint);
  PlaceFromModel();
  if (!model_.Enabled()) EnableWindow(window, FALSE);
  if (!model_.Visible()) ShowWindow(window, SW_HIDE);
  if (own) {
    model_.OnModelChange = [this](ui::TAspect aspect) { OnAspect(aspect); };
    own_ = true;
  }
}

void TControlPeer::OnAspect(ui::TAspect aspect) {
  HWND window = Handle();
  if (window == nullptr) return;
  switch (aspect) {
    case ui::TAspect::Enabled:
      if ((IsWindowEnabled(window) != FALSE) != model_.Enabled()) EnableWindow(window, model_.Enabled());
      InvalidateRect(window, nullptr, TRUE);
      break;
    case ui::TAspect::Visible: {
      const bool shown = (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
      if (shown != model_.Visible()) ShowWindow(window, model_.Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    }
    case ui::TAspect::Bounds:
      PlaceFromModel();
      break;
    default:
      break;
  }
}

void TControlPeer::PlaceFromModel() {
  HWND window = Handle();
  designed_ = DesignedRect();
  designParent_ = ClientSize(GetParent(window));
  RECT now{};
  GetWindowRect(window, &now);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&now), 2);
  if (!EqualRect(&now, &designed_))
    MoveWindow(window, designed_.left, designed_.top, designed_.right - designed_.left,
               designed_.bottom - designed_.top, TRUE);
}

void TControlPeer::OnDpiChanged(int oldDpi, int newDpi) {
  HWND window = Handle();
  if (window == nullptr) return;
  if (own_) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Theme().Font(model_.Font)), FALSE);
  designed_ = DesignedRect();
  designParent_ = SIZE{MulDiv(designParent_.cx, newDpi, oldDpi), MulDiv(designParent_.cy, newDpi, oldDpi)};
  InvalidateRect(window, nullptr, TRUE);
}

void TControlPeer::ApplyAnchors(SIZE parentSize) {
  HWND window = Handle();
  if (window == nullptr) return;
  const RECT r = AnchoredRect(designed_, designParent_, parentSize, model_.Anchors);
  MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

// --- Standard controls

TStandardPeer::~TStandardPeer() {
  if (window_ != nullptr) {
    HWND window = window_;
    window_ = nullptr;
    subclass_.Detach();
    RemovePropW(window, kPeerProperty);
    DestroyWindow(window);
  }
}

void TStandardPeer::Create(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle,
                           HWND parent) {
  const RECT r = DesignedRect();
  if (model_.Visible()) style |= WS_VISIBLE;
  window_ = CreateWindowExW(exStyle, className, text.c_str(), style | WS_CHILD, r.left, r.top, r.right - r.left,
                            r.bottom - r.top, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) throw std::runtime_error("cannot create the control " + model_.Name);
  subclass_.OnGone = [this] {
    RemovePropW(window_, kPeerProperty);
    window_ = nullptr;
  };
  subclass_.Attach(window_, &context_.Form, [this](UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (message == WM_GETOBJECT &&
        accessible_.Answer(window_, wParam, lParam, [this] { return DescribeControl(model_); }, result))
      return result;
    return SubclassMessage(message, wParam, lParam);
  });
}

LRESULT TStandardPeer::SubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallDefault(message, wParam, lParam);
}

LRESULT TStandardPeer::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  return subclass_.CallDefault(message, wParam, lParam);
}

std::string TStandardPeer::WindowText() const {
  return WideToUtf8(WindowTextOf(window_));
}

void TStandardPeer::SetWindowTextIfDifferent(const std::string& text) {
  if (WindowText() != text) SetWindowTextW(window_, Utf8ToWide(text).c_str());
}

// --- Reflection

bool ReflectToPeer(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      TControlPeer* peer = TControlPeer::FromHandle(reinterpret_cast<HWND>(lParam));
      if (peer == nullptr || lParam == 0) return false;
      result = 0;
      return peer->OnCommand(HIWORD(wParam));
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      TControlPeer* peer = TControlPeer::FromHandle(header->hwndFrom);
      return peer != nullptr && peer->OnNotify(*header, result);
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType == ODT_MENU) return false;
      TControlPeer* peer = TControlPeer::FromHandle(item->hwndItem);
      if (peer == nullptr || !peer->OnDrawItem(*item)) return false;
      result = TRUE;
      return true;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: {
      TControlPeer* peer = TControlPeer::FromHandle(reinterpret_cast<HWND>(lParam));
      if (peer == nullptr) return false;
      result = reinterpret_cast<LRESULT>(peer->OnCtlColor(reinterpret_cast<HDC>(wParam)));
      return true;
    }
    default:
      return false;
  }
}

}  // namespace kav::ui::win32
