// Small facts the Windows tests ask of the host: a build-folder path as the program under Wine
// sees it, and a window's text and class name.
#pragma once

#include <windows.h>

#include <string>

#include "platform/Text.h"

namespace kav::test {

// The build folder is a Unix path when the tests run under Wine: drive Z: is the root.
inline std::wstring WindowsPath(const std::string& path) {
  std::wstring wide = Utf8ToWide(path);
  if (!wide.empty() && wide[0] == L'/') wide = L"Z:" + wide;
  for (auto& c : wide)
    if (c == L'/') c = L'\\';
  return wide;
}

inline std::wstring TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

inline std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

}  // namespace kav::test
