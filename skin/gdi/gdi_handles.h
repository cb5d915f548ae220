// Owning memory device contexts and the 32-bit bitmaps they hold; every other GDI object the
// skin makes is a GdiObject (skin/gdi_scoped.h). Leak tests count through the system's table.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "skin/gdi/gdi_scoped.h"

namespace skin {

// A 32-bit top-down DIB section of the size; null for an empty size.
ScopedBitmap MakeDib32(int32_t width, int32_t height, uint32_t** bits = nullptr);

// A memory DC that owns the one bitmap selected into it and keeps the object it came with, which
// goes back in before the DC is deleted.
class MemoryDc {
 public:
  MemoryDc() = default;
  ~MemoryDc() { Release(); }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  MemoryDc(MemoryDc&& other) noexcept;
  MemoryDc& operator=(MemoryDc&& other) noexcept;

  // Makes the DC (compatible with the screen) once; true when there is one.
  bool EnsureDc();
  // Selects the bitmap, which the DC owns from now on. The bitmap it pushes out is deleted unless
  // it is the one the DC came with, which is kept as previous(). Null bitmaps are refused, and a
  // bitmap the DC cannot take (one selected elsewhere) leaves the bitmap held in place.
  bool Select(ScopedBitmap bitmap, int32_t width, int32_t height);
  // A fresh 32-bit bitmap of the size, selected as above.
  bool SelectNewDib(int32_t width, int32_t height);
  // Previous object back in, bitmap and DC deleted.
  void Release();

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_.get(); }
  HGDIOBJ previous() const { return previous_; }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }

 private:
  HDC dc_ = nullptr;
  ScopedBitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
  int32_t width_ = 0;
  int32_t height_ = 0;
};

// Leaves every visible child window of the window out of the DC's clip region.
void ExcludeVisibleChildren(HWND window, HDC dc);

// A window DC whose clip region leaves out every visible child window, released on destruction.
class ChildFreeWindowDc {
 public:
  explicit ChildFreeWindowDc(HWND window);
  HDC dc() const { return dc_; }

 private:
  ClientDc dc_;
};

}  // namespace skin
