#include "ui/win32/ListPeers.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/Text.h"
#include "platform/win32/Handles.h"

namespace kav::ui::win32 {
namespace {

void DrawItemText(HDC dc, const TTheme& theme, const std::wstring& text, RECT rect, COLORREF colour) {
  rect.left += theme.Scale(3);
  rect.right -= theme.Scale(3);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_EXPANDTABS);
}

// One row of an owner-drawn list: highlighted while selected.
void DrawListItem(const DRAWITEMSTRUCT& item, const TTheme& theme, HFONT font, const std::wstring& text,
                  bool enabled, COLORREF background) {
  const bool selected = (item.itemState & ODS_SELECTED) != 0 && enabled;
  FillSolid(item.hDC, item.rcItem, selected ? theme.Palette().Highlight : background);
  TSelectObject useFont(item.hDC, font);
  const TPalette& p = theme.Palette();
  DrawItemText(item.hDC, theme, text, item.rcItem, selected ? p.HighlightText : enabled ? p.Text : p.DisabledText);
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

// --- Drop-down boxes

TComboBoxPeer::TComboBoxPeer(ui::TComboBox& model, TPeerContext& context, HWND parent)
    : TStandardPeer(model, context), combo_(model) {
  DWORD style = CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_AUTOHSCROLL | WS_VSCROLL;
  style |= model.Style == ui::TComboStyle::DropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
  if (model.TabStop) style |= WS_TABSTOP;
  Create(L"COMBOBOX", {}, style, 0, parent);
  // The closed box keeps the model's height; the list rows fit the font.
  const int fieldHeight = std::max(Theme().Scale(model.Bounds.Height) - 6, ItemHeight());
  SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), fieldHeight);
  SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, ItemHeight());
  SendMessageW(Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(std::max(1, model.DropDownCount)), 0);
  FillItems();
  ShowChosenItem();
  Attach();
}

int TComboBoxPeer::ItemHeight() const { return Theme().Scale(model_.Font.Height) + Theme().Scale(6); }

RECT TComboBoxPeer::DesignedRect() const {
  // The window height of a drop-down box includes its open list.
  RECT r = Theme().Scale(model_.Bounds);
  r.bottom += std::max(1, combo_.DropDownCount) * ItemHeight() + 2;
  return r;
}

void TComboBoxPeer::FillItems() {
  updating_ = true;
  SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
  for (const std::string& item : combo_.Items.All())
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(item).c_str()));
  updating_ = false;
}

void TComboBoxPeer::ShowChosenItem() {
  updating_ = true;
  const auto shown = static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
  if (shown != combo_.ItemIndex()) SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(combo_.ItemIndex()), 0);
  if (combo_.Style == ui::TComboStyle::DropDown) SetWindowTextIfDifferent(combo_.Text());
  updating_ = false;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TComboBoxPeer::OnAspect(ui::TAspect aspect) {
  switch (aspect) {
    case ui::TAspect::Items:
      FillItems();
      ShowChosenItem();
      break;
    case ui::TAspect::ItemIndex:
    case ui::TAspect::Text:
      ShowChosenItem();
      break;
    default:
      TStandardPeer::OnAspect(aspect);
  }
}

bool TComboBoxPeer::OnCommand(UINT code) {
  if (updating_) return false;
  if (code == CBN_SELCHANGE) {
    combo_.UserSelect(static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)));
    return true;
  }
  if (code == CBN_EDITCHANGE && combo_.Style == ui::TComboStyle::DropDown) {
    combo_.UserSetText(WindowText());
    return true;
  }
  return false;
}

HBRUSH TComboBoxPeer::OnCtlColor(HDC dc) {
  SetTextColor(dc, model_.Enabled() ? Theme().Palette().Text : Theme().Palette().DisabledText);
  SetBkColor(dc, Theme().Palette().Edit);
  return Theme().EditBrush();
}

bool TComboBoxPeer::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const bool field = (item.itemState & ODS_COMBOBOXEDIT) != 0;
  DrawListItem(item, Theme(), Theme().Font(model_.Font), ItemText(combo_.Items, item.itemID),
               model_.Enabled(), field ? Theme().Palette().Control : Theme().Palette().Edit);
  return true;
}

LRESULT TComboBoxPeer::SubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    // The closed box is drawn whole, so no light 3D button shows in the dark window; the
    // inner edit box of an editable one paints its text over it.
    case WM_PAINT: {
      TPaintDc dc(Handle());
      PaintClosedList(dc.Get());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintClosedList(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    // The inner edit box and the open list ask their combo box for colours.
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wParam)));
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_COMMAND:   // the inner edit box gained or lost the focus
      InvalidateRect(Handle(), nullptr, FALSE);
      break;
    default:
      break;
  }
  return CallDefault(message, wParam, lParam);
}

void TComboBoxPeer::PaintClosedList(HDC dc) {
  const TPalette& p = Theme().Palette();
  RECT r{};
  GetClientRect(Handle(), &r);
  FillSolid(dc, r, p.Control);
  const bool editable = combo_.Style == ui::TComboStyle::DropDown;
  if (editable) FillSolid(dc, r, p.Edit);
  HWND focus = GetFocus();
  const bool focused = focus == Handle() || (focus != nullptr && GetParent(focus) == Handle());
  FrameSolid(dc, r, focused ? p.Focus : p.Border);
  const int arrowWidth = GetSystemMetrics(SM_CXVSCROLL);
  if (editable) FillSolid(dc, RECT{r.right - arrowWidth, r.top + 1, r.right - 1, r.bottom - 1}, p.Control);
  RECT text{r.left + 1, r.top + 1, r.right - arrowWidth, r.bottom - 1};
  TSelectObject font(dc, Theme().Font(model_.Font));
  if (!editable) DrawItemText(dc, Theme(), Utf8ToWide(combo_.Text()), text, model_.Enabled() ? p.Text : p.DisabledText);
  // The down arrow: a small filled triangle.
  const int cx = r.right - arrowWidth / 2, cy = (r.top + r.bottom) / 2, half = Theme().Scale(4);
  POINT arrow[3] = {{cx - half, cy - half / 2}, {cx + half, cy - half / 2}, {cx, cy + half / 2}};
  TBrushHandle brush(CreateSolidBrush(model_.Enabled() ? p.Text : p.DisabledText));
  TSelectObject useBrush(dc, brush.Get());
  TSelectObject usePen(dc, GetStockObject(NULL_PEN));
  Polygon(dc, arrow, 3);
}

// --- List boxes

TListBoxPeer::TListBoxPeer(ui::TListBox& model, TPeerContext& context, HWND parent)
    : TStandardPeer(model, context), list_(model) {
  DWORD style = LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER;
  if (model.TabStop) style |= WS_TABSTOP;
  Create(L"LISTBOX", {}, style, 0, parent);
  SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, Theme().Scale(model.Font.Height) + Theme().Scale(6));
  FillItems();
  Attach();
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
