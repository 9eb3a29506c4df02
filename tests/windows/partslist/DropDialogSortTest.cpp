// Files dropped on the main window on each page, the open and save dialogs of Windows driven
// by the test, and the sort in the collation of the user's locale.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <map>
#include <thread>
#include <vector>

#include "platform/Text.h"
#include "tests/support/win32/DropFiles.h"
#include "tests/native/partslist/GridText.h"
#include "tests/windows/partslist/MainWindowHost.h"

namespace kav::test {
namespace {

using partslist::test::Fill;
using partslist::test::Rows;
using partslist::test::TTable;

using kav::test::MakeDrop;

class MainWindowFiles : public MainWindowTest {};

TEST_F(MainWindowFiles, ADropOnTheWorkAreaPageShowsTheFileAndOnOtherPagesFillsTheFileGrid) {
  WriteFile(PathOf("listed.tsv"), "listed\r\n");
  Start();
  EXPECT_TRUE(GetWindowLongPtrW(peer->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  const std::string dropped = PathOf("ボルト一覧.tsv");
  const std::string other = PathOf("other.csv");
  WriteFile(dropped, "\x95\x69\x96\xBC\t\x90\x94\x97\xCA\r\n\x83\x7B\x83\x8B\x83\x67\t4\r\n");   // code page 932
  WriteFile(other, "a,b\r\n");
  SendMessageW(peer->Handle(), WM_DROPFILES,
               reinterpret_cast<WPARAM>(MakeDrop({Utf8ToWide(dropped), Utf8ToWide(other)})), 0);
  EXPECT_EQ(Rows(form->StringGrid1), (TTable{{"品名", "数量"}, {"ボルト", "4"}}));
  wchar_t caption[256] = {};
  GetWindowTextW(peer->Handle(), caption, 256);
  EXPECT_EQ(std::wstring(caption), L"KAVEROLIN 2.18 [ ボルト一覧.tsv ]");
  EXPECT_EQ(form->ComboBox1.Text(), "listed.tsv");

  form->PageControl1.UserSelectPage(app::kSettingsPage);
  SendMessageW(peer->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({Utf8ToWide(other)})), 0);
  EXPECT_EQ(form->PageControl1.ActivePageIndex(), app::kSettingsPage);
  EXPECT_EQ(Rows(form->StringGrid2), (TTable{{"a", "b"}}));
  EXPECT_EQ(Rows(form->StringGrid1), (TTable{{"品名", "数量"}, {"ボルト", "4"}}));
  EXPECT_TRUE(messages.Errors.empty());
}

TEST_F(MainWindowFiles, SortFollowsTheLocaleIgnoringCase) {
  Start();
  Fill(form->StringGrid2, {{"b", "1"}, {"A", "2"}, {"a", "3"}, {"B", "4"}, {"item10", "5"}, {"Item2", "6"}});
  form->StringGrid2.SetSelection({0, 1, 0, 1});
  form->N7.OnClick();
  const TTable rows = Rows(form->StringGrid2);
  std::vector<std::string> firsts;
  for (const auto& row : rows) firsts.push_back(row[0]);
  // A and a in either order, then b and B, then the items as text (not as numbers).
  EXPECT_EQ(firsts[0] == "A" || firsts[0] == "a", true);
  EXPECT_EQ(firsts[2] == "b" || firsts[2] == "B", true);
  EXPECT_EQ(firsts[3] == "b" || firsts[3] == "B", true);
  EXPECT_EQ(firsts[4], "item10");
  EXPECT_EQ(firsts[5], "Item2");
  const std::map<std::string, std::string> second{{"b", "1"}, {"A", "2"}, {"a", "3"}, {"B", "4"}, {"item10", "5"}, {"Item2", "6"}};
  for (const auto& row : rows) EXPECT_EQ(row[1], second.at(row[0])) << row[0];   // rows moved whole
}

// Answers the next file dialog of this process: types `path` into it and presses OK.
class TDialogAnswerer {
 public:
  explicit TDialogAnswerer(std::wstring path) : path_(std::move(path)) {
    thread_ = std::thread([this] {
      for (int i = 0; i < 300 && !done_; ++i) {
        Sleep(100);
        HWND dialog = FindDialog();
        if (dialog == nullptr) continue;
        Sleep(300);   // let it finish its start
        for (int id : {1148 /* cmb13 */, 1152 /* edt1 */})
          if (HWND box = GetDlgItem(dialog, id)) SetWindowTextW(box, path_.c_str());
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        done_ = true;
      }
    });
  }
  ~TDialogAnswerer() {
    done_ = true;
    thread_.join();
  }

 private:
  static HWND FindDialog() {
    struct TSearch { DWORD Process; HWND Found; } search{GetCurrentProcessId(), nullptr};
    EnumWindows([](HWND window, LPARAM p) -> BOOL {
      auto* s = reinterpret_cast<TSearch*>(p);
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      wchar_t name[32] = {};
      GetClassNameW(window, name, 32);
      if (process == s->Process && std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
        s->Found = window;
        return FALSE;
      }
      return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.Found;
  }
  std::wstring path_;
  volatile bool done_ = false;
  std::thread thread_;
};

TEST_F(MainWindowFiles, TheWindowsDialogsOpenAnImportAndSaveItAsANewList) {
  const std::string source = PathOf("import.csv");
  WriteFile(source, "品名,数量\r\n\"ボルト, M6\",4\r\n");
  Start(true);
  form->PageControl1.UserSelectPage(app::kFilePage);
  {
    TDialogAnswerer answer(Utf8ToWide(source));
    form->SpeedButton1.UserClick();
  }
  ASSERT_EQ(Rows(form->StringGrid2), (TTable{{"品名", "数量"}, {"ボルト, M6", "4"}}));
  form->StringGrid2.SetSelection({0, 1, 1, 2});
  const std::string saved = PathOf("new.tsv");
  {
    TDialogAnswerer answer(Utf8ToWide(saved));
    form->SpeedButton5.UserClick();
  }
  EXPECT_EQ(ReadFile(saved), "\x95\x69\x96\xBC\t\x90\x94\x97\xCA\r\n\x83\x7B\x83\x8B\x83\x67, M6\t4\r\n");
  EXPECT_EQ(form->ComboBox1.Items.All(), (std::vector<std::string>{"new.tsv"}));
  EXPECT_TRUE(messages.Errors.empty());
}

}  // namespace
}  // namespace kav::test
