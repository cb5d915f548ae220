#include "skin/gdi/gdi_handles.h"

#include <utility>

namespace skin {

ScopedBitmap MakeDib32(int32_t width, int32_t height, uint32_t** bits) {
  if (bits) *bits = nullptr;
  if (width <= 0 || height <= 0) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (bits) *bits = static_cast<uint32_t*>(pixels);
  return ScopedBitmap(bitmap);
}

MemoryDc::MemoryDc(MemoryDc&& other) noexcept
    : dc_(std::exchange(other.dc_, nullptr)),
      bitmap_(std::move(other.bitmap_)),
      previous_(std::exchange(other.previous_, nullptr)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)) {}

MemoryDc& MemoryDc::operator=(MemoryDc&& other) noexcept {
  if (this != &other) {
    Release();
    dc_ = std::exchange(other.dc_, nullptr);
    bitmap_ = std::move(other.bitmap_);
    previous_ = std::exchange(other.previous_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
  }
  return *this;
}

bool MemoryDc::EnsureDc() {
  if (!dc_) dc_ = CreateCompatibleDC(nullptr);
  return dc_ != nullptr;
}

bool MemoryDc::Select(ScopedBitmap bitmap, int32_t width, int32_t height) {
  if (!bitmap || !EnsureDc()) return false;
  HGDIOBJ out = SelectObject(dc_, bitmap);
  if (!out) return false;  // the bitmap held stays selected, and owned
  if (!previous_) previous_ = out;
  bitmap_ = std::move(bitmap);  // the one pushed out, unless it came with the DC
  width_ = width;
  height_ = height;
  return true;
}

bool MemoryDc::SelectNewDib(int32_t width, int32_t height) {
  return Select(MakeDib32(width, height), width, height);
}

void MemoryDc::Release() {
  if (dc_ && previous_) SelectObject(dc_, previous_);
  bitmap_.Reset();
  if (dc_) DeleteDC(dc_);
  dc_ = nullptr;
  previous_ = nullptr;
  width_ = height_ = 0;
}

void ExcludeVisibleChildren(HWND window, HDC dc) {
  for (HWND child = FindWindowExW(window, nullptr, nullptr, nullptr); child;
       child = FindWindowExW(window, child, nullptr, nullptr)) {
    if (!IsWindowVisible(child)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
}

ChildFreeWindowDc::ChildFreeWindowDc(HWND window) : dc_(window) {
  if (dc_) ExcludeVisibleChildren(window, dc_);
}

}  // namespace skin
