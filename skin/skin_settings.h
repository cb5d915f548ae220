// The skin engine's program-wide settings.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace skin {

class SkinEngine;

extern SkinEngine* skinEngine;
extern ULONG_PTR gdiplusToken;
extern ULONG_PTR lastGdiplusToken;
extern HICON appIcon;
extern int32_t frameFirstRun;
extern int32_t controlColouring;
extern int32_t highlightAlpha;
extern int32_t highlightEnabled;
extern int32_t outlineEnabled;
extern COLORREF accentColour;
extern COLORREF backgroundColour;
extern int32_t backgroundMode;
extern std::vector<uint8_t> backgroundImage;
// Changes whenever backgroundImage does, so cached pictures know when to go.
extern uint32_t backgroundImageVersion;
// The texts the skin shows of its own, in the program's language: the face of its captions and
// button texts, and the caption buttons' hints. Read when a window or control is skinned.
struct SkinTexts {
  std::wstring face = L"宋体";
  std::wstring help = L"帮助";
  std::wstring menu = L"主菜单";
  std::wstring minimize = L"最小化";
  std::wstring maximize = L"最大化";
  std::wstring close = L"关闭";
};
extern SkinTexts skinTexts;

// windowRecords (skin/window_records.h) and gdiObjectCache (skin/gdi_object_cache.h) are the
// skin's two arrays.

// Frees windowRecords and gdiObjectCache with everything they hold (exit routine).
void FreeSkinArrays();

// Process start step 6.
void SetSkinDefaults();

// Starts GDI+ (version 1, no debug callback, background thread and external codecs allowed) and
// keeps the token in both gdiplusToken and lastGdiplusToken.
void StartGdiplus();
// Shuts GDI+ down with the token; without one, with lastGdiplusToken, which is then cleared.
// A zero token does nothing.
void ShutdownGdiplus(ULONG_PTR token);
void ShutdownGdiplus();

}  // namespace skin
