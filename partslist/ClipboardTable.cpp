#include "partslist/ClipboardTable.h"

#include <algorithm>

#include "partslist/FieldSplit.h"
#include "platform/TextFile.h"

namespace kav::partslist {

std::vector<std::vector<std::string>> ParseClipboardTable(std::string_view text) {
  std::vector<std::vector<std::string>> rows;
  for (const std::string& line : SplitLines(text)) rows.push_back(SplitFields(line, '\t'));
  return rows;
}

TTableSize ClipboardTableSize(std::string_view text) {
  TTableSize size;
  std::string scratch;
  for (const std::string& line : SplitLines(text)) {
    int fields = 0;
    ForEachField(line, '\t', scratch, [&](std::string_view) { ++fields; });
    size.Width = std::max(size.Width, fields);
    ++size.Lines;
  }
  return size;
}

std::string RangeText(const ui::TStringGrid& grid, const ui::TGridRect& rect) {
  std::string text;
  for (int r = rect.Top; r <= rect.Bottom; ++r) {
    for (int c = rect.Left; c <= rect.Right; ++c) {
      if (c > rect.Left) text += '\t';
      text += grid.Cell(c, r);
    }
    text += "\r\n";
  }
  return text;
}

bool PutClipboardText(IClipboard& clipboard, IDesktop& desktop, const std::string& text, int attempts,
                      unsigned delayMs) {
  for (int attempt = 1; attempt <= attempts; ++attempt) {
    if (clipboard.TrySetText(text)) return true;
    if (attempt < attempts && delayMs > 0) desktop.Sleep(delayMs);
  }
  return false;
}

}  // namespace kav::partslist
