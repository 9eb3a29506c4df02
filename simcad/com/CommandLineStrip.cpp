#include "simcad/com/CommandLineStrip.h"

#include <algorithm>

#include "platform/Text.h"

namespace kav::sim::com {

using kav::TBrushHandle;
using kav::TPenHandle;
using kav::TSelectObject;

HFONT TCommandLineStrip::Font() {
  if (!font_)
    font_.Reset(CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                            ANTIALIASED_QUALITY, FF_MODERN | FIXED_PITCH, L"MS Gothic"));
  return font_.Get();
}

void TCommandLineStrip::Paint(HDC dc, const RECT& strip, const TCommandLine& commandLine, const std::string& status) {
  TBrushHandle background(CreateSolidBrush(RGB(0x12, 0x15, 0x1A)));
  FillRect(dc, &strip, background.Get());
  {
    TPenHandle border(CreatePen(PS_SOLID, 1, RGB(0x3A, 0x42, 0x4E)));
    TSelectObject pen(dc, border.Get());
    MoveToEx(dc, strip.left, strip.top, nullptr);
    LineTo(dc, strip.right, strip.top);
  }
  TSelectObject font(dc, Font());
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  const auto& history = commandLine.History();
  const std::size_t shown = std::min<std::size_t>(history.size(), kHistoryShown);
  int y = strip.top + kPadding + 1 + (kHistoryShown - static_cast<int>(shown)) * kLineHeight;
  RECT clip = strip;
  SetTextColor(dc, RGB(0xB0, 0xB8, 0xC4));
  for (std::size_t i = history.size() - shown; i < history.size(); ++i, y += kLineHeight) {
    const std::wstring line = Utf8ToWide(history[i]);
    ExtTextOutW(dc, strip.left + 6, y, ETO_CLIPPED, &clip, line.c_str(), static_cast<UINT>(line.size()), nullptr);
  }
  // The prompt line: what the CAD asks for now, and its state at the right.
  const std::wstring state = Utf8ToWide(status);
  SIZE stateSize{};
  GetTextExtentPoint32W(dc, state.c_str(), static_cast<int>(state.size()), &stateSize);
  SetTextColor(dc, RGB(0x80, 0x90, 0xA8));
  ExtTextOutW(dc, strip.right - 8 - stateSize.cx, y, ETO_CLIPPED, &clip, state.c_str(), static_cast<UINT>(state.size()), nullptr);
  const std::wstring prompt = commandLine.Prompt().empty() ? std::wstring(L"コマンド:") : Utf8ToWide(commandLine.Prompt());
  SetTextColor(dc, commandLine.Prompt().empty() ? RGB(0x90, 0x98, 0xA4) : RGB(0xFF, 0xFF, 0xFF));
  RECT promptClip{strip.left, y, strip.right - 16 - stateSize.cx, y + kLineHeight};
  ExtTextOutW(dc, strip.left + 6, y, ETO_CLIPPED, &promptClip, prompt.c_str(), static_cast<UINT>(prompt.size()), nullptr);
}

}  // namespace kav::sim::com
