#include "graphics/gfx_graphics.h"

#include <string>

#include "graphics/gdiplus_status.h"
#include "graphics/gfx_brush.h"
#include "graphics/gfx_font.h"
#include "graphics/gfx_image.h"
#include "graphics/gfx_path.h"
#include "graphics/gfx_pen.h"
#include "graphics/gfx_string_format.h"

namespace graphics {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

bool Record(GpStatus status) { return RecordGdiplusStatus(status); }

}  // namespace

bool GfxGraphics::FromHdc(HDC dc, HANDLE device) {
  Delete();
  GpGraphics* graphics = nullptr;
  const GpStatus status =
      device ? GdipCreateFromHDC2(dc, device, &graphics) : GdipCreateFromHDC(dc, &graphics);
  SetHandle(status == Ok ? graphics : nullptr);
  return Record(status);
}

bool GfxGraphics::FromHwnd(HWND window) {
  Delete();
  GpGraphics* graphics = nullptr;
  const GpStatus status = GdipCreateFromHWND(window, &graphics);
  SetHandle(status == Ok ? graphics : nullptr);
  return Record(status);
}

bool GfxGraphics::FromImage(const GfxImage& image) {
  Delete();
  GpGraphics* graphics = nullptr;
  const GpStatus status = GdipGetImageGraphicsContext(image.GetHandle(), &graphics);
  SetHandle(status == Ok ? graphics : nullptr);
  return Record(status);
}

bool GfxGraphics::Delete() {
  if (!handle_) return false;
  const GpStatus status = GdipDeleteGraphics(TakeHandle());
  return Record(status);
}

bool GfxGraphics::Flush(int32_t intention) {
  return Record(GdipFlush(handle_, static_cast<FlushIntention>(intention)));
}

HDC GfxGraphics::GetDC() {
  HDC dc = nullptr;
  return Record(GdipGetDC(handle_, &dc)) ? dc : nullptr;
}

bool GfxGraphics::ReleaseDC(HDC dc) { return Record(GdipReleaseDC(handle_, dc)); }

bool GfxGraphics::SetCompositingMode(int32_t mode) {
  return Record(GdipSetCompositingMode(handle_, static_cast<CompositingMode>(mode)));
}

bool GfxGraphics::SetCompositingQuality(int32_t quality) {
  return Record(GdipSetCompositingQuality(handle_, static_cast<CompositingQuality>(quality)));
}

bool GfxGraphics::SetInterpolationMode(int32_t mode) {
  return Record(GdipSetInterpolationMode(handle_, static_cast<InterpolationMode>(mode)));
}

bool GfxGraphics::SetSmoothingMode(int32_t mode) {
  return Record(GdipSetSmoothingMode(handle_, static_cast<SmoothingMode>(mode)));
}

bool GfxGraphics::SetPixelOffsetMode(int32_t mode) {
  return Record(GdipSetPixelOffsetMode(handle_, static_cast<PixelOffsetMode>(mode)));
}

bool GfxGraphics::SetTextRenderingHint(int32_t hint) {
  return Record(GdipSetTextRenderingHint(handle_, static_cast<TextRenderingHint>(hint)));
}

bool GfxGraphics::ResetTransform() { return Record(GdipResetWorldTransform(handle_)); }

bool GfxGraphics::TranslateTransform(float dx, float dy, int32_t order) {
  return Record(GdipTranslateWorldTransform(handle_, dx, dy, static_cast<MatrixOrder>(order)));
}

bool GfxGraphics::DrawLine(const GfxPen& pen, float x1, float y1, float x2, float y2) {
  return Record(GdipDrawLine(handle_, pen.GetHandle(), x1, y1, x2, y2));
}

bool GfxGraphics::DrawRectangle(const GfxPen& pen, float x, float y, float width, float height) {
  return Record(GdipDrawRectangle(handle_, pen.GetHandle(), x, y, width, height));
}

bool GfxGraphics::DrawEllipse(const GfxPen& pen, float x, float y, float width, float height) {
  return Record(GdipDrawEllipse(handle_, pen.GetHandle(), x, y, width, height));
}

bool GfxGraphics::DrawPath(const GfxPen& pen, const GfxPath& path) {
  return Record(GdipDrawPath(handle_, pen.GetHandle(), path.GetHandle()));
}

bool GfxGraphics::Clear(Argb colour) { return Record(GdipGraphicsClear(handle_, colour)); }

bool GfxGraphics::FillRectangle(const GfxBrush& brush, float x, float y, float width,
                                float height) {
  return Record(GdipFillRectangle(handle_, brush.GetHandle(), x, y, width, height));
}

bool GfxGraphics::FillEllipse(const GfxBrush& brush, float x, float y, float width, float height) {
  return Record(GdipFillEllipse(handle_, brush.GetHandle(), x, y, width, height));
}

bool GfxGraphics::FillPath(const GfxBrush& brush, const GfxPath& path) {
  return Record(GdipFillPath(handle_, brush.GetHandle(), path.GetHandle()));
}

bool GfxGraphics::DrawString(std::wstring_view text, const GfxFont& font, const GfxRectF& layout,
                             const GfxStringFormat& format, const GfxBrush& brush) {
  // GDI+ draws the text up to its first zero.
  const std::wstring wide(text.substr(0, text.find(L'\0')));
  const RectF rect(layout.x, layout.y, layout.width, layout.height);
  return Record(GdipDrawString(handle_, wide.c_str(), lstrlenW(wide.c_str()), font.GetHandle(),
                               &rect, format.GetHandle(), brush.GetHandle()));
}

bool GfxGraphics::MeasureString(std::wstring_view text, const GfxFont& font, const GfxRectF& layout,
                                const GfxStringFormat& format, GfxRectF* bounds) {
  const std::wstring wide(text.substr(0, text.find(L'\0')));
  const RectF rect(layout.x, layout.y, layout.width, layout.height);
  RectF measured;
  INT fitted = 0;
  INT lines = 0;
  const bool ok =
      Record(GdipMeasureString(handle_, wide.c_str(), lstrlenW(wide.c_str()), font.GetHandle(),
                               &rect, format.GetHandle(), &measured, &fitted, &lines));
  // Where lines are centred or kept low, the box goes where DrawString puts them: Wine's measure
  // leaves it at the layout's top, and a focus cue drawn round it then cuts through the text.
  StringAlignment lineAlignment = StringAlignmentNear;
  const float slack = rect.Height - measured.Height;
  if (ok && slack > 0 && measured.Y == rect.Y &&
      GdipGetStringFormatLineAlign(format.GetHandle(), &lineAlignment) == Ok) {
    if (lineAlignment == StringAlignmentCenter) measured.Y += slack / 2;
    if (lineAlignment == StringAlignmentFar) measured.Y += slack;
  }
  if (bounds) {
    *bounds = ok ? GfxRectF{measured.X, measured.Y, measured.Width, measured.Height} : GfxRectF{};
  }
  return ok;
}

bool GfxGraphics::DrawImage(const GfxImage& image, float x, float y) {
  return Record(GdipDrawImage(handle_, image.GetHandle(), x, y));
}

bool GfxGraphics::DrawImageRect(const GfxImage& image, float x, float y, float width,
                                float height) {
  return Record(GdipDrawImageRect(handle_, image.GetHandle(), x, y, width, height));
}

bool GfxGraphics::DrawImageRectRect(const GfxImage& image, const GfxRectF& destination,
                                    const GfxRectF& source, int32_t sourceUnit) {
  return Record(GdipDrawImageRectRect(handle_, image.GetHandle(), destination.x, destination.y,
                                      destination.width, destination.height, source.x, source.y,
                                      source.width, source.height, static_cast<GpUnit>(sourceUnit),
                                      nullptr, nullptr, nullptr));
}

bool GfxGraphics::SetClipPath(const GfxPath& path, int32_t combineMode) {
  return Record(GdipSetClipPath(handle_, path.GetHandle(), static_cast<CombineMode>(combineMode)));
}

bool GfxGraphics::SetClipRect(float x, float y, float width, float height, int32_t combineMode) {
  return Record(
      GdipSetClipRect(handle_, x, y, width, height, static_cast<CombineMode>(combineMode)));
}

bool GfxGraphics::ResetClip() { return Record(GdipResetClip(handle_)); }

}  // namespace graphics
