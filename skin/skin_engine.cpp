#include "skin/skin_engine.h"

#include "skin/skin_settings.h"

namespace skin {
namespace {

// One engine per process: the entry points reach it through this pointer, so one installed
// procedure address serves every skinned window.
SkinEngine* g_boundEngine = nullptr;

LRESULT CALLBACK FrameProcEntry(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  (void)g_boundEngine;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void CALLBACK ButtonActionEntry(int32_t, int32_t) {}

}  // namespace

SkinEngine::SkinEngine() {
  g_boundEngine = this;
  frameProcEntry = FrameProcEntry;
  buttonActionEntry = ButtonActionEntry;
  buttonActionAddress = reinterpret_cast<intptr_t>(buttonActionEntry);
  backgroundColour = GetSysColor(COLOR_WINDOW);
}

SkinEngine::~SkinEngine() {
  if (appIcon) DestroyIcon(appIcon);
  appIcon = nullptr;
  ShutdownGdiplus(gdiplusToken);
  gdiplusToken = 0;
  frameProcEntry = nullptr;
  buttonActionEntry = nullptr;
  buttonActionAddress = 0;
  if (g_boundEngine == this) g_boundEngine = nullptr;
}

}  // namespace skin
