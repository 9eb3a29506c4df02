// The target CAD dialog: reading and writing the target list, the selection rules of add,
// delete and change, OK and Cancel, and the topmost changes around it.
#include <gtest/gtest.h>

#include "cadlink/TargetCADForm.h"
#include "platform/TextFile.h"
#include "tests/support/Fakes.h"

namespace kav::cad {
namespace {

const char* kPath = "C:\\Tools\\TargetCAD_APIVersion.txt";

class TargetCADFormTest : public ::testing::Test {
 protected:
  test::TFakePlatform platform;
  TTargetState target;
  ui::TForm mainForm{"Form88"};
  TTargetCADForm dialog{platform.Services(), target, mainForm, "KAVEROLIN 2.18"};

  void WriteFile(const std::vector<std::string>& lines, TextEncoding encoding) {
    platform.Files.Files[kPath] = EncodeTextFile(lines, encoding, *platform.CodePage);
  }
  TTextFile ReadBack() { return DecodeTextFile(platform.Files.Files.at(kPath), *platform.CodePage); }
  std::string Selected() { return dialog.ListBox1.ItemIndex() < 0 ? "<none>" : dialog.ListBox1.Items[dialog.ListBox1.ItemIndex()]; }
};

TEST_F(TargetCADFormTest, ShowingSortsTheListAndSelectsTheEntryOfTheTarget) {
  WriteFile({"ZWCAD\tZWCAD.Application", "bricsCAD\tBricscadApp.AcadApplication.23", "AutoCAD\tAutoCAD.Application"},
            TextEncoding::Ansi);
  dialog.FormShow();
  EXPECT_EQ(dialog.ListBox1.Items.All(),
            (std::vector<std::string>{"AutoCAD\tAutoCAD.Application", "bricsCAD\tBricscadApp.AcadApplication.23",
                                      "ZWCAD\tZWCAD.Application"}));
  // The substring test finds the entry whose ProgID goes on with a version.
  EXPECT_EQ(dialog.ListBox1.ItemIndex(), 1);
  EXPECT_EQ(dialog.Edit1.Text(), "bricsCAD");
  EXPECT_EQ(dialog.Edit2.Text(), "BricscadApp.AcadApplication.23");
}

TEST_F(TargetCADFormTest, WithoutAMatchNothingIsSelectedAndTheBoxesKeepTheirTexts) {
  WriteFile({"A\tA.App"}, TextEncoding::Ansi);
  dialog.Edit1.SetText("typed");
  target.TargetProgID = "bricscadapp.acadapplication";   // letter case counts
  dialog.FormShow();
  EXPECT_EQ(Selected(), "<none>");
  EXPECT_EQ(dialog.Edit1.Text(), "typed");
}

TEST_F(TargetCADFormTest, AMissingFileKeepsTheEntriesOfTheLastOpening) {
  WriteFile({"B\tB.App", "A\tA.App"}, TextEncoding::Ansi);
  dialog.FormShow();
  platform.Files.Files.clear();
  dialog.FormShow();
  EXPECT_EQ(dialog.ListBox1.Items.Count(), 2);
  EXPECT_TRUE(platform.Messages.Errors.empty());
}

TEST_F(TargetCADFormTest, AddingADuplicateListsItTwiceSelectsTheFirstAndWritesInTheEncodingRead) {
  WriteFile({"Bricscad\tBricscadApp.AcadApplication", "Zeta\tZ.App"}, TextEncoding::Utf16BE);
  dialog.FormShow();
  dialog.Edit1.SetText("bricscad");
  dialog.Edit2.SetText("BricscadApp.AcadApplication");
  dialog.SpeedButton1.UserClick();
  EXPECT_EQ(dialog.ListBox1.Items.Count(), 3);
  EXPECT_EQ(dialog.ListBox1.ItemIndex(), 0);
  // The boxes are filled from the selected entry, which is the first, not the typed one.
  EXPECT_EQ(dialog.Edit1.Text(), "Bricscad");
  const TTextFile written = ReadBack();
  EXPECT_EQ(written.Encoding, TextEncoding::Utf16BE);
  EXPECT_EQ(written.Lines.size(), 3u);
  const std::string& bytes = platform.Files.Files.at(kPath);
  EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\0\r\0\n", 4));
}

TEST_F(TargetCADFormTest, AListNeverReadIsWrittenInTheAnsiCodePage) {
  dialog.Edit1.SetText("図研");
  dialog.Edit2.SetText("Zuken.App");
  dialog.SpeedButton1.UserClick();
  EXPECT_EQ(platform.Files.Files.at(kPath), "\x90\x7d\x8c\xa4\tZuken.App\r\n");   // 図研 in code page 932
}

TEST_F(TargetCADFormTest, ANameTheAnsiCodePageLacksMakesTheListUtf8AndItStaysSo) {
  WriteFile({"図研\tZuken.App"}, TextEncoding::Ansi);
  dialog.FormShow();
  dialog.Edit1.SetText("Café CAD");
  dialog.Edit2.SetText("Cafe.App");
  dialog.SpeedButton1.UserClick();
  TTextFile written = ReadBack();
  EXPECT_EQ(written.Encoding, TextEncoding::Utf8Bom);
  EXPECT_EQ(written.Lines, dialog.ListBox1.Items.All());
  EXPECT_EQ(written.Lines, (std::vector<std::string>{"Café CAD\tCafe.App", "図研\tZuken.App"}));
  // The list keeps the encoding it now has, also after the entry that needed it is gone.
  dialog.ListBox1.UserSelect(0);
  dialog.SpeedButton2.UserClick();
  written = ReadBack();
  EXPECT_EQ(written.Encoding, TextEncoding::Utf8Bom);
  EXPECT_EQ(written.Lines, std::vector<std::string>{"図研\tZuken.App"});
}

TEST_F(TargetCADFormTest, DeletingFollowsTheSelectionRule) {
  WriteFile({"A\ta", "B\tb", "C\tc"}, TextEncoding::Utf8Bom);
  target.TargetProgID = "b";
  dialog.FormShow();
  ASSERT_EQ(Selected(), "B\tb");
  dialog.SpeedButton2.UserClick();   // the middle of three: the one before is selected
  EXPECT_EQ(Selected(), "A\ta");
  EXPECT_EQ(dialog.Edit2.Text(), "a");
  dialog.SpeedButton2.UserClick();   // the first of two: nothing is selected
  EXPECT_EQ(Selected(), "<none>");
  EXPECT_EQ(dialog.Edit1.Text(), "");
  EXPECT_EQ(ReadBack().Lines, (std::vector<std::string>{"C\tc"}));
  EXPECT_EQ(ReadBack().Encoding, TextEncoding::Utf8Bom);
  const int writes = platform.Files.Writes;
  dialog.SpeedButton2.UserClick();   // nothing selected: nothing happens
  dialog.SpeedButton3.UserClick();
  EXPECT_EQ(platform.Files.Writes, writes);
  EXPECT_EQ(dialog.ListBox1.Items.Count(), 1);
}

TEST_F(TargetCADFormTest, DeletingTheFirstOfThreeSelectsTheNewFirst) {
  WriteFile({"A\ta", "B\tb", "C\tc"}, TextEncoding::Ansi);
  target.TargetProgID = "a";
  dialog.FormShow();
  dialog.SpeedButton2.UserClick();
  EXPECT_EQ(Selected(), "B\tb");
  target.TargetProgID = "c";
  dialog.FormShow();
  dialog.SpeedButton2.UserClick();   // the last: the one before it
  EXPECT_EQ(Selected(), "B\tb");
}

TEST_F(TargetCADFormTest, ChangingKeepsThePlaceUntilTheNextOpeningAndEnterChangesToo) {
  WriteFile({"A\ta", "B\tb"}, TextEncoding::Ansi);
  target.TargetProgID = "a";
  dialog.FormShow();
  dialog.Edit1.SetText("Z");
  dialog.SpeedButton3.UserClick();
  EXPECT_EQ(dialog.ListBox1.Items.All(), (std::vector<std::string>{"Z\ta", "B\tb"}));
  EXPECT_EQ(dialog.ListBox1.ItemIndex(), 0);
  dialog.Edit2.SetText("a2");
  EXPECT_FALSE(dialog.Edit2.UserKeyPress(U'\r'));   // swallowed
  EXPECT_TRUE(dialog.Edit1.UserKeyPress(U'x'));
  EXPECT_EQ(ReadBack().Lines, (std::vector<std::string>{"Z\ta2", "B\tb"}));
  dialog.FormShow();
  EXPECT_EQ(dialog.ListBox1.Items.All(), (std::vector<std::string>{"B\tb", "Z\ta2"}));
}

TEST_F(TargetCADFormTest, AFailedWriteIsShownAndTheListKeepsTheChange) {
  platform.Files.Unwritable[kPath] = true;
  dialog.Edit1.SetText("A");
  dialog.Edit2.SetText("a");
  dialog.SpeedButton1.UserClick();
  EXPECT_EQ(dialog.ListBox1.Items.Count(), 1);
  ASSERT_EQ(platform.Messages.Errors.size(), 1u);
  EXPECT_NE(platform.Messages.Errors[0].find("access denied"), std::string::npos);
}

TEST_F(TargetCADFormTest, AnUnreadableFileIsReportedAndTheDialogStillOpens) {
  WriteFile({"A\ta"}, TextEncoding::Ansi);
  dialog.FormShow();
  platform.Files.Unreadable[kPath] = true;
  dialog.FormShow();
  EXPECT_EQ(dialog.ListBox1.Items.Count(), 1);
  EXPECT_EQ(platform.Messages.Errors.size(), 1u);
}

TEST_F(TargetCADFormTest, LinesOfAnyShapeAndEncodingAreListedAsStored) {
  const std::string longLine(100000, 'x');
  for (TextEncoding encoding : {TextEncoding::Ansi, TextEncoding::Utf8, TextEncoding::Utf8Bom, TextEncoding::Utf16LE,
                                TextEncoding::Utf16BE}) {
    WriteFile({"名前なし", "\tOnly.ProgID", longLine + "\t" + longLine, "two\ttabs\tX.App", ""}, encoding);
    target.TargetProgID = "tabs";
    dialog.FormShow();
    ASSERT_EQ(dialog.ListBox1.Items.Count(), 5) << static_cast<int>(encoding);
    EXPECT_EQ(dialog.Edit1.Text(), "two");
    EXPECT_EQ(dialog.Edit2.Text(), "tabs\tX.App");
  }
  // Without a TAB the whole line is the ProgID and the name is empty.
  dialog.ListBox1.UserSelect(dialog.ListBox1.Items.IndexOf("名前なし"));
  EXPECT_EQ(dialog.Edit1.Text(), "");
  EXPECT_EQ(dialog.Edit2.Text(), "名前なし");
}

TEST_F(TargetCADFormTest, GarbageBytesAreListedWithoutHarm) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
  platform.Files.Files[kPath] = garbage;
  dialog.FormShow();
  EXPECT_GT(dialog.ListBox1.Items.Count(), 0);
  dialog.ListBox1.UserSelect(0);
  dialog.SpeedButton3.UserClick();
  EXPECT_TRUE(platform.Messages.Errors.empty());
}

TEST_F(TargetCADFormTest, OkNamesTheTargetInTheCaptionAndAcceptsAnEmptyProgId) {
  mainForm.SetCaption("KAVEROLIN 2.18 [ old ]");
  dialog.ModalRunner = [](TTargetCADForm& form) {
    form.Edit1.UserSetText("GstarCAD");
    form.Edit2.UserSetText("");
    form.Button1.UserClick();
  };
  OpenTargetCADDialog(mainForm, dialog, platform.Desktop, target);
  EXPECT_EQ(dialog.ModalResult, ui::mrOk);
  EXPECT_EQ(mainForm.GetCaption(), "KAVEROLIN 2.18 [GstarCAD]");
  EXPECT_EQ(target.TargetCaption, "KAVEROLIN 2.18 [GstarCAD]");
  EXPECT_EQ(target.TargetProgID, "");
}

TEST_F(TargetCADFormTest, CancelLeavesTheTargetAndTakesTheCaptionOfTheMoment) {
  mainForm.SetCaption("KAVEROLIN 2.18 [ dropped.tsv ]");
  target.TargetCaption = "KAVEROLIN 2.18 [ Bricscad ]";
  std::vector<std::string> seen;
  mainForm.OnModelChange = [&](ui::TAspect aspect) {
    if (aspect == ui::TAspect::Topmost) seen.push_back(mainForm.Topmost() ? "main topmost" : "main not topmost");
  };
  dialog.ModalRunner = [&](TTargetCADForm& form) {
    seen.push_back(form.Topmost() && form.Visible() ? "dialog topmost, shown" : "dialog wrong");
    form.Edit2.UserSetText("Other.App");
    form.Button2.UserClick();
  };
  mainForm.SetTopmost(true);
  seen.clear();
  OpenTargetCADDialog(mainForm, dialog, platform.Desktop, target);
  EXPECT_EQ(seen, (std::vector<std::string>{"main not topmost", "dialog topmost, shown", "main topmost"}));
  EXPECT_EQ(target.TargetProgID, kDefaultProgID);
  EXPECT_EQ(target.TargetCaption, "KAVEROLIN 2.18 [ dropped.tsv ]");
  EXPECT_FALSE(dialog.Topmost());
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(platform.Desktop.MessagePumps, 2);
}

TEST_F(TargetCADFormTest, TheMainWindowIsTopmostAgainAfterAFailureInsideTheDialog) {
  dialog.ModalRunner = [](TTargetCADForm&) { throw std::runtime_error("peer failed"); };
  mainForm.SetTopmost(true);
  EXPECT_THROW(OpenTargetCADDialog(mainForm, dialog, platform.Desktop, target), std::runtime_error);
  EXPECT_TRUE(mainForm.Topmost());
  EXPECT_FALSE(dialog.Topmost());
}

}  // namespace
}  // namespace kav::cad
