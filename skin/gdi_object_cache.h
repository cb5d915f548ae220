// gdiObjectCache: the memory DCs handed out by ControlBackdrop, so that a release needs nothing
// but the DC.
#pragma once

#include <windows.h>

#include <vector>

namespace skin {

struct GdiCacheEntry {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
};

// 1-based in use: entry n is gdiObjectCache[n - 1].
extern std::vector<GdiCacheEntry> gdiObjectCache;

// A DC already in the cache gets the new bitmap and previous object; otherwise appended.
void RegisterCachedDc(HDC dc, HBITMAP bitmap, HGDIOBJ previous);
// Previous object back in, bitmap and DC deleted, entry removed: 1. Unknown or null DC: 0.
int ReleaseCachedDc(HDC dc);
// Releases every entry (exit routine).
void FreeGdiObjectCache();

}  // namespace skin
