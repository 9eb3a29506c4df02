#include "partslist/TableLoad.h"

#include <algorithm>

#include "partslist/FieldSplit.h"
#include "platform/Text.h"
#include "platform/TextFile.h"

namespace kav::partslist {
namespace {

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsBlankChar(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view TrimView(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && IsBlankChar(text[b])) ++b;
  while (e > b && IsBlankChar(text[e - 1])) --e;
  return text.substr(b, e - b);
}

// Widens a column to its text followed by "AAA", reusing one buffer for the measured text.
class TWidener {
 public:
  explicit TWidener(ui::TStringGrid& grid) : grid_(grid) {}
  void Widen(int col, std::string_view text) {
    buffer_.assign(text);
    buffer_ += "AAA";
    const int width = grid_.MeasureText(buffer_);
    if (grid_.ColWidth(col) < width) grid_.SetColWidth(col, width);
  }

 private:
  ui::TStringGrid& grid_;
  std::string buffer_;
};

int CountFields(std::string_view line, char delimiter, std::string& scratch) {
  int count = 0;
  ForEachField(line, delimiter, scratch, [&](std::string_view) { ++count; });
  return count;
}

}  // namespace

void ResetGrid(ui::TStringGrid& grid) {
  TGridUpdate update(grid);
  // Shrinking first keeps the clearing cheap after a large table.
  grid.SetRowCount(2);
  grid.SetColCount(1);
  ui::ClearGridCells(grid);
  grid.SetColWidth(0, kFirstColumnWidth);
}

bool FilterMatches(std::string_view line, std::string_view filter) {
  if (filter.empty()) return true;
  if (filter.size() > line.size()) return false;
  const char first = FoldAscii(filter[0]);
  const std::size_t last = line.size() - filter.size();
  for (std::size_t i = 0; i <= last; ++i) {
    if (FoldAscii(line[i]) != first) continue;
    std::size_t k = 1;
    while (k < filter.size() && FoldAscii(line[i + k]) == FoldAscii(filter[k])) ++k;
    if (k == filter.size()) return true;
  }
  return false;
}

void NumberHeaderRow(ui::TStringGrid& grid) {
  for (int c = 0; c < grid.ColCount(); ++c) grid.SetCell(c, 0, std::to_string(c + 1));
}

int FillGrid(ui::TStringGrid& grid, const std::vector<std::string>& lines, std::string_view filter) {
  TGridUpdate update(grid);
  TWidener widener(grid);
  const char delimiter = lines.empty() ? 0 : ChooseDelimiter(lines.front());
  std::string scratch;
  // First the shape: the widest line (lines left out by the filter or blank count too) and
  // the lines that will be rows. Sizing the grid once, before any cell is filled, gives the
  // same table as growing it line by line without moving every row again at each growth.
  int columns = 1;
  std::vector<std::size_t> kept;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (delimiter != 0) columns = std::max(columns, CountFields(line, delimiter, scratch));
    if (FilterMatches(line, filter) && !IsBlank(line)) kept.push_back(i);
  }
  const int n = static_cast<int>(kept.size());
  grid.SetColCount(columns);
  if (n >= grid.RowCount()) grid.SetRowCount(n + 1);
  int row = 0;
  for (const std::size_t i : kept) {
    ++row;
    if (delimiter == 0) {
      const std::string_view trimmed = TrimView(lines[i]);
      grid.SetCell(0, row, std::string(trimmed));
      widener.Widen(0, trimmed);
      continue;
    }
    int k = 0;
    ForEachField(lines[i], delimiter, scratch, [&](std::string_view field) {
      const std::string_view trimmed = TrimView(field);
      grid.SetCell(k, row, std::string(trimmed));
      widener.Widen(k, trimmed);
      ++k;
    });
  }
  if (n > 0) {
    grid.SetRowCount(n + 1);
    NumberHeaderRow(grid);
  }
  return n;
}

void LoadTextFileIntoGrid(ui::TStringGrid& grid, IFileSystem& files, const ICodePage& codePage,
                          const std::string& path) {
  if (!files.FileExists(path)) return;
  TGridUpdate update(grid);
  ResetGrid(grid);
  const TTextFile file = ReadTextFile(files, codePage, path);
  FillGrid(grid, file.Lines);
}

int LoadWorkAreaGrid(ui::TStringGrid& grid, IFileSystem& files, const ICodePage& codePage,
                     const std::string& path, std::string_view filter) {
  TGridUpdate update(grid);
  ResetGrid(grid);
  if (path.empty() || !files.FileExists(path)) return 0;
  const TTextFile file = ReadTextFile(files, codePage, path);
  return FillGrid(grid, file.Lines, filter);
}

}  // namespace kav::partslist
