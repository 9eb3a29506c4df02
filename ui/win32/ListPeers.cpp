#include "ui/win32/ListPeers.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/Text.h"
#include "platform/win32/Handles.h"

namespace kav::ui::win32 {
namespace {

// One row of an owner-drawn list: highlighted while selected.
void DrawListItem(const DRAWITEMSTRUCT& item, const TTheme& theme, HFONT font, const std::wstring& text,
                  bool enabled, COLORREF background) {
  const bool selected = (item.itemState & ODS_SELECTED) != 0 && enabled;
  FillSolid(item.hDC, item.rcItem, selected ? theme.Palette().Highlight : background);
  TSelectObject useFont(item.hDC, font);
  const TPalette& p = theme.Palette();
  DrawRowText(item.hDC, theme, text, item.rcItem, selected ? p.HighlightText : enabled ? p.Text : p.DisabledText);
}

std::wstring ItemText(const ui::TItemList& items, UINT index) {
  if (static_cast<int>(index) < 0 || static_cast<int>(index) >= items.Count()) return {};
  return Utf8ToWide(items[static_cast<int>(index)]);
}

void FrameNonClient(HWND window, COLORREF colour) {
  HDC dc = GetWindowDC(window);
  RECT r{};
  GetWindowRect(window, &r);
  OffsetRect(&r, -r.left, -r.top);
  FrameSolid(dc, r, colour);
  ReleaseDC(window, dc);
}

}  // namespace

// --- List boxes

TListBoxPeer::TListBoxPeer(ui::TListBox& model, TPeerContext& context, HWND parent)
    : TStandardPeer(model, context), list_(model) {
  DWORD style = LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER;
  if (model.TabStop) style |= WS_TABSTOP;
  Create(L"LISTBOX", {}, style, 0, parent);
  SetItemHeight();
  FillItems();
  Attach();
}

void TListBoxPeer::SetItemHeight() {
  SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, Theme().Scale(list_.Font.Height) + Theme().Scale(6));
}

void TListBoxPeer::OnDpiChanged(int oldDpi, int newDpi) {
  TStandardPeer::OnDpiChanged(oldDpi, newDpi);
  SetItemHeight();
}

void TListBoxPeer::FillItems() {
  updating_ = true;
  SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
  for (const std::string& item : list_.Items.All())
    SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(item).c_str()));
  SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(list_.ItemIndex()), 0);
  updating_ = false;
}

void TListBoxPeer::OnAspect(ui::TAspect aspect) {
  switch (aspect) {
    case ui::TAspect::Items:
      FillItems();
      break;
    case ui::TAspect::ItemIndex:
      if (static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0)) != list_.ItemIndex()) {
        updating_ = true;
        SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(list_.ItemIndex()), 0);
        updating_ = false;
      }
      break;
    default:
      TStandardPeer::OnAspect(aspect);
  }
}

bool TListBoxPeer::OnCommand(UINT code) {
  if (code != LBN_SELCHANGE || updating_) return false;
  list_.UserSelect(static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0)));
  return true;
}

HBRUSH TListBoxPeer::OnCtlColor(HDC dc) {
  SetTextColor(dc, Theme().Palette().Text);
  SetBkColor(dc, Theme().Palette().Edit);
  return Theme().EditBrush();
}

bool TListBoxPeer::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) {
    FillSolid(item.hDC, item.rcItem, Theme().Palette().Edit);
    return true;
  }
  DrawListItem(item, Theme(), Theme().Font(model_.Font), ItemText(list_.Items, item.itemID), model_.Enabled(),
               Theme().Palette().Edit);
  return true;
}

LRESULT TListBoxPeer::SubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCPAINT) {
    const LRESULT result = CallDefault(message, wParam, lParam);   // the scroll bar
    FrameNonClient(Handle(), Theme().Palette().Border);
    return result;
  }
  return CallDefault(message, wParam, lParam);
}

}  // namespace kav::ui::win32
