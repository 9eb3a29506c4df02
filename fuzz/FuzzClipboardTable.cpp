// Fuzz target: any clipboard text parsed as a table and pasted into a grid with cell undo,
// then taken back; the grid must end as it began.
#include <cstddef>
#include <cstdint>
#include <string>

#include "partslist/ClipboardTable.h"
#include "partslist/GridKeys.h"
#include "platform/Text.h"

namespace {

class TFuzzClipboard final : public kav::IClipboard {
 public:
  explicit TFuzzClipboard(std::string text) : text_(std::move(text)) {}
  bool TrySetText(const std::string& text) override { text_ = text; return true; }
  std::optional<std::string> GetText() override { return text_; }

 private:
  std::string text_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return 0;   // the paste grows the grid to the text's size
  // The clipboard holds UTF-16 on Windows; what reaches the grid is valid UTF-8.
  const std::string text = kav::Utf16ToUtf8(kav::Utf8ToUtf16(std::string(reinterpret_cast<const char*>(data), size)));
  const auto table = kav::partslist::ParseClipboardTable(text);
  const auto tableSize = kav::partslist::ClipboardTableSize(text);
  if (tableSize.Lines != static_cast<int>(table.size())) __builtin_trap();
  kav::ui::TStringGrid grid("StringGrid2");
  grid.SetCell(1, 2, "kept");
  grid.SetSelection({1, 2, 1, 2});
  kav::partslist::TUndoCells cells;
  int count = 0;
  kav::ui::TGridRect rect;
  TFuzzClipboard clipboard(text);
  kav::partslist::PasteRange(grid, {&cells, count, rect}, clipboard);
  if (grid.ColCount() < 1 + tableSize.Width) __builtin_trap();
  kav::partslist::UndoBulkEdit(grid, {&cells, count, rect});
  if (grid.Cell(1, 2) != "kept" || cells.Count() != 0) __builtin_trap();
  return 0;
}
