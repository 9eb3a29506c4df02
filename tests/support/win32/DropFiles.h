// A file drop as the shell makes it, for tests that send WM_DROPFILES to a window.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"

namespace kav::test {

// DROPFILES followed by the wide paths, two zeros at the end; the receiver frees it. Null
// when the memory could not be had.
inline HGLOBAL MakeDrop(const std::vector<std::wstring>& paths) {
  std::size_t chars = 1;
  for (const auto& p : paths) chars += p.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  if (memory == nullptr) return nullptr;
  const TGlobalLock locked(memory);
  auto* drop = static_cast<DROPFILES*>(locked.Get());
  if (drop == nullptr) {
    GlobalFree(memory);
    return nullptr;
  }
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  auto* text = reinterpret_cast<wchar_t*>(drop + 1);
  for (const auto& p : paths) {
    std::memcpy(text, p.c_str(), p.size() * sizeof(wchar_t));
    text += p.size() + 1;
  }
  return memory;
}

}  // namespace kav::test
