#include "ui/win32/ContainerPeer.h"

#include "platform/Text.h"
#include "platform/win32/Handles.h"
#include "ui/win32/Layout.h"

namespace kav::ui::win32 {

void TChildHost::LayOutChildren(SIZE clientSize) {
  for (TControlPeer* child : children_) child->ApplyAnchors(clientSize);
}

bool TChildHost::HandleHostMessage(HWND window, HBRUSH background, UINT message, WPARAM wParam, LPARAM lParam,
                                   LRESULT& result) {
  if (ReflectToPeer(message, wParam, lParam, result)) return true;
  switch (message) {
    case WM_MEASUREITEM: {
      // Owner-drawn lists ask while they are being created, before their peer is linked;
      // the peer sets the real heights right after.
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item->CtlType == ODT_MENU) return false;
      item->itemHeight = 16;
      result = TRUE;
      return true;
    }
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) LayOutChildren(SIZE{LOWORD(lParam), HIWORD(lParam)});
      return false;
    case WM_ERASEBKGND: {
      RECT rc{};
      GetClientRect(window, &rc);
      FillRect(reinterpret_cast<HDC>(wParam), &rc, background);
      result = 1;
      return true;
    }
    default:
      return false;
  }
}

TContainerPeer::TContainerPeer(ui::TContainer& model, TPeerContext& context, HWND parent)
    : TControlPeer(model, context), container_(model) {
  DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (model.Visible()) style |= WS_VISIBLE;
  CreateOwnWindow(L"KaverolinContainer", WS_EX_CONTROLPARENT, style, Theme().Scale(model.Bounds), parent,
                  Utf8ToWide(model.Caption));
  Attach();
}

void TContainerPeer::LayOut() { LayOutChildren(ClientSize(Handle())); }

LRESULT TContainerPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleHostMessage(Handle(), Theme().WindowBrush(), message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_DESTROY:
      Detach(Handle());
      return 0;
    case WM_PAINT: {
      TPaintDc dc(Handle());
      Paint(dc.Get());
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT rc{};
      GetClientRect(Handle(), &rc);
      FillRect(reinterpret_cast<HDC>(wParam), &rc, Theme().WindowBrush());
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    }
    default:
      return TWindowBase::HandleMessage(message, wParam, lParam);
  }
}

void TContainerPeer::Paint(HDC dc) {
  if (model_.Kind != ui::TControlKind::GroupBox) return;
  const TPalette& p = Theme().Palette();
  RECT rc{};
  GetClientRect(Handle(), &rc);
  TSelectObject font(dc, Theme().Font(model_.Font));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  const int half = tm.tmHeight / 2;
  FrameSolid(dc, RECT{rc.left, rc.top + half, rc.right, rc.bottom}, p.Border);
  const std::wstring caption = Utf8ToWide(container_.Caption);
  if (caption.empty()) return;
  RECT text{rc.left + Theme().Scale(8), rc.top, rc.right - Theme().Scale(8), rc.top + tm.tmHeight};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  text.left -= Theme().Scale(2);
  text.right += Theme().Scale(2);
  FillSolid(dc, text, p.Window);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, model_.Enabled() ? p.Text : p.DisabledText);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace kav::ui::win32
