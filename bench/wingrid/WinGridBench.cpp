// Times one full paint of the grid window (PaintContent into a memory bitmap) for a grid of
// 100,000 rows against one of 100 rows, both 8 columns of Japanese and ASCII texts. A paint
// visits only the visible cells, so the two should cost the same: the ratio is the figure.
#include <windows.h>

#include <algorithm>
#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

#include "bench/support/Timing.h"
#include "bench/win32/DibTarget.h"
#include "ui/StringGrid.h"
#include "ui/win32/GridControl.h"
#include "platform/win32/Handles.h"

namespace {

using kav::bench::Median;
using kav::ui::TStringGrid;
using kav::ui::win32::TGridControl;

constexpr int kColumns = 8;
constexpr int kRepetitions = 301;

void Fill(TStringGrid& grid, int dataRows, int topRow) {
  static constexpr const char* kNames[] = {"ボルト", "ナット", "座金", "パッキン", "スペーサー"};
  grid.BeginUpdate();
  grid.SetColCount(kColumns);
  grid.SetRowCount(dataRows + 1);
  for (int c = 0; c < kColumns; ++c) {
    grid.SetCell(c, 0, std::to_string(c + 1));
    grid.SetColWidth(c, 90);
  }
  for (int r = 1; r <= dataRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      // Row numbers of one width, so that both grids draw texts of the same length.
      std::string number = std::to_string(r);
      number.insert(0, 6 - number.size(), '0');
      std::string text = kNames[(r + c) % 5];
      text += " M" + std::to_string(6 + c) + "-" + number;
      grid.SetCell(c, r, std::move(text));
    }
  }
  grid.EndUpdate();
  // The same view in both: a selection of a few cells in the rows shown from `topRow` on.
  grid.SetSelection({1, topRow + 2, 3, topRow + 5});
  grid.SetTopRow(topRow);
}

class TPaintTarget {
 public:
  TPaintTarget(const TGridControl& grid) : grid_(grid), client_(ClientOf(grid)), target_(client_.right, client_.bottom) {}

  double PaintMicroseconds(LONGLONG frequency) const {
    LARGE_INTEGER start{}, end{};
    QueryPerformanceCounter(&start);
    grid_.PaintContent(target_.Dc(), client_);
    GdiFlush();   // the drawing is done, not only queued
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 / static_cast<double>(frequency);
  }

 private:
  static RECT ClientOf(const TGridControl& grid) {
    RECT client{};
    GetClientRect(grid.Handle(), &client);
    return client;
  }
  const TGridControl& grid_;
  RECT client_{};
  kav::bench::TDibTarget target_;
};

}  // namespace

int main() {
  const HWND host = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 800, nullptr,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
  if (host == nullptr) {
    std::cerr << "no window\n";
    return 1;
  }
  const kav::ui::win32::TPalette palette;
  TStringGrid small("small"), large("large");
  small.Bounds = large.Bounds = kav::ui::TBounds{0, 0, 800, 600};
  auto smallGrid = TGridControl::Create(host, small, palette, 96);
  auto largeGrid = TGridControl::Create(host, large, palette, 96);
  Fill(small, 100, 1);
  Fill(large, 100000, 50000);   // the middle of the long list; the short one shows its top

  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  const TPaintTarget smallTarget(*smallGrid), largeTarget(*largeGrid);
  for (int i = 0; i < 20; ++i) {   // warm the font caches
    smallTarget.PaintMicroseconds(frequency.QuadPart);
    largeTarget.PaintMicroseconds(frequency.QuadPart);
  }
  // Interleaved, so that a slow moment of the machine hits both alike.
  std::vector<double> smallTimes, largeTimes;
  for (int i = 0; i < kRepetitions; ++i) {
    smallTimes.push_back(smallTarget.PaintMicroseconds(frequency.QuadPart));
    largeTimes.push_back(largeTarget.PaintMicroseconds(frequency.QuadPart));
  }
  const double smallMedian = Median(smallTimes), largeMedian = Median(largeTimes);
  std::cout << std::fixed << std::setprecision(1) << "grid paint, 8 columns, " << kRepetitions
            << " repetitions, median:\n"
            << "  100 rows:     " << smallMedian << " us\n"
            << "  100,000 rows: " << largeMedian << " us\n"
            << std::setprecision(3) << "  ratio:        " << largeMedian / smallMedian << " (goal: at most 1.2)\n";
  largeGrid.reset();
  smallGrid.reset();
  DestroyWindow(host);
  return 0;
}
