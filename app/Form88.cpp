// TForm88: construction, start-up and shut-down, and the rules that live on the pages.
#include "app/Form88.h"

#include "cadlink/TargetList.h"
#include "platform/Text.h"
#include "platform/TextFile.h"

namespace kav::app {

TForm88::TForm88(TServices services, cad::TTargetState& target)
    : ui::TForm("Form88"), Services(services), Target(target) {
  Caption = kDesignCaption;
  ClientWidth = kDesignClientWidth;
  ClientHeight = kDesignClientHeight;
  // The outer size of the designed window; the native peer replaces it with the real one.
  Bounds.Width = kDesignClientWidth + 16;
  Bounds.Height = kDesignClientHeight + 39;
  Font = ui::TFont{"Tahoma", 11, false};
  OnError = [this](const std::string& text) { Services.Messages.ShowError(text); };
  BuildPages();
  LayOutPages();
  ConnectHandlers();
  ConnectPartsListHandlers();
}

std::string TForm88::ProgramFolder() const { return ExtractFilePath(Services.ProgramPath); }

std::string TForm88::SettingsPath() const { return ChangeFileExt(Services.ProgramPath, ".ini"); }

void TForm88::ConnectHandlers() {
  PageControl1.OnChange = [this] { PageControl1Change(); };
  for (ui::TEdit* edit : {&Edit4, &Edit5, &Edit12, &Edit13, &Edit14}) edit->OnChange = [this] { Edit4Change(); };
  Edit2.OnChange = [this] { Edit2Change(); };
  CheckBox1.OnClick = [this] { CheckBox1Click(); };
  CheckBox2.OnClick = [this] { CheckBox2Click(); };
  CheckBox7.OnClick = [this] { CheckBox7Click(); };
  CheckBox3.OnClick = [this] { CheckBox3Click(); };
  CheckBox5.OnClick = [this] { CheckBox5Click(); };
  for (ui::TRadioButton* radio : {&RadioButton1, &RadioButton2, &RadioButton3})
    radio->OnClick = [this] { RadioButton1Click(); };
  RadioButton4.OnClick = [this] { RadioButton4Click(); };
  SpeedButton7.OnClick = [this] { SpeedButton7Click(); };
  Button1.OnClick = EXT2.OnClick = [this] { Button1Click(); };
  Button8.OnClick = N15.OnClick = [this] { N15Click(); };
  Button3.OnClick = EXT1.OnClick = [this] { Button3Click(); };
  Button6.OnClick = [this] { Button6Click(); };
  N14.OnClick = [this] { N14Click(); };
  Button4.OnClick = N3.OnClick = [this] { Button4Click(); };
  Button7.OnClick = [this] { Button7Click(); };
  Button2.OnClick = [this] { Button2Click(); };
}

// --- Start and end

void TForm88::FormCreate() {
  // Step 1
  dropFullName.clear();
  UndoCount1 = UndoCount2 = 0;
  Target.TargetProgID = cad::kDefaultProgID;
  // Step 2: the work-area page
  PageControl1.SetActivePageIndex(kWorkAreaPage);
  // Step 3: above other applications' windows, the CAD's included
  SetTopmost(true);
  // Step 4
  ReadSettings();
  // Step 5: the send buttons start disabled
  Edit2Change();
  // Step 6: name the target CAD in the caption
  Dispatch([this] {
    const std::string listPath = ProgramFolder() + cad::kTargetListFileName;
    if (!Services.Files.FileExists(listPath)) return;
    const TTextFile list = ReadTextFile(Services.Files, Services.CodePage, listPath);
    if (const auto name = cad::FindTargetName(list.Lines, Target.TargetProgID)) {
      SetCaption(std::string(kApplicationTitle) + " [ " + *name + " ]");
      Target.TargetCaption = Caption;
    }
  });
  // Step 7: the work-area list
  Dispatch([this] { StartWorkAreaList(); });
  // Step 8: the tag box
  ComboBox3.SetText("");
  Dispatch([this] { LoadTagList(); });
  // Step 9: the cell undo stacks
  CreateUndoStacks();
  // Step 10: the message filter
  if (MessageFilter != nullptr) MessageFilter->RegisterFilter();
  // Step 11
  SetAcceptFiles(true);
}

void TForm88::FormDestroy() {
  // Step 1
  WriteSettings();
  // Step 2
  FreeUndoStacks();
  // Step 3: the message filter registered before ours comes back
  if (MessageFilter != nullptr) MessageFilter->RevokeFilter();
}

// --- Number boxes

double TForm88::NumberIn(const ui::TEdit& box, double fallback) const { return NumberOr(box.Text(), fallback); }

std::string TForm88::FormatNumber(double value, int decimals) const { return FormatFixed(value, decimals); }

// --- Page rules

void TForm88::PageControl1Change() {
  if (PageControl1.ActivePageIndex() != kSettingsPage) return;
  const double h = NumberIn(Edit9, 2.5);
  const double a = NumberIn(Edit4, 5.0);
  const double b = NumberIn(Edit5, 50.0);
  Edit8.SetText(FormatNumber(h * a, 1));
  Edit11.SetText(FormatNumber(h * b, 1));
}

void TForm88::Edit4Change() { PageControl1Change(); }

void TForm88::Edit2Change() {
  const bool hasText = !IsBlank(Edit2.Text());
  for (ui::TButton* button : {&Button3, &Button1, &Button6}) button->SetEnabled(hasText);
}

void TForm88::CheckBox1Click() {
  if (!CheckBox1.Checked()) return;
  CheckBox2.SetChecked(false);
  CheckBox7.SetChecked(false);
}

void TForm88::CheckBox2Click() {
  if (!CheckBox2.Checked()) return;
  CheckBox1.SetChecked(false);
  CheckBox7.SetChecked(false);
}

void TForm88::CheckBox7Click() {
  if (!CheckBox7.Checked()) return;
  CheckBox1.SetChecked(false);
  CheckBox2.SetChecked(false);
}

void TForm88::CheckBox3Click() {
  if (CheckBox3.Checked()) CheckBox5.SetChecked(false);
}

void TForm88::CheckBox5Click() {
  if (CheckBox5.Checked()) CheckBox3.SetChecked(false);
}

void TForm88::RadioButton1Click() {
  const bool placementAllowed = !RadioButton4.Checked();
  CheckBox3.SetEnabled(placementAllowed);
  CheckBox5.SetEnabled(placementAllowed);
}

void TForm88::RadioButton4Click() { RadioButton1Click(); }

}  // namespace kav::app
