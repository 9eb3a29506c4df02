// A top-level window holding one grid window over a model, and the message helpers the grid
// tests use to click, type, scroll and read back painted pixels.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ui/StringGrid.h"
#include "ui/win32/GridControl.h"

namespace kav::ui::win32::test {

// The pixels of one WM_PRINTCLIENT of the grid.
class TPrintedGrid {
 public:
  explicit TPrintedGrid(HWND grid);
  COLORREF Pixel(int x, int y) const;
  // How many pixels of the rectangle differ from `background` (text, frames).
  int CountOtherThan(const RECT& rect, COLORREF background) const;
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_ = 0, height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

class GridWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HWND Grid() const { return grid->Handle(); }
  POINT CellCentre(int col, int row) const;   // window pixels (96 DPI: model pixels)
  RECT CellRect(int col, int row) const;

  void LeftClick(POINT p, WPARAM keys = 0);
  void LeftDown(POINT p, WPARAM keys = 0);
  void MouseMove(POINT p);
  void LeftUp(POINT p);
  void RightClick(POINT p);
  void KeyDown(HWND target, WPARAM key);
  void Char(HWND target, wchar_t ch);
  // Holds or lets go of Ctrl and Shift as GetKeyState reports them to the grid.
  void SetModifiers(bool ctrl, bool shift);
  void PumpMessages();
  std::wstring WindowText(HWND hwnd) const;

  TPalette palette;
  ui::TStringGrid model{"StringGrid2"};
  std::unique_ptr<TGridControl> grid;
  HWND host = nullptr;
};

}  // namespace kav::ui::win32::test
