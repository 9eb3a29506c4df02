#include "ui/win32/PopupMenu.h"

#include <algorithm>

#include "platform/Text.h"

namespace kav::ui::win32 {

TMenuHandle BuildPopupMenu(const ui::TPopupMenu& model, const TTheme& theme) {
  TMenuHandle menu(CreatePopupMenu());
  if (!menu) return menu;
  UINT id = 1;
  for (const ui::TMenuItem* item : model.Items()) {
    UINT flags = MF_OWNERDRAW;
    if (item->IsSeparator()) flags |= MF_SEPARATOR;
    // Owner-drawn entries carry their model; the text is only drawn, so no '&' becomes a key.
    AppendMenuW(menu.Get(), flags, id++, reinterpret_cast<LPCWSTR>(item));
  }
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_BACKGROUND;
  info.hbrBack = theme.ControlBrush();
  SetMenuInfo(menu.Get(), &info);
  return menu;
}

void RunMenuCommand(const ui::TPopupMenu& model, UINT command, ui::TForm& form) {
  const auto& items = model.Items();
  if (command == 0 || command > items.size()) return;
  const ui::TMenuItem* item = items[command - 1];
  if (item->IsSeparator() || !item->OnClick) return;
  form.Dispatch(item->OnClick);
}

void ShowPopupMenu(const ui::TPopupMenu& model, HWND owner, POINT screenPoint, TTheme& theme, ui::TForm& form) {
  TMenuHandle menu = BuildPopupMenu(model, theme);
  if (!menu) return;
  // Without the owner in front, the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(owner);
  const UINT command = static_cast<UINT>(TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                        screenPoint.x, screenPoint.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  RunMenuCommand(model, command, form);
}

void MeasureMenuItem(MEASUREITEMSTRUCT& item, TTheme& theme, HWND owner) {
  const auto* entry = reinterpret_cast<const ui::TMenuItem*>(item.itemData);
  if (entry == nullptr || entry->IsSeparator()) {
    item.itemWidth = static_cast<UINT>(theme.Scale(20));
    item.itemHeight = static_cast<UINT>(theme.Scale(7));
    return;
  }
  TWindowDc dc(owner);
  TSelectObject font(dc.Get(), theme.Font(ui::TFont{}));
  const std::wstring text = Utf8ToWide(entry->Caption);
  SIZE size{};
  GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  item.itemWidth = static_cast<UINT>(size.cx + theme.Scale(32));
  item.itemHeight = static_cast<UINT>(std::max<LONG>(size.cy, theme.Scale(11)) + theme.Scale(10));
}

void DrawMenuItem(const DRAWITEMSTRUCT& item, TTheme& theme) {
  const TPalette& p = theme.Palette();
  const auto* entry = reinterpret_cast<const ui::TMenuItem*>(item.itemData);
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillSolid(item.hDC, item.rcItem, selected ? p.Highlight : p.Control);
  if (entry == nullptr || entry->IsSeparator()) {
    const int middle = (item.rcItem.top + item.rcItem.bottom) / 2;
    FillSolid(item.hDC, RECT{item.rcItem.left + theme.Scale(4), middle, item.rcItem.right - theme.Scale(4), middle + 1},
              p.Border);
    return;
  }
  TSelectObject font(item.hDC, theme.Font(ui::TFont{}));
  const std::wstring text = Utf8ToWide(entry->Caption);
  RECT r = item.rcItem;
  r.left += theme.Scale(20);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, selected ? p.HighlightText : p.Text);
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace kav::ui::win32
