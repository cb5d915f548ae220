#include "graphics/gfx_font.h"

#include <string>

#include "graphics/gdiplus_status.h"

namespace graphics {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

bool GfxFontFamily::CreateFromName(std::wstring_view name) {
  Delete();
  // GDI+ reads the name up to its first zero.
  const std::wstring wide(name.substr(0, name.find(L'\0')));
  GpFontFamily* family = nullptr;
  const GpStatus status = GdipCreateFontFamilyFromName(wide.c_str(), nullptr, &family);
  SetHandle(status == Ok ? family : nullptr);
  return RecordGdiplusStatus(status);
}

bool GfxFontFamily::CreateGenericSansSerif() {
  Delete();
  GpFontFamily* family = nullptr;
  const GpStatus status = GdipGetGenericFontFamilySansSerif(&family);
  SetHandle(status == Ok ? family : nullptr);
  return RecordGdiplusStatus(status);
}

bool GfxFontFamily::Clone(const GfxFontFamily& other) {
  GpFontFamily* family = nullptr;
  const GpStatus status = GdipCloneFontFamily(other.GetHandle(), &family);
  Adopt(status == Ok ? family : nullptr);
  return RecordGdiplusStatus(status);
}

bool GfxFontFamily::GetFamilyName(std::wstring* name) const {
  WCHAR buffer[LF_FACESIZE] = {};
  const bool ok = RecordGdiplusStatus(GdipGetFamilyName(handle_, buffer, 0));
  if (name) *name = ok ? std::wstring(buffer) : std::wstring();
  return ok;
}

bool GfxFontFamily::Delete() {
  if (!handle_) return false;
  return RecordGdiplusStatus(GdipDeleteFontFamily(TakeHandle()));
}

void GfxFontFamily::Adopt(GpFontFamily* family) {
  if (handle_) {
    const int32_t status = lastGdiplusStatus;
    Delete();
    lastGdiplusStatus = status;
  }
  SetHandle(family);
}

bool GfxFont::Create(std::wstring_view familyName, float size, int32_t style, int32_t unit) {
  Delete();
  GfxFontFamily family;
  if (!family.CreateFromName(familyName)) return false;  // the family's status stays
  GpFont* font = nullptr;
  const GpStatus status =
      GdipCreateFont(family.GetHandle(), size, style, static_cast<GpUnit>(unit), &font);
  SetHandle(status == Ok ? font : nullptr);
  family.Delete();
  return RecordGdiplusStatus(status);
}

bool GfxFont::FromHdc(HDC dc, HFONT gdiFont) {
  Delete();
  GpFont* font = nullptr;
  GpStatus status;
  if (gdiFont) {
    LOGFONTW logFont = {};
    static_assert(sizeof(LOGFONTW) == 92);
    if (GetObjectW(gdiFont, sizeof(logFont), &logFont) != sizeof(logFont)) {
      return RecordGdiplusStatus(InvalidParameter);
    }
    status = GdipCreateFontFromLogfontW(dc, &logFont, &font);
  } else {
    status = GdipCreateFontFromDC(dc, &font);
  }
  SetHandle(status == Ok ? font : nullptr);
  return RecordGdiplusStatus(status);
}

bool GfxFont::GetFamily(GfxFontFamily* family) const {
  GpFontFamily* native = nullptr;
  const GpStatus status = GdipGetFamily(handle_, &native);
  if (family) {
    family->Adopt(status == Ok ? native : nullptr);
  } else if (status == Ok) {
    GdipDeleteFontFamily(native);
  }
  return RecordGdiplusStatus(status);
}

bool GfxFont::GetStyle(int32_t* style) const {
  INT value = 0;
  const bool ok = RecordGdiplusStatus(GdipGetFontStyle(handle_, &value));
  if (style) *style = ok ? value : 0;
  return ok;
}

bool GfxFont::GetSize(float* size) const {
  REAL value = 0;
  const bool ok = RecordGdiplusStatus(GdipGetFontSize(handle_, &value));
  if (size) *size = ok ? value : 0;
  return ok;
}

bool GfxFont::Delete() {
  if (!handle_) return false;
  return RecordGdiplusStatus(GdipDeleteFont(TakeHandle()));
}

bool GfxFontCollection::OpenInstalled() {
  GpFontCollection* collection = nullptr;
  const GpStatus status = GdipNewInstalledFontCollection(&collection);
  handle_ = status == Ok ? collection : nullptr;
  return RecordGdiplusStatus(status);
}

bool GfxFontCollection::GetFamilyCount(int32_t* count) const {
  INT value = 0;
  const bool ok = RecordGdiplusStatus(GdipGetFontCollectionFamilyCount(handle_, &value));
  if (count) *count = ok ? value : 0;
  return ok;
}

bool GfxFontCollection::GetFamilyList(std::vector<GfxFontFamily>* families) const {
  if (families) families->clear();
  int32_t count = 0;
  if (!GetFamilyCount(&count)) return false;
  std::vector<GpFontFamily*> natives(static_cast<size_t>(count), nullptr);
  INT found = 0;
  const GpStatus status = GdipGetFontCollectionFamilyList(handle_, count, natives.data(), &found);
  if (status == Ok && families) {
    // The entries belong to the collection; each wrapper gets a copy of its own.
    for (INT i = 0; i < found && i < count; ++i) {
      GpFontFamily* copy = nullptr;
      if (GdipCloneFontFamily(natives[static_cast<size_t>(i)], &copy) == Ok) {
        families->emplace_back().Adopt(copy);
      }
    }
  }
  return RecordGdiplusStatus(status);
}

}  // namespace graphics
