// What the paint benchmarks draw into: a 32-bit DIB section selected into a memory DC, so
// that a paint is timed without a screen behind it.
#pragma once

#include <windows.h>

#include "platform/win32/Handles.h"

namespace kav::bench {

class TDibTarget {
 public:
  TDibTarget(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;   // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_.Reset(CreateCompatibleDC(nullptr));
    bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    old_ = SelectObject(dc_.Get(), bitmap_.Get());
  }
  ~TDibTarget() { SelectObject(dc_.Get(), old_); }
  TDibTarget(const TDibTarget&) = delete;
  TDibTarget& operator=(const TDibTarget&) = delete;
  HDC Dc() const { return dc_.Get(); }

 private:
  kav::TMemoryDc dc_;
  kav::TBitmapHandle bitmap_;
  HGDIOBJ old_ = nullptr;
};

}  // namespace kav::bench
