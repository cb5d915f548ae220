// Prints what repainting a skinned frame costs: a full repaint at an unchanged size, a full
// repaint after a resize, and one BitBlt of the frame; and what decoding the picture and
// reducing it to the screen's size cost. Run under Wine on a display, with the shipped picture
// or with the pictures named (Unix paths), one after the other:
//   wine build-test/tests/skin/skin_frame_bench.exe [PICTURE...]
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "graphics/dpi_context.h"
#include "graphics/dpi_scale.h"
#include "graphics/gfx_graphics.h"
#include "graphics/gfx_image.h"
#include "graphics/jpeg_decode.h"
#include "skin/picture/reduced_picture_file.h"
#include "skin/picture/screen_picture.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "skin/window_records.h"
#include "tests/skin/bench/bench_support.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

using skin_bench::Now;

// The one decode and the one reduction the skin makes of a picture it stretches.
void PrintDecodeAndReduce(const std::vector<uint8_t>& picture) {
  double t = Now();
  graphics::GfxBitmap decoded;
  if (!decoded.LoadFromBytes(picture)) return;
  const graphics::PixelSize natural{static_cast<int32_t>(decoded.GetWidth()),
                                    static_cast<int32_t>(decoded.GetHeight())};
  const double decode = Now() - t;
  const graphics::PixelSize kept = graphics::ReducedSize(natural, skin::LargestClientSize());
  t = Now();
  graphics::GfxBitmap reduced;
  const bool didReduce = kept != natural && decoded.ReduceInto(reduced, kept.width, kept.height);
  std::printf("picture %dx%d: decode %.1f ms, kept at %dx%d, reduction %.1f ms\n", natural.width,
              natural.height, decode, kept.width, kept.height, didReduce ? Now() - t : 0.0);
  // The program's own decode straight at a fraction of the size, with its reduction.
  t = Now();
  const auto own = graphics::DecodeJpegReduced(picture, skin::LargestClientSize());
  if (own) {
    std::printf("  own decode at 1/%d with the reduction to %dx%d: %.1f ms\n",
                1 << graphics::JpegShiftFor(natural, kept), own->size.width, own->size.height,
                Now() - t);
  } else {
    std::printf("  own decode: left to the system (not reduced, or not a baseline JPEG)\n");
  }
  // What a start with the reduced copy kept on disk costs instead.
  t = Now();
  const uint64_t hash = skin::PictureHash(picture);
  const double hashing = Now() - t;
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring cache = std::wstring(temp) + L"frame_bench_picture.cache";
  DeleteFileW(cache.c_str());
  t = Now();
  skin::DecodePicture(picture, true, skin::LargestClientSize(), nullptr, cache);
  const double filling = Now() - t;
  t = Now();
  const bool read =
      skin::DecodePicture(picture, true, skin::LargestClientSize(), nullptr, cache) != nullptr;
  std::printf(
      "  hash of %zu bytes %.1f ms (%llx); decode that fills the cache %.1f ms, start from it %.1f "
      "ms%s\n",
      picture.size(), hashing, static_cast<unsigned long long>(hash), filling, Now() - t,
      read ? "" : " (failed)");
  DeleteFileW(cache.c_str());
}

int BenchPicture(const char* unixPath) {
  const std::vector<uint8_t> picture = skin_bench::ReadPicture(unixPath);
  if (picture.empty()) {
    std::printf("cannot read the picture %s\n", unixPath);
    return 1;
  }
  PrintDecodeAndReduce(picture);
  {
    // The player's window at the screen's DPI (run it in a prefix whose LogPixels is 192 for the
    // figures at 200 percent).
    const int dpi = graphics::SystemDpi();
    const int kW = graphics::ScaleLength(634, dpi), kH = graphics::ScaleLength(388, dpi);
    skin_test::TestWindow window(kW, kH, WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    skin_test::SkinLikeTheApplication(window.hwnd(), picture);
    SetWindowTextA(window.hwnd(), "Velory");
    skin_test::Pump(300);
    const int32_t index = skin_test::IndexOf(window.hwnd());
    skin::SkinEngine& engine = *skin_test::engine;
    engine.PaintFrame(index, nullptr);  // the first one decodes and stretches

    const skin_test::PictureWork before = skin_test::pictureWork();
    constexpr int kSame = 20;
    double t0 = Now();
    for (int i = 0; i < kSame; ++i) engine.PaintFrame(index, nullptr);
    const double same = (Now() - t0) / kSame;
    const skin_test::PictureWork afterSame = skin_test::pictureWork();

    constexpr int kResized = 6;
    double resized = 0;
    for (int i = 0; i < kResized; ++i) {
      const int w = (i % 2) ? kW : kW + 6;
      SetWindowPos(window.hwnd(), nullptr, 0, 0, w, kH, SWP_NOMOVE | SWP_NOZORDER);
      skin_test::Pump();
      t0 = Now();
      engine.PaintFrame(skin_test::IndexOf(window.hwnd()), nullptr);
      resized += Now() - t0;
    }
    resized /= kResized;

    const skin::WindowSkinRecord* record = skin_test::RecordOf(window.hwnd());
    {
      // Where a full repaint at an unchanged size spends its time.
      const int32_t at = skin_test::IndexOf(window.hwnd());
      HDC back = record->backBuffer.dc();
      constexpr int kParts = 20;
      double t = Now();
      for (int i = 0; i < kParts; ++i) engine.PaintBackground(at, back, kW, kH);
      const double background = (Now() - t) / kParts;
      t = Now();
      for (int i = 0; i < kParts; ++i) {
        graphics::GfxGraphics g;
        g.FromHdc(back);
        engine.PaintBorder(at, g, kW, kH);
      }
      const double border = (Now() - t) / kParts;
      t = Now();
      for (int i = 0; i < kParts; ++i) engine.DrawCaption(at, false);
      const double caption = (Now() - t) / kParts;
      t = Now();
      for (int i = 0; i < kParts; ++i) engine.DrawCaptionButton(at, 3, false, -1, false);
      const double button = (Now() - t) / kParts;
      t = Now();
      for (int i = 0; i < kParts; ++i) {
        graphics::GfxBitmap frame;
        frame.Create(kW, kH);
        DeleteObject(frame.GetHbitmap(0));
      }
      const double bitmap = (Now() - t) / kParts;
      t = Now();
      for (int i = 0; i < kParts; ++i) {
        SetWindowRgn(window.hwnd(), nullptr, TRUE);
        SetWindowPos(window.hwnd(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
        SetWindowRgn(window.hwnd(), CreateRoundRectRgn(0, 0, kW + 1, kH + 1, 5, 5), TRUE);
      }
      const double region = (Now() - t) / kParts;
      t = Now();
      for (int i = 0; i < kParts; ++i) {
        graphics::GfxBitmap glyph;
        glyph.LoadFromBytes(record->captionButtons[2].image);
      }
      std::printf("  glyph decode %.2f ms\n", (Now() - t) / kParts);
      std::printf(
          "  parts: background %.2f, border %.2f, caption %.2f, one button %.2f, "
          "frame bitmap %.2f, region %.2f ms\n",
          background, border, caption, button, bitmap, region);
    }
    HDC screen = GetDC(window.hwnd());
    constexpr int kBlits = 1000;
    t0 = Now();
    for (int i = 0; i < kBlits; ++i) {
      BitBlt(screen, 0, 0, kW, kH, record->backBuffer.dc(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    const double blit = (Now() - t0) / kBlits;
    ReleaseDC(window.hwnd(), screen);

    std::printf("frame %dx%d at %d dpi, picture %zu bytes, mode 3 (stretched)\n", kW, kH, dpi,
                picture.size());
    std::printf("full repaint, unchanged size: %8.2f ms  (decodes %u, stretches %u in %d)\n", same,
                afterSame.decodes - before.decodes, afterSame.compositions - before.compositions,
                kSame);
    std::printf("full repaint after a resize:  %8.2f ms\n", resized);
    std::printf("one BitBlt of the frame:      %8.3f ms\n", blit);
  }
  skin_test::Pump();
  return 0;
}

}  // namespace

int main(int argc, char**) {
  skin_test::engine = new skin::SkinEngine();
  skin_test::engine->gdiplusToken = skin::StartGdiplus();
  skin_test::WatchPaints(*skin_test::engine);
  int status = 0;
  if (argc < 2) status = BenchPicture(PICTURE_UNIX);
  // The paths by their wide form: the narrow arguments come in the system's code page.
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; wide && i < count; ++i) {
    std::string utf8(WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, utf8.data(), static_cast<int>(utf8.size()),
                        nullptr, nullptr);
    status |= BenchPicture(utf8.c_str());
  }
  LocalFree(wide);
  delete skin_test::engine;
  return status;
}
