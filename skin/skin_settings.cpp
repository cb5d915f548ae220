#include "skin/skin_settings.h"

#include <objidl.h>
//
#include <gdiplus.h>

#include "skin/skin_engine.h"
#include "skin/window_records.h"

namespace skin {
namespace {

constexpr SkinSettings kDefaultSettings{};

}  // namespace

SkinEngine* EngineOf(HWND window) {
  for (HWND w = window; w; w = GetParent(w)) {
    if (const WindowSkinRecord* record = FrameRecordOf(w)) return record->engine;
  }
  return nullptr;
}

const SkinSettings& SettingsOf(HWND window) {
  const SkinEngine* engine = EngineOf(window);
  return engine ? *engine : kDefaultSettings;
}

std::wstring_view FaceOf(HWND window) {
  const SkinEngine* engine = EngineOf(window);
  return engine ? std::wstring_view(engine->skinTexts.face) : kDefaultFace;
}

ULONG_PTR StartGdiplus() {
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = 1;
  input.DebugEventCallback = nullptr;
  input.SuppressBackgroundThread = FALSE;
  input.SuppressExternalCodecs = FALSE;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 0;
  return token;
}

void ShutdownGdiplus(ULONG_PTR token) {
  if (token != 0) Gdiplus::GdiplusShutdown(token);
}

}  // namespace skin
