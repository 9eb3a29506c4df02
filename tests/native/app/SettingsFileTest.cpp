// The settings file: reading order with its side effects, defaults for unusable values, the
// writing order of a new file, its encoding, and a failed write.
#include <gtest/gtest.h>

#include "app/IniFile.h"
#include "cadlink/TargetCADForm.h"
#include "cadlink/TargetList.h"
#include "tests/native/app/FormFixture.h"

namespace kav::test {
namespace {

TEST(SettingsFile, NoFileGivesDefaultsAndClosingWritesAllKeysInOrder) {
  TFormFixture f;
  auto& form = f.Create();
  form.SetLeft(10);
  form.SetTop(-20);
  form.FormDestroy();
  const std::string& bytes = f.Platform.Files.Files.at(f.IniPath);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");   // a new file: UTF-16 LE with its mark
  const std::vector<std::string> expected = {
      "[Form]", "Left=10", "Top=-20", "[Target]", "ProgID=BricscadApp.AcadApplication", "[Text]",
      "Height=2.5", "Width=1.0", "RowH=5.0", "BaseML=1", "BaseMC=0", "BaseMR=0", "BaseCB=0", "Edit4=5.0",
      "Edit5=50.0", "Edit6=0.5", "Edit7=2.0", "Edit12=0.5", "Edit13=91.0", "Edit14=269.0", "[Combo2]", "Index=0",
      "[CheckBox]", "Checked1=1", "Checked2=0", "Checked3=0", "Checked5=0", "Checked6=0", "Checked7=0", "[Combo1]",
      "Text=", "[ComboBox]", "Text3="};
  EXPECT_EQ(f.WrittenIniLines(), expected);
}

TEST(SettingsFile, ValuesAreAppliedInOrderThroughTheHandlers) {
  TFormFixture f;
  f.PutIni("[Form]\r\nLeft=-3000\r\nTop=0x10\r\n[Target]\r\nProgID=GCAD.Application.25\r\n"
           "[Text]\r\nHeight=abc\r\nBaseML=0\r\nBaseMC=1\r\nEdit4=4\r\nEdit14=270.5\r\n"
           "[CheckBox]\r\nChecked2=1\r\nChecked7=1\r\nChecked3=1\r\nChecked5=1\r\n[Combo2]\r\nIndex=5\r\n"
           "[Combo1]\r\nText=Parts.tsv\r\n");
  auto& form = f.Create();
  EXPECT_EQ(form.Left(), -3000);   // a window left on a monitor that is gone opens there
  EXPECT_EQ(form.Top(), 16);
  EXPECT_EQ(f.Target.TargetProgID, "GCAD.Application.25");
  EXPECT_EQ(form.Edit9.Text(), "abc");   // strings go into their boxes unchecked
  EXPECT_TRUE(form.RadioButton2.Checked());
  EXPECT_FALSE(form.RadioButton1.Checked());
  EXPECT_TRUE(form.CheckBox3.Enabled());
  EXPECT_EQ(form.ComboBox2.Text(), "TC : 中上");
  EXPECT_FALSE(form.CheckBox1.Checked());
  EXPECT_FALSE(form.CheckBox2.Checked());   // Checked7 came later and unchecked it
  EXPECT_TRUE(form.CheckBox7.Checked());
  EXPECT_FALSE(form.CheckBox3.Checked());
  EXPECT_TRUE(form.CheckBox5.Checked());
  EXPECT_EQ(form.Edit4.Text(), "4");
  EXPECT_EQ(form.Edit5.Text(), "50.0");   // missing: the box keeps its text
  EXPECT_EQ(form.Edit14.Text(), "270.5");
  EXPECT_EQ(form.RememberedPartsList, "Parts.tsv");
  EXPECT_EQ(form.Edit8.Text(), "12.5");   // derived boxes keep their design texts until the page opens

  form.FormDestroy();
  const auto lines = f.WrittenIniLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Checked2=0"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Left=-3000"), lines.end());
}

TEST(SettingsFile, RadioButtonsAllFalseLeaveNoneChosenAndOthersDisablesPlacement) {
  TFormFixture f;
  f.PutIni("[Text]\nBaseML=0\n");
  EXPECT_FALSE(f.Create().RadioButton1.Checked() || f.Form->RadioButton4.Checked());

  TFormFixture g;
  g.PutIni("[Text]\nBaseCB=1\n[Combo2]\nIndex=12\n");
  auto& form = g.Create();
  EXPECT_TRUE(form.RadioButton4.Checked());
  EXPECT_FALSE(form.CheckBox3.Enabled());
  EXPECT_FALSE(form.CheckBox5.Enabled());
  EXPECT_EQ(form.ComboBox2.ItemIndex(), -1);
  form.FormDestroy();
  const auto lines = g.WrittenIniLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Index=-1"), lines.end());
}

TEST(SettingsFile, GarbageStartsWithDefaultsWhereAValueIsUnusable) {
  TFormFixture f;
  std::string garbage = "[Form]\nLeft=99999999999999999999\nTop=0x\n[CheckBox]\nChecked1=0x0\nChecked6=yes\n";
  garbage += "[Text]\nHeight=" + std::string(5000, '7') + "\n";
  garbage += std::string("\x00\xFF\xFE\x80\x81[\n=\n[]\n[Combo2\nIndex=\x01\x02", 29);
  for (int i = 0; i < 256; ++i) garbage += static_cast<char>(i);
  f.PutIni(garbage);
  auto& form = f.Create();
  EXPECT_EQ(form.Left(), (1920 - form.Width()) / 2);
  EXPECT_EQ(form.Top(), (1080 - form.Height()) / 2);
  EXPECT_FALSE(form.CheckBox1.Checked());   // "0x0" is hexadecimal zero
  EXPECT_FALSE(form.CheckBox6.Checked());   // "yes" is no number: default
  EXPECT_EQ(form.Edit9.Text(), std::string(2047, '7'));
  EXPECT_EQ(form.ComboBox2.ItemIndex(), 0);
  // Written back without a crash, and the lines that were there read back as they were read:
  // in the file's code page, or in UTF-16 where the code page cannot hold what the bytes that
  // were no text became (U+FFFD in the portable build; Windows has characters of its own).
  form.FormDestroy();
  const auto original = DecodeTextFile(garbage, *f.Platform.CodePage).Lines;
  const auto lines = f.WrittenIniLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), original.back()), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Height=" + std::string(2047, '7')), lines.end());
}

TEST(SettingsFile, AnExistingFileKeepsItsEncodingAndItsOtherLines) {
  TFormFixture f;
  f.PutIni("\xEF\xBB\xBF; comment\r\n[Other]\r\nKey=値\r\n\r\n[Text]\r\nHeight=3.5\r\n\r\n[Form]\r\nLeft=1\r\n");
  auto& form = f.Create();
  EXPECT_EQ(form.Edit9.Text(), "3.5");
  form.Edit9.SetText("ボルト");
  form.FormDestroy();
  const std::string& bytes = f.Platform.Files.Files.at(f.IniPath);
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  const auto lines = f.WrittenIniLines();
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[0], "; comment");
  EXPECT_EQ(lines[2], "Key=値");
  EXPECT_EQ(lines[5], "Height=ボルト");
  EXPECT_EQ(lines[6], "Width=1.0");   // added at the end of its section, before the blank line
}

// A parts list "Café.tsv" and a CAD named "Café CAD": é is not in code page 932, so the ANSI
// settings file and the ANSI target list change to a Unicode form instead of writing '?'.
TEST(SettingsFile, CharactersTheAnsiCodePageLacksSurviveTheSettingsAndTheTargetList) {
  TFormFixture f;
  f.PutIni("[Combo1]\r\nText=\x95\x94\x95\x69.tsv\r\n");   // 部品.tsv, code page 932
  f.PutFile(cad::kTargetListFileName, "\x90\x7d\x8c\xa4\tZuken.App\r\n");   // 図研
  f.PutFile("部品.tsv", "a\r\n");
  f.PutFile("Café.tsv", "b\r\n");
  auto& form = f.Create();
  ASSERT_EQ(form.ComboBox1.Text(), "部品.tsv");
  form.ComboBox1.UserSelect(form.ComboBox1.Items.IndexOf("Café.tsv"));
  cad::TTargetCADForm dialog(f.Platform.Services(), f.Target, form, app::kApplicationTitle);
  form.TargetCADForm = &dialog;
  dialog.ModalRunner = [](cad::TTargetCADForm& shown) {
    shown.Edit1.UserSetText("Café CAD");
    shown.Edit2.UserSetText("Cafe.App");
    shown.SpeedButton1.UserClick();
    shown.Button1.UserClick();
  };
  form.SpeedButton7.UserClick();
  form.FormDestroy();

  const std::string& ini = f.Platform.Files.Files.at(f.IniPath);
  EXPECT_EQ(ini.substr(0, 2), "\xFF\xFE");
  const std::string& list = f.Platform.Files.Files.at(f.Folder + cad::kTargetListFileName);
  EXPECT_EQ(list.substr(0, 3), "\xEF\xBB\xBF");

  // The next start finds both again.
  TFormFixture next;
  next.Platform.Files.Files = f.Platform.Files.Files;
  auto& again = next.Create();
  EXPECT_EQ(again.ComboBox1.Text(), "Café.tsv");
  EXPECT_EQ(next.Target.TargetProgID, "Cafe.App");
  EXPECT_EQ(again.GetCaption(), "KAVEROLIN 2.18 [ Café CAD ]");

  // A text that fits keeps the file as it was: ANSI, no mark.
  TFormFixture plain;
  plain.PutIni("[Combo1]\r\nText=x.tsv\r\n");
  plain.PutFile("部品.tsv", "a\r\n");
  plain.Create().FormDestroy();
  EXPECT_NE(plain.Platform.Files.Files.at(plain.IniPath).find("Text=\x95\x94\x95\x69.tsv"), std::string::npos);
}

TEST(SettingsFile, AFailedWriteIsReportedOnceAndLeavesTheOldFileWhole) {
  TFormFixture f;
  f.PutIni("[Form]\r\nLeft=5\r\n");
  const std::string before = f.Platform.Files.Files.at(f.IniPath);
  auto& form = f.Create();
  f.Platform.Files.Unwritable[f.IniPath] = true;
  form.FormDestroy();
  EXPECT_EQ(f.Platform.Messages.Errors, std::vector<std::string>{"C:\\Tools\\kaverolin.ini に書き込めません"});
  EXPECT_EQ(f.Platform.Files.Files.at(f.IniPath), before);
}

TEST(ProfileIntegers, ReadDecimalAndHexadecimalAndRejectTheRest) {
  using app::ParseProfileInteger;
  EXPECT_EQ(ParseProfileInteger("-42"), -42);
  EXPECT_EQ(ParseProfileInteger("+7"), 7);
  EXPECT_EQ(ParseProfileInteger("0x1F"), 31);
  EXPECT_EQ(ParseProfileInteger("0XFFFFFFFF"), -1);
  // Hexadecimal digits in either letter case, every one of them.
  EXPECT_EQ(ParseProfileInteger("0xff"), 255);
  EXPECT_EQ(ParseProfileInteger("0xabcdef"), 11259375);
  EXPECT_EQ(ParseProfileInteger("0XaBcDeF"), 11259375);
  EXPECT_EQ(ParseProfileInteger("0x01234567"), 19088743);
  EXPECT_EQ(ParseProfileInteger("0x89"), 137);
  EXPECT_FALSE(ParseProfileInteger("0xfg"));
  EXPECT_FALSE(ParseProfileInteger("0xG"));
  EXPECT_EQ(ParseProfileInteger("-2147483648"), -2147483647 - 1);
  EXPECT_FALSE(ParseProfileInteger("2147483648"));
  EXPECT_FALSE(ParseProfileInteger("0x100000000"));
  EXPECT_FALSE(ParseProfileInteger("0x"));
  EXPECT_FALSE(ParseProfileInteger("1.5"));
  EXPECT_FALSE(ParseProfileInteger(""));
  EXPECT_FALSE(ParseProfileInteger("-"));
}

TEST(IniDocument, ValuesCannotBreakTheFileApart) {
  app::TIniFile ini;
  ini.WriteString("Target", "ProgID", "x\r\n[Form]\r\nLeft=0");
  EXPECT_EQ(ini.Lines().size(), 2u);
  EXPECT_FALSE(ini.Value("Form", "Left"));
  EXPECT_EQ(ini.ReadString("target", "PROGID", ""), "x  [Form]  Left=0");
}

TEST(IniDocument, IntegersReadInHexadecimalWithLowerCaseDigits) {
  app::TIniFile ini;
  ini.WriteString("Form", "Left", "0xff");
  ini.WriteString("Form", "Top", "0xabcdef");
  ini.WriteString("Form", "Width", "0xfz");
  EXPECT_EQ(ini.ReadInteger("Form", "Left", -1), 255);
  EXPECT_EQ(ini.ReadInteger("Form", "Top", -1), 11259375);
  EXPECT_EQ(ini.ReadInteger("Form", "Width", -1), -1);
}

TEST(TargetCaption, NamesTheFirstLineWhoseProgIdFollowsATab) {
  TFormFixture f;
  f.PutFile("TargetCAD_APIVersion.txt",
            "Other\tZWCAD.Application\r\nBricsCAD V23\tBricscadApp.AcadApplication.23\r\n"
            "BricsCAD\tBricscadApp.AcadApplication\r\n");
  auto& form = f.Create();
  EXPECT_EQ(form.GetCaption(), "KAVEROLIN 2.18 [ BricsCAD V23 ]");
  EXPECT_EQ(f.Target.TargetCaption, form.GetCaption());

  TFormFixture g;
  g.PutFile("TargetCAD_APIVersion.txt", "a\tb\tBricscadApp.AcadApplication\nnothing here\n");
  EXPECT_EQ(g.Create().GetCaption(), "KAVEROLIN 2.18 [ a\tb ]");

  TFormFixture h;
  h.PutFile("TargetCAD_APIVersion.txt", "Other\tbricscadapp.acadapplication\n");   // case counts
  EXPECT_EQ(h.Create().GetCaption(), "MOLBREX");
  EXPECT_EQ(h.Target.TargetCaption, "");
}

TEST(TagList, FillsTheTagBoxLineByLine) {
  TFormFixture f;
  f.PutFile("ATTTAGList.txt", "PARTNO\t品番\r\nQTY\r\n\r\nA,b\tc\r\n");
  f.PutIni("[ComboBox]\r\nText3=QTY\r\n");
  auto& form = f.Create();
  EXPECT_EQ(form.ComboBox3.Items.All(), (std::vector<std::string>{"PARTNO : 品番", "QTY", "", "A,b : c"}));
  EXPECT_EQ(form.ComboBox3.Text(), "QTY");

  TFormFixture empty;
  empty.PutFile("ATTTAGList.txt", "");
  empty.PutIni("[ComboBox]\r\nText3=QTY\r\n");
  auto& form2 = empty.Create();
  EXPECT_EQ(form2.ComboBox3.Items.Count(), 0);
  EXPECT_EQ(form2.ComboBox3.Text(), "");
  form2.FormDestroy();
  const auto lines = empty.WrittenIniLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Text3="), lines.end());
}

TEST(TagList, AnUnreadableListIsReportedAndStartUpGoesOn) {
  TFormFixture f;
  f.PutFile("ATTTAGList.txt", "PARTNO\r\n");
  f.Platform.Files.Unreadable[f.Folder + "ATTTAGList.txt"] = true;
  auto& form = f.Create();
  EXPECT_EQ(f.Platform.Messages.Errors.size(), 1u);
  EXPECT_TRUE(form.AcceptFiles());   // the last start-up step still ran
}

}  // namespace
}  // namespace kav::test
