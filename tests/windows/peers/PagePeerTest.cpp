// The page control: tabs for the sheets, the user's tab choice reaching the model with its
// event, the program's choice showing the right sheet without one.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "PeerTestSupport.h"
#include "ui/Button.h"
#include "ui/PageControl.h"
#include "ui/win32/FormPeer.h"

namespace kav::ui::win32 {
namespace {

struct TPagesForm : ui::TForm {
  TPagesForm() : ui::TForm("PagesForm") {
    ClientWidth = 400;
    ClientHeight = 300;
    Pages.Bounds = {0, 0, 400, 300};
    Pages.Anchors = ui::akLeft | ui::akTop | ui::akRight | ui::akBottom;
    Add(Pages);
    Pages.AddPage(Sheet0);
    Pages.AddPage(Sheet1);
    Pages.AddPage(Sheet2);
    Button0.Bounds = Button1.Bounds = Button2.Bounds = {8, 8, 80, 25};
    Sheet0.Add(Button0);
    Sheet1.Add(Button1);
    Sheet2.Add(Button2);
    Pages.SetActivePageIndex(1);
  }
  ui::TPageControl Pages{"Pages"};
  ui::TTabSheet Sheet0{"Sheet0", "ファイル作成"}, Sheet1{"Sheet1", "作業エリア"}, Sheet2{"Sheet2", "設定"};
  ui::TButton Button0{"Button0", "0"}, Button1{"Button1", "1"}, Button2{"Button2", "2"};
};

class PagePeer : public ::testing::Test {
 protected:
  HWND TabsOf() { return GetWindow(peer.HandleOf(form.Pages), GW_CHILD); }
  bool Shown(const ui::TControl& sheet) {
    return test::HasStyle(peer.HandleOf(sheet), WS_VISIBLE);
  }
  TPagesForm form;
  TFormPeer peer{form};
};

TEST_F(PagePeer, TabsCarryTheSheetCaptionsAndOnlyTheActiveSheetShows) {
  HWND tabs = TabsOf();
  ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_FALSE(Shown(form.Sheet0));
  EXPECT_TRUE(Shown(form.Sheet1));
  EXPECT_FALSE(Shown(form.Sheet2));
  // The sheets lie below the tab strip.
  EXPECT_GE(test::RectInParent(peer.HandleOf(form.Sheet1)).top, test::RectInParent(tabs).bottom);
  // Controls sit inside their sheet.
  EXPECT_EQ(GetParent(peer.HandleOf(form.Button2)), peer.HandleOf(form.Sheet2));
}

TEST_F(PagePeer, UsersTabChoiceReachesTheModelWithItsEvent) {
  int changes = 0;
  form.Pages.OnChange = [&] { ++changes; };
  HWND tabs = TabsOf();
  SendMessageW(tabs, TCM_SETCURSEL, 2, 0);
  NMHDR header{tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(GetParent(tabs), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  EXPECT_EQ(form.Pages.ActivePageIndex(), 2);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(Shown(form.Sheet2));
  EXPECT_FALSE(Shown(form.Sheet1));
}

TEST_F(PagePeer, ProgramsPageChoiceShowsTheSheetWithoutAnEvent) {
  int changes = 0;
  form.Pages.OnChange = [&] { ++changes; };
  form.Pages.SetActivePageIndex(0);
  EXPECT_EQ(SendMessageW(TabsOf(), TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(Shown(form.Sheet0));
  EXPECT_FALSE(Shown(form.Sheet1));
  EXPECT_EQ(changes, 0);
}

TEST_F(PagePeer, SheetsFollowThePageControlWhenTheFormGrows) {
  HWND sheet = peer.HandleOf(form.Sheet1);
  const SIZE before = test::ClientSizeOf(sheet);
  RECT frame{};
  GetWindowRect(peer.Handle(), &frame);
  SetWindowPos(peer.Handle(), nullptr, 0, 0, frame.right - frame.left + 60, frame.bottom - frame.top + 40,
               SWP_NOMOVE | SWP_NOZORDER);
  const SIZE after = test::ClientSizeOf(sheet);
  EXPECT_EQ(after.cx, before.cx + 60);
  EXPECT_EQ(after.cy, before.cy + 40);
}

TEST_F(PagePeer, APageGetsItsWindowsWhenFirstShownAndAnchoredToItsSize) {
  // Not shown yet: no page has its controls' windows.
  HWND sheet2 = peer.HandleOf(form.Sheet2);
  EXPECT_EQ(GetWindow(sheet2, GW_CHILD), nullptr);
  RECT frame{};
  GetWindowRect(peer.Handle(), &frame);
  SetWindowPos(peer.Handle(), nullptr, 0, 0, frame.right - frame.left + 60, frame.bottom - frame.top + 40,
               SWP_NOMOVE | SWP_NOZORDER);
  peer.Show();
  EXPECT_NE(GetWindow(peer.HandleOf(form.Sheet1), GW_CHILD), nullptr);   // the active page
  EXPECT_EQ(GetWindow(sheet2, GW_CHILD), nullptr);
  form.Button2.Anchors = ui::akRight | ui::akTop;
  form.Pages.SetActivePageIndex(2);
  HWND button = GetWindow(sheet2, GW_CHILD);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button, peer.HandleOf(form.Button2));
  // Laid out for the page's present size: anchored right, it moved with the grown form.
  EXPECT_EQ(test::RectInParent(button).left, MulDiv(form.Button2.Bounds.Left, SystemDpi(), 96) + 60);
  // Asking for a control of an unshown page makes that page's windows.
  EXPECT_NE(peer.HandleOf(form.Button0), nullptr);
}

}  // namespace
}  // namespace kav::ui::win32
