// The simulated CAD's window: its menus, the view of the drawing, painting and the title.
#include "simcad/com/DrawingView.h"

#include <cmath>

#include "platform/Text.h"
#include "simcad/SimHitTest.h"

namespace kav::sim::com {

using kav::TMemoryDc;
using kav::TPaintDc;
using kav::TSelectObject;

namespace {

constexpr wchar_t kClassName[] = L"KaverolinSimDrawing";
constexpr UINT kCommandFit = 101;
constexpr UINT kCommandUndo = 102;
constexpr UINT kCommandOpen = 103;
constexpr UINT kCommandSaveAs = 104;
constexpr UINT kCommandExit = 105;
constexpr double kFitMargin = 24;
constexpr char kDxfFilter[] = "DXF ファイル (*.dxf)|*.dxf|すべてのファイル (*.*)|*.*";

HMENU MakeMenu(bool files) {
  HMENU bar = CreateMenu();
  if (files) {
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kCommandOpen, L"開く(&O)...\tCtrl+O");
    AppendMenuW(file, MF_STRING, kCommandSaveAs, L"名前を付けて保存(&A)...");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kCommandExit, L"終了(&X)");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"ファイル(&F)");
  }
  HMENU edit = CreatePopupMenu();
  AppendMenuW(edit, MF_STRING, kCommandUndo, L"元に戻す(&U)\tCtrl+Z");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"編集(&E)");
  HMENU view = CreatePopupMenu();
  AppendMenuW(view, MF_STRING, kCommandFit, L"全体表示(&F)\tHome");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), L"表示(&V)");
  return bar;
}

}  // namespace

TDrawingView::TDrawingView(TSimState& state, bool hidden, TFileMenuServices files)
    : state_(state), files_(files), interaction_(state), hidden_(hidden) {
  CreateOwnWindow(kClassName, 0, WS_OVERLAPPEDWINDOW, RECT{20, 20, 20 + 900, 20 + 640}, nullptr, L"KaverolinSim");
  if (Handle() == nullptr) return;
  SetMenu(Handle(), MakeMenu(files_.Files != nullptr));   // the window owns the menu from here on
  const RECT area = DrawingArea();
  view_.Resize(area.right - area.left, area.bottom - area.top);
  FitView();
  UpdateTitle();
  if (!hidden) {
    state_.Interactive = this;
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  }
}

TDrawingView::~TDrawingView() {
  if (state_.Interactive == this) state_.Interactive = nullptr;
}

RECT TDrawingView::DrawingArea() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  client.bottom = std::max(client.top, client.bottom - strip_.Height());
  return client;
}

RECT TDrawingView::StripArea() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  client.top = std::max(client.top, client.bottom - strip_.Height());
  return client;
}

void TDrawingView::FitView() {
  view_.Fit(DrawingBounds(state_.Drawing), kFitMargin);
  fittedDrawing_ = state_.DrawingsOpened;
  ViewChanged();
}

void TDrawingView::ViewChanged() {
  sceneValid_ = false;
  if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
}

void TDrawingView::UpdateTitle() {
  const std::string title = state_.DocumentName + " - KaverolinSim";
  if (title == title_) return;
  title_ = title;
  SetWindowTextW(Handle(), Utf8ToWide(title).c_str());
}

void TDrawingView::Refresh() {
  if (Handle() == nullptr) return;
  UpdateTitle();
  // A drawing opened in place of another (from the menu, the command line or SimOpenDxf) is shown whole.
  if (state_.DrawingsOpened != fittedDrawing_) FitView();
  if (state_.Revision == shownRevision_) return;
  shownRevision_ = state_.Revision;
  InvalidateRect(Handle(), nullptr, FALSE);
}

std::string TDrawingView::Status() const {
  std::string status = std::to_string(state_.Drawing.TopLevel().size()) + " 個のオブジェクト";
  if (!state_.Selection.empty()) status += "  選択 " + std::to_string(state_.Selection.size());
  if (state_.PickWaiting || state_.PastePending || state_.Busy) status += "  実行中";
  return status;
}

void TDrawingView::Paint(HDC target) {
  RECT client{};
  GetClientRect(Handle(), &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  const RECT area = DrawingArea();
  const SIZE size{area.right - area.left, area.bottom - area.top};
  view_.Resize(size.cx, size.cy);

  // The scene: the drawing alone, rendered again only when it or the view changed.
  TMemoryDc sceneDc(CreateCompatibleDC(target));
  if (!scene_ || sceneSize_.cx != size.cx || sceneSize_.cy != size.cy) {
    scene_.Reset(CreateCompatibleBitmap(target, std::max<LONG>(size.cx, 1), std::max<LONG>(size.cy, 1)));
    sceneSize_ = size;
    sceneValid_ = false;
  }
  {
    TSelectObject sceneBitmap(sceneDc.Get(), scene_.Get());
    if (!sceneValid_ || sceneRevision_ != state_.Revision) {
      painter_.PaintScene(sceneDc.Get(), RECT{0, 0, size.cx, size.cy}, state_, view_, interaction_.Picked());
      sceneRevision_ = state_.Revision;
      sceneValid_ = true;
    }
    // The frame: scene, what the pick draws over it, and the command line; then one copy.
    TMemoryDc frameDc(CreateCompatibleDC(target));
    kav::TBitmapHandle frame(CreateCompatibleBitmap(target, client.right, client.bottom));
    TSelectObject frameBitmap(frameDc.Get(), frame.Get());
    BitBlt(frameDc.Get(), area.left, area.top, size.cx, size.cy, sceneDc.Get(), 0, 0, SRCCOPY);
    painter_.PaintOverlay(frameDc.Get(), area, state_.Drawing, view_, interaction_, pointerInside_);
    strip_.Paint(frameDc.Get(), StripArea(), state_.CommandLine, Status());
    BitBlt(target, 0, 0, client.right, client.bottom, frameDc.Get(), 0, 0, SRCCOPY);
  }
}

TPoint TDrawingView::PointerAt(LPARAM lParam) const {
  const RECT area = DrawingArea();
  const double x = static_cast<short>(LOWORD(lParam)) - area.left, y = static_cast<short>(HIWORD(lParam)) - area.top;
  return view_.ToDrawing(x, y);
}

double TDrawingView::Tolerance() const { return TDrawingPainter::kPickBoxHalf / view_.Scale(); }

bool TDrawingView::HandleViewMember(const std::string& upperName, std::span<cad::TArg> args, cad::Variant& result) {
  if (upperName == "SIMSCREENPOINT") {
    // Where a drawing point is on the screen now, for tests that click it: [x, y] in pixels.
    if (args.size() < 2) throw cad::TAutomationError(cad::kBadParamCount, "SimScreenPoint takes x and y");
    const RECT area = DrawingArea();
    const TScreenPoint p = view_.ToScreen(TPoint{args[0].Value.AsDouble(), args[1].Value.AsDouble(), 0});
    POINT screen{static_cast<LONG>(std::lround(p.X)) + area.left, static_cast<LONG>(std::lround(p.Y)) + area.top};
    ClientToScreen(Handle(), &screen);
    result = cad::DoubleArray{0, {static_cast<double>(screen.x), static_cast<double>(screen.y)}};
    return true;
  }
  if (upperName == "SIMFITVIEW") {
    FitView();
    return true;
  }
  return false;
}

bool TDrawingView::OpenFile(const std::string& path) {
  if (files_.Files == nullptr) return false;
  const bool opened = OpenDrawing(state_, *files_.Files, path, files_.Messages);
  if (opened) state_.CommandLine.Add("開く: " + state_.DocumentName);
  Refresh();
  return opened;
}

bool TDrawingView::SaveFile(const std::string& path) {
  if (files_.Files == nullptr) return false;
  const bool saved = SaveDrawing(state_, *files_.Files, path, files_.Messages);
  if (saved) state_.CommandLine.Add("保存: " + state_.DocumentName);
  Refresh();
  return saved;
}

void TDrawingView::OpenFromMenu() {
  if (files_.Dialogs == nullptr) return;
  if (state_.PickWaiting || state_.PastePending) {
    state_.CommandLine.Add("コマンドの実行中は図面を開けません。");
    InvalidateRect(Handle(), nullptr, FALSE);
    return;
  }
  // The dialog opens in the folder of the drawing open now.
  const TFileDialogOptions options{ExtractFilePath(state_.DocumentPath), kDxfFilter, "dxf", ""};
  if (const auto path = files_.Dialogs->OpenFile(options)) OpenFile(*path);
}

void TDrawingView::SaveFromMenu() {
  if (files_.Dialogs == nullptr) return;
  // The drawing's own name, as a DXF file; an existing file is only replaced when the user says so.
  const TFileDialogOptions options{ExtractFilePath(state_.DocumentPath), kDxfFilter, "dxf",
                                   ChangeFileExt(state_.DocumentName, ".dxf"), true};
  if (const auto path = files_.Dialogs->SaveFile(options)) SaveFile(*path);
}

LRESULT TDrawingView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleInput(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_PAINT: {
      TPaintDc dc(Handle());
      Paint(dc.Get());
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: {
      const RECT area = DrawingArea();
      view_.Resize(area.right - area.left, area.bottom - area.top);
      ViewChanged();
      return 0;
    }
    case WM_INITMENUPOPUP: {
      // A drawing is not replaced while a pick or a paste waits for the user.
      const bool waiting = state_.PickWaiting || state_.PastePending;
      EnableMenuItem(reinterpret_cast<HMENU>(wParam), kCommandOpen, MF_BYCOMMAND | (waiting ? MF_GRAYED : MF_ENABLED));
      return 0;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kCommandFit: FitView(); break;
        case kCommandUndo:
          if (UndoLastStep(state_)) ViewChanged();
          break;
        case kCommandOpen: OpenFromMenu(); break;
        case kCommandSaveAs: SaveFromMenu(); break;
        case kCommandExit: Close(); break;
        default: InvalidateRect(Handle(), nullptr, FALSE); break;
      }
      return 0;
    case WM_CLOSE: Close(); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return TWindowBase::HandleMessage(message, wParam, lParam);
  }
}

void TDrawingView::Close() {
  // A pick that waits is cancelled first: the client gets the cancel error from its call,
  // and the window closes once that call has returned.
  if (interaction_.Picking()) {
    closeAfterPick_ = true;
    interaction_.CancelPick();
    return;
  }
  FinishPaste(state_, std::nullopt);
  DestroyWindow(Handle());
}

}  // namespace kav::sim::com
