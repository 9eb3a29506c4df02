// Delete and Ctrl+C/X/V/A/Z delivered as key messages to both grid windows and to the
// in-place editor, through the real clipboard; the copy button while another program holds
// the clipboard.
#include <thread>

#include "partslist/ClipboardTable.h"
#include "tests/native/partslist/GridText.h"
#include "tests/windows/partslist/MainWindowHost.h"

namespace kav::test {
namespace {

using partslist::test::Fill;
using partslist::test::Rows;
using partslist::test::TTable;

class GridKeyMessages : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Start();
    Fill(form->StringGrid2, {{"品名", "数量", "備考"}, {"ボルト", "4", "M6"}, {"ナット", "8", ""}});
    Fill(form->StringGrid1, {{"a", "b"}, {"c", "d"}});
  }
};

TEST_F(GridKeyMessages, CopyInTheFileGridPasteInTheWorkAreaGridAndUndo) {
  HWND fileGrid = GridWindow(form->StringGrid2), workGrid = GridWindow(form->StringGrid1);
  ASSERT_NE(fileGrid, nullptr);
  ASSERT_NE(workGrid, nullptr);
  form->StringGrid2.SetSelection({0, 1, 1, 2});
  KeyDown(fileGrid, 'C', true);
  EXPECT_EQ(ClipboardText(), L"品名\t数量\r\nボルト\t4\r\n");

  form->PageControl1.UserSelectPage(app::kWorkAreaPage);
  form->StringGrid1.SetSelection({1, 2, 1, 2});
  KeyDown(workGrid, 'V', true);
  EXPECT_EQ(Rows(form->StringGrid1), (TTable{{"a", "b", ""}, {"c", "品名", "数量"}, {"", "ボルト", "4"}, {"", "", ""}}));
  EXPECT_EQ(form->StringGrid1.Cell(2, 0), "3");
  EXPECT_EQ(form->UndoCount1, 4);
  KeyDown(workGrid, 'Z', true);
  EXPECT_EQ(Rows(form->StringGrid1), (TTable{{"a", "b", ""}, {"c", "d", ""}, {"", "", ""}, {"", "", ""}}));
  EXPECT_EQ(form->StringGrid1.Selection(), (ui::TGridRect{1, 2, 1, 2}));
  // Without Ctrl the letters are no commands.
  KeyDown(workGrid, 'V');
  EXPECT_EQ(form->StringGrid1.Cell(1, 2), "d");
}

TEST_F(GridKeyMessages, CutDeleteAndSelectAllInTheFileGrid) {
  HWND fileGrid = GridWindow(form->StringGrid2);
  form->StringGrid2.SetSelection({1, 2, 2, 3});
  KeyDown(fileGrid, 'X', true);
  EXPECT_EQ(ClipboardText(), L"4\tM6\r\n8\t\r\n");
  EXPECT_EQ(Rows(form->StringGrid2), (TTable{{"品名", "数量", "備考"}, {"ボルト", "", ""}, {"ナット", "", ""}}));
  KeyDown(fileGrid, 'A', true);
  EXPECT_EQ(form->StringGrid2.Selection(), (ui::TGridRect{0, 1, 2, 3}));
  KeyDown(fileGrid, VK_DELETE);
  EXPECT_EQ(Rows(form->StringGrid2), (TTable{{"", "", ""}, {"", "", ""}, {"", "", ""}}));
  KeyDown(fileGrid, 'Z', true);   // takes back the Delete
  KeyDown(fileGrid, 'Z', true);   // only the selection: the cut is not undone by a second press
  EXPECT_EQ(Rows(form->StringGrid2), (TTable{{"品名", "数量", "備考"}, {"ボルト", "", ""}, {"ナット", "", ""}}));
}

TEST_F(GridKeyMessages, TextFromAnotherProgramPastesUntrimmed) {
  PutClipboardText(L" 六角ボルト \tM8\r\n平座金\r\n");
  EXPECT_EQ(form->ClipboardTableSize(), (partslist::TTableSize{2, 2}));
  form->StringGrid2.SetSelection({2, 3, 2, 3});
  KeyDown(GridWindow(form->StringGrid2), 'V', true);
  EXPECT_EQ(form->StringGrid2.ColCount(), 4);
  EXPECT_EQ(form->StringGrid2.Cell(2, 3), " 六角ボルト ");
  EXPECT_EQ(form->StringGrid2.Cell(3, 3), "M8");
  EXPECT_EQ(form->StringGrid2.Cell(2, 4), "平座金");
  EXPECT_EQ(form->StringGrid2.Cell(3, 0), "4");
}

TEST_F(GridKeyMessages, CommandsReachTheFormWhileACellIsEditedInPlace) {
  form->PageControl1.UserSelectPage(app::kFilePage);
  Pump();
  HWND fileGrid = GridWindow(form->StringGrid2);
  form->StringGrid2.SetSelection({1, 2, 1, 2});
  KeyDown(fileGrid, VK_F2);
  ASSERT_TRUE(form->StringGrid2.Editing());
  EXPECT_EQ(form->UndoCells2->Count(), 1);   // the cell was recorded as editing began
  HWND editor = GetWindow(fileGrid, GW_CHILD);
  ASSERT_NE(editor, nullptr);
  PutClipboardText(L"x\ty\r\n");
  KeyDown(editor, 'V', true);
  EXPECT_EQ(form->StringGrid2.Cell(1, 2), "x");
  EXPECT_EQ(form->StringGrid2.Cell(2, 2), "y");
  wchar_t text[64] = {};
  GetWindowTextW(editor, text, 64);
  EXPECT_EQ(std::wstring(text).find(L"x\ty"), std::wstring::npos);   // the editor did not paste as well
  KeyDown(editor, 'Z', true);
  EXPECT_EQ(form->StringGrid2.Cell(2, 2), "M6");
}

// Holds the clipboard open from a window of another thread, as a busy program would.
class TClipboardHolder {
 public:
  explicit TClipboardHolder(DWORD holdMs) {
    thread_ = std::thread([this, holdMs] {
      HWND window = CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
      opened_ = OpenClipboard(window) != FALSE;
      SetEvent(ready_);
      Sleep(holdMs);
      if (opened_) CloseClipboard();
      DestroyWindow(window);
    });
    WaitForSingleObject(ready_, 10000);
  }
  ~TClipboardHolder() {
    thread_.join();
    CloseHandle(ready_);
  }
  bool Opened() const { return opened_; }

 private:
  HANDLE ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  bool opened_ = false;
  std::thread thread_;
};

TEST_F(GridKeyMessages, CopyButtonWaitsForABusyClipboardAndGivesUpAfterTenAttempts) {
  form->StringGrid2.SetSelection({0, 1, 0, 2});
  {
    TClipboardHolder holder(700);   // released during the retries
    ASSERT_TRUE(holder.Opened());
    form->SpeedButton3.UserClick();
  }
  EXPECT_EQ(ClipboardText(), L"品名\r\nボルト\r\n");
  EXPECT_TRUE(messages.Shown.empty());
  const DWORD start = GetTickCount();
  {
    TClipboardHolder holder(4000);
    form->SpeedButton3.UserClick();
  }
  EXPECT_GE(GetTickCount() - start, 2000u);   // nine waits of 250 ms
  EXPECT_EQ(messages.Shown, (std::vector<std::string>{"クリップボードへのコピーに失敗しました．"}));
}

}  // namespace
}  // namespace kav::test
