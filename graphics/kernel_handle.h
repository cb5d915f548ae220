// The one owner of a kernel handle (file, event, process, thread, token): closed exactly once,
// on every path out, and moved rather than copied.
#pragma once

#include <windows.h>

#include <utility>

namespace graphics {

class KernelHandle {
 public:
  KernelHandle() = default;
  // Takes either failure value the system uses: null (events, processes) or
  // INVALID_HANDLE_VALUE (files).
  explicit KernelHandle(HANDLE handle) : handle_(handle) {}
  ~KernelHandle() { reset(); }
  KernelHandle(KernelHandle&& other) noexcept : handle_(other.release()) {}
  KernelHandle& operator=(KernelHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;

  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  explicit operator bool() const { return valid(); }
  HANDLE get() const { return handle_; }
  HANDLE release() { return std::exchange(handle_, nullptr); }
  void reset(HANDLE handle = nullptr) {
    if (valid()) CloseHandle(handle_);
    handle_ = handle;
  }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace graphics
