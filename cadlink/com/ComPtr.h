// An owning COM interface pointer: copying adds a reference, moving hands it over, the
// destructor releases it.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace kav::cad::com {

template <class T>
class TComPtr {
 public:
  TComPtr() = default;
  // Takes over a reference the caller already owns.
  static TComPtr Attach(T* raw) {
    TComPtr p;
    p.ptr_ = raw;
    return p;
  }
  // Adds a reference of its own.
  static TComPtr Share(T* raw) {
    if (raw) raw->AddRef();
    return Attach(raw);
  }
  TComPtr(const TComPtr& other) : ptr_(other.ptr_) {
    if (ptr_) ptr_->AddRef();
  }
  TComPtr(TComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  TComPtr& operator=(TComPtr other) noexcept {
    std::swap(ptr_, other.ptr_);
    return *this;
  }
  ~TComPtr() { Reset(); }

  void Reset() {
    if (ptr_) std::exchange(ptr_, nullptr)->Release();
  }
  T* Get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }
  // For out parameters: releases what is held and gives the slot.
  T** Put() {
    Reset();
    return &ptr_;
  }
  template <class U>
  TComPtr<U> As(REFIID iid) const {
    TComPtr<U> other;
    if (ptr_) ptr_->QueryInterface(iid, reinterpret_cast<void**>(other.Put()));
    return other;
  }

 private:
  T* ptr_ = nullptr;
};

}  // namespace kav::cad::com
