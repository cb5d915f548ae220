// The application's two skinning calls hand the engine exactly the arguments it is meant to get.
#include "app/windows/skin_calls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>

#include "app/application.h"
#include "app/data/data_files.h"
#include "app/windows/background_picture.h"
#include "graphics/gfx_brush.h"
#include "graphics/gfx_graphics.h"
#include "graphics/gfx_image.h"
#include "graphics/jpeg_decode.h"
#include "skin/frame/paint_observer.h"
#include "skin/picture/picture_ahead.h"
#include "skin/picture/screen_picture.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "skin/window_records.h"
#include "tests/support/observe.h"

namespace {

std::vector<uint8_t> Picture() {
  graphics::GfxBitmap bitmap;
  bitmap.Create(16, 12);
  {
    graphics::GfxGraphics g;
    g.FromImage(bitmap);
    g.Clear(0xFF336699);
  }
  return bitmap.SaveToBytes(graphics::kPngFormatId);
}

// A 24-bit BMP of that size, red on the left half and blue on the right.
std::vector<uint8_t> TwoColourBmp(int width, int height) {
  const int stride = (width * 3 + 3) / 4 * 4;
  const uint32_t pixelBytes = static_cast<uint32_t>(stride) * height;
  BITMAPFILEHEADER file{0x4D42, 54 + pixelBytes, 0, 0, 54};
  BITMAPINFOHEADER info{sizeof(info), width, height, 1, 24, BI_RGB};
  std::vector<uint8_t> bytes(54 + pixelBytes);
  std::memcpy(bytes.data(), &file, 14);
  std::memcpy(bytes.data() + 14, &info, 40);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = bytes.data() + 54 + static_cast<size_t>(y) * stride;
    for (int x = 0; x < width; ++x) row[x * 3 + (x < width / 2 ? 2 : 0)] = 0xFF;
  }
  return bytes;
}

struct DecodeCount : skin::PaintObserver {
  void PictureDecoded() override { ++decodes; }
  int decodes = 0;
};

void SkinningAPhotoDecodesItOnceAtTheScreensSize(HWND main) {
  const graphics::PixelSize screen = skin::LargestClientSize();
  const graphics::PixelSize natural{screen.width * 2, screen.height * 2};
  const std::vector<uint8_t> photo = TwoColourBmp(natural.width, natural.height);
  DecodeCount count;
  app::Engine()->paintObserver = &count;
  app::skinWindow(main, photo);
  ASSERT_TRUE(app::BackgroundPictureDecoded());
  const graphics::GfxBitmap& kept = *app::Engine()->BackgroundPicture();
  const graphics::PixelSize expected = graphics::ReducedSize(natural, screen);
  EXPECT_LT(expected.width, natural.width);
  EXPECT_EQ(kept.GetWidth(), static_cast<uint32_t>(expected.width));
  EXPECT_EQ(kept.GetHeight(), static_cast<uint32_t>(expected.height));
  EXPECT_EQ(kept.GetPixel(expected.width / 4, expected.height / 2), 0xFFFF0000u);
  EXPECT_EQ(kept.GetPixel(expected.width * 3 / 4, expected.height / 2), 0xFF0000FFu);
  app::skinWindow(main, photo);  // another window with the same picture: nothing decoded again
  EXPECT_EQ(count.decodes, 1);
  app::skinWindow(main, {'n', 'o', 't'});
  EXPECT_FALSE(app::BackgroundPictureDecoded());
  app::Engine()->paintObserver = nullptr;
}

// A larger screen gets the picture reduced again from its bytes; a smaller one keeps the copy.
void AScreenThatNeedsMoreDecodesTheBytesAgain() {
  const std::vector<uint8_t> photo = TwoColourBmp(1600, 1200);
  skin::ScreenPicture picture;
  ASSERT_TRUE(picture.Decode(photo, skin::kStretchedMode, {400, 300}));
  EXPECT_EQ(picture.get()->GetWidth(), 400u);
  EXPECT_FALSE(picture.Refresh(photo, {400, 300}));
  EXPECT_FALSE(picture.Refresh(photo, {200, 150}));
  EXPECT_EQ(picture.get()->GetWidth(), 400u);
  EXPECT_TRUE(picture.Refresh(photo, {800, 300}));
  EXPECT_EQ(picture.get()->GetWidth(), 800u);
  EXPECT_EQ(picture.get()->GetHeight(), 600u);
  EXPECT_EQ(picture.get()->GetPixel(200, 300), 0xFFFF0000u);
  // Drawn at its own size, a picture is never reduced: only the part a screen can show is kept
  // (the top left here), and a larger screen takes the part it needs from the bytes again.
  ASSERT_TRUE(picture.Decode(photo, 4, {400, 300}));
  EXPECT_EQ(picture.get()->GetWidth(), 400u);
  EXPECT_EQ(picture.get()->GetHeight(), 300u);
  EXPECT_FALSE(picture.Refresh(photo, {200, 150}));
  EXPECT_TRUE(picture.Refresh(photo, {3200, 2400}));
  EXPECT_EQ(picture.get()->GetWidth(), 1600u);
  EXPECT_FALSE(picture.Decode({'n', 'o', 't'}, skin::kStretchedMode, {400, 300}));
  EXPECT_EQ(picture.get(), nullptr);
}

// A reduced copy kept in the cache file stands in for decoding only for the very bytes it was
// made from and a screen it covers.
void ACachedReductionIsReadInsteadOfDecoding() {
  const std::wstring cache = app::ExecutableFolder() + L"\\skin_calls_test.cache";
  DeleteFileW(cache.c_str());
  const std::vector<uint8_t> photo = TwoColourBmp(1600, 1200);
  DecodeCount count;
  const skin::DecodeWatch watch{&count};
  graphics::PixelSize natural;
  ASSERT_TRUE(skin::DecodePicture(photo, true, {400, 300}, &natural, cache, watch));
  ASSERT_EQ(count.decodes, 1);
  auto again = skin::DecodePicture(photo, true, {400, 300}, &natural, cache, watch);
  ASSERT_TRUE(again);
  EXPECT_EQ(count.decodes, 1);
  EXPECT_EQ(natural, (graphics::PixelSize{1600, 1200}));
  EXPECT_EQ(again->GetWidth(), 400u);
  EXPECT_EQ(again->GetPixel(100, 150), 0xFFFF0000u);
  EXPECT_EQ(again->GetPixel(300, 150), 0xFF0000FFu);
  // A cache whose pixels were zeroed under an intact header (a power cut before they reached the
  // disk) is refused, decoded again and written anew, and then serves again.
  std::vector<uint8_t> file = app::ReadFileBytes(cache);
  ASSERT_GT(file.size(), 56u);
  std::fill(file.begin() + 56, file.end(), 0);
  ASSERT_TRUE(app::WriteWholeFile(cache, std::string(file.begin(), file.end())));
  auto rebuilt = skin::DecodePicture(photo, true, {400, 300}, nullptr, cache, watch);
  ASSERT_TRUE(rebuilt);
  EXPECT_EQ(count.decodes, 2);
  EXPECT_EQ(rebuilt->GetPixel(100, 150), 0xFFFF0000u);
  EXPECT_NE(app::ReadFileBytes(cache), file);
  ASSERT_TRUE(skin::DecodePicture(photo, true, {400, 300}, nullptr, cache, watch));
  EXPECT_EQ(count.decodes, 2);
  // A larger screen decodes again and keeps that copy, which serves a smaller screen too.
  EXPECT_EQ(skin::DecodePicture(photo, true, {800, 300}, nullptr, cache, watch)->GetWidth(), 800u);
  EXPECT_EQ(skin::DecodePicture(photo, true, {400, 300}, nullptr, cache, watch)->GetWidth(), 800u);
  EXPECT_EQ(count.decodes, 3);
  // Other bytes of the same length are decoded, and refused when they are no picture.
  std::vector<uint8_t> changed = photo;
  changed.back() ^= 0xFF;
  EXPECT_TRUE(skin::DecodePicture(changed, true, {400, 300}, nullptr, cache, watch));
  EXPECT_EQ(count.decodes, 4);
  changed[0] = 'X';
  EXPECT_FALSE(skin::DecodePicture(changed, true, {400, 300}, nullptr, cache, watch));
  DeleteFileW(cache.c_str());
}

// The default picture, a JPEG, is decoded by the program's own decoder at half its size,
// reduced and kept as any other photo, matching the system's decode; a damaged one is the
// system's to decode or refuse, and a file that is no picture past its first marker is refused.
void AJpegIsDecodedReducedAndADamagedOneAsBefore() {
  std::ifstream in(testing_support::Wide(std::string("Z:") + DEFAULT_PICTURE_UNIX).c_str(),
                   std::ios::binary);
  const std::vector<uint8_t> photo{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
  ASSERT_TRUE(graphics::ReadJpegHeader(photo));
  const std::wstring cache = app::ExecutableFolder() + L"\\skin_calls_jpeg.cache";
  DeleteFileW(cache.c_str());
  DecodeCount count;
  skin::PictureAhead early;
  const skin::DecodeWatch watch{&count, &early};
  graphics::PixelSize natural;
  auto reduced = skin::DecodePicture(photo, true, {300, 200}, &natural, cache, watch);
  ASSERT_TRUE(reduced);
  EXPECT_EQ(natural, (graphics::PixelSize{800, 500}));
  graphics::GfxBitmap system, systemReduced;
  ASSERT_TRUE(system.LoadFromBytes(photo));
  ASSERT_TRUE(system.ReduceInto(systemReduced, 320, 200));
  std::vector<uint32_t> ours, theirs;
  ASSERT_TRUE(reduced->ReadPremultiplied(ours));
  ASSERT_TRUE(systemReduced.ReadPremultiplied(theirs));
  ASSERT_EQ(ours.size(), theirs.size());
  double difference = 0;
  for (size_t i = 0; i < ours.size(); ++i) {
    for (int shift = 0; shift < 32; shift += 8) {
      difference += std::abs(static_cast<int>((ours[i] >> shift) & 0xFF) -
                             static_cast<int>((theirs[i] >> shift) & 0xFF));
    }
  }
  EXPECT_LT(difference / (ours.size() * 4.0), 2.0);
  // It filled the cache: the next start reads it, and a decode ahead for it does nothing.
  EXPECT_TRUE(skin::DecodePicture(photo, true, {300, 200}, nullptr, cache, watch));
  EXPECT_EQ(count.decodes, 1);
  std::optional<graphics::ReducedJpeg> ahead;
  early.Start(photo, {300, 200}, cache);
  ASSERT_TRUE(early.Take(photo, {300, 200}, ahead));
  EXPECT_FALSE(ahead);
  // Reading the kept copy lets go of a decode started for the same bytes.
  early.Start(photo, {300, 200}, cache);
  EXPECT_TRUE(skin::DecodePicture(photo, true, {300, 200}, nullptr, cache, watch));
  EXPECT_FALSE(early.Take(photo, {300, 200}, ahead));
  // Decoded ahead on a worker: handed out once, only for the same bytes and screen, and the
  // picture is the same as decoded in place.
  early.Start(photo, {300, 200}, L"");
  EXPECT_FALSE(early.Take(photo, {400, 300}, ahead));
  EXPECT_FALSE(early.Take({photo.begin(), photo.end() - 1}, {300, 200}, ahead));
  auto fromAhead = skin::DecodePicture(photo, true, {300, 200}, nullptr, {}, watch);
  EXPECT_FALSE(early.Take(photo, {300, 200}, ahead));
  std::vector<uint32_t> aheadPixels;
  ASSERT_TRUE(fromAhead && fromAhead->ReadPremultiplied(aheadPixels));
  EXPECT_EQ(aheadPixels, ours);
  // A decode replaced or let go of leaves no worker behind.
  const int threads = testing_support::ThreadsOfThisProcess();
  early.Start(photo, {300, 200}, L"");
  early.Start(photo, {300, 200}, L"");
  early.Forget();
  EXPECT_EQ(testing_support::ThreadsOfThisProcess(), threads);
  // One not taken, the screen being another by then, is let go of as the picture is decoded.
  early.Start(photo, {300, 200}, L"");
  EXPECT_TRUE(skin::DecodePicture(photo, true, {400, 300}, nullptr, {}, watch));
  EXPECT_EQ(testing_support::ThreadsOfThisProcess(), threads);
  EXPECT_FALSE(early.Take(photo, {300, 200}, ahead));
  // Cut short: the same outcome as the system's decode of those bytes.
  const std::vector<uint8_t> cut(photo.begin(), photo.begin() + photo.size() / 2);
  graphics::GfxBitmap cutBySystem;
  EXPECT_EQ(skin::DecodePicture(cut, true, {300, 200}, nullptr, {}, watch) != nullptr,
            cutBySystem.LoadFromBytes(cut));
  std::vector<uint8_t> noPicture(photo.begin(), photo.begin() + 2);
  noPicture.resize(4000, 0x5A);
  EXPECT_FALSE(app::PictureDecodes(noPicture));
  DeleteFileW(cache.c_str());
}

// Choosing a photo fills the cache, so the start after it skins the window without decoding.
void AChosenPhotoStartsWithoutADecode(HWND main) {
  const std::wstring root = app::ExecutableFolder() + L"\\skin_calls_change";
  for (const wchar_t* folder : {L"", L"\\背景", L"\\config"})
    CreateDirectoryW((root + folder).c_str(), nullptr);
  const graphics::PixelSize screen = skin::LargestClientSize();
  const std::vector<uint8_t> photo = TwoColourBmp(screen.width * 2, screen.height * 2);
  const std::wstring chosen = root + L"\\photo.bmp";
  app::WriteWholeFile(chosen, std::string(photo.begin(), photo.end()));
  std::vector<std::wstring> shown;
  app::ChangeBackground(root, {[&](const std::wstring&) { return chosen; },
                               [&](const wchar_t* m, bool) { shown.push_back(m); }});
  EXPECT_EQ(shown, std::vector<std::wstring>{L"OK，重启生效"});
  DecodeCount count;
  app::Engine()->paintObserver = &count;
  app::KeepPictureCacheIn(root + L"\\config");
  app::skinWindow(main, photo);
  EXPECT_TRUE(app::BackgroundPictureDecoded());
  EXPECT_EQ(count.decodes, 0);
  app::KeepPictureCacheIn(L"");
  app::Engine()->paintObserver = nullptr;
  for (const wchar_t* file :
       {L"\\photo.bmp", L"\\背景\\photo.bmp", L"\\背景\\path.txt", L"\\config\\picture.cache"}) {
    DeleteFileW((root + file).c_str());
  }
  for (const wchar_t* folder : {L"\\背景", L"\\config", L""})
    RemoveDirectoryW((root + folder).c_str());
}

TEST(SkinCalls, SkinWindowAndSkinGroupBoxPassTheApplicationsArguments) {
  ASSERT_EQ(app::Engine(), nullptr);
  app::Application application;
  application.skinEngine.reset(new skin::SkinEngine());
  app::Engine()->gdiplusToken = skin::StartGdiplus();
  {
    const std::vector<uint8_t> picture = Picture();
    ASSERT_FALSE(picture.empty());
    // Hidden windows: nothing shows on the display.
    HWND main = CreateWindowExA(0, "Static", "", WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, 0,
                                300, 200, nullptr, nullptr, nullptr, nullptr);
    HWND box = CreateWindowExA(0, "Button", "", WS_CHILD | BS_GROUPBOX, 10, 10, 100, 80, main,
                               nullptr, nullptr, nullptr);
    HWND loading = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 200, 60, nullptr, nullptr,
                                   nullptr, nullptr);

    app::skinWindow(loading, {});
    EXPECT_TRUE(app::Engine()->backgroundImage.empty());
    EXPECT_EQ(app::Engine()->backgroundColour, 0u);

    app::skinWindow(main, picture);
    EXPECT_TRUE(app::BackgroundPictureDecoded());
    EXPECT_EQ(app::Engine()->backgroundImage, picture);  // mode 3 keeps the bytes
    EXPECT_EQ(app::Engine()->backgroundMode, 3);
    EXPECT_EQ(app::Engine()->backgroundColour, 0u);  // the colour 0 wins over the sample
    EXPECT_EQ(app::Engine()->accentColour, 0xFF8800u);
    EXPECT_EQ(app::Engine()->controlColouring, 1);
    EXPECT_EQ(app::Engine()->highlightAlpha, 0);
    EXPECT_EQ(app::Engine()->highlightEnabled, 1);
    EXPECT_EQ(app::Engine()->outlineEnabled, 1);

    ASSERT_EQ(app::Engine()->RecordCount(), 2);
    EXPECT_EQ(app::Engine()->RecordAt(1)->hwnd, loading);  // the loading window's record first
    const skin::WindowSkinRecord& r = *app::Engine()->RecordAt(2);
    EXPECT_EQ(r.hwnd, main);
    EXPECT_EQ(r.captionHeight, 25);
    EXPECT_EQ(r.captionActive, 1);
    EXPECT_EQ(r.sizable, 1);
    EXPECT_EQ(r.showHelpButton, 0);
    EXPECT_EQ(r.showMenuButton, 0);
    EXPECT_EQ(r.showCaptionText, 1);
    EXPECT_EQ(r.captionOption, 0);
    EXPECT_EQ(r.statusBar.height, 0);
    EXPECT_TRUE(r.picture.empty());
    EXPECT_EQ(r.pictureMode, 3);
    EXPECT_EQ(r.ButtonCount(), 3);
    EXPECT_EQ(app::Engine()->RecordAt(1)->ButtonCount(), 1);

    app::skinGroupBox(box);
    ASSERT_EQ(r.PanelCount(), 1u);
    EXPECT_EQ(r.PanelAt(0)->window, box);
    EXPECT_EQ(r.PanelAt(0)->enabled, 1);
    EXPECT_EQ(r.PanelAt(0)->colour, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(r.PanelAt(0)->alpha, 0);
    EXPECT_EQ(r.PanelAt(0)->rounded, 0);

    DestroyWindow(loading);
    SkinningAPhotoDecodesItOnceAtTheScreensSize(main);
    AScreenThatNeedsMoreDecodesTheBytesAgain();
    ACachedReductionIsReadInsteadOfDecoding();
    AJpegIsDecodedReducedAndADamagedOneAsBefore();
    AChosenPhotoStartsWithoutADecode(main);
    EXPECT_EQ(reinterpret_cast<intptr_t>(GetPropA(main, "Hw_lbID")), 1);
    EXPECT_EQ(reinterpret_cast<intptr_t>(GetPropA(box, "Hw_FuID")), 1);
    DestroyWindow(main);
    EXPECT_EQ(app::Engine()->RecordCount(), 0);
  }
  application.skinEngine.reset();
}

}  // namespace
