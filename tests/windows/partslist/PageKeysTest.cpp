// Ctrl+Tab and Ctrl+Shift+Tab switch the main window's pages from anywhere, the grids and the
// cell editor included, as the program's message loop delivers them.
#include "tests/native/partslist/GridText.h"
#include "tests/windows/partslist/MainWindowHost.h"

namespace kav::test {
namespace {

using partslist::test::Rows;
using partslist::test::TTable;

class PageKeys : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    WriteFile(PathOf("list.tsv"), "a\tb\r\nc\td\r\n");
    Start();
  }
  // Ctrl (and Shift) held while Tab is queued to `target` and delivered by the program's loop.
  void CtrlTab(HWND target, bool shift = false) {
    SetCtrl(true);
    if (shift) SetShift(true);
    PostMessageW(target, WM_KEYDOWN, VK_TAB, 1);
    PumpAsTheProgram();
    SetShift(false);
    SetCtrl(false);
  }
  static void SetShift(bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  }
};

TEST_F(PageKeys, CtrlTabAndCtrlShiftTabStepThroughThePagesFromTheGrid) {
  ASSERT_EQ(form->PageControl1.ActivePageIndex(), app::kWorkAreaPage);
  const HWND workGrid = GridWindow(form->StringGrid1);
  SetFocus(workGrid);
  form->Edit9.SetText("3");
  CtrlTab(workGrid);
  EXPECT_EQ(form->PageControl1.ActivePageIndex(), app::kSettingsPage);
  // The user's choice: the page's change handler ran and derived the ranges from Edit9.
  EXPECT_EQ(form->Edit8.Text(), "15.0");
  // The focus went with the page, not to a hidden control.
  const HWND focus = GetFocus();
  ASSERT_NE(focus, nullptr);
  EXPECT_TRUE(IsWindowVisible(focus));

  CtrlTab(focus);   // round the end: the first page
  EXPECT_EQ(form->PageControl1.ActivePageIndex(), app::kFilePage);
  CtrlTab(GetFocus(), true);
  EXPECT_EQ(form->PageControl1.ActivePageIndex(), app::kSettingsPage);
  CtrlTab(GetFocus(), true);
  EXPECT_EQ(form->PageControl1.ActivePageIndex(), app::kWorkAreaPage);
  // Ctrl+Tab is no grid key: the cells stay as they were.
  EXPECT_EQ(Rows(form->StringGrid1), (TTable{{"a", "b"}, {"c", "d"}}));
  EXPECT_TRUE(messages.Errors.empty());
}

TEST_F(PageKeys, CtrlTabFromTheCellEditorKeepsWhatWasTyped) {
  form->PageControl1.UserSelectPage(app::kFilePage);
  Pump();
  const HWND fileGrid = GridWindow(form->StringGrid2);
  ASSERT_NE(fileGrid, nullptr);
  form->StringGrid2.SetCol(0);
  SetFocus(fileGrid);
  SendMessageW(fileGrid, WM_CHAR, L'新', 1);
  ASSERT_TRUE(form->StringGrid2.Editing());
  const HWND editor = GetFocus();
  ASSERT_NE(editor, fileGrid);

  CtrlTab(editor);
  EXPECT_EQ(form->PageControl1.ActivePageIndex(), app::kWorkAreaPage);
  EXPECT_FALSE(form->StringGrid2.Editing());
  EXPECT_EQ(form->StringGrid2.Cell(0, 1), "新");
  // Tab alone still moves the focus between controls, as the dialog keys do.
  const HWND before = GetFocus();
  PostMessageW(before, WM_KEYDOWN, VK_TAB, 1);
  PumpAsTheProgram();
  EXPECT_NE(GetFocus(), before);
  EXPECT_EQ(form->PageControl1.ActivePageIndex(), app::kWorkAreaPage);
}

}  // namespace
}  // namespace kav::test
