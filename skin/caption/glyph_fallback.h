// Faces that have the glyphs a text needs: a system whose code page links no fonts for a title's
// script (an English Windows showing a Chinese title) would otherwise draw boxes.
#pragma once

#include <windows.h>

#include <string>

namespace skin {

// The characters of `text` that the face has no glyph for (each once, in order); characters
// outside the basic plane and control characters are not judged.
std::wstring MissingGlyphs(const std::wstring& face, const std::wstring& text);

// `face` when it has every glyph of `text`. Otherwise the face the system gives for the missing
// characters' scripts (the usual interface fonts for Chinese, Japanese and Korean first, then the
// font mapper's own pick for the script's character set) that has all of them, or else lacks
// the fewest; `face` when none lacks fewer than it.
std::wstring FaceWithGlyphs(const std::wstring& face, const std::wstring& text);

// A font made like `font` in FaceWithGlyphs's face, for the caller to delete; null when `font`
// has the glyphs already or no face has more of them.
HFONT FontWithGlyphs(HFONT font, const std::wstring& text);

}  // namespace skin
