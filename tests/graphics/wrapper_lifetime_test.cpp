// Status convention and lifetimes of the wrappers, with the GDI+ calls counted at the import
// table of this executable.
#include <gtest/gtest.h>

#include <utility>

#include "graphics/gdiplus_status.h"
#include "graphics/gfx_brush.h"
#include "graphics/gfx_font.h"
#include "graphics/gfx_graphics.h"
#include "graphics/gfx_path.h"
#include "graphics/gfx_pen.h"
#include "graphics/gfx_region.h"
#include "graphics/gfx_string_format.h"
#include "import_hook.h"

namespace {

using namespace Gdiplus;
using graphics::lastGdiplusStatus;
using graphics_test::ImportHook;

constexpr int32_t kUntouched = 0x5A5A;
// Installed by scripts/setup; Wine finds it through fontconfig.
constexpr const wchar_t* kFace = L"DejaVu Sans";

int deletePenCalls = 0;
decltype(&DllExports::GdipDeletePen) realDeletePen = nullptr;
GpStatus WINGDIPAPI CountDeletePen(GpPen* pen) {
  ++deletePenCalls;
  return realDeletePen(pen);
}

int fromHdcCalls = 0;
int fromHdc2Calls = 0;
HANDLE lastDevice = nullptr;
decltype(&DllExports::GdipCreateFromHDC) realFromHdc = nullptr;
decltype(&DllExports::GdipCreateFromHDC2) realFromHdc2 = nullptr;
GpStatus WINGDIPAPI CountFromHdc(HDC dc, GpGraphics** graphics) {
  ++fromHdcCalls;
  return realFromHdc(dc, graphics);
}
GpStatus WINGDIPAPI CountFromHdc2(HDC dc, HANDLE device, GpGraphics** graphics) {
  ++fromHdc2Calls;
  lastDevice = device;
  return realFromHdc2(dc, device, graphics);
}

int deleteFamilyCalls = 0;
decltype(&DllExports::GdipDeleteFontFamily) realDeleteFamily = nullptr;
GpStatus WINGDIPAPI CountDeleteFamily(GpFontFamily* family) {
  ++deleteFamilyCalls;
  return realDeleteFamily(family);
}

TEST(WrapperLifetime, SecondDeleteCallsGdiplusOnceAndReturnsFalse) {
  ImportHook hook("gdiplus.dll", "GdipDeletePen", reinterpret_cast<void*>(&CountDeletePen));
  ASSERT_TRUE(hook.Installed());
  realDeletePen = reinterpret_cast<decltype(realDeletePen)>(hook.Original());
  deletePenCalls = 0;
  {
    graphics::GfxPen pen;
    ASSERT_TRUE(pen.Create(0xFF000000, 2));
    ASSERT_NE(pen.GetHandle(), nullptr);
    EXPECT_TRUE(pen.Delete());
    EXPECT_EQ(pen.GetHandle(), nullptr);
    lastGdiplusStatus = kUntouched;
    EXPECT_FALSE(pen.Delete());
    EXPECT_EQ(lastGdiplusStatus, kUntouched);
  }  // and the destructor does not delete it again
  EXPECT_EQ(deletePenCalls, 1);
}

TEST(WrapperLifetime, EveryKindDeletesOnceThenReportsNothingToDelete) {
  auto check = [](auto& wrapper) {
    ASSERT_NE(wrapper.GetHandle(), nullptr);
    EXPECT_TRUE(wrapper.Delete());
    EXPECT_EQ(wrapper.GetHandle(), nullptr);
    lastGdiplusStatus = kUntouched;
    EXPECT_FALSE(wrapper.Delete());
    EXPECT_EQ(lastGdiplusStatus, kUntouched);
  };
  graphics::GfxPath path;
  ASSERT_TRUE(path.Create());
  check(path);
  graphics::GfxSolidBrush solid;
  ASSERT_TRUE(solid.Create(0xFF102030));
  check(solid);
  graphics::GfxLinearBrush linear;
  ASSERT_TRUE(linear.Create({0, 0}, {10, 10}, 0xFF000000, 0xFFFFFFFF));
  check(linear);
  graphics::GfxStringFormat format;
  ASSERT_TRUE(format.Create());
  check(format);
  graphics::GfxRegion region;
  ASSERT_TRUE(region.CreateFromRect(0, 0, 5, 5));
  check(region);
  graphics::GfxFontFamily family;
  ASSERT_TRUE(family.CreateFromName(kFace));
  check(family);
  HDC dc = CreateCompatibleDC(nullptr);
  graphics::GfxFont font;
  EXPECT_TRUE(font.FromHdc(dc, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
  DeleteDC(dc);
  check(font);
}

TEST(WrapperLifetime, MovingHandsTheObjectOverAndDeletesWhatTheTargetHeld) {
  ImportHook hook("gdiplus.dll", "GdipDeletePen", reinterpret_cast<void*>(&CountDeletePen));
  ASSERT_TRUE(hook.Installed());
  realDeletePen = reinterpret_cast<decltype(realDeletePen)>(hook.Original());
  deletePenCalls = 0;
  {
    graphics::GfxPen first;
    graphics::GfxPen second;
    ASSERT_TRUE(first.Create(0xFF000000));
    ASSERT_TRUE(second.Create(0xFFFFFFFF));
    GpPen* const firstHandle = first.GetHandle();
    second = std::move(first);
    EXPECT_EQ(deletePenCalls, 1);  // second's own pen
    EXPECT_EQ(first.GetHandle(), nullptr);
    EXPECT_EQ(second.GetHandle(), firstHandle);
    graphics::GfxPen third(std::move(second));
    EXPECT_EQ(third.GetHandle(), firstHandle);
    // Creating again on a wrapper that holds a pen releases the old one.
    ASSERT_TRUE(third.Create(0xFF00FF00));
    EXPECT_EQ(deletePenCalls, 2);
  }
  EXPECT_EQ(deletePenCalls, 3);
}

TEST(WrapperStatus, FailedCreateLeavesHandleZeroAndLaterCallsFail) {
  {
    graphics::GfxGraphics graphics;
    EXPECT_FALSE(graphics.FromHdc(nullptr));
    EXPECT_NE(graphics::lastGdiplusStatus, 0);
    EXPECT_EQ(graphics.GetHandle(), nullptr);
    EXPECT_FALSE(graphics.SetSmoothingMode(graphics::kSmoothingAntiAlias));
    EXPECT_EQ(graphics::lastGdiplusStatus, InvalidParameter);
    lastGdiplusStatus = kUntouched;
  }
  // Destroying it called nothing.
  EXPECT_EQ(lastGdiplusStatus, kUntouched);
}

TEST(WrapperStatus, FontOfAnUnknownFamilyFailsAndTheTemporaryFamilyIsNotLeaked) {
  ImportHook hook("gdiplus.dll", "GdipDeleteFontFamily",
                  reinterpret_cast<void*>(&CountDeleteFamily));
  ASSERT_TRUE(hook.Installed());
  realDeleteFamily = reinterpret_cast<decltype(realDeleteFamily)>(hook.Original());

  graphics::GfxFont font;
  deleteFamilyCalls = 0;
  ASSERT_TRUE(font.Create(kFace, 12, 1, graphics::kUnitPixel));
  EXPECT_EQ(deleteFamilyCalls, 1);
  float size = 0;
  int32_t style = 0;
  EXPECT_TRUE(font.GetSize(&size));
  EXPECT_FLOAT_EQ(size, 12);
  EXPECT_TRUE(font.GetStyle(&style));
  EXPECT_EQ(style, 1);

  EXPECT_FALSE(font.Create(L"No Such Family 7f3a", 12));
  EXPECT_EQ(graphics::lastGdiplusStatus, FontFamilyNotFound);
  EXPECT_EQ(font.GetHandle(), nullptr);
  // The failed family was never created, so only the earlier font's family was deleted.
  EXPECT_EQ(deleteFamilyCalls, 1);
  EXPECT_FALSE(font.GetSize(&size));
  EXPECT_EQ(size, 0);
}

TEST(WrapperStatus, FontFamilyNameComesBack) {
  graphics::GfxFont font;
  ASSERT_TRUE(font.Create(kFace, 9));
  graphics::GfxFontFamily family;
  ASSERT_TRUE(font.GetFamily(&family));
  std::wstring name;
  ASSERT_TRUE(family.GetFamilyName(&name));
  EXPECT_EQ(name, kFace);
}

TEST(WrapperStatus, FontFromAContextUsesTheGivenOrTheSelectedGdiFont) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT gdiFont =
      CreateFontW(-20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, kFace);
  ASSERT_NE(gdiFont, nullptr);
  auto familyOf = [](const graphics::GfxFont& font) {
    graphics::GfxFontFamily family;
    std::wstring name;
    EXPECT_TRUE(font.GetFamily(&family));
    EXPECT_TRUE(family.GetFamilyName(&name));
    return name;
  };
  graphics::GfxFont given;
  ASSERT_TRUE(given.FromHdc(dc, gdiFont));
  EXPECT_EQ(familyOf(given), kFace);
  int32_t style = 0;
  ASSERT_TRUE(given.GetStyle(&style));
  EXPECT_EQ(style & 1, 1);  // bold

  HGDIOBJ old = SelectObject(dc, gdiFont);
  graphics::GfxFont selected;
  ASSERT_TRUE(selected.FromHdc(dc));
  EXPECT_EQ(familyOf(selected), kFace);
  SelectObject(dc, old);

  // A handle that is no font fails without creating anything.
  graphics::GfxFont none;
  EXPECT_FALSE(none.FromHdc(dc, reinterpret_cast<HFONT>(GetStockObject(BLACK_BRUSH))));
  EXPECT_EQ(none.GetHandle(), nullptr);
  DeleteObject(gdiFont);
  DeleteDC(dc);
}

TEST(GraphicsFromHdc, DeviceHandleSelectsTheTwoHandleCreation) {
  ImportHook hook1("gdiplus.dll", "GdipCreateFromHDC", reinterpret_cast<void*>(&CountFromHdc));
  ImportHook hook2("gdiplus.dll", "GdipCreateFromHDC2", reinterpret_cast<void*>(&CountFromHdc2));
  ASSERT_TRUE(hook1.Installed());
  ASSERT_TRUE(hook2.Installed());
  realFromHdc = reinterpret_cast<decltype(realFromHdc)>(hook1.Original());
  realFromHdc2 = reinterpret_cast<decltype(realFromHdc2)>(hook2.Original());
  fromHdcCalls = fromHdc2Calls = 0;

  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, -8, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(dib, nullptr);
  HGDIOBJ old = SelectObject(dc, dib);

  {
    graphics::GfxGraphics plain;
    EXPECT_TRUE(plain.FromHdc(dc));
    EXPECT_EQ(fromHdcCalls, 1);
    EXPECT_EQ(fromHdc2Calls, 0);
  }
  HANDLE device = GetCurrentProcess();  // any handle: GDI+ only passes it on
  graphics::GfxGraphics graphics;
  const bool created = graphics.FromHdc(dc, device);
  EXPECT_EQ(fromHdcCalls, 1);
  EXPECT_EQ(fromHdc2Calls, 1);
  EXPECT_EQ(lastDevice, device);
  if (created) {
    // Whatever the device, the graphics draws into the context.
    graphics::GfxSolidBrush brush;
    ASSERT_TRUE(brush.Create(0xFF0000FF));
    EXPECT_TRUE(graphics.FillRectangle(brush, 0, 0, 8, 8));
    EXPECT_TRUE(graphics.Delete());
    EXPECT_EQ(static_cast<const uint32_t*>(bits)[9] & 0xFFFFFF, 0x0000FFu);
  } else {
    EXPECT_EQ(graphics.GetHandle(), nullptr);
  }
  SelectObject(dc, old);
  DeleteObject(dib);
  DeleteDC(dc);
}

}  // namespace
