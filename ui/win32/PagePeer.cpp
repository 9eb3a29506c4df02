#include "ui/win32/PagePeer.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <stdexcept>

#include "platform/Text.h"
#include "platform/win32/Handles.h"
#include "ui/win32/ControlAccessibility.h"
#include "ui/win32/Layout.h"

namespace kav::ui::win32 {

TPageControlPeer::TPageControlPeer(ui::TPageControl& model, TPeerContext& context, HWND parent)
    : TContainerPeer(model, context, parent), pages_(model) {
  const SIZE size = ClientSize(Handle());
  tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0, size.cx,
                          Theme().Scale(24), Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (tabs_ == nullptr) throw std::runtime_error("cannot create the tabs of " + model.Name);
  SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(Theme().Font(model.Font)), FALSE);
  int index = 0;
  for (ui::TControl* page : model.Children()) {
    std::wstring caption = Utf8ToWide(static_cast<ui::TContainer*>(page)->Caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(model.ActivePageIndex()), 0);
  tabsSubclass_.OnGone = [this] { tabs_ = nullptr; };
  tabsSubclass_.Attach(tabs_, &context_.Form,
                       [this](UINT message, WPARAM wParam, LPARAM lParam) { return TabMessage(message, wParam, lParam); });
  LayOutPages();
}

TPageControlPeer::~TPageControlPeer() { tabsSubclass_.Detach(); }

int TPageControlPeer::StripHeight() const {
  RECT item{};
  if (tabs_ == nullptr || !SendMessageW(tabs_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item)))
    return Theme().Scale(24);
  return item.bottom + Theme().Scale(2);
}

RECT TPageControlPeer::SheetRect() const {
  const SIZE size = ClientSize(Handle());
  return RECT{0, StripHeight(), size.cx, std::max<LONG>(StripHeight(), size.cy)};
}

void TPageControlPeer::AddSheet(TContainerPeer& sheet) {
  sheets_.push_back(&sheet);
  const RECT r = SheetRect();
  MoveWindow(sheet.Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
  ShowActivePage();
}

void TPageControlPeer::LayOutPages() {
  const SIZE size = ClientSize(Handle());
  MoveWindow(tabs_, 0, 0, size.cx, StripHeight(), TRUE);
  const RECT r = SheetRect();
  for (TContainerPeer* sheet : sheets_)
    MoveWindow(sheet->Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void TPageControlPeer::OnDpiChanged(int oldDpi, int newDpi) {
  TContainerPeer::OnDpiChanged(oldDpi, newDpi);
  if (tabs_ != nullptr) SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(Theme().Font(model_.Font)), TRUE);
}

void TPageControlPeer::LayOut() {
  LayOutPages();
  TContainerPeer::LayOut();
}

void TPageControlPeer::ShowActivePage() {
  const int active = pages_.ActivePageIndex();
  if (static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)) != active)
    SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(active), 0);
  HWND focus = GetFocus();
  for (std::size_t i = 0; i < sheets_.size(); ++i) {
    HWND sheet = sheets_[i]->Handle();
    const bool show = static_cast<int>(i) == active;
    if (show && BeforeShowSheet) BeforeShowSheet(*sheets_[i]);
    if (!show && focus != nullptr && (focus == sheet || IsChild(sheet, focus))) SetFocus(tabs_);
    ShowWindow(sheet, show ? SW_SHOWNA : SW_HIDE);
  }
  InvalidateRect(tabs_, nullptr, TRUE);
}

void TPageControlPeer::StepPage(int step) {
  const int count = pages_.PageCount();
  if (count < 2) return;
  const int before = pages_.ActivePageIndex();
  pages_.UserSelectPage(((before + step) % count + count) % count);
  ShowActivePage();   // also when the model kept its page
  const int now = pages_.ActivePageIndex();
  if (now == before || now < 0 || now >= static_cast<int>(sheets_.size())) return;
  HWND sheet = sheets_[static_cast<std::size_t>(now)]->Handle();
  HWND first = GetNextDlgTabItem(sheet, nullptr, FALSE);
  SetFocus(first != nullptr && IsChild(sheet, first) ? first : tabs_);
}

void TPageControlPeer::OnAspect(ui::TAspect aspect) {
  if (aspect == ui::TAspect::Page) ShowActivePage();
  else TContainerPeer::OnAspect(aspect);
}

LRESULT TPageControlPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom == tabs_) {
      if (header->code == TCN_SELCHANGE) {
        pages_.UserSelectPage(static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)));
        ShowActivePage();   // also when the model kept its page
      }
      return 0;
    }
  }
  if (message == WM_SIZE) {
    LayOutPages();
    return 0;
  }
  return TContainerPeer::HandleMessage(message, wParam, lParam);
}

TAccessibleParts TPageControlPeer::DescribeTabs() {
  TAccessibleParts parts = DescribeControl(model_);
  parts.Role = ROLE_SYSTEM_PAGETABLIST;
  parts.ChildCount = [this] { return static_cast<long>(pages_.PageCount()); };
  parts.ChildName = [this](long child) {
    return Utf8ToWide(static_cast<ui::TContainer*>(pages_.Children()[static_cast<std::size_t>(child - 1)])->Caption);
  };
  parts.ChildRole = ROLE_SYSTEM_PAGETAB;
  parts.ChildState = [this](long child) {
    long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (!model_.Enabled()) state |= STATE_SYSTEM_UNAVAILABLE;
    if (child - 1 == pages_.ActivePageIndex()) {
      state |= STATE_SYSTEM_SELECTED;
      if (GetFocus() == tabs_) state |= STATE_SYSTEM_FOCUSED;
    }
    return state;
  };
  parts.ChildScreenRect = [this](long child) {
    RECT r{};
    SendMessageW(tabs_, TCM_GETITEMRECT, static_cast<WPARAM>(child - 1), reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(tabs_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  return parts;
}

LRESULT TPageControlPeer::TabMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (AnswerPaint(tabs_, message, wParam, [this](HDC dc) { PaintTabs(dc); })) return 0;
  switch (message) {
    case WM_GETOBJECT: {
      LRESULT result = 0;
      if (tabsAccessible_.Answer(tabs_, wParam, lParam, [this] { return DescribeTabs(); }, result)) return result;
      return tabsSubclass_.CallDefault(message, wParam, lParam);
    }
    case WM_ERASEBKGND:
      return 1;
    default:
      return tabsSubclass_.CallDefault(message, wParam, lParam);
  }
}

void TPageControlPeer::PaintTabs(HDC dc) {
  const TPalette& p = Theme().Palette();
  RECT client{};
  GetClientRect(tabs_, &client);
  FillSolid(dc, client, p.Window);
  FillSolid(dc, RECT{client.left, client.bottom - 1, client.right, client.bottom}, p.Border);
  TSelectObject font(dc, Theme().Font(model_.Font));
  SetBkMode(dc, TRANSPARENT);
  const int active = static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
  const bool focused = GetFocus() == tabs_;
  for (int i = 0; i < pages_.PageCount(); ++i) {
    RECT r{};
    if (!SendMessageW(tabs_, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) continue;
    const bool selected = i == active;
    r.bottom = client.bottom;
    if (selected) r.top = client.top;
    FillSolid(dc, r, selected ? p.Window : p.Control);
    FrameSolid(dc, RECT{r.left, r.top, r.right, selected ? r.bottom + 1 : r.bottom}, p.Border);
    if (selected) {
      FillSolid(dc, RECT{r.left + 1, r.bottom - 1, r.right - 1, r.bottom}, p.Window);
      FillSolid(dc, RECT{r.left, r.top, r.right, r.top + Theme().Scale(2)}, p.Accent);
    }
    const std::wstring caption = Utf8ToWide(static_cast<ui::TContainer*>(pages_.Children()[static_cast<std::size_t>(i)])->Caption);
    SetTextColor(dc, model_.Enabled() ? p.Text : p.DisabledText);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (selected && focused) {
      RECT f = r;
      InflateRect(&f, -Theme().Scale(3), -Theme().Scale(3));
      FrameSolid(dc, f, p.Focus);
    }
  }
}

}  // namespace kav::ui::win32
