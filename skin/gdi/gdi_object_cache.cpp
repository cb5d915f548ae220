#include "skin/gdi/gdi_object_cache.h"

#include <algorithm>
#include <utility>

namespace skin {

HDC GdiObjectCache::Register(MemoryDc dc) {
  if (!dc.dc()) return nullptr;
  entries_.push_back(std::move(dc));
  return entries_.back().dc();
}

bool GdiObjectCache::Release(HDC dc) {
  if (!dc) return false;
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [dc](const MemoryDc& e) { return e.dc() == dc; });
  if (it == entries_.end()) return false;
  entries_.erase(it);  // the entry's own release: previous object back, bitmap and DC gone
  return true;
}

}  // namespace skin
