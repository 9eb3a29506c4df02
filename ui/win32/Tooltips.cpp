#include "ui/win32/Tooltips.h"

#include <commctrl.h>
#include <uxtheme.h>

#include "platform/Text.h"

namespace kav::ui::win32 {

TTooltips::~TTooltips() {
  if (tip_ != nullptr && IsWindow(tip_)) DestroyWindow(tip_);
}

void TTooltips::MakeWindow() {
  if (made_) return;
  made_ = true;   // once: a failure is not tried again at every mouse move
  // Not owned by the form: an owned topmost popup stops Wine from making the form itself
  // topmost. This object destroys it with the form's peer.
  tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
  if (tip_ == nullptr) {
    waiting_.clear();   // no window to show them in
    return;
  }
  // Without a visual theme the tooltip takes the colours we give it.
  SetWindowTheme(tip_, L"", L"");
  SetColours(palette_);
  // Long hints wrap instead of running off the screen.
  SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 600);
  for (auto& [tool, text] : waiting_)
    if (IsWindow(tool)) AddTool(tool, text);
  waiting_.clear();
}

void TTooltips::SetColours(const TPalette& palette) {
  palette_ = palette;
  if (tip_ == nullptr) return;
  SendMessageW(tip_, TTM_SETTIPBKCOLOR, palette.Control, 0);
  SendMessageW(tip_, TTM_SETTIPTEXTCOLOR, palette.Text, 0);
}

void TTooltips::Add(HWND tool, const std::string& hint) {
  if (tool == nullptr || hint.empty()) return;
  std::wstring text = Utf8ToWide(hint);
  if (!made_) waiting_.emplace_back(tool, std::move(text));
  else if (tip_ != nullptr) AddTool(tool, text);
}

void TTooltips::AddTool(HWND tool, std::wstring& text) {
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
  if (tip_ == nullptr) return static_cast<int>(waiting_.size());
  return static_cast<int>(SendMessageW(tip_, TTM_GETTOOLCOUNT, 0, 0));
}

}  // namespace kav::ui::win32
