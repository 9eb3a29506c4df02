// The main window as the program starts it: column widths of a table loaded before a grid's
// window exists, measured in the grid's font.
#include "platform/Text.h"
#include "tests/native/partslist/GridText.h"
#include "tests/support/win32/DropFiles.h"
#include "tests/windows/partslist/MainWindowHost.h"

namespace kav::test {
namespace {

using partslist::test::Rows;
using partslist::test::TTable;

std::vector<int> Widths(const ui::TStringGrid& grid) {
  std::vector<int> widths;
  for (int c = 0; c < grid.ColCount(); ++c) widths.push_back(grid.ColWidth(c));
  return widths;
}

// Eight Japanese characters: drawn by the fallback font under Wine, about twice as wide per
// character as a guess by UTF-16 units would make them.
constexpr const char* kLongCell = "六角ボルト座金付";

class MainWindowStart : public MainWindowTest {};

TEST_F(MainWindowStart, ColumnsOfTheRememberedListAreAsWideAtStartAsAfterAReload) {
  WriteFile(PathOf("a.tsv"), "x\r\n");
  WriteFile(PathOf("部品.tsv"), std::string("\xEF\xBB\xBF") + "品名\t数量\r\n" + kLongCell + "\t4\r\nM8\t12\r\n");
  WriteFile(PathOf("kaverolin.ini"), "[Combo1]\r\nText=部品.tsv\r\n");
  Start();
  ASSERT_EQ(form->ComboBox1.Text(), "部品.tsv");
  ASSERT_EQ(Rows(form->StringGrid1), (TTable{{"品名", "数量"}, {kLongCell, "4"}, {"M8", "12"}}));
  const std::vector<int> atStart = Widths(form->StringGrid1);

  form->ComboBox1Change(*form);   // the same list read again, now that the window exists
  EXPECT_EQ(Widths(form->StringGrid1), atStart);
  // And it is the text's real width: wider than the default and than the guess of 7 pixels
  // per unit, which cut the text before.
  EXPECT_GT(atStart[0], 8 * 7 + 3 * 7);
  EXPECT_EQ(atStart[0], form->StringGrid1.MeasureText(std::string(kLongCell) + "AAA"));
  EXPECT_TRUE(messages.Errors.empty());
}

TEST_F(MainWindowStart, AFileDroppedBeforeTheFilePageWasShownGetsTheSameWidths) {
  Start();
  form->PageControl1.UserSelectPage(app::kSettingsPage);   // the file page has no windows yet
  ASSERT_NE(GridWindow(form->StringGrid1), nullptr);
  const std::string dropped = PathOf("dropped.tsv");
  WriteFile(dropped, std::string("\xEF\xBB\xBF") + kLongCell + "\t" + kLongCell + kLongCell + "\r\n");
  SendMessageW(peer->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({Utf8ToWide(dropped)})), 0);
  ASSERT_EQ(Rows(form->StringGrid2), (TTable{{kLongCell, std::string(kLongCell) + kLongCell}}));
  const std::vector<int> beforeWindow = Widths(form->StringGrid2);

  form->PageControl1.UserSelectPage(app::kFilePage);
  Pump();
  ASSERT_NE(GridWindow(form->StringGrid2), nullptr);
  EXPECT_EQ(Widths(form->StringGrid2), beforeWindow);   // nothing to re-measure when it comes
  form->loadToSg(form->StringGrid2, dropped);
  EXPECT_EQ(Widths(form->StringGrid2), beforeWindow);
  EXPECT_GT(beforeWindow[1], beforeWindow[0]);
}

}  // namespace
}  // namespace kav::test
