// The main window's file-creation page: the import button, saving and appending parts-list
// files, the copy button, the popup entries and the keys of the file grid with cell undo.
#include <gtest/gtest.h>

#include "platform/TextFile.h"
#include "tests/native/app/FormFixture.h"
#include "tests/native/partslist/GridText.h"

namespace kav::test {
namespace {

using partslist::test::Fill;
using partslist::test::Rows;
using partslist::test::TTable;
namespace vk = ui::vk;

constexpr const char* kTooLittle = "選択データが少なすぎます。すべてを選択して保存しますか？";
constexpr const char* kOverwrite = "すでにファイルが存在します。上書きしますか？";

class FileGridTest : public ::testing::Test {
 protected:
  TFormFixture f;
  app::TForm88* form = nullptr;
  ui::TStringGrid* grid = nullptr;
  TFakeFileDialogs& dialogs() { return f.Platform.FileDialogs; }
  TFakeMessages& messages() { return f.Platform.Messages; }
  std::map<std::string, std::string>& files() { return f.Platform.Files.Files; }

  void SetUp() override {
    form = &f.Create();
    grid = &form->StringGrid2;
    form->PageControl1.UserSelectPage(app::kFilePage);
  }
  void Table(const TTable& table) { Fill(*grid, table); }
  std::vector<std::string> Lines(const std::string& path) {
    return DecodeTextFile(files().at(path), *f.Platform.CodePage).Lines;
  }
};

TEST_F(FileGridTest, OpenButtonStartsInTheProgramFolderAndPresetsTheSaveDialog) {
  files()["C:\\Data\\in.txt"] = "ボルト\r\nナット\r\n";
  dialogs().OpenAnswers = {std::nullopt, "C:\\Data\\in.txt"};
  form->SpeedButton1.UserClick();   // cancelled
  EXPECT_EQ(grid->Cell(0, 1), "");
  form->SpeedButton1.UserClick();
  ASSERT_EQ(dialogs().OpenOptions.size(), 2u);
  EXPECT_EQ(dialogs().OpenOptions[0].InitialDir, "C:\\Tools");
  EXPECT_EQ(dialogs().OpenOptions[0].Filter, "*.tsv|*.tsv|*.csv|*.csv|*.txt|*.txt|*.*|*.*");
  EXPECT_EQ(Rows(*grid), (TTable{{"ボルト"}, {"ナット"}}));
  // The save dialog proposes the imported file.
  grid->SetSelection({0, 1, 0, 2});
  dialogs().SaveAnswers = {std::nullopt};
  form->SpeedButton5.UserClick();
  ASSERT_EQ(dialogs().SaveOptions.size(), 1u);
  EXPECT_EQ(dialogs().SaveOptions[0].FileName, "C:\\Data\\in.txt");
  EXPECT_EQ(dialogs().SaveOptions[0].InitialDir, "C:\\Tools");
  EXPECT_EQ(dialogs().SaveOptions[0].DefaultExt, "tsv");
  EXPECT_EQ(dialogs().SaveOptions[0].Filter, "*.tsv|*.tsv|*.*|*.*");
}

TEST(FileGridDialogs, OpenDialogAtADriveRootKeepsItsSeparator) {
  TFormFixture root;
  root.Platform.ProgramPath = "D:\\kaverolin.exe";
  auto& other = root.Create();
  other.SpeedButton1.UserClick();
  EXPECT_EQ(root.Platform.FileDialogs.OpenOptions.at(0).InitialDir, "D:\\");
}

TEST_F(FileGridTest, SavingTheSelectedRowsAddsTheNameToTheWorkAreaList) {
  Table({{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}, {"j", "k", "l"}, {"m", "n", "o"}});
  grid->SetSelection({1, 2, 2, 4});
  dialogs().SaveAnswers = {"C:\\Tools\\new.tsv"};
  form->SpeedButton5.UserClick();
  EXPECT_TRUE(messages().Asked.empty());
  EXPECT_EQ(files().at("C:\\Tools\\new.tsv"), "e\tf\r\nh\ti\r\nk\tl\r\n");
  EXPECT_EQ(form->ComboBox1.Items.All(), (std::vector<std::string>{"new.tsv"}));
  // Saved elsewhere: the name is still added, once.
  grid->SetSelection({0, 1, 0, 2});
  dialogs().SaveAnswers = {"E:\\x\\new.tsv", "E:\\x\\Another.tsv"};
  form->SpeedButton5.UserClick();
  form->SpeedButton5.UserClick();
  EXPECT_EQ(form->ComboBox1.Items.All(), (std::vector<std::string>{"Another.tsv", "new.tsv"}));
}

TEST_F(FileGridTest, TooLittleSelectedAsksAndYesSavesEverything) {
  Table({{"a", "b"}, {"", ""}, {"c", "d"}});
  grid->SetSelection({0, 1, 1, 2});   // two rows, one blank: one line only
  messages().Answers = {false};
  form->SpeedButton5.UserClick();
  EXPECT_EQ(messages().Asked, (std::vector<std::string>{kTooLittle}));
  EXPECT_TRUE(dialogs().SaveOptions.empty());
  messages().Answers = {true};
  dialogs().SaveAnswers = {"C:\\Tools\\all.tsv"};
  form->SpeedButton5.UserClick();
  EXPECT_EQ(grid->Selection(), (ui::TGridRect{0, 1, 1, 3}));
  EXPECT_EQ(Lines("C:\\Tools\\all.tsv"), (std::vector<std::string>{"a\tb", "c\td"}));
  // An empty grid after Yes writes an empty file.
  Table({{""}});
  messages().Answers = {true};
  dialogs().SaveAnswers = {"C:\\Tools\\empty.tsv"};
  form->SpeedButton5.UserClick();
  EXPECT_EQ(files().at("C:\\Tools\\empty.tsv"), "");
}

TEST_F(FileGridTest, AnExistingFileIsReplacedOnlyAfterYes) {
  files()["C:\\Tools\\old.tsv"] = "keep\r\n";
  Table({{"a"}, {"b"}});
  grid->SetSelection({0, 1, 0, 2});
  messages().Answers = {false, true};
  dialogs().SaveAnswers = {"C:\\Tools\\old.tsv", "C:\\Tools\\old.tsv"};
  form->SpeedButton5.UserClick();
  EXPECT_EQ(files().at("C:\\Tools\\old.tsv"), "keep\r\n");
  form->SpeedButton5.UserClick();
  EXPECT_EQ(messages().Asked, (std::vector<std::string>{kOverwrite, kOverwrite}));
  EXPECT_EQ(files().at("C:\\Tools\\old.tsv"), "a\r\nb\r\n");
}

TEST_F(FileGridTest, AFailedWriteIsReportedAndTheOldFileStays) {
  files()["C:\\Tools\\locked.tsv"] = "\xEF\xBB\xBF" "keep\r\n";
  f.Platform.Files.Unwritable["C:\\Tools\\locked.tsv"] = true;
  Table({{"a"}, {"b"}});
  grid->SetSelection({0, 1, 0, 2});
  dialogs().SaveAnswers = {"C:\\Tools\\locked.tsv", "C:\\Tools\\locked.tsv"};
  messages().Answers = {true};
  form->SpeedButton5.UserClick();
  form->SpeedButton6.UserClick();
  ASSERT_EQ(messages().Errors.size(), 2u);
  EXPECT_NE(messages().Errors[0].find("access denied"), std::string::npos);
  EXPECT_EQ(files().at("C:\\Tools\\locked.tsv"), "\xEF\xBB\xBF" "keep\r\n");
  EXPECT_EQ(form->ComboBox1.Items.Count(), 0);
}

TEST_F(FileGridTest, AppendingKeepsTheEncodingAndLeavesTheListAlone) {
  files()["C:\\Tools\\list.tsv"] = "\xEF\xBB\xBF" "品名\t数量\r\n";
  Table({{"ボルト", "4"}, {"", ""}});
  grid->SetSelection({0, 1, 1, 2});   // one line is enough to append
  dialogs().SaveAnswers = {"C:\\Tools\\list.tsv"};
  form->SpeedButton6.UserClick();
  EXPECT_TRUE(messages().Asked.empty());
  EXPECT_EQ(files().at("C:\\Tools\\list.tsv"), "\xEF\xBB\xBF" "品名\t数量\r\nボルト\t4\r\n");
  EXPECT_EQ(form->ComboBox1.Items.Count(), 0);
  // A missing file: nothing, no message.
  dialogs().SaveAnswers = {"C:\\Tools\\none.tsv"};
  form->SpeedButton6.UserClick();
  EXPECT_EQ(files().count("C:\\Tools\\none.tsv"), 0u);
  EXPECT_TRUE(messages().Shown.empty() && messages().Errors.empty());
  // A single cell asks.
  grid->SetSelection({0, 1, 0, 1});
  messages().Answers = {false};
  form->SpeedButton6.UserClick();
  EXPECT_EQ(messages().Asked, (std::vector<std::string>{kTooLittle}));
}

TEST_F(FileGridTest, CopyButtonRetriesTenTimesThenSaysSo) {
  Table({{"a", "b"}, {"", ""}});
  grid->SetSelection({0, 1, 1, 2});
  form->SpeedButton3.UserClick();
  EXPECT_EQ(f.Platform.Clipboard.Text, "a\tb\r\n\t\r\n");
  f.Platform.Clipboard.BusyAttempts = 10;
  form->SpeedButton3.UserClick();
  EXPECT_EQ(messages().Shown, (std::vector<std::string>{"クリップボードへのコピーに失敗しました．"}));
  EXPECT_EQ(f.Platform.Desktop.Slept.size(), 9u);
}

TEST_F(FileGridTest, SelectAllHeaderClickAndThePopupEntries) {
  Table({{"b", "1"}, {"A", "2"}, {"b", "1"}, {"a", "3"}});
  form->SpeedButton2.UserClick();
  EXPECT_EQ(grid->Selection(), (ui::TGridRect{0, 1, 1, 4}));
  grid->ClientWidth = 300;
  grid->ClientHeight = 200;
  grid->UserMouseDown(ui::TMouseButton::Left, 0, 70, 5);
  grid->UserMouseUp(ui::TMouseButton::Left, 70, 5);
  EXPECT_EQ(grid->Selection(), (ui::TGridRect{1, 1, 1, 4}));
  form->N10.OnClick();
  EXPECT_EQ(messages().Shown, (std::vector<std::string>{"重複データ 1 を削除しました。"}));
  EXPECT_EQ(grid->RowCount(), 4);
  grid->SetSelection({0, 1, 0, 1});
  form->N7.OnClick();
  EXPECT_EQ(grid->Cell(0, 3), "b");
  grid->SetSelection({1, 1, 1, 1});
  form->N16.OnClick();
  EXPECT_EQ(grid->ColCount(), 1);
  form->N18.OnClick();
  EXPECT_EQ(grid->RowCount(), 3);
}

TEST_F(FileGridTest, KeysWorkAlsoWhileACellIsEditedAndInPlaceEditsAreUndone) {
  Table({{"a", "b"}, {"c", "d"}});
  grid->SetSelection({1, 2, 1, 2});
  ASSERT_TRUE(grid->BeginEdit());   // records the cell before the edit
  grid->EndEdit("typed");
  EXPECT_EQ(form->UndoCells2->Count(), 1);
  EXPECT_EQ(form->UndoCount2, 0);
  f.Platform.Clipboard.Text = "x\ty\r\n";
  grid->SetSelection({0, 1, 0, 1});
  ASSERT_TRUE(grid->BeginEdit());
  EXPECT_EQ(grid->UserKeyDown(vk::Letter('V'), ui::ssCtrl), 0);   // consumed, not typed
  grid->CancelEdit();
  EXPECT_EQ(Rows(*grid), (TTable{{"x", "y"}, {"c", "typed"}}));
  EXPECT_EQ(form->UndoCount2, 2);
  EXPECT_EQ(grid->UserKeyDown(vk::Letter('Z'), ui::ssCtrl), 0);
  EXPECT_EQ(Rows(*grid), (TTable{{"a", "b"}, {"c", "typed"}}));
  // The work-area grid keeps its own stack, count and saved selection.
  auto& work = form->StringGrid1;
  Fill(work, {{"p", "q"}});
  work.SetSelection({0, 1, 1, 1});
  work.UserKeyDown(vk::Delete, 0);
  EXPECT_EQ(form->UndoCount1, 2);
  EXPECT_EQ(form->UndoCells1->Count(), 2);
  EXPECT_EQ(form->UndoCells2->Count(), 2);   // the paste was taken back; the two in-place edits stay
  EXPECT_EQ(form->UndoRect1, (ui::TGridRect{0, 1, 1, 1}));
  EXPECT_EQ(form->UndoRect2, (ui::TGridRect{0, 1, 0, 1}));
}

TEST_F(FileGridTest, ClipboardSizeAndKeysAfterTheStacksWereFreed) {
  f.Platform.Clipboard.Text = "a\tb\tc\r\nd\r\n";
  EXPECT_EQ(form->ClipboardTableSize(), (partslist::TTableSize{3, 2}));
  f.Platform.Clipboard.Text.reset();
  EXPECT_EQ(form->ClipboardTableSize(), (partslist::TTableSize{0, 0}));
  form->FormDestroy();
  EXPECT_EQ(form->UndoCells1, nullptr);
  Table({{"a", "b"}});
  grid->SetSelection({0, 1, 1, 1});
  grid->UserKeyDown(vk::Delete, 0);
  EXPECT_EQ(grid->Cell(0, 1), "a");
}

}  // namespace
}  // namespace kav::test
