// What every peer of one form draws with: the palette, its brushes, the fonts of the models
// and the scale from 96 DPI design pixels to the screen.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "ui/Control.h"
#include "platform/win32/Handles.h"
#include "ui/win32/Palette.h"

namespace kav::ui::win32 {

class TTheme {
 public:
  TTheme(const TPalette& palette, int dpi);
  // Draws from now on with `palette` (the high-contrast mode was turned on or off).
  void SetPalette(const TPalette& palette);
  // Scales from now on to `dpi` (the window went to a screen of another DPI).
  void SetDpi(int dpi) { dpi_ = dpi > 0 ? dpi : 96; }

  const TPalette& Palette() const { return palette_; }
  int Dpi() const { return dpi_; }
  int Scale(int designPixels) const { return MulDiv(designPixels, dpi_, 96); }
  RECT Scale(const TBounds& bounds) const;

  HBRUSH WindowBrush() const { return window_.Get(); }
  HBRUSH ControlBrush() const { return control_.Get(); }
  HBRUSH EditBrush() const { return edit_.Get(); }
  HBRUSH InverseBrush() const { return inverse_.Get(); }
  HBRUSH HighlightBrush() const { return highlight_.Get(); }
  HBRUSH BorderBrush() const { return border_.Get(); }

  // The font of a model at the present DPI, made once per name, height, weight and DPI and
  // kept for the form's life (windows may still hold the font of the DPI before).
  HFONT Font(const TFont& font);

 private:
  TPalette palette_;
  int dpi_;
  TBrushHandle window_, control_, edit_, inverse_, highlight_, border_;
  std::map<std::tuple<std::string, int, bool, int>, TFontHandle> fonts_;
};

// Fills a rectangle with one colour.
void FillSolid(HDC dc, const RECT& rect, COLORREF colour);
// Draws a one-pixel frame inside a rectangle.
void FrameSolid(HDC dc, const RECT& rect, COLORREF colour);
// Draws the text of a list row or a closed drop-down box: one line, centred vertically, a few
// pixels in from the sides, cut with an ellipsis, in the font selected into `dc`.
void DrawRowText(HDC dc, const TTheme& theme, const std::wstring& text, RECT rect, COLORREF colour);

// The system's DPI: what a window is scaled to until it knows the DPI of its screen.
int SystemDpi();
// The DPI of the screen `window` is on (per-monitor DPI awareness), or 0 where Windows cannot
// tell.
int WindowDpi(HWND window);
// Grows the client rectangle `rect` to the window's outer rectangle for a window of `style`
// and `exStyle` on a screen of `dpi` (the frame's metrics of that DPI where Windows has them).
void AdjustFrameForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);
// Asks Windows to stop bitmap-stretching the program on high-DPI screens.
void MakeProcessDpiAware();
// Gives a top-level window the dark title bar (or the light one back) where Windows offers
// one; does nothing elsewhere.
void UseDarkTitleBar(HWND window, bool dark = true);

}  // namespace kav::ui::win32
