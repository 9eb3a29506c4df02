#include "ui/win32/GridFont.h"

#include <memory>

#include "platform/Text.h"

namespace kav::ui::win32 {

TGridFont::TGridFont(const ui::TFont& font, int dpi) : dpi_(dpi > 0 ? dpi : 96) {
  font_.Reset(CreateFontW(-MulDiv(font.Height, dpi_, 96), 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                          FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, Utf8ToWide(font.Name).c_str()));
  dc_.Reset(CreateCompatibleDC(nullptr));
  if (dc_) {
    SelectObject(dc_.Get(), Get());
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(dc_.Get(), &metrics)) height_ = static_cast<int>(metrics.tmHeight);
  }
}

HFONT TGridFont::Get() const {
  return font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int TGridFont::TextWidth(std::string_view text) const {
  if (text.empty() || !dc_) return 0;
  const std::wstring wide = Utf8ToWide(text);
  SIZE size{};
  if (!GetTextExtentPoint32W(dc_.Get(), wide.data(), static_cast<int>(wide.size()), &size)) return 0;
  return MulDiv(size.cx, 96, dpi_);
}

void MeasureBeforeWindow(ui::TStringGrid& model, int dpi) {
  auto font = std::make_shared<const TGridFont>(model.Font, dpi);
  model.TextWidth = [font](std::string_view text) { return font->TextWidth(text); };
}

}  // namespace kav::ui::win32
