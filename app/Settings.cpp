// The settings file beside the program (read once at start, written once at the end) and the
// attribute tag list that fills the tag box.
#include "app/Form88.h"
#include "app/IniFile.h"
#include "platform/Text.h"
#include "platform/TextFile.h"

namespace kav::app {
namespace {

constexpr const char* kTagListFileName = "ATTTAGList.txt";

// A missing or unreadable settings file reads as an empty one: every value its default.
TIniFile OpenSettings(TServices& services, const std::string& path) {
  try {
    if (services.Files.FileExists(path)) return TIniFile(ReadTextFile(services.Files, services.CodePage, path));
  } catch (const FileError&) {
  }
  return TIniFile();
}

}  // namespace

void TForm88::ReadSettings() {
  const TIniFile ini = OpenSettings(Services, SettingsPath());

  SetLeft(ini.ReadInteger("Form", "Left", (Services.Desktop.ScreenWidth() - Width()) / 2));
  SetTop(ini.ReadInteger("Form", "Top", (Services.Desktop.ScreenHeight() - Height()) / 2));
  Target.TargetProgID = ini.ReadString("Target", "ProgID", cad::kDefaultProgID);

  Edit9.SetText(ini.ReadString("Text", "Height", "2.5"));
  Edit10.SetText(ini.ReadString("Text", "Width", "1.0"));
  Edit3.SetText(ini.ReadString("Text", "RowH", "5.0"));

  // Each radio button set to true chooses itself (and runs its handler); false only clears it.
  RadioButton1.SetChecked(ini.ReadBool("Text", "BaseML", true));
  RadioButton2.SetChecked(ini.ReadBool("Text", "BaseMC", false));
  RadioButton3.SetChecked(ini.ReadBool("Text", "BaseMR", false));
  RadioButton4.SetChecked(ini.ReadBool("Text", "BaseCB", false));

  ComboBox2.SetItemIndex(ini.ReadInteger("Combo2", "Index", 0));

  // Each check mark that changes runs its handler, so of contradicting values the last wins.
  CheckBox1.SetChecked(ini.ReadBool("CheckBox", "Checked1", true));
  CheckBox2.SetChecked(ini.ReadBool("CheckBox", "Checked2", false));
  CheckBox3.SetChecked(ini.ReadBool("CheckBox", "Checked3", false));
  CheckBox5.SetChecked(ini.ReadBool("CheckBox", "Checked5", false));
  CheckBox6.SetChecked(ini.ReadBool("CheckBox", "Checked6", false));
  CheckBox7.SetChecked(ini.ReadBool("CheckBox", "Checked7", false));

  RememberedPartsList = ini.ReadString("Combo1", "Text", "");

  for (auto [edit, key] : {std::pair{&Edit4, "Edit4"}, {&Edit5, "Edit5"}, {&Edit6, "Edit6"}, {&Edit7, "Edit7"},
                           {&Edit12, "Edit12"}, {&Edit13, "Edit13"}, {&Edit14, "Edit14"}})
    edit->SetText(ini.ReadString("Text", key, edit->Text()));

  RememberedTag = ini.ReadString("ComboBox", "Text3", "");
}

void TForm88::WriteSettings() {
  const std::string path = SettingsPath();
  TIniFile ini = OpenSettings(Services, path);

  ini.WriteInteger("Form", "Left", Left());
  ini.WriteInteger("Form", "Top", Top());
  ini.WriteString("Target", "ProgID", Target.TargetProgID);
  ini.WriteString("Text", "Height", Edit9.Text());
  ini.WriteString("Text", "Width", Edit10.Text());
  ini.WriteString("Text", "RowH", Edit3.Text());
  ini.WriteBool("Text", "BaseML", RadioButton1.Checked());
  ini.WriteBool("Text", "BaseMC", RadioButton2.Checked());
  ini.WriteBool("Text", "BaseMR", RadioButton3.Checked());
  ini.WriteBool("Text", "BaseCB", RadioButton4.Checked());
  ini.WriteInteger("Combo2", "Index", ComboBox2.ItemIndex());
  ini.WriteBool("CheckBox", "Checked1", CheckBox1.Checked());
  ini.WriteBool("CheckBox", "Checked2", CheckBox2.Checked());
  ini.WriteString("Combo1", "Text", ComboBox1.Text());
  ini.WriteBool("CheckBox", "Checked3", CheckBox3.Checked());
  ini.WriteBool("CheckBox", "Checked5", CheckBox5.Checked());
  ini.WriteBool("CheckBox", "Checked6", CheckBox6.Checked());
  ini.WriteBool("CheckBox", "Checked7", CheckBox7.Checked());
  for (auto [edit, key] : {std::pair{&Edit4, "Edit4"}, {&Edit5, "Edit5"}, {&Edit6, "Edit6"}, {&Edit7, "Edit7"},
                           {&Edit12, "Edit12"}, {&Edit13, "Edit13"}, {&Edit14, "Edit14"}})
    ini.WriteString("Text", key, edit->Text());
  ini.WriteString("ComboBox", "Text3", ComboBox3.Text());

  // All keys go to disk at once; a failure leaves the old file whole. An ANSI file that cannot
  // hold a value (a parts list "Café.tsv") becomes UTF-16 with its mark, which the profile
  // functions read as well.
  try {
    const TEncodedText file =
        EncodeTextFileKeepingText(ini.Lines(), ini.Encoding(), TextEncoding::Utf16LE, Services.CodePage);
    Services.Files.WriteAtomically(path, file.Bytes);
  } catch (const FileError&) {
    Services.Messages.ShowError(path + " に書き込めません");
  }
}

void TForm88::LoadTagList() {
  const std::string path = ProgramFolder() + kTagListFileName;
  if (!Services.Files.FileExists(path)) return;
  const TTextFile list = ReadTextFile(Services.Files, Services.CodePage, path);
  for (const std::string& line : list.Lines) {
    std::string entry;
    for (char c : line) {
      if (c == '\t') entry += " : ";
      else entry += c;
    }
    ComboBox3.Items.Add(std::move(entry));
  }
  ComboBox3.ItemsChanged();
  if (ComboBox3.Items.Count() > 0) ComboBox3.SetText(RememberedTag);
}

}  // namespace kav::app
