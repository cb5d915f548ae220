#include "tests/reference/window_picture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "graphics/gfx_image.h"
#include "tests/support/gallery_run.h"
#include "tests/support/observe.h"
#include "tests/support/scratch.h"

namespace testing_support {
namespace {

constexpr uint32_t kOpaque = 0xFF000000;

std::string ReferencePath(const std::string& name) {
  std::string unixPath = REFERENCE_DIR_UNIX "/" + name + ".png";
  std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
  return "Z:" + unixPath;
}

void Mask(WindowPicture& picture, const std::vector<RECT>& masked) {
  for (const RECT& r : masked) {
    for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, picture.height); ++y) {
      for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, picture.width); ++x) {
        picture.pixels[y * picture.width + x] = 0;
      }
    }
  }
}

}  // namespace

WindowPicture CaptureWindow(HWND window) {
  WindowPicture picture;
  RECT r{};
  if (!GetWindowRect(window, &r) || r.right <= r.left || r.bottom <= r.top) return picture;
  const int width = r.right - r.left, height = r.bottom - r.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (memory && section && bits) {
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    SelectObject(memory, old);
    const auto* source = static_cast<const uint32_t*>(bits);
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(source, source + width * height);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool shaped = GetWindowRgn(window, region) > NULLREGION;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        uint32_t& p = picture.pixels[y * width + x];
        p = shaped && !PtInRegion(region, x, y) ? 0 : (p & 0xFFFFFF) | kOpaque;
      }
    }
    DeleteObject(region);
  }
  if (section) DeleteObject(section);
  if (memory) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture;
}

WindowPicture CaptureAfter(const PlayerProcess& player, HWND window, size_t from) {
  const int first = player.events().WaitFor("face ", from);
  if (first < 0 || player.events().WaitFor("face ", first + 1) < 0) return {};
  return CaptureWindow(window);
}

DWORD RunGalleryScreenshot(const std::string& png) { return RunGallery(DistFolder(), png); }

bool SavePng(const WindowPicture& picture, const std::string& path) {
  graphics::GfxBitmap image;
  if (!image.CreatePremultiplied(picture.width, picture.height, picture.pixels)) return false;
  const std::vector<uint8_t> png = image.SaveToBytes(graphics::kPngFormatId);
  if (png.empty()) return false;
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(png.data(), 1, png.size(), out) == png.size();
  return std::fclose(out) == 0 && written;
}

bool LoadPng(const std::string& path, WindowPicture& picture) {
  graphics::GfxBitmap image;
  if (!image.LoadFromFile(testing_support::Wide(path)) || !image.ReadPremultiplied(picture.pixels))
    return false;
  picture.width = static_cast<int>(image.GetWidth());
  picture.height = static_cast<int>(image.GetHeight());
  return true;
}

std::string CompareWithReference(WindowPicture picture, const std::string& name,
                                 const std::vector<RECT>& masked) {
  if (picture.pixels.empty()) return "no picture was taken";
  Mask(picture, masked);
  const std::string reference = ReferencePath(name);
  if (std::getenv("VELORY_UPDATE_REFERENCES")) {
    return SavePng(picture, reference) ? "" : "could not write " + reference;
  }
  WindowPicture expected;
  if (!LoadPng(reference, expected)) return "no reference picture " + reference;
  Mask(expected, masked);
  std::ostringstream out;
  if (expected.width != picture.width || expected.height != picture.height) {
    out << "size " << picture.width << "x" << picture.height << ", reference " << expected.width
        << "x" << expected.height;
  } else {
    size_t differing = 0, first = 0;
    for (size_t i = picture.pixels.size(); i-- > 0;) {
      if (picture.pixels[i] != expected.pixels[i]) ++differing, first = i;
    }
    if (differing == 0) return "";
    out << differing << " pixels differ, the first at (" << first % picture.width << ","
        << first / picture.width << "): " << std::hex << picture.pixels[first] << " for "
        << expected.pixels[first];
  }
  const std::string seen = MakeScratchFolder("reference-" + name) + "\\" + name + ".png";
  SavePng(picture, seen);
  out << "; this build's picture: " << seen;
  return out.str();
}

}  // namespace testing_support
