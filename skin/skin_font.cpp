#include "skin/skin_font.h"

namespace skin {

bool CreateSkinFont(graphics::GfxFont& font, const std::string& name, int32_t size,
                    int32_t style) {
  const auto emSize = static_cast<float>(size > 0 ? size : 12);
  if (font.Create(name, emSize, style, kSkinFontUnit)) return true;
  graphics::GfxFontFamily generic;
  std::string genericName;
  if (!generic.CreateGenericSansSerif() || !generic.GetFamilyName(&genericName)) return false;
  return font.Create(genericName, emSize, style, kSkinFontUnit);
}

}  // namespace skin
