// Scoped device contexts of a window: released (or the paint ended) when they go out of scope,
// on every path.
#pragma once

#include <windows.h>

namespace skin {

// A DC of the window from GetWindowDC (the whole window area) or GetDC (the client area),
// released with ReleaseDC.
template <HDC(WINAPI* Get)(HWND)>
class ReleasedDc {
 public:
  explicit ReleasedDc(HWND window) : window_(window), dc_(Get(window)) {}
  ~ReleasedDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ReleasedDc(const ReleasedDc&) = delete;
  ReleasedDc& operator=(const ReleasedDc&) = delete;
  HDC get() const { return dc_; }
  operator HDC() const { return dc_; }  // NOLINT: used where an HDC goes
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

using WindowDc = ReleasedDc<GetWindowDC>;
using ClientDc = ReleasedDc<GetDC>;

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
