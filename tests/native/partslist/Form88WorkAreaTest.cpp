// The main window's work-area list: start-up, the drop-down box, the filter, the caption,
// dropped files, and clicks in the work-area grid.
#include <gtest/gtest.h>

#include "tests/native/app/FormFixture.h"
#include "tests/native/partslist/GridText.h"

namespace kav::test {
namespace {

using partslist::test::Header;
using partslist::test::Rows;
using partslist::test::TTable;

const std::string kBolts = "品名\t数量\r\nボルト\t4\r\nナット\t8\r\n";

TEST(WorkAreaStart, ChoosesTheRememberedEntryIgnoringCaseAndLoadsIt) {
  TFormFixture f;
  f.PutFile("a.tsv", "x\r\n");
  f.PutFile("Bolts.tsv", kBolts);
  f.PutFile("readme.txt", "");
  f.PutIni("[Combo1]\r\nText=BOLTS.TSV\r\n");
  f.PutFile("TargetCAD_APIVersion.txt", "BricsCAD\tBricscadApp.AcadApplication\r\n");
  auto& form = f.Create();
  EXPECT_EQ(form.ComboBox1.Items.All(), (std::vector<std::string>{"a.tsv", "Bolts.tsv"}));
  EXPECT_EQ(form.ComboBox1.Text(), "Bolts.tsv");
  EXPECT_EQ(Rows(form.StringGrid1), (TTable{{"品名", "数量"}, {"ボルト", "4"}, {"ナット", "8"}}));
  EXPECT_EQ(Header(form.StringGrid1), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(form.GetCaption(), "KAVEROLIN 2.18 [ BricsCAD ]");
  EXPECT_NE(form.UndoCells1, nullptr);
  EXPECT_NE(form.UndoCells2, nullptr);
}

TEST(WorkAreaStart, CaptionFollowsTheListedFilesOnly) {
  TFormFixture none;
  EXPECT_EQ(none.Create().GetCaption(), "MOLBREX");   // no parts-list file: untouched
  EXPECT_EQ(none.Form->StringGrid1.ColCount(), 5);
  TFormFixture some;
  some.PutFile("a.tsv", "x\r\n");
  auto& form = some.Create();
  EXPECT_EQ(form.GetCaption(), "");   // the empty target caption
  EXPECT_EQ(form.ComboBox1.Text(), "a.tsv");   // no remembered name: the first
}

TEST(WorkAreaStart, AFileThatCannotBeReadIsReportedAndStartUpGoesOn) {
  TFormFixture f;
  f.PutFile("a.tsv", "x\r\n");
  f.Platform.Files.Unreadable[f.Folder + "a.tsv"] = true;
  auto& form = f.Create();
  ASSERT_EQ(f.Platform.Messages.Errors.size(), 1u);
  EXPECT_NE(f.Platform.Messages.Errors[0].find("a.tsv"), std::string::npos);
  EXPECT_EQ(form.StringGrid1.ColCount(), 1);
  EXPECT_NE(form.UndoCells2, nullptr);
  EXPECT_TRUE(form.AcceptFiles());
  // An empty file needs no message at all.
  TFormFixture empty;
  empty.PutFile("a.tsv", "");
  EXPECT_EQ(empty.Create().StringGrid1.RowCount(), 2);
  EXPECT_TRUE(empty.Platform.Messages.Errors.empty());
}

TEST(WorkAreaFilter, EveryChangeReloadsTheChosenFileWithTheFilter) {
  TFormFixture f;
  f.PutFile("a.tsv", kBolts);
  auto& form = f.Create();
  form.Edit2.SetText("old");
  form.Edit1.UserSetText("ト");
  EXPECT_EQ(Rows(form.StringGrid1), (TTable{{"ボルト", "4"}, {"ナット", "8"}}));
  EXPECT_EQ(form.Edit2.Text(), "");
  f.PutFile("a.tsv", kBolts + "ボルト\t12\r\n");   // changed on disk: read again
  form.Edit1.UserSetText("ボ");
  EXPECT_EQ(Rows(form.StringGrid1), (TTable{{"ボルト", "4"}, {"ボルト", "12"}}));
  form.Edit1.UserSetText("zzz");
  EXPECT_EQ(form.StringGrid1.RowCount(), 2);
  EXPECT_EQ(Header(form.StringGrid1), (std::vector<std::string>{"", ""}));
}

TEST(WorkAreaFilter, ASelectionOnRowsTheFilterTakesAwayComesInsideTheGrid) {
  TFormFixture f;
  f.PutFile("a.tsv", kBolts + "ワッシャ\t9\r\nピン\t3\r\n");
  auto& form = f.Create();
  ui::TStringGrid& grid = form.StringGrid1;
  grid.SetCol(1);
  grid.SetRow(5);
  grid.UserKeyDown(ui::vk::Up, ui::ssShift);
  ASSERT_EQ(grid.Selection(), (ui::TGridRect{1, 4, 1, 5}));
  form.Edit1.UserSetText("ト");
  ASSERT_EQ(grid.RowCount(), 3);
  // The reload went through the reset grid of one column and one data row.
  EXPECT_EQ(grid.Selection(), (ui::TGridRect{0, 1, 0, 1}));
  // Copying takes the one cell that is there, not empty rows beyond the grid.
  EXPECT_EQ(grid.UserKeyDown(ui::vk::Letter('C'), ui::ssCtrl), 0);
  EXPECT_EQ(f.Platform.Clipboard.Text, "ボルト\r\n");
}

TEST(WorkAreaFilter, WithoutAnyPartsListTypingResetsTheGrid) {
  TFormFixture f;
  auto& form = f.Create();
  form.StringGrid1.SetCell(0, 1, "x");
  form.Edit1.UserSetText("a");
  EXPECT_EQ(form.StringGrid1.ColCount(), 1);
  EXPECT_EQ(form.StringGrid1.Cell(0, 1), "");
  EXPECT_EQ(form.GetCaption(), "");
}

TEST(DroppedFiles, OnTheWorkAreaPageTheDropIsShownUntilTheBoxIsUsed) {
  TFormFixture f;
  f.PutFile("a.tsv", "listed\r\n");
  f.PutFile("b.tsv", "other\r\n");
  auto& form = f.Create();
  const std::string dropped = "D:\\" + std::string(300, 'x') + "\\ボルト一覧.tsv";   // longer than 254
  f.Platform.Files.Files[dropped] = kBolts;
  form.UserDropFile(dropped);
  EXPECT_EQ(form.GetCaption(), "KAVEROLIN 2.18 [ ボルト一覧.tsv ]");
  EXPECT_EQ(form.dropFullName, dropped);
  EXPECT_EQ(form.StringGrid1.Cell(0, 2), "ボルト");
  EXPECT_EQ(form.ComboBox1.Text(), "a.tsv");
  form.Edit1.UserSetText("ナ");   // the filter reads the dropped file
  EXPECT_EQ(Rows(form.StringGrid1), (TTable{{"ナット", "8"}}));
  EXPECT_EQ(form.GetCaption(), "KAVEROLIN 2.18 [ ボルト一覧.tsv ]");
  form.Edit1.UserSetText("");
  form.ComboBox1.UserSelect(1);
  EXPECT_EQ(Rows(form.StringGrid1), (TTable{{"other"}}));
  EXPECT_EQ(form.dropFullName, "");
  EXPECT_EQ(form.GetCaption(), "");
  form.Edit1.UserSetText("o");
  EXPECT_EQ(Rows(form.StringGrid1), (TTable{{"other"}}));
}

TEST(DroppedFiles, OnTheOtherPagesTheFileGridIsFilledAndThePageStays) {
  TFormFixture f;
  auto& form = f.Create();
  f.Platform.Files.Files["E:\\in.csv"] = "a,b\r\nc,d\r\n";
  form.PageControl1.UserSelectPage(app::kSettingsPage);
  form.UserDropFile("E:\\in.csv");
  EXPECT_EQ(form.PageControl1.ActivePageIndex(), app::kSettingsPage);
  EXPECT_EQ(Rows(form.StringGrid2), (TTable{{"a", "b"}, {"c", "d"}}));
  EXPECT_EQ(form.GetCaption(), "MOLBREX");
  EXPECT_EQ(form.dropFullName, "");
  form.PageControl1.UserSelectPage(app::kFilePage);
  form.UserDropFile("E:\\missing.csv");   // nothing at all
  EXPECT_EQ(Rows(form.StringGrid2), (TTable{{"a", "b"}, {"c", "d"}}));
  EXPECT_TRUE(f.Platform.Messages.Errors.empty());
}

class WorkAreaGridTest : public ::testing::Test {
 protected:
  TFormFixture f;
  app::TForm88* form = nullptr;
  void SetUp() override {
    f.PutFile("a.tsv", " 品名 \t数量\r\nボルト\t4\r\nナット\t8\r\n");
    form = &f.Create();
    form->StringGrid1.ClientWidth = 400;
    form->StringGrid1.ClientHeight = 200;
  }
  int RowY(int row) const { return row == 0 ? 5 : 21 + (row - 1) * 21 + 5; }
};

TEST_F(WorkAreaGridTest, ClickFillsTheSendBoxesAndEnablesTheRowPitchForOneColumnOfRows) {
  auto& g = form->StringGrid1;
  g.UserMouseDown(ui::TMouseButton::Left, 0, 5, RowY(1));
  g.UserMouseUp(ui::TMouseButton::Left, 5, RowY(1));
  EXPECT_EQ(form->Edit2.Text(), "品名");
  EXPECT_EQ(form->Edit15.Text(), "品名");
  EXPECT_TRUE(form->Button1.Enabled());
  EXPECT_FALSE(form->Edit3.Enabled());
  g.UserMouseDown(ui::TMouseButton::Left, ui::ssShift, 5, RowY(3));   // one column, three rows
  g.UserMouseUp(ui::TMouseButton::Left, 5, RowY(3));
  EXPECT_TRUE(form->Edit3.Enabled());
  EXPECT_TRUE(form->Label2.Enabled());
  g.SetSelection({0, 2, 1, 2});   // two cells of one row
  form->StringGrid1Click();
  EXPECT_FALSE(form->Edit3.Enabled());
}

TEST_F(WorkAreaGridTest, RightClickMakesTheCellCurrentBeforeTheMenu) {
  auto& g = form->StringGrid1;
  g.UserMouseDown(ui::TMouseButton::Right, 0, 40, RowY(3));
  EXPECT_EQ(g.Col(), 0);
  EXPECT_EQ(g.Row(), 3);
  EXPECT_EQ(form->Edit2.Text(), "ナット");
  g.UserMouseDown(ui::TMouseButton::Right, 0, 70, RowY(0));   // a header cell: only the column
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(g.Row(), 3);
  g.UserMouseDown(ui::TMouseButton::Right, 0, 390, RowY(1));   // beside the cells
  g.UserMouseDown(ui::TMouseButton::Right, 0, 10, RowY(6));    // below them
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(g.Row(), 3);
  EXPECT_EQ(form->Edit2.Text(), "8");
  // The file grid too.
  form->StringGrid2.ClientWidth = 400;
  form->StringGrid2.ClientHeight = 200;
  form->StringGrid2.UserMouseDown(ui::TMouseButton::Right, 0, 70, RowY(2));
  EXPECT_EQ(form->StringGrid2.Col(), 1);
  EXPECT_EQ(form->StringGrid2.Row(), 2);
}

TEST_F(WorkAreaGridTest, SortAndBlankRowEntries) {
  auto& g = form->StringGrid1;
  g.SetCol(0);
  form->N5.OnClick();
  EXPECT_EQ(Rows(g).at(0).at(0), "ナット");   // ナ comes before ボ and before kanji
  EXPECT_EQ(Header(g), (std::vector<std::string>{"1", "2"}));
  form->N12.OnClick();
  EXPECT_EQ(g.RowCount(), 5);
  EXPECT_EQ(g.Row(), 4);
  EXPECT_EQ(form->Edit2.Text(), "");
}

}  // namespace
}  // namespace kav::test
