#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "graphics/gdiplus_status.h"
#include "graphics/gfx_image.h"
#include "graphics/image_encoders.h"
#include "import_hook.h"
#include "pixels.h"

namespace {

using namespace Gdiplus;
using graphics::GfxBitmap;
using graphics::GfxImage;
using graphics::kPngFormatId;
using graphics_test::ImportHook;

// Lets the tests see the image's own stream.
class ProbeImage : public GfxImage {
 public:
  const graphics::GfxMemoryStream& Stream() const { return stream_; }
};

int saveCalls = 0;
decltype(&DllExports::GdipSaveImageToStream) realSave = nullptr;
bool sawBlock = false;
graphics::EncoderParameterList seenParameters;
GpStatus WINGDIPAPI CountSave(GpImage* image, IStream* stream, GDIPCONST CLSID* clsid,
                              GDIPCONST EncoderParameters* parameters) {
  ++saveCalls;
  sawBlock = parameters != nullptr;
  seenParameters.clear();
  for (UINT i = 0; parameters && i < parameters->Count; ++i) {
    const EncoderParameter& p = parameters->Parameter[i];
    const size_t size = p.Type == 3 ? 2 * p.NumberOfValues : 4 * p.NumberOfValues;
    const auto* value = static_cast<const uint8_t*>(p.Value);
    seenParameters.push_back(
        {graphics::GuidToText(p.Guid), p.NumberOfValues, p.Type, {value, value + size}});
  }
  return realSave(image, stream, clsid, parameters);
}

std::vector<uint8_t> SamplePng(int width, int height) {
  GfxBitmap bitmap;
  EXPECT_TRUE(bitmap.Create(width, height));
  EXPECT_TRUE(bitmap.SetPixel(1, 2, 0xFF336699));
  EXPECT_TRUE(bitmap.SetPixel(width - 1, height - 1, 0x80FF0000));
  return bitmap.SaveToBytes(kPngFormatId);
}

bool IsPng(const std::vector<uint8_t>& bytes) {
  static const uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return bytes.size() > 8 && std::equal(kSignature, kSignature + 8, bytes.begin());
}

TEST(ImageDecode, EmptyOrForeignBytesFailAndLeaveTheImageEmpty) {
  for (const std::vector<uint8_t>& bytes :
       {std::vector<uint8_t>{}, std::vector<uint8_t>{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i'}}) {
    ProbeImage image;
    EXPECT_FALSE(image.LoadFromBytes(bytes));
    EXPECT_NE(graphics::lastGdiplusStatus, 0);
    EXPECT_EQ(image.GetHandle(), nullptr);
    EXPECT_EQ(image.Stream().GetStream(), nullptr);
    EXPECT_EQ(image.GetWidth(), 0u);
    GfxBitmap bitmap;
    EXPECT_FALSE(bitmap.LoadFromBytes(bytes));
    EXPECT_EQ(bitmap.GetHandle(), nullptr);
  }
}

TEST(ImageDecode, DecodedBytesStayReadableAfterTheCallerDropsThem) {
  auto bytes = std::make_unique<std::vector<uint8_t>>(SamplePng(9, 7));
  ASSERT_TRUE(IsPng(*bytes));
  GfxBitmap bitmap;
  ASSERT_TRUE(bitmap.LoadFromBytes(*bytes));
  std::fill(bytes->begin(), bytes->end(), 0);
  bytes.reset();
  EXPECT_EQ(bitmap.GetWidth(), 9u);
  EXPECT_EQ(bitmap.GetHeight(), 7u);
  EXPECT_EQ(bitmap.GetPixel(1, 2), 0xFF336699u);
  graphics_test::Canvas canvas(9, 7);
  EXPECT_TRUE(canvas.graphics.DrawImageRect(bitmap, 0, 0, 9, 7));
  EXPECT_EQ(canvas.bitmap.GetPixel(1, 2), 0xFF336699u);
}

TEST(ImageDecode, DisposeClosesTheStreamAndASecondDisposeDoesNothing) {
  const std::vector<uint8_t> bytes = SamplePng(4, 4);
  ProbeImage image;
  ASSERT_TRUE(image.LoadFromBytes(bytes));
  EXPECT_NE(image.Stream().GetStream(), nullptr);
  EXPECT_EQ(image.GetRawFormat(), kPngFormatId);
  EXPECT_TRUE(image.Dispose());
  EXPECT_EQ(image.GetHandle(), nullptr);
  EXPECT_EQ(image.Stream().GetStream(), nullptr);
  graphics::lastGdiplusStatus = 0x5A5A;
  EXPECT_FALSE(image.Dispose());
  EXPECT_EQ(graphics::lastGdiplusStatus, 0x5A5A);
}

TEST(ImageEncode, PngRoundTripKeepsSizeAndPixels) {
  const std::vector<uint8_t> bytes = SamplePng(37, 23);
  ASSERT_TRUE(IsPng(bytes));
  GfxBitmap decoded;
  ASSERT_TRUE(decoded.LoadFromBytes(bytes));
  EXPECT_EQ(decoded.GetWidth(), 37u);
  EXPECT_EQ(decoded.GetHeight(), 23u);
  EXPECT_EQ(decoded.GetPixel(1, 2), 0xFF336699u);
  EXPECT_EQ(decoded.GetPixel(36, 22), 0x80FF0000u);
  // Without a format the image's own (PNG) is used; an empty parameter list is accepted.
  const graphics::EncoderParameterList none;
  const std::vector<uint8_t> again = decoded.SaveToBytes({}, &none);
  ASSERT_TRUE(IsPng(again));
  GfxImage image;
  ASSERT_TRUE(image.LoadFromBytes(again));
  EXPECT_EQ(image.GetWidth(), 37u);
  EXPECT_EQ(image.GetHeight(), 23u);
  // The bytes end with the PNG trailer: nothing of the block beyond what was written.
  ASSERT_GE(again.size(), 12u);
  EXPECT_EQ(std::string(again.end() - 8, again.end() - 4), "IEND");
}

TEST(ImageEncode, EncoderLookupIsExactAndCaseSensitive) {
  const std::vector<graphics::EncoderInfo> encoders = graphics::ListEncoders();
  ASSERT_FALSE(encoders.empty());
  const std::string png = graphics::FindEncoder(kPngFormatId);
  ASSERT_EQ(png.size(), 38u);
  EXPECT_EQ(png.front(), '{');
  bool listed = false;
  for (const graphics::EncoderInfo& encoder : encoders) {
    if (encoder.clsid == png) {
      listed = true;
      EXPECT_EQ(encoder.formatId, kPngFormatId);
      EXPECT_EQ(encoder.mimeType, "image/png");
    }
  }
  EXPECT_TRUE(listed);
  EXPECT_EQ(graphics::FindEncoder("{b96b3caf-0728-11d3-9d7b-0000f81ef32e}"), "");
  EXPECT_EQ(graphics::FindEncoder(""), "");
}

TEST(ImageEncode, UnknownFormatOrBadParametersReturnNothingWithoutSaving) {
  ImportHook hook("gdiplus.dll", "GdipSaveImageToStream", reinterpret_cast<void*>(&CountSave));
  ASSERT_TRUE(hook.Installed());
  realSave = reinterpret_cast<decltype(realSave)>(hook.Original());
  GfxBitmap bitmap;
  ASSERT_TRUE(bitmap.Create(5, 5));
  saveCalls = 0;
  EXPECT_TRUE(bitmap.SaveToBytes("{b96b3caf-0728-11d3-9d7b-0000f81ef32e}").empty());
  EXPECT_TRUE(bitmap.SaveToBytes("{00000000-0000-0000-0000-000000000000}").empty());
  EXPECT_EQ(saveCalls, 0);

  // A parameter whose value bytes are fewer than its count and type say.
  graphics::EncoderParameterList shortValue = {
      {"{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}", 1, 4, {75, 0}}};
  EXPECT_TRUE(bitmap.SaveToBytes("{557CF401-1A04-11D3-9A73-0000F81EF32E}", &shortValue).empty());
  EXPECT_EQ(saveCalls, 0);

  EXPECT_FALSE(bitmap.SaveToBytes(kPngFormatId).empty());
  EXPECT_EQ(saveCalls, 1);
}

TEST(ImageEncode, ParameterListBecomesTheEncoderParametersBlock) {
  ImportHook hook("gdiplus.dll", "GdipSaveImageToStream", reinterpret_cast<void*>(&CountSave));
  ASSERT_TRUE(hook.Installed());
  realSave = reinterpret_cast<decltype(realSave)>(hook.Original());
  GfxBitmap bitmap;
  ASSERT_TRUE(bitmap.Create(16, 16, PixelFormat24bppRGB));
  const graphics::EncoderParameterList list = {
      {"{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}", 1, 4, {40, 0, 0, 0}},
      {"{E09D739D-CCD4-44EE-8EBA-3FBF8BE4FC58}", 2, 3, {1, 0, 2, 0}}};
  saveCalls = 0;
  seenParameters = {};
  const std::vector<uint8_t> jpeg =
      bitmap.SaveToBytes("{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}", &list);
  EXPECT_FALSE(jpeg.empty());
  ASSERT_EQ(saveCalls, 1);
  ASSERT_EQ(seenParameters.size(), 2u);
  EXPECT_EQ(seenParameters[0].guid, "{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}");
  EXPECT_EQ(seenParameters[0].numberOfValues, 1u);
  EXPECT_EQ(seenParameters[0].type, 4u);
  EXPECT_EQ(seenParameters[0].value, (std::vector<uint8_t>{40, 0, 0, 0}));
  EXPECT_EQ(seenParameters[1].guid, "{E09D739D-CCD4-44EE-8EBA-3FBF8BE4FC58}");
  EXPECT_EQ(seenParameters[1].value, (std::vector<uint8_t>{1, 0, 2, 0}));

  // A list of no parameters is a block with count 0; no list at all is no block.
  const graphics::EncoderParameterList empty;
  EXPECT_FALSE(bitmap.SaveToBytes(kPngFormatId, &empty).empty());
  EXPECT_TRUE(sawBlock);
  EXPECT_TRUE(seenParameters.empty());
  EXPECT_FALSE(bitmap.SaveToBytes(kPngFormatId).empty());
  EXPECT_FALSE(sawBlock);
}

TEST(Bitmap, CreateGetHbitmapIconAndRotate) {
  GfxBitmap bitmap;
  ASSERT_TRUE(bitmap.Create(30, 20));
  EXPECT_EQ(bitmap.GetPixel(0, 0), 0u);
  ASSERT_TRUE(bitmap.SetPixel(29, 0, 0xFF00FF00));
  HBITMAP hbitmap = bitmap.GetHbitmap(0);
  ASSERT_NE(hbitmap, nullptr);
  BITMAP info = {};
  ASSERT_EQ(GetObjectA(hbitmap, sizeof(info), &info), static_cast<int>(sizeof(info)));
  EXPECT_EQ(info.bmWidth, 30);
  EXPECT_EQ(info.bmHeight, 20);
  EXPECT_EQ(info.bmBitsPixel, 32);
  DeleteObject(hbitmap);

  ASSERT_TRUE(bitmap.RotateFlip(1));  // 90 degrees clockwise
  EXPECT_EQ(bitmap.GetWidth(), 20u);
  EXPECT_EQ(bitmap.GetHeight(), 30u);
  EXPECT_EQ(bitmap.GetPixel(19, 29), 0xFF00FF00u);

  EXPECT_FALSE(bitmap.Create(0, 10));
  EXPECT_EQ(bitmap.GetHandle(), nullptr);
  EXPECT_EQ(bitmap.GetHbitmap(), nullptr);

  GfxBitmap icon;
  ASSERT_TRUE(icon.FromIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32512))));  // IDI_APPLICATION
  EXPECT_EQ(icon.GetWidth(), static_cast<uint32_t>(GetSystemMetrics(SM_CXICON)));
}

}  // namespace
