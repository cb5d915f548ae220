#include "skin/skin_settings.h"

#include <objidl.h>
//
#include <gdiplus.h>

#include "skin/gdi/gdi_object_cache.h"
#include "skin/window_records.h"

namespace skin {

SkinEngine* skinEngine = nullptr;
ULONG_PTR gdiplusToken = 0;
ULONG_PTR lastGdiplusToken = 0;
HICON appIcon = nullptr;
SkinTexts skinTexts;
int32_t frameFirstRun = 0;
int32_t controlColouring = 0;
int32_t highlightAlpha = 0;
int32_t highlightEnabled = 0;
int32_t outlineEnabled = 0;
COLORREF accentColour = 0;
COLORREF backgroundColour = 0;
int32_t backgroundMode = 0;
std::vector<uint8_t> backgroundImage;
uint32_t backgroundImageVersion = 0;

void FreeSkinArrays() {
  FreeWindowRecords();
  FreeGdiObjectCache();
}

void SetSkinDefaults() {
  frameFirstRun = 1;
  controlColouring = 1;
  highlightAlpha = 160;
  accentColour = 0xDDCA22;
  outlineEnabled = 1;
}

void StartGdiplus() {
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = 1;
  input.DebugEventCallback = nullptr;
  input.SuppressBackgroundThread = FALSE;
  input.SuppressExternalCodecs = FALSE;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  lastGdiplusToken = token;
  gdiplusToken = token;
}

void ShutdownGdiplus(ULONG_PTR token) {
  if (token != 0) Gdiplus::GdiplusShutdown(token);
}

void ShutdownGdiplus() {
  const ULONG_PTR token = lastGdiplusToken;
  lastGdiplusToken = 0;
  ShutdownGdiplus(token);
}

}  // namespace skin
