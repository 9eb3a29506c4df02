#include "ui/win32/Theme.h"

#include "platform/Text.h"

namespace kav::ui::win32 {

TTheme::TTheme(const TPalette& palette, int dpi)
    : dpi_(dpi > 0 ? dpi : 96) {
  SetPalette(palette);
}

void TTheme::SetPalette(const TPalette& palette) {
  palette_ = palette;
  window_.Reset(CreateSolidBrush(palette.Window));
  control_.Reset(CreateSolidBrush(palette.Control));
  edit_.Reset(CreateSolidBrush(palette.Edit));
  inverse_.Reset(CreateSolidBrush(palette.InverseEdit));
  highlight_.Reset(CreateSolidBrush(palette.Highlight));
  border_.Reset(CreateSolidBrush(palette.Border));
}

RECT TTheme::Scale(const TBounds& bounds) const {
  const int left = Scale(bounds.Left), top = Scale(bounds.Top);
  return RECT{left, top, left + Scale(bounds.Width), top + Scale(bounds.Height)};
}

HFONT TTheme::Font(const TFont& font) {
  auto key = std::make_tuple(font.Name, font.Height, font.Bold, dpi_);
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second.Get();
  LOGFONTW lf{};
  lf.lfHeight = -Scale(font.Height);
  lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  const std::wstring face = Utf8ToWide(font.Name);
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  TFontHandle handle(CreateFontIndirectW(&lf));
  HFONT result = handle.Get();
  fonts_.emplace(std::move(key), std::move(handle));
  return result;
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  const COLORREF old = SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

void FrameSolid(HDC dc, const RECT& rect, COLORREF colour) {
  FillSolid(dc, RECT{rect.left, rect.top, rect.right, rect.top + 1}, colour);
  FillSolid(dc, RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
  FillSolid(dc, RECT{rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
  FillSolid(dc, RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
}

void DrawRowText(HDC dc, const TTheme& theme, const std::wstring& text, RECT rect, COLORREF colour) {
  rect.left += theme.Scale(3);
  rect.right -= theme.Scale(3);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_EXPANDTABS);
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND window) {
  // Looked up at run time: Windows before 10 (version 1607) has no GetDpiForWindow.
  using TGetDpiForWindow = UINT(WINAPI*)(HWND);
  static const auto getDpi = reinterpret_cast<TGetDpiForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return getDpi != nullptr ? static_cast<int>(getDpi(window)) : 0;
}

void AdjustFrameForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  // Looked up at run time: Windows before 10 (version 1607) has no AdjustWindowRectExForDpi.
  using TAdjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = reinterpret_cast<TAdjust>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
  if (adjust == nullptr || !adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

void MakeProcessDpiAware() { SetProcessDPIAware(); }

void UseDarkTitleBar(HWND window, bool dark) {
  // DwmSetWindowAttribute is looked up at run time: older systems and Wine may lack it, and
  // the attribute number changed between Windows 10 builds (20 now, 19 before).
  HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
  if (dwm == nullptr) return;
  using TSetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  auto setAttribute = reinterpret_cast<TSetAttribute>(
      reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")));
  if (setAttribute != nullptr) {
    const BOOL value = dark ? TRUE : FALSE;
    if (FAILED(setAttribute(window, 20, &value, sizeof value))) setAttribute(window, 19, &value, sizeof value);
  }
  FreeLibrary(dwm);
}

}  // namespace kav::ui::win32
