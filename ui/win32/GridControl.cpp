// The grid window's creation and destruction, its window procedure, and how changes of the
// model reach the window.
#include "ui/win32/GridControl.h"

#include <windowsx.h>

#include <algorithm>
#include <system_error>

#include "platform/Text.h"
#include "ui/win32/ControlAccessibility.h"

namespace kav::ui::win32 {
namespace {

constexpr wchar_t kClassName[] = L"KaverolinStringGrid";

}  // namespace

// The control's hooks in its model, as named types so that the destructor can tell them from
// the hooks of a control that replaced this one on the same model.
struct TGridControl::TModelLink {
  TGridControl* Self;
  void operator()(ui::TAspect aspect) const { Self->ModelChanged(aspect); }
};
struct TGridControl::TMeasureLink {
  const TGridControl* Self;
  int operator()(std::string_view text) const { return Self->MeasureText(text); }
};

// --- Creation and destruction

TGridControl::TGridControl(TToken, ui::TStringGrid& model, const TPalette& palette, int dpi)
    : model_(model), palette_(palette), dpi_(dpi > 0 ? dpi : 96), font_(std::make_unique<TGridFont>(model.Font, dpi_)) {
  editorBrush_.Reset(CreateSolidBrush(palette_.Edit));
  PlaceTextInRows();
}

void TGridControl::PlaceTextInRows() {
  if (font_->Height() > 0) textTop_ = std::max(0, (Scale(model_.RowHeight()) - font_->Height()) / 2);
}

void TGridControl::SetDpi(int dpi) {
  dpi_ = dpi > 0 ? dpi : 96;
  font_ = std::make_unique<TGridFont>(model_.Font, dpi_);
  PlaceTextInRows();
  if (editor_ != nullptr) {
    SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    SendMessageW(editor_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(Scale(1), Scale(1)));
  }
  UpdateScrollBars(true);
  PlaceEditor();
  InvalidateRect(Handle(), nullptr, FALSE);
}

std::unique_ptr<TGridControl> TGridControl::Create(HWND parent, ui::TStringGrid& model,
                                                   const TPalette& palette, int dpi) {
  auto grid = std::make_unique<TGridControl>(TToken{}, model, palette, dpi);
  DWORD style = WS_CHILD | WS_TABSTOP | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL;
  if (model.Visible()) style |= WS_VISIBLE;
  if (!model.Enabled()) style |= WS_DISABLED;
  const ui::TBounds& b = model.Bounds;
  const int left = grid->Scale(b.Left), top = grid->Scale(b.Top);
  // Double clicks run the work-area operations; the window class has them.
  grid->CreateOwnWindow(kClassName, 0, style, RECT{left, top, left + grid->Scale(b.Width), top + grid->Scale(b.Height)},
                        parent);
  if (grid->Handle() == nullptr)
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                            "the grid window could not be created");
  TGridControl* self = grid.get();
  model.OnModelChange = TModelLink{self};
  model.TextWidth = TMeasureLink{self};
  self->UpdateScrollBars();
  return grid;
}

TGridControl::~TGridControl() {
  // The editor goes first, while this object can still hear of it; the grid window goes
  // with the base class.
  if (editing_) model_.CancelEdit();
  editing_ = false;
  editorSubclass_.Detach();
  if (editor_ != nullptr) DestroyWindow(editor_);
  editor_ = nullptr;
  const auto* link = model_.OnModelChange.target<TModelLink>();
  if (link != nullptr && link->Self == this) model_.OnModelChange = nullptr;
  const auto* measure = model_.TextWidth.target<TMeasureLink>();
  if (measure != nullptr && measure->Self == this) model_.TextWidth = nullptr;
}

HWND TGridControl::Handle() const { return TWindowBase::Handle(); }

void TGridControl::SetPalette(const TPalette& palette) {
  palette_ = palette;
  editorBrush_.Reset(CreateSolidBrush(palette_.Edit));
  if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
  if (editor_ != nullptr) InvalidateRect(editor_, nullptr, TRUE);
}

HWND TGridControl::EditorHandle() const { return editing_ ? editor_ : nullptr; }

HFONT TGridControl::Font() const { return font_->Get(); }

int TGridControl::MeasureText(std::string_view text) const { return font_->TextWidth(text); }

ui::TShiftState TGridControl::CurrentShift() {
  ui::TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ui::ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ui::ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ui::ssAlt;
  return shift;
}

RECT TGridControl::WindowCellRect(int col, int row) const {
  const ui::TBounds b = model_.CellRect(col, row);
  if (b.Width <= 0 || b.Height <= 0) return RECT{};
  return RECT{Scale(b.Left), Scale(b.Top), Scale(b.Left + b.Width), Scale(b.Top + b.Height)};
}

// --- The window procedure

void TGridControl::WindowGone() {
  if (editing_) model_.CancelEdit();
  editing_ = false;
  editor_ = nullptr;
}

LRESULT TGridControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      UpdateScrollBars(true);
      PlaceEditor();
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;   // PaintContent covers every pixel
    case WM_PAINT:
      Paint();
      return 0;
    case WM_PRINTCLIENT: {
      RECT client{};
      GetClientRect(Handle(), &client);
      PaintContent(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_VSCROLL:
      Scroll(SB_VERT, LOWORD(wParam));
      return 0;
    case WM_HSCROLL:
      Scroll(SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      Wheel(GET_WHEEL_DELTA_WPARAM(wParam), false);
      return 0;
    case WM_MOUSEHWHEEL:
      Wheel(GET_WHEEL_DELTA_WPARAM(wParam), true);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      LeftDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), message == WM_LBUTTONDBLCLK);
      return 0;
    case WM_MOUSEMOVE:
      MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      LeftUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_RBUTTONDOWN:
      RightDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_CONTEXTMENU:
      ContextMenu(lParam);
      return 0;
    case WM_TIMER:
      if (wParam == kAutoScrollTimer) {
        AutoScroll();
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != Handle()) EndMouseMode();
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        POINT p{};
        GetCursorPos(&p);
        ScreenToClient(Handle(), &p);
        if (SetCursorFor(p.x, p.y)) return TRUE;
      }
      break;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && model_.AllowEditing)
        code |= DLGC_WANTMESSAGE;   // Enter starts the editor instead of pressing a default button
      return code;
    }
    case WM_KEYDOWN:
      KeyDown(wParam);
      return 0;
    case WM_CHAR:
      Char(wParam);
      return 0;
    case WM_IME_STARTCOMPOSITION:
      PlaceComposition();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_GETOBJECT: {
      LRESULT result = 0;
      if (accessible_.Answer(Handle(), wParam, lParam, [this] { return DescribeGrid(); }, result)) return result;
      break;
    }
    case WM_CTLCOLOREDIT: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, palette_.Text);
      SetBkColor(dc, palette_.Edit);
      return reinterpret_cast<LRESULT>(editorBrush_.Get());
    }
    default:
      break;
  }
  return TWindowBase::HandleMessage(message, wParam, lParam);
}

// --- Model to view

TAccessibleParts TGridControl::DescribeGrid() {
  TAccessibleParts parts = DescribeControl(model_);
  parts.Value = [this] { return Utf8ToWide(model_.Cell(model_.Col(), model_.Row())); };
  parts.Description = [this] {
    return std::to_wstring(model_.Row()) + L" 行目, " + std::to_wstring(model_.Col() + 1) + L" 列目";
  };
  return parts;
}

void TGridControl::AnnounceCurrentCell() {
  if (model_.Col() == announcedCol_ && model_.Row() == announcedRow_) return;
  announcedCol_ = model_.Col();
  announcedRow_ = model_.Row();
  NotifyValueChanged(Handle());
}

void TGridControl::ModelChanged(ui::TAspect aspect) {
  if (Handle() == nullptr) return;
  if (aspect == ui::TAspect::Selection || aspect == ui::TAspect::Layout) AnnounceCurrentCell();
  switch (aspect) {
    case ui::TAspect::Cells:
    case ui::TAspect::Selection:
      FollowModelWhileEditing(aspect);
      break;
    case ui::TAspect::Layout:
      FollowModelWhileEditing(aspect);
      UpdateScrollBars(true);
      PlaceEditor();
      break;
    case ui::TAspect::Scroll:
      if (editing_) CommitEditing();   // the editor never floats over another cell
      UpdateScrollBars();
      break;
    case ui::TAspect::Visible:
      ShowWindow(Handle(), model_.Visible() ? SW_SHOWNA : SW_HIDE);
      return;
    case ui::TAspect::Enabled:
      if (!model_.Enabled() && editing_) CommitEditing();
      EnableWindow(Handle(), model_.Enabled() ? TRUE : FALSE);
      return;
    case ui::TAspect::Bounds: {
      const ui::TBounds& b = model_.Bounds;
      SetWindowPos(Handle(), nullptr, Scale(b.Left), Scale(b.Top), Scale(b.Width), Scale(b.Height),
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return;
    }
    default:
      return;
  }
  InvalidateRect(Handle(), nullptr, FALSE);
}

}  // namespace kav::ui::win32
