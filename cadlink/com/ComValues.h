// Owning wrappers of the COM value types: BSTR, VARIANT and SAFEARRAY. Move only.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace kav::cad::com {

class TBstr {
 public:
  TBstr() = default;
  explicit TBstr(std::wstring_view text);
  static TBstr Attach(BSTR raw) {
    TBstr b;
    b.bstr_ = raw;
    return b;
  }
  TBstr(TBstr&& other) noexcept : bstr_(std::exchange(other.bstr_, nullptr)) {}
  TBstr& operator=(TBstr&& other) noexcept {
    std::swap(bstr_, other.bstr_);
    return *this;
  }
  TBstr(const TBstr&) = delete;
  TBstr& operator=(const TBstr&) = delete;
  ~TBstr() { SysFreeString(bstr_); }

  BSTR Get() const { return bstr_; }
  BSTR Release() { return std::exchange(bstr_, nullptr); }
  BSTR* Put() {
    SysFreeString(std::exchange(bstr_, nullptr));
    return &bstr_;
  }
  // The text as UTF-8; embedded NULs are kept, a null BSTR is empty.
  std::string Utf8() const;

 private:
  BSTR bstr_ = nullptr;
};

class TVariant {
 public:
  TVariant() { VariantInit(&value_); }
  TVariant(TVariant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
  TVariant& operator=(TVariant&& other) noexcept {
    std::swap(value_, other.value_);
    return *this;
  }
  TVariant(const TVariant&) = delete;
  TVariant& operator=(const TVariant&) = delete;
  ~TVariant() { VariantClear(&value_); }

  VARIANT* Get() { return &value_; }
  const VARIANT* Get() const { return &value_; }
  VARIANT* Put() {
    VariantClear(&value_);
    return &value_;
  }
  // Hands the contents over to a VARIANT the caller owns.
  void MoveTo(VARIANT* target) {
    *target = value_;
    VariantInit(&value_);
  }

 private:
  VARIANT value_;
};

class TSafeArray {
 public:
  TSafeArray() = default;
  explicit TSafeArray(SAFEARRAY* raw) : array_(raw) {}
  TSafeArray(TSafeArray&& other) noexcept : array_(std::exchange(other.array_, nullptr)) {}
  TSafeArray& operator=(TSafeArray&& other) noexcept {
    std::swap(array_, other.array_);
    return *this;
  }
  TSafeArray(const TSafeArray&) = delete;
  TSafeArray& operator=(const TSafeArray&) = delete;
  ~TSafeArray() {
    if (array_) SafeArrayDestroy(array_);
  }
  SAFEARRAY* Get() const { return array_; }
  SAFEARRAY* Release() { return std::exchange(array_, nullptr); }

 private:
  SAFEARRAY* array_ = nullptr;
};

// Holds a SAFEARRAY's data locked while it is read or filled.
class TSafeArrayData {
 public:
  explicit TSafeArrayData(SAFEARRAY* array);
  ~TSafeArrayData() {
    if (data_) SafeArrayUnaccessData(array_);
  }
  TSafeArrayData(const TSafeArrayData&) = delete;
  TSafeArrayData& operator=(const TSafeArrayData&) = delete;
  template <class T>
  T* As() const { return static_cast<T*>(data_); }

 private:
  SAFEARRAY* array_;
  void* data_ = nullptr;
};

}  // namespace kav::cad::com
