// A grid's font at one DPI with a memory DC that measures texts in it: the grid window draws
// with it and gives its model the widths of texts in it.
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

}  // namespace kav::ui::win32
