#include "ui/win32/EditPeer.h"

#include <imm.h>

#include "platform/Text.h"
#include "platform/win32/Handles.h"

namespace kav::ui::win32 {

TEditPeer::TEditPeer(ui::TEdit& model, TPeerContext& context, HWND parent)
    : TStandardPeer(model, context), edit_(model) {
  DWORD style = ES_AUTOHSCROLL;
  if (model.NumberBox) style |= ES_RIGHT;
  if (model.ReadOnly) style |= ES_READONLY;
  else if (model.TabStop) style |= WS_TABSTOP;
  // A client edge rather than WS_BORDER: Wine's edit box draws WS_BORDER itself, inside the
  // client area, in the system's colour.
  Create(L"EDIT", Utf8ToWide(model.Text()), style, WS_EX_CLIENTEDGE, parent);
  if (model.NumberBox || model.ImeOff) ImmAssociateContextEx(Handle(), nullptr, 0);
  Attach();
}

bool TEditPeer::OnCommand(UINT code) {
  if (code != EN_CHANGE || settingText_) return false;
  edit_.UserSetText(WindowText());
  return true;
}

HBRUSH TEditPeer::OnCtlColor(HDC dc) {
  const TPalette& p = Theme().Palette();
  if (edit_.Inverse) {
    SetTextColor(dc, model_.Enabled() ? p.InverseText : p.DisabledText);
    SetBkColor(dc, p.InverseEdit);
    return Theme().InverseBrush();
  }
  SetTextColor(dc, model_.Enabled() ? p.Text : p.DisabledText);
  SetBkColor(dc, p.Edit);
  return Theme().EditBrush();
}

void TEditPeer::OnAspect(ui::TAspect aspect) {
  if (aspect != ui::TAspect::Text) {
    TStandardPeer::OnAspect(aspect);
    return;
  }
  settingText_ = true;
  SetWindowTextIfDifferent(edit_.Text());
  settingText_ = false;
  InvalidateRect(Handle(), nullptr, TRUE);
}

bool TEditPeer::ShowsPlaceholder() const {
  return !edit_.Placeholder.empty() && GetWindowTextLengthW(Handle()) == 0;
}

void TEditPeer::PaintPlaceholder(HDC dc) {
  const TPalette& p = Theme().Palette();
  RECT client{};
  GetClientRect(Handle(), &client);
  FillSolid(dc, client, edit_.Inverse ? p.InverseEdit : p.Edit);
  RECT format{};
  SendMessageW(Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  if (IsRectEmpty(&format)) format = client;
  TSelectObject font(dc, Theme().Font(model_.Font));
  const std::wstring text = Utf8ToWide(edit_.Placeholder);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, p.Placeholder);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &format,
            (edit_.NumberBox ? DT_RIGHT : DT_LEFT) | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

LRESULT TEditPeer::SubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR:
      return OnChar(wParam, lParam);
    case WM_GETDLGCODE: {
      // A box with a key handler gets Enter as a character instead of the dialog's default
      // button, as the handlers expect (the target CAD dialog changes its entry on Enter).
      const LRESULT code = CallDefault(message, wParam, lParam);
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      if (edit_.OnKeyPress && msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
        return code | DLGC_WANTMESSAGE;
      return code;
    }
    case WM_PAINT:
      // The standard cue banner ignores our colours (and is unreliable under Wine): draw it here.
      if (ShowsPlaceholder()) {
        TPaintDc dc(Handle());
        PaintPlaceholder(dc.Get());
        return 0;
      }
      break;
    case WM_PRINTCLIENT:
      if (ShowsPlaceholder()) {
        PaintPlaceholder(reinterpret_cast<HDC>(wParam));
        return 0;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(Handle(), nullptr, TRUE);
      RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
      break;
    case WM_NCPAINT: {
      // The client edge in the palette: a one-pixel frame around a ring of the box's colour.
      const TPalette& p = Theme().Palette();
      HDC dc = GetWindowDC(Handle());
      RECT r{};
      GetWindowRect(Handle(), &r);
      OffsetRect(&r, -r.left, -r.top);
      FrameSolid(dc, r, GetFocus() == Handle() ? p.Focus : p.Border);
      InflateRect(&r, -1, -1);
      FrameSolid(dc, r, edit_.Inverse ? p.InverseEdit : p.Edit);
      ReleaseDC(Handle(), dc);
      return 0;
    }
    default:
      break;
  }
  return CallDefault(message, wParam, lParam);
}

LRESULT TEditPeer::OnChar(WPARAM wParam, LPARAM lParam) {
  const auto unit = static_cast<wchar_t>(wParam);
  if (unit >= 0xD800 && unit <= 0xDBFF) {
    // Wait for the second half: the model judges whole characters.
    highSurrogate_ = unit;
    highSurrogateFlags_ = lParam;
    return 0;
  }
  char32_t key = unit;
  const wchar_t high = highSurrogate_;
  highSurrogate_ = 0;
  if (unit >= 0xDC00 && unit <= 0xDFFF && high != 0)
    key = 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (static_cast<char32_t>(unit) - 0xDC00);
  if (!edit_.UserKeyPress(key)) return 0;
  // A one-line box has no use for Enter and would only beep.
  if (key == U'\r' || key == U'\n') return 0;
  if (key >= 0x10000) CallDefault(WM_CHAR, high, highSurrogateFlags_);
  return CallDefault(WM_CHAR, wParam, lParam);
}

}  // namespace kav::ui::win32
