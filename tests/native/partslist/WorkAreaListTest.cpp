// The list of parts-list files beside the program and the choice among them.
#include <gtest/gtest.h>

#include "partslist/WorkAreaList.h"
#include "tests/support/Fakes.h"

namespace kav::partslist {
namespace {

TEST(PartsListFiles, OnlyMatchingFilesDirectlyInTheFolder) {
  kav::test::TFakePlatform platform;
  auto& files = platform.Files.Files;
  files["C:\\Tools\\b.tsv"] = "";
  files["C:\\Tools\\A.TSV"] = "";
  files["C:\\Tools\\notes.txt"] = "";
  files["C:\\Tools\\sub\\c.tsv"] = "";
  files["C:\\Other\\d.tsv"] = "";
  std::vector<std::string> list{"stale"};
  ListFileNames(platform.Files, "C:\\Tools\\", kPartsListPattern, list);
  std::sort(list.begin(), list.end());
  EXPECT_EQ(list, (std::vector<std::string>{"A.TSV", "b.tsv"}));
}

TEST(PartsListBox, SortedWithTheRememberedEntryChosenCaseIgnored) {
  ui::TComboBox box("ComboBox1", ui::TComboStyle::DropDownList);
  box.Items.Sorted = true;
  EXPECT_TRUE(FillPartsListBox(box, {"zeta.tsv", "Beta.tsv", "alpha.tsv"}, "BETA.TSV"));
  EXPECT_EQ(box.Items.All(), (std::vector<std::string>{"alpha.tsv", "Beta.tsv", "zeta.tsv"}));
  EXPECT_EQ(box.Text(), "Beta.tsv");
  ui::TComboBox other("ComboBox1", ui::TComboStyle::DropDownList);
  other.Items.Sorted = true;
  EXPECT_TRUE(FillPartsListBox(other, {"b.tsv", "a.tsv"}, "gone.tsv"));
  EXPECT_EQ(other.ItemIndex(), 0);
  ui::TComboBox empty("ComboBox1", ui::TComboStyle::DropDownList);
  EXPECT_FALSE(FillPartsListBox(empty, {}, "a.tsv"));
  EXPECT_EQ(empty.ItemIndex(), -1);
}

TEST(PartsListBox, ANewNameTakesItsSortedPlaceOnce) {
  ui::TComboBox box("ComboBox1", ui::TComboStyle::DropDownList);
  box.Items.Sorted = true;
  FillPartsListBox(box, {"a.tsv", "c.tsv"}, "c.tsv");
  AddPartsListName(box, "b.tsv");
  AddPartsListName(box, "B.TSV");
  EXPECT_EQ(box.Items.All(), (std::vector<std::string>{"a.tsv", "b.tsv", "c.tsv"}));
  EXPECT_EQ(box.Text(), "c.tsv");
}

}  // namespace
}  // namespace kav::partslist
