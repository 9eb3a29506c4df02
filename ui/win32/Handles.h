// Move-only owners for the GDI and USER handles the peers create, so that every font,
// brush, menu and device context is released exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace kav::ui::win32 {

// Owns one handle and frees it with `Free` unless it is null.
template <typename THandle, auto Free>
class TUniqueHandle {
 public:
  TUniqueHandle() = default;
  explicit TUniqueHandle(THandle handle) : handle_(handle) {}
  ~TUniqueHandle() { Reset(); }
  TUniqueHandle(TUniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;

  THandle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(THandle handle = nullptr) {
    if (handle_ != nullptr) Free(handle_);
    handle_ = handle;
  }
  THandle Release() { return std::exchange(handle_, nullptr); }

 private:
  THandle handle_ = nullptr;
};

inline void FreeGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void FreeMenu(HMENU menu) { DestroyMenu(menu); }
inline void FreeMemoryDc(HDC dc) { DeleteDC(dc); }

using TFontHandle = TUniqueHandle<HFONT, FreeGdiObject>;
using TBrushHandle = TUniqueHandle<HBRUSH, FreeGdiObject>;
using TPenHandle = TUniqueHandle<HPEN, FreeGdiObject>;
using TBitmapHandle = TUniqueHandle<HBITMAP, FreeGdiObject>;
using TMenuHandle = TUniqueHandle<HMENU, FreeMenu>;
using TMemoryDc = TUniqueHandle<HDC, FreeMemoryDc>;

// A window's device context from GetDC, given back with ReleaseDC.
class TWindowDc {
 public:
  explicit TWindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~TWindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  TWindowDc(const TWindowDc&) = delete;
  TWindowDc& operator=(const TWindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class TPaintDc {
 public:
  explicit TPaintDc(HWND window) : window_(window) { dc_ = BeginPaint(window, &ps_); }
  ~TPaintDc() { EndPaint(window_, &ps_); }
  TPaintDc(const TPaintDc&) = delete;
  TPaintDc& operator=(const TPaintDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Selects a GDI object into a DC for one scope and puts the previous one back.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~TSelectObject() { SelectObject(dc_, old_); }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace kav::ui::win32
