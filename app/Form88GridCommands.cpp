// TForm88's grid commands: the keys of both grids with cell undo, and the buttons and popup
// entries that select, copy, save, append, sort and reshape a parts list.
#include "app/Form88.h"

#include <optional>

#include "partslist/GridKeys.h"
#include "partslist/GridRows.h"
#include "partslist/PartsListFile.h"
#include "partslist/WorkAreaList.h"
#include "platform/Text.h"

namespace kav::app {
namespace {

constexpr const char* kTooLittleQuestion = "選択データが少なすぎます。すべてを選択して保存しますか？";
constexpr const char* kOverwriteQuestion = "すでにファイルが存在します。上書きしますか？";
constexpr const char* kCopyFailed = "クリップボードへのコピーに失敗しました．";
constexpr int kClipboardAttempts = 10;

}  // namespace

// --- Cell undo stacks

void TForm88::CreateUndoStacks() {
  UndoCells1 = std::make_unique<partslist::TUndoCells>();
  UndoCells2 = std::make_unique<partslist::TUndoCells>();
}

void TForm88::FreeUndoStacks() {
  UndoCells1.reset();
  UndoCells2.reset();
}

// --- Keys of both grids

void TForm88::GridKeyDown(ui::TStringGrid& grid, ui::TKey& key, ui::TShiftState shift) {
  const bool workArea = &grid == &StringGrid1;
  partslist::TGridUndo undo{workArea ? UndoCells1.get() : UndoCells2.get(), workArea ? UndoCount1 : UndoCount2,
                            workArea ? UndoRect1 : UndoRect2};
  partslist::GridKeyDown(grid, key, shift, undo, Services.Clipboard, Services.Desktop);
}

void TForm88::StringGrid1KeyDown(ui::TKey& key, ui::TShiftState shift) { GridKeyDown(StringGrid1, key, shift); }
void TForm88::StringGrid2KeyDown(ui::TKey& key, ui::TShiftState shift) { GridKeyDown(StringGrid2, key, shift); }

void TForm88::StringGrid1GetEditText(int ACol, int ARow) {
  if (UndoCells1) UndoCells1->Add(StringGrid1, ACol, ARow);
}

void TForm88::StringGrid2GetEditText(int ACol, int ARow) {
  if (UndoCells2) UndoCells2->Add(StringGrid2, ACol, ARow);
}

partslist::TTableSize TForm88::ClipboardTableSize() {
  return partslist::ClipboardTableSize(Services.Clipboard.GetText().value_or(std::string()));
}

// --- File-creation page

void TForm88::SpeedButton2Click() { partslist::SelectAllData(StringGrid2); }

void TForm88::StringGrid2FixedCellClick(int ACol, int ARow) {
  if (ARow == 0) partslist::SelectDataColumn(StringGrid2, ACol);
}

void TForm88::CopyRangeToClipboard(ui::TStringGrid& grid) {
  const std::string text = partslist::RangeText(grid, grid.Selection());
  if (!partslist::PutClipboardText(Services.Clipboard, Services.Desktop, text, kClipboardAttempts))
    Services.Messages.ShowMessage(kCopyFailed);
}

void TForm88::SpeedButton3Click() { CopyRangeToClipboard(StringGrid2); }

std::optional<std::string> TForm88::AskLinesAndPath(std::vector<std::string>& lines, bool appending) {
  lines = partslist::CollectLines(StringGrid2, StringGrid2.Selection());
  const bool tooLittle = appending ? partslist::TooLittleToAppend(StringGrid2.Selection(), lines)
                                   : partslist::TooLittleToSave(StringGrid2.Selection(), lines);
  if (tooLittle) {
    if (!Services.Messages.AskYesNo(kTooLittleQuestion)) return std::nullopt;
    partslist::SelectAllData(StringGrid2);
    lines = partslist::CollectLines(StringGrid2, StringGrid2.Selection());
  }
  SaveTextFileDialog1.InitialDir = DialogFolder();
  const auto path = Services.FileDialogs.SaveFile(SaveTextFileDialog1);
  if (path) SaveTextFileDialog1.FileName = *path;
  return path;
}

void TForm88::SpeedButton5Click() {
  std::vector<std::string> lines;
  const auto path = AskLinesAndPath(lines, false);
  if (!path) return;
  if (Services.Files.FileExists(*path) && !Services.Messages.AskYesNo(kOverwriteQuestion)) return;
  partslist::WriteNewPartsList(Services.Files, Services.CodePage, *path, lines);
  partslist::AddPartsListName(ComboBox1, ExtractFileName(*path));
}

void TForm88::SpeedButton6Click() {
  std::vector<std::string> lines;
  const auto path = AskLinesAndPath(lines, true);
  if (path) partslist::AppendToPartsList(Services.Files, Services.CodePage, *path, lines);
}

// --- Popup entries

void TForm88::N5Click() { partslist::SortGridByColumn(StringGrid1, StringGrid1.Col(), Services.Collation); }
void TForm88::N7Click() { partslist::SortGridByColumn(StringGrid2, StringGrid2.Col(), Services.Collation); }

void TForm88::N10Click() {
  const int removed = partslist::RemoveDuplicateRows(StringGrid2);
  Services.Messages.ShowMessage(partslist::DuplicatesMessage(removed));
}

void TForm88::N12Click() { partslist::AddBlankLastRow(StringGrid1); }
void TForm88::N16Click() { partslist::DeleteCurrentColumn(StringGrid2); }
void TForm88::N18Click() { partslist::DeleteCurrentRow(StringGrid2); }

}  // namespace kav::app
