// GDI objects made by the skin: a tally of the live ones, so leak tests can count them (the system
// does not tell under Wine), and an owning memory device context.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "skin/gdi_scoped.h"

namespace skin {

// Number of GDI objects (bitmaps, brushes, memory DCs) that the skin made and has not deleted.
size_t LiveGdiObjects();

// Records a freshly made object; a null handle passes through unrecorded.
HGDIOBJ TallyObject(HGDIOBJ object);
HBITMAP TallyBitmap(HBITMAP bitmap);
HBRUSH TallyBrush(HBRUSH brush);
HDC TallyDc(HDC dc);
// DeleteObject / DeleteDC, and forgets the handle. Stock objects and null are left alone.
void DeleteGdiObject(HGDIOBJ object);
void DeleteMemoryDc(HDC dc);

// A 32-bit top-down DIB section of the size; null for an empty size.
HBITMAP MakeDib32(int32_t width, int32_t height, uint32_t** bits = nullptr);

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
  // it is the one the DC came with, which is kept as previous(). Null bitmaps are refused.
  bool Select(HBITMAP bitmap, int32_t width, int32_t height);
  // A fresh 32-bit bitmap of the size, selected as above.
  bool SelectNewDib(int32_t width, int32_t height);
  // Previous object back in, bitmap and DC deleted.
  void Release();

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  HGDIOBJ previous() const { return previous_; }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
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
