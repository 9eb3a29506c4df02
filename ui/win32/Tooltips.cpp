#include "ui/win32/Tooltips.h"

#include <commctrl.h>
#include <uxtheme.h>

#include "platform/Text.h"

namespace kav::ui::win32 {

TTooltips::TTooltips(const TPalette& palette) {
  // Not owned by the form: an owned topmost popup stops Wine from making the form itself
  // topmost. This object destroys it with the form's peer.
  tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
  if (tip_ == nullptr) return;
  // Without a visual theme the tooltip takes the colours we give it.
  SetWindowTheme(tip_, L"", L"");
  SetColours(palette);
  // Long hints wrap instead of running off the screen.
  SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 600);
}

void TTooltips::SetColours(const TPalette& palette) {
  if (tip_ == nullptr) return;
  SendMessageW(tip_, TTM_SETTIPBKCOLOR, palette.Control, 0);
  SendMessageW(tip_, TTM_SETTIPTEXTCOLOR, palette.Text, 0);
}

TTooltips::~TTooltips() {
  if (tip_ != nullptr && IsWindow(tip_)) DestroyWindow(tip_);
}

void TTooltips::Add(HWND tool, const std::string& hint) {
  if (tip_ == nullptr || tool == nullptr || hint.empty()) return;
  std::wstring text = Utf8ToWide(hint);
  TOOLINFOW info{};
  // The version-2 size is understood by every comctl32, with or without a manifest.
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = GetParent(tool);
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = text.data();   // the control keeps its own copy
  SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

int TTooltips::Count() const {
  return tip_ != nullptr ? static_cast<int>(SendMessageW(tip_, TTM_GETTOOLCOUNT, 0, 0)) : 0;
}

}  // namespace kav::ui::win32
