// A GDI+ graphics object drawing into a device context or an image.
#pragma once

#include <string_view>

#include "graphics/gfx_object.h"
#include "graphics/gfx_types.h"

namespace graphics {

class GfxBrush;
class GfxFont;
class GfxImage;
class GfxPath;
class GfxPen;
class GfxStringFormat;

class GfxGraphics : public GfxObject<GfxGraphics, Gdiplus::GpGraphics> {
 public:
  GfxGraphics() = default;
  ~GfxGraphics() { Delete(); }
  GfxGraphics(GfxGraphics&&) noexcept = default;
  GfxGraphics& operator=(GfxGraphics&&) noexcept = default;

  // GdipCreateFromHDC, or GdipCreateFromHDC2 when a device handle is given.
  bool FromHdc(HDC dc, HANDLE device = nullptr);
  bool FromHwnd(HWND window);
  bool FromImage(const GfxImage& image);
  bool Delete();
  bool Flush(int32_t intention = 0);

  // A device context on the graphics; hand it back with ReleaseDC before drawing again.
  HDC GetDC();
  bool ReleaseDC(HDC dc);

  bool SetCompositingMode(int32_t mode);
  bool SetCompositingQuality(int32_t quality);
  bool SetInterpolationMode(int32_t mode);
  bool SetSmoothingMode(int32_t mode);
  bool SetPixelOffsetMode(int32_t mode);
  bool SetTextRenderingHint(int32_t hint);

  bool ResetTransform();
  bool TranslateTransform(float dx, float dy, int32_t order = 0);

  bool DrawLine(const GfxPen& pen, float x1, float y1, float x2, float y2);
  bool DrawRectangle(const GfxPen& pen, float x, float y, float width, float height);
  bool DrawEllipse(const GfxPen& pen, float x, float y, float width, float height);
  bool DrawPath(const GfxPen& pen, const GfxPath& path);
  bool Clear(Argb colour);
  bool FillRectangle(const GfxBrush& brush, float x, float y, float width, float height);
  bool FillEllipse(const GfxBrush& brush, float x, float y, float width, float height);
  bool FillPath(const GfxBrush& brush, const GfxPath& path);

  // An empty string format wrapper means the GDI+ default.
  bool DrawString(std::wstring_view text, const GfxFont& font, const GfxRectF& layout,
                  const GfxStringFormat& format, const GfxBrush& brush);
  bool MeasureString(std::wstring_view text, const GfxFont& font, const GfxRectF& layout,
                     const GfxStringFormat& format, GfxRectF* bounds);

  bool DrawImage(const GfxImage& image, float x, float y);
  bool DrawImageRect(const GfxImage& image, float x, float y, float width, float height);
  bool DrawImageRectRect(const GfxImage& image, const GfxRectF& destination, const GfxRectF& source,
                         int32_t sourceUnit = kUnitPixel);

  bool SetClipPath(const GfxPath& path, int32_t combineMode = kCombineReplace);
  bool SetClipRect(float x, float y, float width, float height,
                   int32_t combineMode = kCombineReplace);
  bool ResetClip();
};

}  // namespace graphics
