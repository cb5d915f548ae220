#include "skin/gdi_object_cache.h"

#include <algorithm>

#include "skin/gdi_handles.h"

namespace skin {

std::vector<GdiCacheEntry> gdiObjectCache;

void RegisterCachedDc(HDC dc, HBITMAP bitmap, HGDIOBJ previous) {
  for (GdiCacheEntry& e : gdiObjectCache) {
    if (e.dc == dc) {
      e.bitmap = bitmap;
      e.previous = previous;
      return;
    }
  }
  gdiObjectCache.push_back({dc, bitmap, previous});
}

int ReleaseCachedDc(HDC dc) {
  if (!dc) return 0;
  auto it = std::find_if(gdiObjectCache.begin(), gdiObjectCache.end(),
                         [dc](const GdiCacheEntry& e) { return e.dc == dc; });
  if (it == gdiObjectCache.end()) return 0;
  const GdiCacheEntry entry = *it;
  gdiObjectCache.erase(it);
  if (entry.previous) SelectObject(entry.dc, entry.previous);
  DeleteGdiObject(entry.bitmap);
  DeleteMemoryDc(entry.dc);
  return 1;
}

void FreeGdiObjectCache() {
  while (!gdiObjectCache.empty()) ReleaseCachedDc(gdiObjectCache.back().dc);
  gdiObjectCache.shrink_to_fit();
}

}  // namespace skin
