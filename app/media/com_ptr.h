// An owning COM interface pointer: one reference, released when the holder goes.
#pragma once

#include <unknwn.h>

#include <utility>

namespace app {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already owns.
  static ComPtr Adopt(T* p) {
    ComPtr c;
    c.p_ = p;
    return c;
  }
  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { Reset(); }

  void Reset() {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For out-parameters: releases what is held first.
  T** Out() {
    Reset();
    return &p_;
  }

  // The object's interface I, or an empty pointer.
  template <typename I>
  ComPtr<I> As(REFIID iid) const {
    ComPtr<I> result;
    if (p_) p_->QueryInterface(iid, reinterpret_cast<void**>(result.Out()));
    return result;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace app
