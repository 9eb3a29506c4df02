// A grid's font at one DPI with a memory DC that measures texts in it. The grid window draws
// with it; a grid whose window does not exist yet (its page not shown) measures with one all
// the same, so the column widths of a table loaded before the window are those it will show.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/win32/Handles.h"
#include "ui/StringGrid.h"

namespace kav::ui::win32 {

class TGridFont {
 public:
  TGridFont(const ui::TFont& font, int dpi);

  HFONT Get() const;
  // The width of `text` in 96-DPI pixels; 0 for an empty text.
  int TextWidth(std::string_view text) const;
  // The character cell height in window pixels.
  int Height() const { return height_; }

 private:
  int dpi_;
  TFontHandle font_;
  TMemoryDc dc_;   // needs no window; the font stays selected
  int height_ = 0;
};

// Gives a grid model whose window is not made yet the measurer its window will have at `dpi`.
// The window takes over when it comes.
void MeasureBeforeWindow(ui::TStringGrid& model, int dpi);

}  // namespace kav::ui::win32
