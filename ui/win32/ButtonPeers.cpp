#include "ui/win32/ButtonPeers.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/Text.h"
#include "platform/win32/Handles.h"

namespace kav::ui::win32 {
namespace {

void DrawCaption(HDC dc, const TTheme& theme, const std::string& caption, RECT rect, bool enabled, UINT format) {
  const std::wstring text = Utf8ToWide(caption);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, enabled ? theme.Palette().Text : theme.Palette().DisabledText);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

// The square or circle in front of a check box or radio button caption, centred vertically.
RECT MarkRect(const TTheme& theme, const RECT& item) {
  const int size = theme.Scale(13);
  const int top = item.top + (item.bottom - item.top - size) / 2;
  return RECT{item.left, top, item.left + size, top + size};
}

void DrawFocusFrame(HDC dc, const TTheme& theme, RECT rect) {
  FrameSolid(dc, rect, theme.Palette().Focus);
}

// The check state messages of Windows' own check boxes and radio buttons, answered from the
// model. A mark set from outside (BM_SETCHECK) counts as set by the program: the model's
// event rules run its click handler when the mark changes. True when `message` was one of them.
template <typename TModel>
bool CheckStateMessage(TModel& model, const std::function<void(const std::function<void()>&)>& run, UINT message,
                       WPARAM wParam, LRESULT defaultState, LRESULT& result) {
  switch (message) {
    case BM_GETCHECK:
      result = model.Checked() ? BST_CHECKED : BST_UNCHECKED;
      return true;
    case BM_SETCHECK:
      run([&] { model.SetChecked(wParam == BST_CHECKED); });
      result = 0;
      return true;
    case BM_GETSTATE:
      result = (defaultState & ~static_cast<LRESULT>(BST_CHECKED | BST_INDETERMINATE)) |
               (model.Checked() ? BST_CHECKED : BST_UNCHECKED);
      return true;
    default:
      return false;
  }
}

}  // namespace

// --- Push and flat buttons

TButtonPeer::TButtonPeer(ui::TButton& model, TPeerContext& context, HWND parent)
    : TStandardPeer(model, context), button_(model) {
  DWORD style = BS_OWNERDRAW;
  if (model.TabStop) style |= WS_TABSTOP;
  Create(L"BUTTON", Utf8ToWide(model.Caption), style, 0, parent);
  Attach();
}

bool TButtonPeer::OnCommand(UINT code) {
  if (code != BN_CLICKED) return false;
  button_.UserClick();
  return true;
}

LRESULT TButtonPeer::SubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Enter presses the focused button, as Space does; the dialog manager would send it to the
  // form as IDOK instead.
  if (message == WM_GETDLGCODE) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    const LRESULT code = CallDefault(message, wParam, lParam);
    if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) return code | DLGC_WANTMESSAGE;
    return code;
  }
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    button_.UserClick();
    return 0;
  }
  if (message == WM_MOUSEMOVE && !hot_) {
    hot_ = true;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
    TrackMouseEvent(&track);
    InvalidateRect(Handle(), nullptr, FALSE);
  } else if (message == WM_MOUSELEAVE) {
    hot_ = false;
    InvalidateRect(Handle(), nullptr, FALSE);
  }
  return CallDefault(message, wParam, lParam);
}

bool TButtonPeer::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const TPalette& p = Theme().Palette();
  const bool flat = model_.Kind == ui::TControlKind::SpeedButton;
  const bool enabled = model_.Enabled();
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  COLORREF face = flat ? p.Window : p.Control;
  if (enabled && pressed) face = p.ControlPressed;
  else if (enabled && hot_) face = p.ControlHot;
  FillSolid(item.hDC, item.rcItem, face);
  if (!flat || hot_ || pressed) FrameSolid(item.hDC, item.rcItem, p.Border);
  TSelectObject font(item.hDC, Theme().Font(model_.Font));
  RECT text = item.rcItem;
  if (pressed) OffsetRect(&text, 1, 1);
  DrawCaption(item.hDC, Theme(), button_.Caption, text, enabled, DT_CENTER);
  if (item.itemState & ODS_FOCUS) DrawFocusFrame(item.hDC, Theme(), item.rcItem);
  return true;
}

// --- Check boxes

TCheckBoxPeer::TCheckBoxPeer(ui::TCheckBox& model, TPeerContext& context, HWND parent)
    : TStandardPeer(model, context), box_(model) {
  DWORD style = BS_OWNERDRAW;
  if (model.TabStop) style |= WS_TABSTOP;
  Create(L"BUTTON", Utf8ToWide(model.Caption), style, 0, parent);
  Attach();
}

bool TCheckBoxPeer::OnCommand(UINT code) {
  if (code != BN_CLICKED) return false;
  box_.UserClick();
  return true;
}

LRESULT TCheckBoxPeer::SubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  const LRESULT state = message == BM_GETSTATE ? CallDefault(message, wParam, lParam) : 0;
  if (CheckStateMessage(box_, [this](const std::function<void()>& e) { Run(e); }, message, wParam, state, result))
    return result;
  return CallDefault(message, wParam, lParam);
}

void TCheckBoxPeer::OnAspect(ui::TAspect aspect) {
  if (aspect == ui::TAspect::Checked) InvalidateRect(Handle(), nullptr, TRUE);
  else TStandardPeer::OnAspect(aspect);
}

bool TCheckBoxPeer::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const TPalette& p = Theme().Palette();
  const bool enabled = model_.Enabled();
  FillSolid(item.hDC, item.rcItem, p.Window);
  const RECT mark = MarkRect(Theme(), item.rcItem);
  FillSolid(item.hDC, mark, box_.Checked() ? (enabled ? p.Accent : p.DisabledText) : p.Edit);
  FrameSolid(item.hDC, mark, box_.Checked() ? (enabled ? p.Accent : p.DisabledText) : p.Border);
  if (box_.Checked()) {
    const int w = mark.right - mark.left;
    POINT tick[3] = {{mark.left + w * 3 / 14, mark.top + w / 2},
                     {mark.left + w * 6 / 14, mark.top + w * 10 / 14},
                     {mark.left + w * 11 / 14, mark.top + w * 4 / 14}};
    TPenHandle pen(CreatePen(PS_SOLID, std::max(1, Theme().Scale(2)), p.HighlightText));
    TSelectObject usePen(item.hDC, pen.Get());
    Polyline(item.hDC, tick, 3);
  }
  TSelectObject font(item.hDC, Theme().Font(model_.Font));
  RECT text = item.rcItem;
  text.left = mark.right + Theme().Scale(5);
  DrawCaption(item.hDC, Theme(), box_.Caption, text, enabled, DT_LEFT);
  if (item.itemState & ODS_FOCUS) DrawFocusFrame(item.hDC, Theme(), item.rcItem);
  return true;
}

// --- Radio buttons

TRadioButtonPeer::TRadioButtonPeer(ui::TRadioButton& model, TPeerContext& context, HWND parent)
    : TStandardPeer(model, context), radio_(model) {
  Create(L"BUTTON", Utf8ToWide(model.Caption), BS_OWNERDRAW, 0, parent);
  UpdateTabStop();
  Attach();
}

void TRadioButtonPeer::UpdateTabStop() {
  // Tab enters a group at its chosen button only; the arrow keys move inside the group.
  const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  const LONG_PTR wanted = model_.TabStop && radio_.Checked() ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
  if (wanted != style) SetWindowLongPtrW(Handle(), GWL_STYLE, wanted);
}

bool TRadioButtonPeer::OnCommand(UINT code) {
  if (code != BN_CLICKED) return false;
  radio_.UserClick();
  return true;
}

void TRadioButtonPeer::OnAspect(ui::TAspect aspect) {
  if (aspect == ui::TAspect::Checked) {
    UpdateTabStop();
    InvalidateRect(Handle(), nullptr, TRUE);
  } else {
    TStandardPeer::OnAspect(aspect);
  }
}

LRESULT TRadioButtonPeer::SubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  const LRESULT state = message == BM_GETSTATE ? CallDefault(message, wParam, lParam) : 0;
  if (CheckStateMessage(radio_, [this](const std::function<void()>& e) { Run(e); }, message, wParam, state, result))
    return result;
  if (message == WM_GETDLGCODE) return CallDefault(message, wParam, lParam) | DLGC_WANTARROWS;
  if (message == WM_KEYDOWN) {
    if (wParam == VK_DOWN || wParam == VK_RIGHT) {
      MoveInGroup(1);
      return 0;
    }
    if (wParam == VK_UP || wParam == VK_LEFT) {
      MoveInGroup(-1);
      return 0;
    }
  }
  return CallDefault(message, wParam, lParam);
}

void TRadioButtonPeer::MoveInGroup(int step) {
  // The group is every radio button window under the same parent, in creation (= model) order.
  std::vector<TRadioButtonPeer*> group;
  for (HWND w = GetWindow(GetParent(Handle()), GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    if (auto* peer = dynamic_cast<TRadioButtonPeer*>(FromHandle(w))) group.push_back(peer);
  }
  const int count = static_cast<int>(group.size());
  int at = 0;
  while (at < count && group[static_cast<std::size_t>(at)] != this) ++at;
  for (int tried = 1; tried < count; ++tried) {
    TRadioButtonPeer* next = group[static_cast<std::size_t>(((at + step * tried) % count + count) % count)];
    if (!next->model_.Enabled() || !next->model_.Visible()) continue;
    SetFocus(next->Handle());
    next->radio_.UserClick();
    return;
  }
}

bool TRadioButtonPeer::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const TPalette& p = Theme().Palette();
  const bool enabled = model_.Enabled();
  FillSolid(item.hDC, item.rcItem, p.Window);
  const RECT mark = MarkRect(Theme(), item.rcItem);
  {
    TBrushHandle fill(CreateSolidBrush(p.Edit));
    TPenHandle pen(CreatePen(PS_SOLID, 1, radio_.Checked() && enabled ? p.Accent : p.Border));
    TSelectObject useBrush(item.hDC, fill.Get());
    TSelectObject usePen(item.hDC, pen.Get());
    Ellipse(item.hDC, mark.left, mark.top, mark.right, mark.bottom);
  }
  if (radio_.Checked()) {
    const int inset = (mark.right - mark.left) / 4;
    TBrushHandle dot(CreateSolidBrush(enabled ? p.Accent : p.DisabledText));
    TSelectObject useBrush(item.hDC, dot.Get());
    TSelectObject usePen(item.hDC, GetStockObject(NULL_PEN));
    Ellipse(item.hDC, mark.left + inset, mark.top + inset, mark.right - inset + 1, mark.bottom - inset + 1);
  }
  TSelectObject font(item.hDC, Theme().Font(model_.Font));
  RECT text = item.rcItem;
  text.left = mark.right + Theme().Scale(5);
  DrawCaption(item.hDC, Theme(), radio_.Caption, text, enabled, DT_LEFT);
  if (item.itemState & ODS_FOCUS) DrawFocusFrame(item.hDC, Theme(), item.rcItem);
  return true;
}

}  // namespace kav::ui::win32
