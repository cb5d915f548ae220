#include "skin/frame/skin_font.h"

#include <windows.h>

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
                    int32_t unit) {
  const auto emSize = static_cast<float>(size > 0 ? size : 12);
  if (font.Create(name, emSize, style, unit)) return true;
  const std::wstring mapped = MappedFace(name);
  if (!mapped.empty() && mapped != name && font.Create(mapped, emSize, style, unit)) {
    return true;
  }
  graphics::GfxFontFamily generic;
  std::wstring genericName;
  if (!generic.CreateGenericSansSerif() || !generic.GetFamilyName(&genericName)) return false;
  return font.Create(genericName, emSize, style, unit);
}

}  // namespace skin
