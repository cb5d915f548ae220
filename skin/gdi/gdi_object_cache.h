// The memory DCs handed out by ControlBackdrop, owned here until they come back, so that a
// release needs nothing but the DC; whatever is still out goes with the cache.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "skin/gdi/gdi_handles.h"

namespace skin {

class GdiObjectCache {
 public:
  // Takes the DC in and hands out its handle; null (and nothing kept) without a DC.
  HDC Register(MemoryDc dc);
  // Previous object back in, bitmap and DC deleted: true. Unknown or null DC: false.
  bool Release(HDC dc);
  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }

 private:
  std::vector<MemoryDc> entries_;  // each holds its DC, bitmap and previous object
};

}  // namespace skin
