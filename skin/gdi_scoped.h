// Scoped device contexts of a window: released (or the paint ended) when they go out of scope,
// on every path.
#pragma once

#include <windows.h>

namespace skin {

// GetWindowDC / ReleaseDC: the whole window area, non-client part included.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }
  operator HDC() const { return dc_; }  // NOLINT: used where an HDC goes
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// GetDC / ReleaseDC: the client area.
class ClientDc {
 public:
  explicit ClientDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ClientDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ClientDc(const ClientDc&) = delete;
  ClientDc& operator=(const ClientDc&) = delete;
  HDC get() const { return dc_; }
  operator HDC() const { return dc_; }  // NOLINT: used where an HDC goes
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
  ~PaintDc() { EndPaint(window_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }
  operator HDC() const { return dc_; }  // NOLINT: used where an HDC goes
  explicit operator bool() const { return dc_ != nullptr; }
  const PAINTSTRUCT& paint() const { return ps_; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// A GDI object (brush, region, bitmap, font) deleted when it goes out of scope.
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept : handle_(other.Take()) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = other.Take();
    }
    return *this;
  }
  Handle get() const { return handle_; }
  operator Handle() const { return handle_; }  // NOLINT: used where the handle goes
  explicit operator bool() const { return handle_ != nullptr; }
  Handle Take() {
    Handle handle = handle_;
    handle_ = nullptr;
    return handle;
  }
  void Reset(Handle handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

using ScopedBrush = GdiObject<HBRUSH>;
using ScopedRegion = GdiObject<HRGN>;
using ScopedBitmap = GdiObject<HBITMAP>;

}  // namespace skin
