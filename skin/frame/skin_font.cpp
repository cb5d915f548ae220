#include "skin/frame/skin_font.h"

#include <windows.h>

#include "skin/caption/glyph_fallback.h"
#include "skin/gdi/gdi_handles.h"

namespace skin {
namespace {

// The face the system's font mapper picks for the name, for a system that lacks it.
std::wstring MappedFace(const std::wstring& name) {
  LOGFONTW wanted{};
  wanted.lfHeight = -12;
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, name.c_str(), LF_FACESIZE);
  GdiObject<HFONT> font(CreateFontIndirectW(&wanted));
  MemoryDc dc;
  wchar_t face[LF_FACESIZE] = {};
  if (font && dc.EnsureDc()) {
    HGDIOBJ old = SelectObject(dc.dc(), font);
    GetTextFaceW(dc.dc(), LF_FACESIZE, face);
    SelectObject(dc.dc(), old);
  }
  return face;
}

}  // namespace

bool CreateSkinFont(graphics::GfxFont& font, const std::wstring& name, int32_t size, int32_t style,
                    int32_t unit, const std::wstring& text) {
  const auto emSize = static_cast<float>(size > 0 ? size : 12);
  std::wstring face = name;
  if (!font.Create(face, emSize, style, unit)) {
    face = MappedFace(name);
    if (face.empty() || face == name || !font.Create(face, emSize, style, unit)) {
      graphics::GfxFontFamily generic;
      if (!generic.CreateGenericSansSerif() || !generic.GetFamilyName(&face) ||
          !font.Create(face, emSize, style, unit)) {
        return false;
      }
    }
  }
  if (text.empty()) return true;
  // Only a text the face cannot show changes face: Latin text keeps its metrics.
  const std::wstring withGlyphs = FaceWithGlyphs(face, text);
  if (withGlyphs != face) {
    graphics::GfxFont other;
    if (other.Create(withGlyphs, emSize, style, unit)) font = std::move(other);
  }
  return true;
}

}  // namespace skin
