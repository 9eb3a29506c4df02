// The real clipboard as another program reads and writes it, for the Windows tests.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

#include "platform/win32/Handles.h"

namespace kav::test {

// Puts `text` on the clipboard; false when the clipboard or the memory could not be had.
inline bool PutClipboardText(const std::wstring& text, HWND owner = nullptr) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool copied = false;
  if (memory != nullptr) {
    const TGlobalLock locked(memory);
    if (locked.Get() != nullptr) {
      std::memcpy(locked.Get(), text.c_str(), bytes);
      copied = true;
    }
  }
  const bool put = copied && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;   // then the clipboard owns it
  if (!put && memory != nullptr) GlobalFree(memory);
  CloseClipboard();
  return put;
}

// The clipboard's text, "<busy>" while another program holds it.
inline std::wstring ClipboardText() {
  if (!OpenClipboard(nullptr)) return L"<busy>";
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    const TGlobalLock locked(data);
    if (const auto* units = static_cast<const wchar_t*>(locked.Get()))
      text.assign(units, wcsnlen(units, locked.Size() / sizeof(wchar_t)));
  }
  CloseClipboard();
  return text;
}

}  // namespace kav::test
