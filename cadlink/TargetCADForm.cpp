#include "cadlink/TargetCADForm.h"

#include "cadlink/TargetList.h"
#include "platform/Text.h"

namespace kav::cad {

TTargetCADForm::TTargetCADForm(TServices services, TTargetState& target, ui::TForm& mainForm,
                               std::string applicationTitle)
    : ui::TForm("TargetCADForm"),
      services_(std::move(services)),
      target_(target),
      mainForm_(mainForm),
      applicationTitle_(std::move(applicationTitle)) {
  Caption = "ターゲット CAD";
  ClientWidth = kTargetDialogClientWidth;
  ClientHeight = kTargetDialogClientHeight;
  SetVisible(false);   // created hidden at start; shown only while open
  Sizeable = false;    // a fixed-size dialog
  Position = ui::TFormPosition::ScreenCenter;

  ListBox1.Items.Sorted = true;
  ListBox1.Items.Compare = [this](std::string_view a, std::string_view b) {
    return services_.Collation.CompareIgnoreCase(a, b);
  };
  Edit1.ImeOff = true;
  Edit2.ImeOff = true;
  SpeedButton1.Hint = "追加";
  SpeedButton2.Hint = "削除";
  SpeedButton3.Hint = "変更";
  Button1.ModalResult = ui::mrOk;
  Button2.ModalResult = ui::mrCancel;

  Add(ListBox1);
  Add(GroupBox1);
  GroupBox1.Add(Label1);
  GroupBox1.Add(Edit1);
  GroupBox1.Add(Label2);
  GroupBox1.Add(Edit2);
  GroupBox1.Add(SpeedButton1);
  GroupBox1.Add(SpeedButton2);
  GroupBox1.Add(SpeedButton3);
  Add(Button1);
  Add(Button2);
  LayOut();

  ListBox1.OnClick = [this] { ListBox1Click(); };
  SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
  SpeedButton2.OnClick = [this] { SpeedButton2Click(); };
  SpeedButton3.OnClick = [this] { SpeedButton3Click(); };
  Edit1.OnKeyPress = [this](char32_t& key) { Edit1KeyPress(key); };
  Edit2.OnKeyPress = [this](char32_t& key) { Edit1KeyPress(key); };
  Button1.OnClick = [this] { Button1Click(); };
  Button2.OnClick = [this] { Button2Click(); };
  OnError = [this](const std::string& text) { services_.Messages.ShowError(text); };
}

void TTargetCADForm::LayOut() {
  ListBox1.Bounds = {8, 8, 299, 148};
  GroupBox1.Bounds = {8, 162, 299, 104};
  Label1.Bounds = {10, 16, 130, 16};
  Edit1.Bounds = {10, 32, 279, 21};
  Label2.Bounds = {10, 56, 150, 16};
  Edit2.Bounds = {10, 72, 180, 21};
  SpeedButton1.Bounds = {196, 71, 30, 23};
  SpeedButton2.Bounds = {228, 71, 30, 23};
  SpeedButton3.Bounds = {260, 71, 30, 23};
  Button1.Bounds = {146, 274, 75, 25};
  Button2.Bounds = {230, 274, 75, 25};
}

std::string TTargetCADForm::TargetListPath() const {
  return ExtractFilePath(services_.ProgramPath) + kTargetListFileName;
}

void TTargetCADForm::FormShow() {
  try {
    if (auto file = ReadTargetList(services_.Files, services_.CodePage, TargetListPath())) {
      encoding_ = file->Encoding;
      ListBox1.AssignItems(std::move(file->Lines));
    }
  } catch (const FileError& e) {
    // The dialog still opens with the entries of its last opening, so nothing the user sees
    // is lost; the reason is shown once.
    services_.Messages.ShowError(e.what());
  }
  std::string needle(1, '\t');
  needle += target_.TargetProgID;
  ListBox1.SetItemIndex(-1);
  for (int i = 0; i < ListBox1.Items.Count(); ++i) {
    if (ListBox1.Items[i].find(needle) != std::string::npos) {
      ListBox1.SetItemIndex(i);
      ListBox1Click();
      break;
    }
  }
}

void TTargetCADForm::ListBox1Click() {
  const int index = ListBox1.ItemIndex();
  if (index < 0 || index >= ListBox1.Items.Count()) return;
  const TTargetEntry entry = SplitTargetLine(ListBox1.Items[index]);
  Edit1.SetText(entry.Name);
  Edit2.SetText(entry.ProgID);
}

void TTargetCADForm::SpeedButton1Click() {
  const std::string line = JoinTargetLine(Edit1.Text(), Edit2.Text());
  ListBox1.AddItem(line);
  ListBox1.SetItemIndex(ListBox1.Items.IndexOfIgnoreCase(line));
  ListBox1Click();
  WriteList();
}

void TTargetCADForm::SpeedButton2Click() {
  const int i = ListBox1.ItemIndex();
  if (i < 0 || i >= ListBox1.Items.Count()) return;
  ListBox1.DeleteItem(i);
  Edit1.SetText({});
  Edit2.SetText({});
  const int c = ListBox1.Items.Count();
  int next = -1;
  if (c > i + 1) next = i;
  else if (i >= 1) next = i - 1;
  ListBox1.SetItemIndex(next);
  if (next >= 0) ListBox1Click();
  WriteList();
}

void TTargetCADForm::SpeedButton3Click() {
  const int i = ListBox1.ItemIndex();
  if (i < 0 || i >= ListBox1.Items.Count()) return;
  ListBox1.SetItem(i, JoinTargetLine(Edit1.Text(), Edit2.Text()));
  ListBox1.SetItemIndex(i);
  WriteList();
}

void TTargetCADForm::Edit1KeyPress(char32_t& key) {
  if (key != U'\r') return;
  key = 0;
  SpeedButton3Click();
}

void TTargetCADForm::Button1Click() {
  mainForm_.SetCaption(applicationTitle_ + " [" + Edit1.Text() + "]");
  target_.TargetProgID = Edit2.Text();
  ModalResult = ui::mrOk;
}

void TTargetCADForm::Button2Click() { ModalResult = ui::mrCancel; }

void TTargetCADForm::WriteList() {
  // A list that had to change its encoding keeps the new one for the next writes.
  encoding_ = WriteTargetList(services_.Files, services_.CodePage, TargetListPath(), ListBox1.Items.All(), encoding_);
}

int TTargetCADForm::ShowModal() {
  ModalResult = ui::mrNone;
  FormShow();
  SetVisible(true);
  struct THide {
    TTargetCADForm& form;
    ~THide() { form.SetVisible(false); }
  } hide{*this};
  if (ModalRunner) ModalRunner(*this);
  if (ModalResult == ui::mrNone) ModalResult = ui::mrCancel;
  return ModalResult;
}

void OpenTargetCADDialog(ui::TForm& mainForm, TTargetCADForm& dialog, IDesktop& desktop, TTargetState& target) {
  mainForm.SetTopmost(false);
  dialog.SetTopmost(true);
  desktop.ProcessMessages();
  struct TRestore {
    ui::TForm& main;
    TTargetCADForm& dialog;
    IDesktop& desktop;
    TTargetState& target;
    ~TRestore() {
      target.TargetCaption = main.GetCaption();
      dialog.SetTopmost(false);
      main.SetTopmost(true);
      desktop.ProcessMessages();
    }
  } restore{mainForm, dialog, desktop, target};
  dialog.ShowModal();
}

}  // namespace kav::cad
