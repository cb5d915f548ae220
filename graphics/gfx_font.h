// GDI+ fonts, font families and the installed font collection.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "graphics/gfx_object.h"
#include "graphics/gfx_types.h"

namespace graphics {

class GfxFontFamily : public GfxObject<GfxFontFamily, Gdiplus::GpFontFamily> {
 public:
  GfxFontFamily() = default;
  ~GfxFontFamily() { Delete(); }
  GfxFontFamily(GfxFontFamily&&) noexcept = default;
  GfxFontFamily& operator=(GfxFontFamily&&) noexcept = default;

  // No font collection: the installed fonts.
  bool CreateFromName(std::wstring_view name);
  bool CreateGenericSansSerif();
  bool Clone(const GfxFontFamily& other);
  // Language 0.
  bool GetFamilyName(std::wstring* name) const;
  bool Delete();

 private:
  friend class GfxFont;
  friend class GfxFontCollection;
  void Adopt(Gdiplus::GpFontFamily* family);
};

class GfxFont : public GfxObject<GfxFont, Gdiplus::GpFont> {
 public:
  GfxFont() = default;
  ~GfxFont() { Delete(); }
  GfxFont(GfxFont&&) noexcept = default;
  GfxFont& operator=(GfxFont&&) noexcept = default;

  // Style bits: bold 1, italic 2, underline 4, strike-out 8.
  bool Create(std::wstring_view familyName, float size, int32_t style = 0,
              int32_t unit = kUnitPoint);
  // With a GDI font its LOGFONTW is used, without one the font selected into the context.
  bool FromHdc(HDC dc, HFONT font = nullptr);
  bool GetFamily(GfxFontFamily* family) const;
  bool GetStyle(int32_t* style) const;
  bool GetSize(float* size) const;
  bool Delete();
};

// The installed fonts; GDI+ owns the collection, so nothing is deleted.
class GfxFontCollection {
 public:
  bool OpenInstalled();
  bool GetFamilyCount(int32_t* count) const;
  // Each entry is the wrapper's own copy of the family.
  bool GetFamilyList(std::vector<GfxFontFamily>* families) const;
  Gdiplus::GpFontCollection* GetHandle() const { return handle_; }

 private:
  Gdiplus::GpFontCollection* handle_ = nullptr;
};

}  // namespace graphics
