#include "ui/win32/LabelPeer.h"

#include "platform/Text.h"
#include "platform/win32/Handles.h"

namespace kav::ui::win32 {

TLabelPeer::TLabelPeer(ui::TLabel& model, TPeerContext& context, HWND parent)
    : TStandardPeer(model, context), label_(model) {
  // SS_NOTIFY lets the label take the mouse, so its hint can show.
  Create(L"STATIC", Utf8ToWide(model.Caption), SS_OWNERDRAW | SS_NOTIFY, 0, parent);
  Attach();
}

bool TLabelPeer::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const TPalette& p = Theme().Palette();
  FillSolid(item.hDC, item.rcItem, p.Window);
  TSelectObject font(item.hDC, Theme().Font(model_.Font));
  const std::wstring text = Utf8ToWide(label_.Caption);
  RECT rect = item.rcItem;
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, model_.Enabled() ? p.Text : p.DisabledText);
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &rect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  return true;
}

}  // namespace kav::ui::win32
