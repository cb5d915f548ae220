// The common core of the GDI+ wrappers: one native object, owned, move-only.
#pragma once

#include <utility>

namespace graphics {

// Derived supplies Delete(), which releases the native object when there is one; the derived
// destructor calls it, and moving onto a wrapper releases what it held before.
template <typename Derived, typename Native>
class GfxObject {
 public:
  GfxObject(const GfxObject&) = delete;
  GfxObject& operator=(const GfxObject&) = delete;

  Native* GetHandle() const { return handle_; }
  bool IsEmpty() const { return handle_ == nullptr; }

 protected:
  GfxObject() = default;
  ~GfxObject() = default;
  GfxObject(GfxObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GfxObject& operator=(GfxObject&& other) noexcept {
    if (this != &other) {
      static_cast<Derived*>(this)->Delete();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }

  void SetHandle(Native* handle) { handle_ = handle; }
  // Gives up the native object without deleting it.
  Native* TakeHandle() { return std::exchange(handle_, nullptr); }

  Native* handle_ = nullptr;
};

}  // namespace graphics
