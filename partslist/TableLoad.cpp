#include "partslist/TableLoad.h"

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
  grid.SetColCount(1);
  std::string scratch;
  int n = 0;
  const auto nextRow = [&] {
    ++n;
    if (n >= grid.RowCount()) grid.SetRowCount(n + 1);
  };
  for (const std::string& line : lines) {
    if (delimiter != 0) {
      // The field count widens the grid before the filter and the blank test, so lines that
      // are left out still count.
      const int fields = CountFields(line, delimiter, scratch);
      if (fields > grid.ColCount()) grid.SetColCount(fields);
      if (!FilterMatches(line, filter) || IsBlank(line)) continue;
      nextRow();
      int k = 0;
      ForEachField(line, delimiter, scratch, [&](std::string_view field) {
        const std::string_view trimmed = TrimView(field);
        grid.SetCell(k, n, std::string(trimmed));
        widener.Widen(k, trimmed);
        ++k;
      });
    } else {
      grid.SetColCount(1);
      if (!FilterMatches(line, filter) || IsBlank(line)) continue;
      nextRow();
      const std::string_view trimmed = TrimView(line);
      grid.SetCell(0, n, std::string(trimmed));
      widener.Widen(0, trimmed);
    }
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
