// The form peer: window frame and size, caption, place, topmost and minimised state both
// ways, file drops with long paths, anchoring on resize, tab order, hints made into tooltips at
// the first mouse move, errors that escape handlers, and modal dialogs.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "PeerTestSupport.h"
#include "platform/Text.h"
#include "tests/support/win32/DropFiles.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Menu.h"
#include "ui/StringGrid.h"
#include "ui/win32/FormPeer.h"

namespace kav::ui::win32 {
namespace {

using test::HasExStyle;
using test::HasStyle;
using test::Pump;

struct TMainForm : ui::TForm {
  TMainForm() : ui::TForm("MainForm") {
    ClientWidth = 641;
    ClientHeight = 369;
    SetCaption("MOLBREX");
    First.Bounds = {8, 8, 80, 25};
    First.Hint = "最初";
    Stretch.Bounds = {100, 8, 400, 21};
    Stretch.Anchors = ui::akLeft | ui::akTop | ui::akRight;
    Stretch.Hint = "伸びる";
    Corner.Bounds = {550, 330, 80, 25};
    Corner.Anchors = ui::akRight | ui::akBottom;
    Fixed.Bounds = {8, 330, 60, 20};
    Box.Bounds = {8, 40, 300, 280};
    Box.Anchors = ui::akLeft | ui::akTop | ui::akBottom;
    Inner.Bounds = {8, 8, 200, 21};
    Inner.Anchors = ui::akLeft | ui::akTop | ui::akRight;
    Grid.Bounds = {320, 40, 300, 280};
    Grid.Anchors = ui::akLeft | ui::akTop | ui::akRight | ui::akBottom;
    Add(First);
    Add(Stretch);
    Add(Corner);
    Add(Fixed);
    Add(Box);
    Box.Add(Inner);
    Add(Grid);
    OnError = [this](const std::string& text) { Errors.push_back(text); };
  }
  ui::TButton First{"First", "最初"};
  ui::TEdit Stretch{"Stretch"};
  ui::TButton Corner{"Corner", "隅"};
  ui::TEdit Fixed{"Fixed"};
  ui::TGroupBox Box{"Box", "枠"};
  ui::TEdit Inner{"Inner"};
  ui::TStringGrid Grid{"Grid"};
  std::vector<std::string> Errors;
};

TEST(FormPeer, WindowHasTheDesignedClientAreaAndFrameAndWritesItsSizeBack) {
  TMainForm form;
  TFormPeer peer(form);
  HWND window = peer.Handle();
  const SIZE client = test::ClientSizeOf(window);
  EXPECT_EQ(client.cx, peer.Theme().Scale(641));
  EXPECT_EQ(client.cy, peer.Theme().Scale(369));
  EXPECT_TRUE(HasStyle(window, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME));
  EXPECT_FALSE(HasStyle(window, WS_MAXIMIZEBOX));
  EXPECT_TRUE(HasExStyle(window, WS_EX_APPWINDOW));
  EXPECT_EQ(test::TextOf(window), "MOLBREX");

  RECT frame{};
  GetWindowRect(window, &frame);
  EXPECT_EQ(form.Width(), frame.right - frame.left);
  EXPECT_EQ(form.Height(), frame.bottom - frame.top);
  EXPECT_GT(form.Width(), client.cx);

  form.SetCaption("KAVEROLIN 2.18 [ BricsCAD ]");
  EXPECT_EQ(test::TextOf(window), "KAVEROLIN 2.18 [ BricsCAD ]");
}

TEST(FormPeer, EverythingIsScaledFromDesignPixelsToTheScreensDpi) {
  TMainForm form;
  TFormPeerOptions options;
  options.Dpi = 144;
  TFormPeer peer(form, std::move(options));
  const SIZE client = test::ClientSizeOf(peer.Handle());
  EXPECT_EQ(client.cx, MulDiv(641, 3, 2));
  EXPECT_EQ(client.cy, MulDiv(369, 3, 2));
  const RECT stretch = test::RectInParent(peer.HandleOf(form.Stretch));
  EXPECT_EQ(stretch.left, 150);
  EXPECT_EQ(stretch.top, 12);
  EXPECT_EQ(stretch.right - stretch.left, 600);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(peer.HandleOf(form.Stretch), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -MulDiv(11, 3, 2));
  EXPECT_EQ(WideToUtf8(font.lfFaceName), "Tahoma");

  // Anchors work in screen pixels at any scale.
  const RECT corner = test::RectInParent(peer.HandleOf(form.Corner));
  RECT frame{};
  GetWindowRect(peer.Handle(), &frame);
  SetWindowPos(peer.Handle(), nullptr, 0, 0, frame.right - frame.left + 30, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(test::RectInParent(peer.HandleOf(form.Corner)).left, corner.left + 30);
}

TEST(FormPeer, DialogFrameIsFixedWhenTheFormIsNotSizeable) {
  TMainForm form;
  form.Sizeable = false;
  TFormPeer peer(form);
  EXPECT_FALSE(HasStyle(peer.Handle(), WS_THICKFRAME));
  EXPECT_FALSE(HasStyle(peer.Handle(), WS_MINIMIZEBOX));
}

TEST(FormPeer, PlaceTopmostAndMinimisedStateFollowTheModelAndTheWindow) {
  TMainForm form;
  TFormPeer peer(form);
  peer.Show();
  HWND window = peer.Handle();

  form.SetLeft(120);
  form.SetTop(90);
  RECT r{};
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 120);
  EXPECT_EQ(r.top, 90);
  // Moved by the user: the model keeps the new place.
  SetWindowPos(window, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(form.Left(), 200);
  EXPECT_EQ(form.Top(), 150);

  form.SetTopmost(true);
  EXPECT_TRUE(HasExStyle(window, WS_EX_TOPMOST));
  form.SetTopmost(false);
  EXPECT_FALSE(HasExStyle(window, WS_EX_TOPMOST));

  form.SetWindowState(ui::TWindowState::Minimized);
  EXPECT_TRUE(IsIconic(window));
  EXPECT_EQ(form.Left(), 200);   // the minimised place is not taken as the window's place
  form.SetWindowState(ui::TWindowState::Normal);
  EXPECT_FALSE(IsIconic(window));
  ShowWindow(window, SW_MINIMIZE);
  EXPECT_EQ(form.WindowState(), ui::TWindowState::Minimized);
  ShowWindow(window, SW_RESTORE);
  EXPECT_EQ(form.WindowState(), ui::TWindowState::Normal);
}

using kav::test::MakeDrop;

TEST(FormPeer, DroppedFileArrivesWithItsWholeLongPathAndOnlyTheFirstCounts) {
  TMainForm form;
  std::vector<std::string> dropped;
  form.OnDropFile = [&](const std::string& path) { dropped.push_back(path); };
  TFormPeer peer(form);
  form.SetAcceptFiles(true);
  EXPECT_TRUE(HasExStyle(peer.Handle(), WS_EX_ACCEPTFILES));

  std::wstring longPath = L"C:\\部品リスト\\";
  while (longPath.size() < 296) longPath += L"サブフォルダ\\";
  longPath.resize(296);
  longPath += L".tsv";
  ASSERT_EQ(longPath.size(), 300u);
  SendMessageW(peer.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({longPath, L"C:\\b.tsv"})), 0);
  ASSERT_EQ(dropped.size(), 1u);
  EXPECT_EQ(dropped[0], WideToUtf8(longPath));

  // An empty drop is released without a call.
  SendMessageW(peer.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({})), 0);
  EXPECT_EQ(dropped.size(), 1u);

  form.SetAcceptFiles(false);
  EXPECT_FALSE(HasExStyle(peer.Handle(), WS_EX_ACCEPTFILES));
}

TEST(FormPeer, AnchoredChildrenMoveAndStretchWhenTheWindowIsResized) {
  TMainForm form;
  TFormPeer peer(form);
  HWND stretch = peer.HandleOf(form.Stretch), corner = peer.HandleOf(form.Corner), fixed = peer.HandleOf(form.Fixed);
  HWND box = peer.HandleOf(form.Box), inner = peer.HandleOf(form.Inner), grid = peer.HandleOf(form.Grid);
  ASSERT_NE(grid, nullptr);
  const RECT s0 = test::RectInParent(stretch), c0 = test::RectInParent(corner), f0 = test::RectInParent(fixed);
  const RECT b0 = test::RectInParent(box), i0 = test::RectInParent(inner), g0 = test::RectInParent(grid);

  RECT frame{};
  GetWindowRect(peer.Handle(), &frame);
  SetWindowPos(peer.Handle(), nullptr, 0, 0, frame.right - frame.left + 100, frame.bottom - frame.top + 50,
               SWP_NOMOVE | SWP_NOZORDER);
  const RECT s1 = test::RectInParent(stretch), c1 = test::RectInParent(corner), f1 = test::RectInParent(fixed);
  const RECT b1 = test::RectInParent(box), i1 = test::RectInParent(inner), g1 = test::RectInParent(grid);

  EXPECT_EQ(s1.left, s0.left);
  EXPECT_EQ(s1.right, s0.right + 100);
  EXPECT_EQ(c1.left, c0.left + 100);
  EXPECT_EQ(c1.top, c0.top + 50);
  EXPECT_EQ(c1.right - c1.left, c0.right - c0.left);
  EXPECT_TRUE(EqualRect(&f1, &f0));
  EXPECT_EQ(b1.bottom, b0.bottom + 50);   // the group box grows downwards only
  EXPECT_EQ(b1.right, b0.right);
  EXPECT_TRUE(EqualRect(&i1, &i0));       // ... so its child, anchored right, keeps its size
  EXPECT_EQ(g1.right, g0.right + 100);
  EXPECT_EQ(g1.bottom, g0.bottom + 50);
  EXPECT_EQ(form.Width(), frame.right - frame.left + 100);
}

TEST(FormPeer, TabOrderFollowsTheModel) {
  TMainForm form;
  TFormPeer peer(form);
  HWND first = peer.HandleOf(form.First);
  EXPECT_EQ(GetNextDlgTabItem(peer.Handle(), first, FALSE), peer.HandleOf(form.Stretch));
  EXPECT_EQ(GetNextDlgTabItem(peer.Handle(), peer.HandleOf(form.Stretch), FALSE), peer.HandleOf(form.Corner));
  EXPECT_TRUE(HasExStyle(peer.HandleOf(form.Box), WS_EX_CONTROLPARENT));
}

// The text the tooltip control shows over `tool`.
std::string TipOf(HWND tip, HWND tool) {
  wchar_t text[80] = {};
  TOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = GetParent(tool);
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
  return WideToUtf8(text);
}

TEST(FormPeer, HintsBecomeTooltipsWhenTheMouseFirstComesOverTheForm) {
  TMainForm form;
  form.Inner.Hint = "内側";
  TFormPeer peer(form);
  peer.Show();
  Pump();
  // No tooltip window at start: the hints wait for the mouse.
  EXPECT_EQ(peer.Tips().Handle(), nullptr);
  EXPECT_EQ(peer.Tips().Count(), 3);
  // The mouse moving over a control inside the group box: the control asks its parents for the
  // cursor, the form among them, before the move reaches the control.
  SendMessageW(peer.HandleOf(form.Inner), WM_SETCURSOR, reinterpret_cast<WPARAM>(peer.HandleOf(form.Inner)),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  const HWND tip = peer.Tips().Handle();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 3);
  EXPECT_EQ(TipOf(tip, peer.HandleOf(form.First)), "最初");
  EXPECT_EQ(TipOf(tip, peer.HandleOf(form.Stretch)), "伸びる");
  EXPECT_EQ(TipOf(tip, peer.HandleOf(form.Inner)), "内側");
  EXPECT_EQ(TipOf(tip, peer.HandleOf(form.Corner)), "");   // no hint, no tool
  // A second move makes no second window.
  SendMessageW(peer.HandleOf(form.First), WM_SETCURSOR, reinterpret_cast<WPARAM>(peer.HandleOf(form.First)),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(peer.Tips().Handle(), tip);
}

TEST(FormPeer, ErrorsEscapingHandlersAreShownAndTheWindowGoesOn) {
  TMainForm form;
  int clicks = 0;
  form.First.OnClick = [&] {
    ++clicks;
    if (clicks == 1) throw std::runtime_error("ファイルが開けません");
    if (clicks == 2) throw 42;   // not even a std::exception
  };
  TFormPeer peer(form);
  HWND button = peer.HandleOf(form.First);
  SendMessageW(button, BM_CLICK, 0, 0);
  SendMessageW(button, BM_CLICK, 0, 0);
  SendMessageW(button, BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(clicks, 3);
  ASSERT_EQ(form.Errors.size(), 2u);
  EXPECT_EQ(form.Errors[0], "ファイルが開けません");
  EXPECT_FALSE(form.Errors[1].empty());
  EXPECT_TRUE(IsWindow(peer.Handle()));
}

TEST(FormPeer, ErrorsAreStoppedInContainersAndInSubclassedControlsToo) {
  TMainForm form;
  form.Inner.OnChange = [] { throw 7; };            // reaches the group box's window procedure
  form.Stretch.OnKeyPress = [](char32_t&) { throw 8; };   // reaches the edit box's own procedure
  TFormPeer peer(form);
  SetWindowTextW(peer.HandleOf(form.Inner), L"x");
  SendMessageW(peer.HandleOf(form.Stretch), WM_CHAR, L'a', 0);
  Pump();
  EXPECT_EQ(form.Errors.size(), 2u);
  EXPECT_EQ(form.Inner.Text(), "x");   // the model took the text before its handler failed
  EXPECT_TRUE(IsWindow(peer.HandleOf(form.Inner)));

  // The grid window and its cell editor: failures of any type are shown, not swallowed.
  form.Grid.AllowEditing = true;
  HWND grid = peer.HandleOf(form.Grid);
  form.Grid.OnKeyDown = [](ui::TKey& key, ui::TShiftState) {
    if (key == VK_F3) throw 9;
  };
  SendMessageW(grid, WM_KEYDOWN, VK_F3, 0);
  ASSERT_EQ(form.Errors.size(), 3u);
  SendMessageW(grid, WM_KEYDOWN, VK_F2, 0);   // the editor opens
  HWND editor = GetFocus();
  ASSERT_NE(editor, grid);
  ASSERT_TRUE(IsChild(grid, editor));
  form.Grid.OnKeyDown = [](ui::TKey&, ui::TShiftState) { throw std::logic_error("編集中の失敗"); };
  SendMessageW(editor, WM_KEYDOWN, 'A', 0);
  ASSERT_EQ(form.Errors.size(), 4u);
  EXPECT_EQ(form.Errors[3], "編集中の失敗");
  EXPECT_TRUE(IsWindow(editor));
}

TEST(FormPeer, DestroyingTheWindowRunsOnDestroyWhileTheModelStays) {
  TMainForm form;
  bool destroyed = false;
  {
    TFormPeer peer(form);
    peer.OnDestroy = [&] { destroyed = IsWindow(peer.HandleOf(form.First)) != FALSE; };
    SendMessageW(peer.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(peer.Handle(), nullptr);
  }
  EXPECT_TRUE(destroyed);   // the children still existed when it ran
  // The model no longer talks to a peer.
  form.SetCaption("after");
  form.Stretch.SetText("after");
  EXPECT_FALSE(form.OnModelChange);
  EXPECT_FALSE(form.Stretch.OnModelChange);
}

TEST(FormPeer, RightClickOnTheGridOpensItsPopupMenuAndTheChosenEntryRuns) {
  TMainForm form;
  ui::TPopupMenu menu("PopupMenu1");
  ui::TMenuItem sort("N5", "ソート"), line("N13", "-"), append("N12", "最終行に空白行を追加");
  menu.Add(sort);
  menu.Add(line);
  menu.Add(append);
  int sorted = 0, appended = 0;
  sort.OnClick = [&] { ++sorted; };
  append.OnClick = [&] { ++appended; };
  form.Grid.PopupMenu = &menu;
  TFormPeer peer(form);
  peer.Show();
  HWND grid = peer.HandleOf(form.Grid);
  POINT at{40, 40};
  ClientToScreen(grid, &at);
  // The menu's own loop reads the keys waiting in the queue: down twice (the separator is
  // skipped), then Enter.
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(peer.Handle(), WM_KEYDOWN, key, 0);
  SendMessageW(grid, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(grid), MAKELPARAM(at.x, at.y));
  Pump();
  EXPECT_EQ(sorted, 0);
  EXPECT_EQ(appended, 1);
}

// --- Modal dialogs

struct TDialog : ui::TForm {
  TDialog() : ui::TForm("Dialog") {
    ClientWidth = 200;
    ClientHeight = 100;
    Sizeable = false;
    SetCaption("ターゲット CAD");
    Ok.Bounds = {10, 60, 80, 25};
    Ok.ModalResult = ui::mrOk;
    Cancel.Bounds = {100, 60, 80, 25};
    Cancel.ModalResult = ui::mrCancel;
    Add(Ok);
    Add(Cancel);
  }
  ui::TButton Ok{"Ok", "OK"};
  ui::TButton Cancel{"Cancel", "キャンセル"};
};

// What the timer does to the dialog once it shows.
enum class TDialogAction { ClickOk, Close, PressEscape };
TDialogAction gAction = TDialogAction::ClickOk;
bool gOwnerDisabledMeanwhile = false;
HWND gOwner = nullptr;

void CALLBACK ActOnDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowW(L"KaverolinForm", L"ターゲット CAD");
  if (dialog == nullptr || !IsWindowVisible(dialog)) return;
  KillTimer(nullptr, timer);
  gOwnerDisabledMeanwhile = gOwner != nullptr && !IsWindowEnabled(gOwner);
  switch (gAction) {
    case TDialogAction::ClickOk:
      PostMessageW(FindWindowExW(dialog, nullptr, L"Button", L"OK"), BM_CLICK, 0, 0);
      break;
    case TDialogAction::Close:
      PostMessageW(dialog, WM_CLOSE, 0, 0);
      break;
    case TDialogAction::PressEscape:
      PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
      break;
  }
}

int RunDialog(TDialogAction action, HWND owner) {
  TDialog dialog;
  gAction = action;
  gOwner = owner;
  gOwnerDisabledMeanwhile = false;
  SetTimer(nullptr, 0, 20, &ActOnDialog);
  return ShowModal(dialog, owner);
}

TEST(ModalDialog, OpensWhereItsPositionSays) {
  TMainForm mainForm;
  TFormPeer owner(mainForm);
  mainForm.SetLeft(10);
  mainForm.SetTop(20);
  RECT ownerRect{};
  GetWindowRect(owner.Handle(), &ownerRect);
  auto centre = [](const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; };
  auto atMiddle = [](POINT a, POINT b) { return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1; };

  TDialog overOwner;
  overOwner.Position = ui::TFormPosition::OwnerCenter;
  TFormPeer a(overOwner, TFormPeerOptions{owner.Handle(), &DarkPalette(), {}, 0});
  RECT r{};
  GetWindowRect(a.Handle(), &r);
  EXPECT_TRUE(atMiddle(centre(r), centre(ownerRect)));

  TDialog onScreen;
  onScreen.Position = ui::TFormPosition::ScreenCenter;
  TFormPeer b(onScreen, TFormPeerOptions{owner.Handle(), &DarkPalette(), {}, 0});
  GetWindowRect(b.Handle(), &r);
  EXPECT_TRUE(atMiddle(centre(r), POINT{GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2}));
  EXPECT_EQ(onScreen.Left(), r.left);   // the place is kept in the model

  TDialog designed;
  designed.SetLeft(33);
  designed.SetTop(44);
  TFormPeer c(designed, TFormPeerOptions{owner.Handle(), &DarkPalette(), {}, 0});
  GetWindowRect(c.Handle(), &r);
  EXPECT_EQ(r.left, 33);
  EXPECT_EQ(r.top, 44);
}

TEST(ModalDialog, ButtonCloseBoxAndEscapeEndItAndTheOwnerComesBack) {
  TMainForm mainForm;
  TFormPeer owner(mainForm);
  owner.Show();
  EXPECT_EQ(RunDialog(TDialogAction::ClickOk, owner.Handle()), ui::mrOk);
  EXPECT_TRUE(gOwnerDisabledMeanwhile);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_EQ(RunDialog(TDialogAction::Close, owner.Handle()), ui::mrCancel);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_EQ(RunDialog(TDialogAction::PressEscape, owner.Handle()), ui::mrCancel);
  EXPECT_EQ(FindWindowW(L"KaverolinForm", L"ターゲット CAD"), nullptr);   // gone after each run
}

}  // namespace
}  // namespace kav::ui::win32
