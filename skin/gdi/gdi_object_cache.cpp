#include "skin/gdi/gdi_object_cache.h"

#include <algorithm>
#include <utility>

namespace skin {

std::vector<MemoryDc> gdiObjectCache;

HDC RegisterCachedDc(MemoryDc dc) {
  if (!dc.dc()) return nullptr;
  gdiObjectCache.push_back(std::move(dc));
  return gdiObjectCache.back().dc();
}

int ReleaseCachedDc(HDC dc) {
  if (!dc) return 0;
  auto it = std::find_if(gdiObjectCache.begin(), gdiObjectCache.end(),
                         [dc](const MemoryDc& e) { return e.dc() == dc; });
  if (it == gdiObjectCache.end()) return 0;
  gdiObjectCache.erase(it);  // the entry's own release: previous object back, bitmap and DC gone
  return 1;
}

void FreeGdiObjectCache() {
  gdiObjectCache.clear();
  gdiObjectCache.shrink_to_fit();
}

}  // namespace skin
