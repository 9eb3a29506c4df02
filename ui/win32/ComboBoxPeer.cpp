#include "ui/win32/ComboBoxPeer.h"

#include <windowsx.h>
#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <stdexcept>

#include "platform/Text.h"
#include "platform/win32/Handles.h"
#include "ui/ListNavigation.h"
#include "ui/win32/ControlAccessibility.h"

namespace kav::ui::win32 {
namespace {

constexpr wchar_t kClassName[] = L"KaverolinDropDown";

// Copies `text` with its terminating zero into a caller's buffer of `capacity` characters, as
// WM_GETTEXT does; returns the characters copied.
LRESULT CopyText(const std::wstring& text, wchar_t* buffer, std::size_t capacity) {
  if (buffer == nullptr || capacity == 0) return 0;
  const std::size_t count = std::min(text.size(), capacity - 1);
  std::copy_n(text.data(), count, buffer);
  buffer[count] = L'\0';
  return static_cast<LRESULT>(count);
}

}  // namespace

TComboBoxPeer::TComboBoxPeer(ui::TComboBox& model, TPeerContext& context, HWND parent)
    : TControlPeer(model, context), combo_(model) {
  DWORD style = WS_CHILD | WS_CLIPCHILDREN;
  if (model.TabStop) style |= WS_TABSTOP;
  if (model.Visible()) style |= WS_VISIBLE;
  CreateOwnWindow(kClassName, 0, style, DesignedRect(), parent);
  if (Handle() == nullptr) throw std::runtime_error("cannot create the control " + model.Name);
  if (Editable()) CreateEdit();
  Attach();
  if (edit_ != nullptr) context_.Tips.Add(edit_, model.Hint);
}

TComboBoxPeer::~TComboBoxPeer() {
  editSubclass_.Detach();
  if (Handle() != nullptr) Detach(Handle());
}

void TComboBoxPeer::CreateEdit() {
  edit_ = CreateWindowExW(0, L"EDIT", Utf8ToWide(combo_.Text()).c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0,
                          0, 0, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (edit_ == nullptr) throw std::runtime_error("cannot create the edit box of " + model_.Name);
  SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(Theme().Font(model_.Font)), FALSE);
  editSubclass_.OnGone = [this] { edit_ = nullptr; };
  editSubclass_.Attach(edit_, &context_.Form,
                       [this](UINT message, WPARAM wParam, LPARAM lParam) { return EditMessage(message, wParam, lParam); });
  PlaceEdit();
}

void TComboBoxPeer::OnDpiChanged(int oldDpi, int newDpi) {
  TControlPeer::OnDpiChanged(oldDpi, newDpi);
  if (edit_ == nullptr) return;
  SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(Theme().Font(model_.Font)), FALSE);
  PlaceEdit();
}

int TComboBoxPeer::RowHeight() const { return Theme().Scale(model_.Font.Height) + Theme().Scale(6); }

int TComboBoxPeer::ArrowWidth() const { return Theme().Scale(17); }

bool TComboBoxPeer::HasFocus() const {
  HWND focus = GetFocus();
  return focus != nullptr && (focus == Handle() || focus == edit_);
}

void TComboBoxPeer::PlaceEdit() {
  if (edit_ == nullptr) return;
  RECT r{};
  GetClientRect(Handle(), &r);
  // One line of the font, in the middle of the box: an edit box draws its text at its top.
  int lineHeight = Theme().Scale(model_.Font.Height) + 3;
  if (HDC dc = GetDC(edit_)) {
    TSelectObject font(dc, Theme().Font(model_.Font));
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(dc, &metrics)) lineHeight = metrics.tmHeight;
    ReleaseDC(edit_, dc);
  }
  const int inner = r.bottom - r.top - 2;
  lineHeight = std::min(lineHeight, inner);
  const int top = 1 + (inner - lineHeight) / 2;
  MoveWindow(edit_, 1 + Theme().Scale(2), top, std::max(0, static_cast<int>(r.right) - ArrowWidth() - 1 - Theme().Scale(2)),
             lineHeight, TRUE);
}

// --- Model to window

void TComboBoxPeer::ShowModel() {
  if (edit_ != nullptr) {
    const std::wstring text = Utf8ToWide(combo_.Text());
    if (WindowTextOf(edit_) != text) {
      updating_ = true;
      SetWindowTextW(edit_, text.c_str());
      updating_ = false;
    }
  }
  if (IsOpen()) list_->Mark(combo_.ItemIndex());
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TComboBoxPeer::OnAspect(ui::TAspect aspect) {
  switch (aspect) {
    case ui::TAspect::Items:
      Close();   // the open list shows the items it opened with
      ShowModel();
      break;
    case ui::TAspect::ItemIndex:
    case ui::TAspect::Text:
      ShowModel();
      NotifyValueChanged(Handle());
      break;
    default:
      TControlPeer::OnAspect(aspect);
  }
}

// --- The user's choice

void TComboBoxPeer::UserChoose(int index) {
  if (index < 0 || index >= combo_.Items.Count()) return;
  if (index == combo_.ItemIndex() && combo_.Text() == combo_.Items[index]) return;
  combo_.UserSelect(index);
  if (edit_ != nullptr) SendMessageW(edit_, EM_SETSEL, 0, -1);
}

void TComboBoxPeer::Open(bool buttonHeld) {
  if (IsOpen() || !IsWindowEnabled(Handle())) return;
  if (!list_) {
    list_ = std::make_unique<TDropDownList>(Theme(), context_.Form);
    list_->OnChoose = [this](int index) {
      Close();
      UserChoose(index);
    };
    list_->OnClosedByUser = [this] {
      InvalidateRect(Handle(), nullptr, FALSE);
      NotifyWinEvent(EVENT_OBJECT_STATECHANGE, Handle(), OBJID_CLIENT, CHILDID_SELF);
    };
  }
  TDropDownList::TOpening opening{};
  opening.Owner = GetAncestor(Handle(), GA_ROOT);
  GetWindowRect(Handle(), &opening.Box);
  for (const std::string& item : combo_.Items.All()) opening.Items.push_back(Utf8ToWide(item));
  opening.Rows = std::max(1, combo_.DropDownCount);
  opening.RowHeight = RowHeight();
  opening.Font = Theme().Font(model_.Font);
  opening.Marked = combo_.ItemIndex();
  opening.ButtonHeld = buttonHeld;
  // A hint showing over the box would cover the top rows of the list.
  if (HWND tip = context_.Tips.Handle()) SendMessageW(tip, TTM_POP, 0, 0);
  list_->Open(std::move(opening));
  InvalidateRect(Handle(), nullptr, FALSE);
  NotifyWinEvent(EVENT_OBJECT_STATECHANGE, Handle(), OBJID_CLIENT, CHILDID_SELF);
}

void TComboBoxPeer::Close() {
  if (!IsOpen()) return;
  list_->Close();
  InvalidateRect(Handle(), nullptr, FALSE);
  NotifyWinEvent(EVENT_OBJECT_STATECHANGE, Handle(), OBJID_CLIENT, CHILDID_SELF);
}

void TComboBoxPeer::ChooseMarkedAndClose() {
  if (!IsOpen()) return;
  const int marked = list_->Marked();
  Close();
  UserChoose(marked);
}

bool TComboBoxPeer::KeyMessage(UINT message, WPARAM key) {
  if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN) return false;
  return KeyDown(key, message == WM_SYSKEYDOWN);
}

bool TComboBoxPeer::KeyDown(WPARAM key, bool alt) {
  const bool open = IsOpen();
  if ((alt && (key == VK_DOWN || key == VK_UP)) || (!alt && key == VK_F4)) {
    if (open) ChooseMarkedAndClose();
    else Open(false);
    return true;
  }
  if (alt) return false;
  if (open) {
    switch (key) {
      case VK_RETURN:
        ChooseMarkedAndClose();
        return true;
      case VK_ESCAPE:
        Close();
        return true;
      case VK_TAB: {
        // The marked item stays chosen and the focus moves on, as the dialog keys would move it.
        ChooseMarkedAndClose();
        if (HWND next = GetNextDlgTabItem(GetAncestor(Handle(), GA_ROOT), Handle(), GetKeyState(VK_SHIFT) < 0))
          SetFocus(next);
        return true;
      }
      default:
        break;
    }
  }
  // In an editable box the caret keys belong to the edit box.
  if (Editable() && (key == VK_LEFT || key == VK_RIGHT || key == VK_HOME || key == VK_END)) return false;
  const auto move = ui::ListMoveOfKey(static_cast<ui::TKey>(key));
  if (!move) return false;
  if (GetKeyState(VK_CONTROL) < 0 && Editable()) return false;   // Ctrl+arrows move the caret by words
  const int count = combo_.Items.Count();
  if (open) list_->Mark(ui::MoveInList(list_->Marked(), count, *move, list_->RowsInSight()));
  else UserChoose(ui::MoveInList(combo_.ItemIndex(), count, *move, std::max(1, combo_.DropDownCount)));
  return true;
}

void TComboBoxPeer::TypedLetter(wchar_t letter) {
  if (letter < L' ') return;
  const std::string typed = WideToUtf8(std::wstring(1, letter));
  if (IsOpen()) {
    const int found = ui::NextItemStartingWith(combo_.Items, list_->Marked(), typed);
    if (found >= 0) list_->Mark(found);
    return;
  }
  UserChoose(ui::NextItemStartingWith(combo_.Items, combo_.ItemIndex(), typed));
}

void TComboBoxPeer::WheelTurned(int delta) {
  if (IsOpen()) {
    list_->Wheel(delta);
    return;
  }
  const int notches = wheel_.Add(delta);
  const int count = combo_.Items.Count();
  if (notches == 0 || count == 0) return;
  const int current = combo_.ItemIndex();
  UserChoose(current < 0 ? 0 : std::clamp(current - notches, 0, count - 1));
}

// --- Drawing

void TComboBoxPeer::Paint(HDC dc) {
  const TPalette& p = Theme().Palette();
  const bool enabled = model_.Enabled();
  RECT r{};
  GetClientRect(Handle(), &r);
  const RECT arrow{r.right - ArrowWidth(), r.top + 1, r.right - 1, r.bottom - 1};
  FillSolid(dc, r, Editable() ? (enabled ? p.Edit : p.Control) : p.Control);
  FillSolid(dc, arrow, IsOpen() ? p.ControlPressed : p.Control);
  FrameSolid(dc, r, HasFocus() || IsOpen() ? p.Focus : p.Border);
  TSelectObject font(dc, Theme().Font(model_.Font));
  if (!Editable())
    DrawRowText(dc, Theme(), Utf8ToWide(combo_.Text()), RECT{r.left + 1, r.top + 1, arrow.left, r.bottom - 1},
                enabled ? p.Text : p.DisabledText);
  // The down arrow: a small filled triangle.
  const int cx = (arrow.left + arrow.right) / 2, cy = (r.top + r.bottom) / 2, half = Theme().Scale(4);
  POINT triangle[3] = {{cx - half, cy - half / 2}, {cx + half, cy - half / 2}, {cx, cy + half / 2}};
  TBrushHandle brush(CreateSolidBrush(enabled ? p.Text : p.DisabledText));
  TSelectObject useBrush(dc, brush.Get());
  TSelectObject usePen(dc, GetStockObject(NULL_PEN));
  Polygon(dc, triangle, 3);
}

// --- Accessibility

TAccessibleParts TComboBoxPeer::Describe() {
  TAccessibleParts parts = DescribeControl(model_);
  parts.State = [this, modelState = parts.State] {
    long state = (modelState ? modelState() : 0) | STATE_SYSTEM_HASPOPUP;
    return state | (IsOpen() ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED);
  };
  // The items, as the list's rows, whether the list is open or not.
  parts.ChildCount = [this] { return static_cast<long>(combo_.Items.Count()); };
  parts.ChildName = [this](long child) { return Utf8ToWide(combo_.Items[static_cast<int>(child - 1)]); };
  parts.ChildRole = ROLE_SYSTEM_LISTITEM;
  parts.ChildState = [this](long child) {
    const int index = static_cast<int>(child - 1);
    long state = STATE_SYSTEM_SELECTABLE;
    if (index == combo_.ItemIndex()) state |= STATE_SYSTEM_SELECTED;
    if (!IsOpen()) return state | STATE_SYSTEM_INVISIBLE;
    const RECT row = list_->RowScreenRect(index);
    return IsRectEmpty(&row) ? state | STATE_SYSTEM_OFFSCREEN : state;
  };
  parts.ChildScreenRect = [this](long child) {
    if (IsOpen()) return list_->RowScreenRect(static_cast<int>(child - 1));
    return RECT{};
  };
  return parts;
}

TAccessibleParts TComboBoxPeer::DescribeEdit() {
  // The edit box is the box to a screen reader: its name, its text, its state.
  TAccessibleParts parts = DescribeControl(model_);
  parts.Role = ROLE_SYSTEM_TEXT;
  return parts;
}

// --- Window procedures

bool TComboBoxPeer::ComboMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const int count = combo_.Items.Count();
  const auto index = static_cast<int>(wParam);
  const bool validIndex = index >= 0 && index < count;
  switch (message) {
    case WM_GETTEXTLENGTH:
      result = static_cast<LRESULT>(Utf8ToWide(combo_.Text()).size());
      return true;
    case WM_GETTEXT:
      result = CopyText(Utf8ToWide(combo_.Text()), reinterpret_cast<wchar_t*>(lParam), wParam);
      return true;
    case WM_SETTEXT: {
      // From outside, as the program sets it: no change event.
      const auto* text = reinterpret_cast<const wchar_t*>(lParam);
      Run([&] { combo_.SetText(WideToUtf8(text != nullptr ? text : L"")); });
      result = TRUE;
      return true;
    }
    case CB_GETCOUNT:
      result = count;
      return true;
    case CB_GETCURSEL:
      result = combo_.ItemIndex() >= 0 ? combo_.ItemIndex() : CB_ERR;
      return true;
    case CB_SETCURSEL:
      Run([&] { combo_.SetItemIndex(validIndex ? index : -1); });
      result = validIndex ? index : CB_ERR;
      return true;
    case CB_GETLBTEXTLEN:
      result = validIndex ? static_cast<LRESULT>(Utf8ToWide(combo_.Items[index]).size()) : CB_ERR;
      return true;
    case CB_GETLBTEXT: {
      if (!validIndex || lParam == 0) {
        result = CB_ERR;
        return true;
      }
      // The caller's buffer holds the item (CB_GETLBTEXTLEN told it how long it is).
      const std::wstring item = Utf8ToWide(combo_.Items[index]);
      result = CopyText(item, reinterpret_cast<wchar_t*>(lParam), item.size() + 1);
      return true;
    }
    case CB_SHOWDROPDOWN:
      if (wParam != 0) Open(false);
      else Close();
      result = TRUE;
      return true;
    case CB_GETDROPPEDSTATE:
      result = IsOpen() ? TRUE : FALSE;
      return true;
    case CB_GETITEMHEIGHT: {
      RECT client{};
      GetClientRect(Handle(), &client);
      result = wParam == static_cast<WPARAM>(-1) ? client.bottom : RowHeight();
      return true;
    }
    case CB_GETDROPPEDCONTROLRECT: {
      // The box with the room its list takes when open.
      auto* rect = reinterpret_cast<RECT*>(lParam);
      if (rect != nullptr) {
        GetWindowRect(Handle(), rect);
        const RECT list = IsOpen() ? list_->ScreenRect() : RECT{};
        if (IsOpen()) UnionRect(rect, rect, &list);
        else rect->bottom += std::max(1, combo_.DropDownCount) * RowHeight() + 2;
      }
      result = rect != nullptr ? TRUE : CB_ERR;
      return true;
    }
    default:
      return false;
  }
}

LRESULT TComboBoxPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (ComboMessage(message, wParam, lParam, result)) return result;
  if (KeyMessage(message, wParam)) return 0;
  if (AnswerPaint(Handle(), message, wParam, [this](HDC dc) { Paint(dc); })) return 0;
  switch (message) {
    case WM_GETOBJECT:
      if (accessible_.Answer(Handle(), wParam, lParam, [this] { return Describe(); }, result)) return result;
      break;
    case WM_ERASEBKGND:
      return 1;   // Paint covers every pixel
    case WM_SIZE:
      Close();
      PlaceEdit();
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_ENABLE:
      if (edit_ != nullptr) EnableWindow(edit_, static_cast<BOOL>(wParam));
      if (wParam == 0) Close();
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_SETFOCUS:
      if (edit_ != nullptr) {
        SetFocus(edit_);
        SendMessageW(edit_, EM_SETSEL, 0, -1);
      }
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_KILLFOCUS:
      if (reinterpret_cast<HWND>(wParam) != edit_) Close();
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      // While the list is open, Enter, Escape and Tab are the list's.
      return DLGC_WANTARROWS | DLGC_WANTCHARS | (IsOpen() ? DLGC_WANTALLKEYS : 0);
    case WM_CHAR:
      if (!Editable()) TypedLetter(static_cast<wchar_t>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!HasFocus()) SetFocus(Handle());
      if (IsOpen()) Close();
      else Open(true);
      return 0;
    case WM_MOUSEWHEEL:
      if (!HasFocus() && !IsOpen()) break;   // an unfocused box leaves the wheel to its page
      WheelTurned(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      const TPalette& p = Theme().Palette();
      const auto dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, model_.Enabled() ? p.Text : p.DisabledText);
      SetBkColor(dc, model_.Enabled() ? p.Edit : p.Control);
      return reinterpret_cast<LRESULT>(model_.Enabled() ? Theme().EditBrush() : Theme().ControlBrush());
    }
    case WM_COMMAND:
      if (edit_ != nullptr && reinterpret_cast<HWND>(lParam) == edit_ && HIWORD(wParam) == EN_CHANGE && !updating_) {
        const std::wstring text = WindowTextOf(edit_);
        combo_.UserSetText(WideToUtf8(text));
        // Typing with the list open marks the first item that begins with the text.
        if (IsOpen() && !text.empty()) {
          const int found = ui::NextItemStartingWith(combo_.Items, -1, WideToUtf8(text));
          if (found >= 0) list_->Mark(found);
        }
      }
      return 0;
    case WM_CANCELMODE:
      Close();
      break;
    case WM_DESTROY:
      Detach(Handle());
      return 0;
    default:
      break;
  }
  return TWindowBase::HandleMessage(message, wParam, lParam);
}

LRESULT TComboBoxPeer::EditMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (KeyMessage(message, wParam)) return 0;
  switch (message) {
    case WM_GETOBJECT: {
      LRESULT result = 0;
      if (editAccessible_.Answer(edit_, wParam, lParam, [this] { return DescribeEdit(); }, result)) return result;
      break;
    }
    case WM_GETDLGCODE: {
      const LRESULT code = editSubclass_.CallDefault(message, wParam, lParam);
      return IsOpen() ? (code | DLGC_WANTALLKEYS) : code;
    }
    case WM_CHAR:
      // Enter, Escape and Tab have no use in a one-line box and would only beep.
      if (wParam == L'\r' || wParam == L'\x1b' || wParam == L'\t') return 0;
      break;
    case WM_SETFOCUS:
      InvalidateRect(Handle(), nullptr, FALSE);
      break;
    case WM_KILLFOCUS:
      if (reinterpret_cast<HWND>(wParam) != Handle()) Close();
      InvalidateRect(Handle(), nullptr, FALSE);
      break;
    case WM_MOUSEWHEEL:
      WheelTurned(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    default:
      break;
  }
  return editSubclass_.CallDefault(message, wParam, lParam);
}

}  // namespace kav::ui::win32
