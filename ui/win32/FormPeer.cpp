#include "ui/win32/FormPeer.h"

#include <shellapi.h>

#include <stdexcept>

#include "platform/Text.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/PageControl.h"
#include "ui/StringGrid.h"
#include "ui/win32/ButtonPeers.h"
#include "ui/win32/ComboBoxPeer.h"
#include "ui/win32/EditPeer.h"
#include "ui/win32/GridFont.h"
#include "ui/win32/GridPeer.h"
#include "ui/win32/LabelPeer.h"
#include "ui/win32/Layout.h"
#include "ui/win32/ListPeers.h"
#include "ui/win32/PagePeer.h"
#include "ui/win32/PopupMenu.h"

namespace kav::ui::win32 {
namespace {

DWORD FormStyle(const ui::TForm& form) {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (form.Sizeable) style |= WS_MINIMIZEBOX | WS_THICKFRAME;
  return style;
}

DWORD FormExStyle(const ui::TForm& form, HWND owner) {
  DWORD style = WS_EX_CONTROLPARENT;
  if (owner == nullptr) style |= WS_EX_APPWINDOW;   // its own task-bar button
  if (!form.Sizeable) style |= WS_EX_DLGMODALFRAME;
  if (form.Topmost()) style |= WS_EX_TOPMOST;
  return style;
}

// Grids on a page whose windows come later measure their texts as their windows will.
void MeasureGridsBeforeWindows(const ui::TContainer& container, int dpi) {
  for (ui::TControl* child : container.Children()) {
    if (child->Kind == ui::TControlKind::StringGrid)
      MeasureBeforeWindow(static_cast<ui::TStringGrid&>(*child), dpi);
    else if (const auto* inner = dynamic_cast<const ui::TContainer*>(child))
      MeasureGridsBeforeWindows(*inner, dpi);
  }
}

// What DragAcceptFiles does, without loading the shell's library at start-up: the shell
// sends WM_DROPFILES to windows of this style. The library comes with the first drop.
void AcceptDroppedFiles(HWND window, bool accept) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  const LONG_PTR wanted = accept ? (style | WS_EX_ACCEPTFILES) : (style & ~static_cast<LONG_PTR>(WS_EX_ACCEPTFILES));
  if (wanted != style) SetWindowLongPtrW(window, GWL_EXSTYLE, wanted);
}

RECT WindowRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

}  // namespace

TFormPeer::TFormPeer(ui::TForm& form, TFormPeerOptions options)
    : form_(form),
      options_(std::move(options)),
      theme_(ChosenPalette(), options_.Dpi > 0 ? options_.Dpi : SystemDpi()) {
  const DWORD style = FormStyle(form), exStyle = FormExStyle(form, options_.Owner);
  RECT frame{0, 0, theme_.Scale(form.ClientWidth), theme_.Scale(form.ClientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  int left = form.Left(), top = form.Top();
  if (form.Position == ui::TFormPosition::OwnerCenter && options_.Owner != nullptr) {
    const RECT owner = WindowRectOf(options_.Owner);
    left = (owner.left + owner.right - width) / 2;
    top = (owner.top + owner.bottom - height) / 2;
  } else if (form.Position != ui::TFormPosition::Designed) {
    left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  CreateOwnWindow(L"KaverolinForm", exStyle, style, RECT{left, top, left + width, top + height}, options_.Owner,
                  Utf8ToWide(form.GetCaption()));
  if (Handle() == nullptr) throw std::runtime_error("cannot create the window " + form.Name);
  if (theme_.Palette().Dark) UseDarkTitleBar(Handle());
  TakeScreenDpi();
  tips_ = std::make_unique<TTooltips>(theme_.Palette());
  context_.emplace(TPeerContext{theme_, *tips_, form_});
  CreateChildren(form, Handle(), *this);
  KeepPlaceInModel();
  if (form.AcceptFiles()) AcceptDroppedFiles(Handle(), true);
  form_.OnModelChange = [this](ui::TAspect aspect) { OnFormAspect(aspect); };
}

TFormPeer::~TFormPeer() {
  form_.OnModelChange = nullptr;
  // The children's windows go first, while every peer still exists to hear of it.
  OnDestroy = nullptr;
  quitOnDestroy_ = false;
  if (Handle() != nullptr) DestroyWindow(Handle());
}

void TFormPeer::CreateChildren(const ui::TContainer& model, HWND parent, TChildHost& host) {
  TPeerContext& context = *context_;
  for (ui::TControl* child : model.Children()) {
    std::unique_ptr<TControlPeer> peer;
    switch (child->Kind) {
      case ui::TControlKind::PageControl: {
        auto& pages = static_cast<ui::TPageControl&>(*child);
        auto pagePeer = std::make_unique<TPageControlPeer>(pages, context, parent);
        TPageControlPeer& page = *pagePeer;
        page.BeforeShowSheet = [this](TContainerPeer& sheet) {
          if (shown_) FillSheet(sheet);
        };
        host.AddChild(page);
        byModel_[child] = pagePeer.get();
        peers_.push_back(std::move(pagePeer));
        for (ui::TControl* sheetModel : pages.Children()) {
          auto& sheetContainer = static_cast<ui::TContainer&>(*sheetModel);
          auto sheet = std::make_unique<TContainerPeer>(sheetContainer, context, page.Handle());
          unfilledSheets_[sheet.get()] = TUnfilledSheet{&sheetContainer, {}};
          MeasureGridsBeforeWindows(sheetContainer, theme_.Dpi());
          page.AddSheet(*sheet);
          unfilledSheets_[sheet.get()].DesignSize = ClientSize(sheet->Handle());
          byModel_[sheetModel] = sheet.get();
          peers_.push_back(std::move(sheet));
        }
        continue;
      }
      case ui::TControlKind::TabSheet:
      case ui::TControlKind::Panel:
      case ui::TControlKind::GroupBox: {
        auto& container = static_cast<ui::TContainer&>(*child);
        auto containerPeer = std::make_unique<TContainerPeer>(container, context, parent);
        TContainerPeer& ref = *containerPeer;
        host.AddChild(ref);
        byModel_[child] = containerPeer.get();
        peers_.push_back(std::move(containerPeer));
        CreateChildren(container, ref.Handle(), ref);
        continue;
      }
      case ui::TControlKind::Label:
        peer = std::make_unique<TLabelPeer>(static_cast<ui::TLabel&>(*child), context, parent);
        break;
      case ui::TControlKind::Button:
      case ui::TControlKind::SpeedButton:
        peer = std::make_unique<TButtonPeer>(static_cast<ui::TButton&>(*child), context, parent);
        break;
      case ui::TControlKind::CheckBox:
        peer = std::make_unique<TCheckBoxPeer>(static_cast<ui::TCheckBox&>(*child), context, parent);
        break;
      case ui::TControlKind::RadioButton:
        peer = std::make_unique<TRadioButtonPeer>(static_cast<ui::TRadioButton&>(*child), context, parent);
        break;
      case ui::TControlKind::Edit:
        peer = std::make_unique<TEditPeer>(static_cast<ui::TEdit&>(*child), context, parent);
        break;
      case ui::TControlKind::ComboBox:
        peer = std::make_unique<TComboBoxPeer>(static_cast<ui::TComboBox&>(*child), context, parent);
        break;
      case ui::TControlKind::ListBox:
        peer = std::make_unique<TListBoxPeer>(static_cast<ui::TListBox&>(*child), context, parent);
        break;
      case ui::TControlKind::StringGrid:
        peer = std::make_unique<TGridPeer>(static_cast<ui::TStringGrid&>(*child), context, parent);
        break;
      case ui::TControlKind::Form:
        continue;
    }
    host.AddChild(*peer);
    byModel_[child] = peer.get();
    peers_.push_back(std::move(peer));
  }
}

HWND TFormPeer::HandleOf(const ui::TControl& control) {
  if (&control == &form_) return Handle();
  auto found = byModel_.find(&control);
  if (found == byModel_.end()) {
    // A control of a page not shown yet: make that page's windows first.
    for (const ui::TControl* c = &control; c != nullptr; c = c->Parent()) {
      if (c->Kind != ui::TControlKind::TabSheet) continue;
      if (auto sheet = byModel_.find(c); sheet != byModel_.end())
        FillSheet(static_cast<TContainerPeer&>(*sheet->second));
      break;
    }
    found = byModel_.find(&control);
  }
  return found != byModel_.end() ? found->second->Handle() : nullptr;
}

void TFormPeer::FillSheet(TContainerPeer& sheet) {
  const auto unfilled = unfilledSheets_.find(&sheet);
  if (unfilled == unfilledSheets_.end()) return;
  const TUnfilledSheet unfilledSheet = unfilled->second;
  unfilledSheets_.erase(unfilled);
  // The children take their places for the designed size, then follow their anchors to the
  // size the page has now.
  HWND window = sheet.Handle();
  RECT now{};
  GetWindowRect(window, &now);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&now), 2);
  const SIZE design = unfilledSheet.DesignSize;
  SetWindowPos(window, nullptr, 0, 0, design.cx, design.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
  CreateChildren(*unfilledSheet.Model, window, sheet);
  SetWindowPos(window, nullptr, 0, 0, now.right - now.left, now.bottom - now.top, SWP_NOMOVE | SWP_NOZORDER);
  sheet.LayOutChildren(ClientSize(window));
}

TPalette TFormPeer::ChosenPalette() const {
  if (options_.HighContrast && options_.HighContrast()) return HighContrastPalette();
  return options_.Palette != nullptr ? *options_.Palette : DarkPalette();
}

void TFormPeer::FollowHighContrast() {
  const TPalette chosen = ChosenPalette();
  if (chosen == theme_.Palette()) return;   // any colour of the system's may have changed
  theme_.SetPalette(chosen);
  tips_->SetColours(chosen);
  for (const auto& peer : peers_)
    if (auto* grid = dynamic_cast<TGridPeer*>(peer.get())) grid->Grid().SetPalette(chosen);
  UseDarkTitleBar(Handle(), chosen.Dark);
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TFormPeer::Show() {
  shown_ = true;
  std::vector<TContainerPeer*> showing;   // the active page of each page control
  for (const auto& [sheet, unfilled] : unfilledSheets_)
    if (GetWindowLongW(sheet->Handle(), GWL_STYLE) & WS_VISIBLE) showing.push_back(sheet);
  for (TContainerPeer* sheet : showing) FillSheet(*sheet);
  ShowWindow(Handle(), form_.WindowState() == ui::TWindowState::Minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL);
  UpdateWindow(Handle());
  if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) SetFocus(first);
}

void TFormPeer::TakeScreenDpi() {
  if (options_.Dpi > 0) return;
  const int dpi = WindowDpi(Handle());
  if (dpi <= 0 || dpi == theme_.Dpi()) return;
  // Made on a screen of another DPI than the system's: the same client size in design pixels
  // at that screen's DPI, before any child window is made.
  theme_.SetDpi(dpi);
  RECT frame{0, 0, theme_.Scale(form_.ClientWidth), theme_.Scale(form_.ClientHeight)};
  AdjustFrameForDpi(frame, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)),
                    static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)), dpi);
  SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormPeer::ChangeDpi(int dpi, const RECT& suggested) {
  const int old = theme_.Dpi();
  if (dpi > 0 && dpi != old) {
    theme_.SetDpi(dpi);
    for (const auto& peer : peers_) peer->OnDpiChanged(old, dpi);
    for (auto& [sheet, unfilled] : unfilledSheets_)
      unfilled.DesignSize = SIZE{MulDiv(unfilled.DesignSize.cx, dpi, old), MulDiv(unfilled.DesignSize.cy, dpi, old)};
  }
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  // Every window where its anchors put it, parents before children (the order the peers were
  // made in), also where a parent's size came out as it was.
  LayOutChildren(ClientSize(Handle()));
  for (const auto& peer : peers_)
    if (auto* container = dynamic_cast<TContainerPeer*>(peer.get())) container->LayOut();
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TFormPeer::KeepPlaceInModel() {
  if (Handle() == nullptr || IsIconic(Handle())) return;
  // Written straight into the fields: this is where the window already is, nothing to move.
  const RECT r = WindowRectOf(Handle());
  form_.Bounds = ui::TBounds{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void TFormPeer::OnFormAspect(ui::TAspect aspect) {
  HWND window = Handle();
  if (window == nullptr) return;
  switch (aspect) {
    case ui::TAspect::Caption: {
      const std::wstring caption = Utf8ToWide(form_.GetCaption());
      if (WindowTextOf(window) != caption) SetWindowTextW(window, caption.c_str());
      break;
    }
    case ui::TAspect::Bounds: {
      if (IsIconic(window)) {
        // A minimised window keeps its place for when it comes back.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(window, &placement);
        OffsetRect(&placement.rcNormalPosition, form_.Left() - placement.rcNormalPosition.left,
                   form_.Top() - placement.rcNormalPosition.top);
        SetWindowPlacement(window, &placement);
        break;
      }
      const RECT r = WindowRectOf(window);
      if (r.left != form_.Left() || r.top != form_.Top())
        SetWindowPos(window, nullptr, form_.Left(), form_.Top(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case ui::TAspect::Topmost: {
      const bool topmost = (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
      if (topmost != form_.Topmost())
        SetWindowPos(window, form_.Topmost() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      break;
    }
    case ui::TAspect::WindowState: {
      if (!IsWindowVisible(window)) break;   // Show() takes the state then
      const bool minimized = form_.WindowState() == ui::TWindowState::Minimized;
      if (minimized != (IsIconic(window) != FALSE)) ShowWindow(window, minimized ? SW_MINIMIZE : SW_RESTORE);
      break;
    }
    case ui::TAspect::AcceptFiles:
      AcceptDroppedFiles(window, form_.AcceptFiles());
      break;
    default:
      break;
  }
}

void TFormPeer::DropFiles(HDROP drop) {
  // The drop is released whatever happens while its file is taken.
  struct TFinish {
    HDROP drop;
    ~TFinish() { DragFinish(drop); }
  } finish{drop};
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  if (count == 0) return;
  // Asked for its length first, so a long path arrives whole.
  const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
  std::wstring path(static_cast<std::size_t>(length) + 1, L'\0');
  const UINT got = DragQueryFileW(drop, 0, path.data(), length + 1);
  path.resize(got);
  if (path.empty()) return;
  form_.UserDropFile(WideToUtf8(path));
}

LRESULT TFormPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item->CtlType == ODT_MENU) {
        MeasureMenuItem(*item, theme_, Handle());
        return TRUE;
      }
      break;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType == ODT_MENU) {
        DrawMenuItem(*item, theme_);
        return TRUE;
      }
      break;
    }
    case WM_COMMAND:
      // Escape in a dialog arrives as IDCANCEL from no control.
      if (lParam == 0 && LOWORD(wParam) == IDCANCEL && options_.OnCloseRequest) {
        options_.OnCloseRequest();
        return 0;
      }
      break;
    case WM_MOVE:
      KeepPlaceInModel();
      return 0;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) {
        form_.SetWindowState(ui::TWindowState::Minimized);
        return 0;
      }
      if (wParam == SIZE_RESTORED) form_.SetWindowState(ui::TWindowState::Normal);
      KeepPlaceInModel();
      LayOutChildren(SIZE{LOWORD(lParam), HIWORD(lParam)});
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(Handle(), focus)) lastFocus_ = focus;
      } else if (lastFocus_ != nullptr && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
      }
      break;
    case WM_DPICHANGED:
      // Moved to a screen of another DPI: Windows suggests the window's new place and size.
      ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SETCURSOR:
      // Every window of the form asks it for the cursor when the mouse moves over it, so the
      // first move over the form makes the hints' window, before the move itself is handled.
      if (HIWORD(lParam) == WM_MOUSEMOVE) tips_->MakeWindow();
      break;
    case WM_DROPFILES:
      DropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
      // The high-contrast mode, or the system colours it draws with, changed.
      FollowHighContrast();
      break;
    case WM_CLOSE:
      if (options_.OnCloseRequest) {
        options_.OnCloseRequest();
        return 0;
      }
      DestroyWindow(Handle());
      return 0;
    case WM_DESTROY:
      if (OnDestroy) form_.Dispatch(OnDestroy);
      if (quitOnDestroy_) PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  LRESULT result = 0;
  if (HandleHostMessage(Handle(), theme_.WindowBrush(), message, wParam, lParam, result)) return result;
  return TWindowBase::HandleMessage(message, wParam, lParam);
}

// --- Keys before dispatch

bool TFormPeer::SwitchPageByKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0)
    return false;
  if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
  // The page control around the focus, or else the window's first one.
  TPageControlPeer* chosen = nullptr;
  for (const auto& peer : peers_) {
    auto* pages = dynamic_cast<TPageControlPeer*>(peer.get());
    if (pages == nullptr) continue;
    if (chosen == nullptr) chosen = pages;
    if (IsChild(pages->Handle(), msg.hwnd)) {
      chosen = pages;
      break;
    }
  }
  if (chosen == nullptr || !IsWindowEnabled(chosen->Handle())) return false;
  chosen->StepPage(GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
  return true;
}

bool TFormPeer::PreTranslateMessage(MSG& msg) {
  if (Handle() == nullptr) return false;
  if (GuardedCall(&form_, 0, [&] { return LRESULT{SwitchPageByKey(msg) ? 1 : 0}; }) != 0) return true;
  return IsDialogMessageW(Handle(), &msg) != FALSE;
}

// --- Message loops

int RunMessageLoop(TFormPeer& mainForm) {
  if (mainForm.Handle() == nullptr) return 0;
  mainForm.QuitWhenDestroyed();
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (mainForm.PreTranslateMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

void RunModal(ui::TForm& dialog, HWND owner, const std::function<bool()>& finished, const std::function<void()>& close,
              const TPalette& palette) {
  TFormPeerOptions options;
  options.Owner = owner;
  options.Palette = &palette;
  options.OnCloseRequest = close;
  TFormPeer peer(dialog, std::move(options));
  // The owner is enabled again before the dialog goes, so that it becomes the active window.
  struct TEnableOwner {
    HWND owner;
    bool wasEnabled;
    ~TEnableOwner() {
      if (owner != nullptr && wasEnabled) EnableWindow(owner, TRUE);
    }
  } enableOwner{owner, owner != nullptr && IsWindowEnabled(owner) != FALSE};
  if (owner != nullptr) EnableWindow(owner, FALSE);
  peer.Show();
  MSG msg{};
  while (peer.Handle() != nullptr && !finished()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));   // the program is ending: pass it on
      break;
    }
    if (got < 0) break;
    if (IsDialogMessageW(peer.Handle(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

int ShowModal(ui::TForm& dialogModel, HWND owner) {
  dialogModel.ModalResult = ui::mrNone;
  RunModal(
      dialogModel, owner, [&] { return dialogModel.ModalResult != ui::mrNone; },
      [&] { dialogModel.ModalResult = ui::mrCancel; });
  if (dialogModel.ModalResult == ui::mrNone) dialogModel.ModalResult = ui::mrCancel;
  return dialogModel.ModalResult;
}

}  // namespace kav::ui::win32
