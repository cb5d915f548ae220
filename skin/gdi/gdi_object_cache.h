// gdiObjectCache: the memory DCs handed out by ControlBackdrop, owned here until they come back,
// so that a release needs nothing but the DC.
#pragma once

#include <windows.h>

#include <vector>

#include "skin/gdi/gdi_handles.h"

namespace skin {

// 1-based in use: entry n is gdiObjectCache[n - 1]; each holds its DC, bitmap and previous object.
extern std::vector<MemoryDc> gdiObjectCache;

// Takes the DC into the cache and hands out its handle; null (and nothing kept) without a DC.
HDC RegisterCachedDc(MemoryDc dc);
// Previous object back in, bitmap and DC deleted, entry removed: 1. Unknown or null DC: 0.
int ReleaseCachedDc(HDC dc);
// Releases every entry (exit routine).
void FreeGdiObjectCache();

}  // namespace skin
