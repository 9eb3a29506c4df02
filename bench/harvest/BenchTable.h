// The drawn table both harvest benchmarks read: 100 rows of 50 columns with one TEXT in every
// cell (5,000 TEXT), ruled by 5,000 LINE pieces each two cells long, lines first, then the
// texts row by row, as a drawing lists them. Fewer rows (at least 4) give a smaller table
// with as many lines as texts, for a quick run.
#pragma once

#include <string>
#include <vector>

namespace kav::bench {

struct TBenchLine {
  double X1, Y1, X2, Y2;
};

struct TBenchText {
  std::string Text;
  double X, Y;
  int Alignment;   // 0 left, 2 right (the quantity column)
};

struct TBenchTable {
  std::vector<TBenchLine> Lines;
  std::vector<TBenchText> Texts;
};

inline constexpr int kBenchColumns = 50;
inline constexpr double kBenchCellWidth = 20, kBenchCellHeight = 8, kBenchTextHeight = 3.5;

inline TBenchTable MakeBenchTable(int rows = 100) {
  TBenchTable table;
  const std::size_t lines = static_cast<std::size_t>(rows) * kBenchColumns;
  const double w = kBenchCellWidth, h = kBenchCellHeight;
  // Every row border in pieces of two cells: 101 x 25 = 2,525 pieces.
  for (int r = 0; r <= rows; ++r)
    for (int c = 0; c < kBenchColumns; c += 2) table.Lines.push_back({c * w, -r * h, (c + 2) * w, -r * h});
  // Column borders, band of two rows by band, until there are 5,000 lines in all: every one
  // of the 51 column borders is drawn at least once.
  for (int r = 0; r < rows && table.Lines.size() < lines; r += 2)
    for (int c = 0; c <= kBenchColumns && table.Lines.size() < lines; ++c)
      table.Lines.push_back({c * w, -r * h, c * w, -(r + 2) * h});
  static const char* names[] = {"六角ボルト M8x25", "平座金 φ8", "ばね座金", "六角ナット M8", "スペーサー 10L"};
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < kBenchColumns; ++c) {
      const double y = -r * h - h + 2;
      if (c % 5 == 4) table.Texts.push_back({std::to_string((r * 7 + c) % 120 + 1), (c + 1) * w - 3, y, 2});
      else table.Texts.push_back({std::string(names[(r + c) % 5]) + " " + std::to_string(r), c * w + 1.5, y, 0});
    }
  return table;
}

}  // namespace kav::bench
