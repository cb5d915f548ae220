#include "tools/gallery/screenshot.h"

#include <cstdio>
#include <vector>

#include "graphics/gfx_image.h"
#include "graphics/gfx_types.h"

namespace gallery {

bool WriteWindowPng(HWND window, const std::wstring& fileName) {
  RECT client{};
  GetClientRect(window, &client);
  if (client.right <= 0 || client.bottom <= 0) return false;
  HDC source = GetDC(window);
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateCompatibleBitmap(source, client.right, client.bottom);
  std::vector<uint8_t> png;
  if (memory && bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    graphics::GfxBitmap image;
    if (image.FromHbitmap(bitmap)) png = image.SaveToBytes(graphics::kPngFormatId);
  }
  if (bitmap) DeleteObject(bitmap);
  if (memory) DeleteDC(memory);
  ReleaseDC(window, source);
  if (png.empty()) return false;
  FILE* out = _wfopen(fileName.c_str(), L"wb");
  if (!out) return false;
  const bool written = std::fwrite(png.data(), 1, png.size(), out) == png.size();
  return std::fclose(out) == 0 && written;
}

}  // namespace gallery
