#include "graphics/gfx_string_format.h"

#include "graphics/gdiplus_status.h"

namespace graphics {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

bool GfxStringFormat::Create(int32_t formatFlags, int32_t language) {
  Delete();
  GpStringFormat* format = nullptr;
  const GpStatus status =
      GdipCreateStringFormat(formatFlags, static_cast<LANGID>(language), &format);
  SetHandle(status == Ok ? format : nullptr);
  return RecordGdiplusStatus(status);
}

bool GfxStringFormat::Delete() {
  if (!handle_) return false;
  return RecordGdiplusStatus(GdipDeleteStringFormat(TakeHandle()));
}

bool GfxStringFormat::SetFormatFlags(int32_t flags) {
  return RecordGdiplusStatus(GdipSetStringFormatFlags(handle_, flags));
}

bool GfxStringFormat::SetAlignment(int32_t alignment) {
  return RecordGdiplusStatus(
      GdipSetStringFormatAlign(handle_, static_cast<StringAlignment>(alignment)));
}

bool GfxStringFormat::SetLineAlignment(int32_t alignment) {
  return RecordGdiplusStatus(
      GdipSetStringFormatLineAlign(handle_, static_cast<StringAlignment>(alignment)));
}

bool GfxStringFormat::SetTrimming(int32_t trimming) {
  return RecordGdiplusStatus(
      GdipSetStringFormatTrimming(handle_, static_cast<StringTrimming>(trimming)));
}

bool GfxStringFormat::SetHotkeyPrefix(int32_t prefix) {
  return RecordGdiplusStatus(GdipSetStringFormatHotkeyPrefix(handle_, prefix));
}

}  // namespace graphics
