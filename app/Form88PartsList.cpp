// TForm88's parts lists: the import into the file grid, the work-area list with its filter,
// clicks in the work-area grid and dropped files.
#include "app/Form88.h"

#include "partslist/TableLoad.h"
#include "partslist/WorkAreaList.h"
#include "platform/Text.h"

namespace kav::app {
// --- Text file import

std::string TForm88::DialogFolder() const {
  // Without the trailing separator, except for a drive root ("C:\").
  std::string folder = ProgramFolder();
  const bool driveRoot = folder.size() == 3 && folder[1] == ':';
  if (!driveRoot && !folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}

void TForm88::SpeedButton1Click() {
  OpenTextFileDialog1.InitialDir = DialogFolder();
  const auto path = Services.FileDialogs.OpenFile(OpenTextFileDialog1);
  if (!path) return;
  OpenTextFileDialog1.FileName = *path;
  SaveTextFileDialog1.FileName = *path;   // a later save proposes this file
  loadToSg(StringGrid2, *path);
}

void TForm88::loadToSg(ui::TStringGrid& sg, const std::string& fname) {
  partslist::LoadTextFileIntoGrid(sg, Services.Files, Services.CodePage, fname);
}

// --- Work-area list

void TForm88::StartWorkAreaList() {
  std::vector<std::string> names;
  partslist::ListFileNames(Services.Files, ProgramFolder(), partslist::kPartsListPattern, names);
  if (!partslist::FillPartsListBox(ComboBox1, std::move(names), RememberedPartsList)) return;
  ComboBox1Change(*this);
}

void TForm88::ComboBox1Change(ui::TControl& Sender) {
  std::string path;
  Edit2.SetText("");
  const bool hasEntries = ComboBox1.Items.Count() > 0;
  if (&Sender == &ComboBox1) {
    // Only the user's choice in the box forgets a dropped file.
    if (hasEntries) path = ProgramFolder() + ComboBox1.Text();
    dropFullName.clear();
  } else if (!dropFullName.empty()) {
    path = dropFullName;
  } else if (hasEntries) {
    path = ProgramFolder() + ComboBox1.Text();
  }
  if (dropFullName.empty()) SetCaption(Target.TargetCaption);
  partslist::LoadWorkAreaGrid(StringGrid1, Services.Files, Services.CodePage, path, Edit1.Text());
}

void TForm88::Edit1Change() { ComboBox1Change(*this); }

void TForm88::StringGrid1Click() {
  const std::string text = Trim(StringGrid1.Cell(StringGrid1.Col(), StringGrid1.Row()));
  Edit2.SetText(text);
  Edit15.SetText(text);
  // Several rows of one column: TEXT creation writes them row by row, at the row pitch.
  const ui::TGridRect sel = StringGrid1.Selection();
  const bool oneColumnManyRows = sel.Left == sel.Right && sel.Top != sel.Bottom;
  Label2.SetEnabled(oneColumnManyRows);
  Edit3.SetEnabled(oneColumnManyRows);
}

void TForm88::StringGrid1DblClick() {
  if (CheckBox1.Checked()) Button3Click();
  if (CheckBox2.Checked()) Button1Click();
  if (CheckBox7.Checked()) Button6Click();
}

void TForm88::StringGrid1MouseDown(ui::TStringGrid& grid, ui::TMouseButton button, int x, int y) {
  if (button != ui::TMouseButton::Right) return;
  int col = 0, row = 0;
  if (!grid.MouseToCell(x, y, col, row)) return;
  grid.SetCol(col);
  if (row != 0) grid.SetRow(row);
}

// --- Dropped files

void TForm88::FormDropFile(const std::string& path) {
  if (PageControl1.ActivePageIndex() == kWorkAreaPage) {
    dropFullName = path;
    SetCaption(std::string(kApplicationTitle) + " [ " + ExtractFileName(path) + " ]");
    ComboBox1Change(*this);
  } else {
    loadToSg(StringGrid2, path);
  }
}

}  // namespace kav::app
