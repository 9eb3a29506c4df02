#include "ui/win32/Palette.h"

namespace kav::ui::win32 {

const TPalette& DarkPalette() {
  static const TPalette palette;
  return palette;
}

TPalette PlainPalette() {
  TPalette p;
  p.Dark = false;
  p.Window = GetSysColor(COLOR_BTNFACE);
  p.Control = GetSysColor(COLOR_BTNFACE);
  p.ControlHot = GetSysColor(COLOR_BTNHIGHLIGHT);
  p.ControlPressed = GetSysColor(COLOR_BTNSHADOW);
  p.Edit = GetSysColor(COLOR_WINDOW);
  p.InverseEdit = RGB(0, 0, 0);
  p.Text = GetSysColor(COLOR_WINDOWTEXT);
  p.InverseText = RGB(0xFF, 0xFF, 0xFF);
  p.DisabledText = GetSysColor(COLOR_GRAYTEXT);
  p.Placeholder = GetSysColor(COLOR_GRAYTEXT);
  p.Border = GetSysColor(COLOR_BTNSHADOW);
  p.GridLine = GetSysColor(COLOR_BTNFACE);
  p.Highlight = GetSysColor(COLOR_HIGHLIGHT);
  p.HighlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
  p.Focus = GetSysColor(COLOR_HIGHLIGHT);
  p.Accent = GetSysColor(COLOR_HIGHLIGHT);
  return p;
}

TPalette HighContrastPalette() {
  TPalette p;
  p.Dark = false;
  p.Window = GetSysColor(COLOR_WINDOW);
  p.Control = GetSysColor(COLOR_BTNFACE);
  p.ControlHot = GetSysColor(COLOR_BTNFACE);
  p.ControlPressed = GetSysColor(COLOR_HIGHLIGHT);
  p.Edit = GetSysColor(COLOR_WINDOW);
  p.InverseEdit = GetSysColor(COLOR_WINDOW);   // no white-on-black of our own
  p.Text = GetSysColor(COLOR_WINDOWTEXT);
  p.InverseText = GetSysColor(COLOR_WINDOWTEXT);
  p.DisabledText = GetSysColor(COLOR_GRAYTEXT);
  p.Placeholder = GetSysColor(COLOR_GRAYTEXT);
  p.Border = GetSysColor(COLOR_WINDOWTEXT);
  p.GridLine = GetSysColor(COLOR_WINDOWTEXT);
  p.Highlight = GetSysColor(COLOR_HIGHLIGHT);
  p.HighlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
  p.Focus = GetSysColor(COLOR_HIGHLIGHT);
  p.Accent = GetSysColor(COLOR_HIGHLIGHT);
  return p;
}

bool SystemHighContrast() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

const TPalette* FindStyle(std::string_view name) {
  if (name == kDarkStyleName) return &DarkPalette();
  return nullptr;
}

}  // namespace kav::ui::win32
