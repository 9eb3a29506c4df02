// Move-only owners for every Win32 handle the program holds (GDI objects, menus, device
// contexts, files, searches, processes) and the scoped helpers around them, so that each
// handle is released exactly once, by whichever layer made it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

namespace kav {

// Owns one handle and frees it with `Free` unless it holds no handle. Functions that hand
// out handles with INVALID_HANDLE_VALUE for failure (files, searches) say so with
// `InvalidValue` -1; both that value and null count as empty.
template <typename THandle, auto Free, std::intptr_t InvalidValue = 0>
class TUniqueHandle {
 public:
  TUniqueHandle() = default;
  explicit TUniqueHandle(THandle handle) : handle_(Normal(handle)) {}
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
    handle_ = Normal(handle);
  }
  THandle Release() { return std::exchange(handle_, nullptr); }

 private:
  static THandle Normal(THandle handle) {
    return handle == reinterpret_cast<THandle>(InvalidValue) ? nullptr : handle;
  }
  THandle handle_ = nullptr;
};

inline void FreeGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void FreeMenu(HMENU menu) { DestroyMenu(menu); }
inline void FreeMemoryDc(HDC dc) { DeleteDC(dc); }
inline void FreeKernelObject(HANDLE handle) { CloseHandle(handle); }
inline void FreeFind(HANDLE find) { FindClose(find); }

using TFontHandle = TUniqueHandle<HFONT, FreeGdiObject>;
using TBrushHandle = TUniqueHandle<HBRUSH, FreeGdiObject>;
using TPenHandle = TUniqueHandle<HPEN, FreeGdiObject>;
using TBitmapHandle = TUniqueHandle<HBITMAP, FreeGdiObject>;
using TMenuHandle = TUniqueHandle<HMENU, FreeMenu>;
using TMemoryDc = TUniqueHandle<HDC, FreeMemoryDc>;
// Processes, threads, events: null on failure.
using TKernelHandle = TUniqueHandle<HANDLE, FreeKernelObject>;
// CreateFileW: INVALID_HANDLE_VALUE on failure.
using TFileHandle = TUniqueHandle<HANDLE, FreeKernelObject, -1>;
// FindFirstFileW: INVALID_HANDLE_VALUE on failure.
using TFindHandle = TUniqueHandle<HANDLE, FreeFind, -1>;

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

// The memory of a global block (clipboard data, a drop) for one scope. Get() is null when
// the block could not be locked (discarded, or no block at all); callers must check.
class TGlobalLock {
 public:
  explicit TGlobalLock(HGLOBAL block) : block_(block), data_(block != nullptr ? GlobalLock(block) : nullptr) {}
  ~TGlobalLock() {
    if (data_ != nullptr) GlobalUnlock(block_);
  }
  TGlobalLock(const TGlobalLock&) = delete;
  TGlobalLock& operator=(const TGlobalLock&) = delete;
  void* Get() const { return data_; }
  std::size_t Size() const { return data_ != nullptr ? GlobalSize(block_) : 0; }

 private:
  HGLOBAL block_;
  void* data_;
};

}  // namespace kav
