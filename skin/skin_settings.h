// The skin engine's engine-wide settings and texts, held by the engine (SkinEngine derives from
// SkinSettings and keeps its SkinTexts), and how a painter that has only a window reaches them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace skin {

class SkinEngine;

inline constexpr std::wstring_view kDefaultFace = L"宋体";

struct SkinSettings {
  // Cleared by the first WM_SIZE a skinned window receives.
  int32_t frameFirstRun = 1;
  int32_t controlColouring = 1;
  int32_t highlightAlpha = 160;
  int32_t highlightEnabled = 0;
  int32_t outlineEnabled = 1;
  COLORREF accentColour = 0xDDCA22;
  COLORREF backgroundColour = 0;
  int32_t backgroundMode = 0;
};

// The texts the skin shows of its own, in the program's language: the face of its captions and
// button texts, and the caption buttons' hints. Read when a window or control is skinned.
struct SkinTexts {
  std::wstring face{kDefaultFace};
  std::wstring help = L"帮助";
  std::wstring menu = L"主菜单";
  std::wstring minimize = L"最小化";
  std::wstring maximize = L"最大化";
  std::wstring close = L"关闭";
};

// The engine that skinned the window, or the skinned window that holds it; null for any other.
SkinEngine* EngineOf(HWND window);
// Its settings; the defaults for a window no engine skinned.
const SkinSettings& SettingsOf(HWND window);
// The face its texts are drawn in.
std::wstring_view FaceOf(HWND window);

// Starts GDI+ (version 1, no debug callback, background thread and external codecs allowed) and
// returns its token (0 when it did not start).
ULONG_PTR StartGdiplus();
// Shuts GDI+ down with the token; a zero token does nothing.
void ShutdownGdiplus(ULONG_PTR token);

}  // namespace skin
