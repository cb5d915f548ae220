#include "skin/skin_font.h"

#include <windows.h>

#include "skin/gdi_handles.h"

namespace skin {
namespace {

// The face the system's font mapper picks for the name, for a system that lacks it.
std::string MappedFace(const std::string& name) {
  LOGFONTA wanted{};
  wanted.lfHeight = -12;
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(wanted.lfFaceName, name.c_str(), LF_FACESIZE);
  GdiObject<HFONT> font(CreateFontIndirectA(&wanted));
  MemoryDc dc;
  char face[LF_FACESIZE] = {};
  if (font && dc.EnsureDc()) {
    HGDIOBJ old = SelectObject(dc.dc(), font);
    GetTextFaceA(dc.dc(), LF_FACESIZE, face);
    SelectObject(dc.dc(), old);
  }
  return face;
}

}  // namespace

bool CreateSkinFont(graphics::GfxFont& font, const std::string& name, int32_t size, int32_t style,
                    int32_t unit) {
  const auto emSize = static_cast<float>(size > 0 ? size : 12);
  if (font.Create(name, emSize, style, unit)) return true;
  const std::string mapped = MappedFace(name);
  if (!mapped.empty() && mapped != name && font.Create(mapped, emSize, style, unit)) {
    return true;
  }
  graphics::GfxFontFamily generic;
  std::string genericName;
  if (!generic.CreateGenericSansSerif() || !generic.GetFamilyName(&genericName)) return false;
  return font.Create(genericName, emSize, style, unit);
}

}  // namespace skin
