#include "skin/backdrop/control_brush.h"

#include <algorithm>

#include "graphics/gfx_brush.h"
#include "graphics/gfx_graphics.h"
#include "graphics/path_routines.h"
#include "skin/backdrop/control_backdrop.h"
#include "skin/caption/caption_ink.h"
#include "skin/gdi/gdi_handles.h"
#include "skin/property_keys.h"

namespace skin {
namespace {

// A child that is gone (a static, which no skin watches, destroyed) gives its pair back here, so
// controls that come and go do not pile up brushes until the window dies.
void DropGoneControls(WindowSkinRecord& record) {
  auto& all = record.colouredControls;
  for (auto it = all.begin(); it != all.end();) {
    if (IsWindow(it->control)) {
      ++it;
      continue;
    }
    it = all.erase(it);
  }
}

ControlColourObjects& EntryOf(WindowSkinRecord& record, HWND child) {
  DropGoneControls(record);
  for (ControlColourObjects& objects : record.colouredControls) {
    if (objects.control == child) return objects;
  }
  record.colouredControls.emplace_back().control = child;
  return record.colouredControls.back();
}

void Publish(HWND child, const ControlColourObjects& objects) {
  prop::Set(child, prop::Kj_dxjb, reinterpret_cast<intptr_t>(objects.Shown()));
  prop::Set(child, prop::Kj_wtjb, reinterpret_cast<intptr_t>(objects.bitmap.get()));
}

void DeletePair(ControlColourObjects& objects) {
  objects.brush.Reset();
  objects.bitmap.Reset();
  objects.hollow = false;
}

// The part of the child's window rectangle that its client area covers, in the coordinates the
// backdrop takes.
RECT ClientPartOfWindow(HWND child) {
  RECT window{};
  GetWindowRect(child, &window);
  POINT origin{0, 0};
  ClientToScreen(child, &origin);
  RECT client{};
  GetClientRect(child, &client);
  const LONG x = origin.x - window.left;
  const LONG y = origin.y - window.top;
  return RECT{x, y, x + client.right, y + client.bottom};
}

ScopedBitmap BackdropBitmap(HWND child, HDC childDc, int32_t washAlpha) {
  const RECT part = ClientPartOfWindow(child);
  const int32_t w = std::max<LONG>(part.right - part.left, 1);
  const int32_t h = std::max<LONG>(part.bottom - part.top, 1);
  HDC backdrop = ControlBackdrop(child, part);
  if (!backdrop) return {};
  if (washAlpha > 0) {
    graphics::GfxGraphics g;
    graphics::GfxSolidBrush white;
    if (g.FromHdc(backdrop) && white.Create(graphics::ArgbFromColorref(0xFFFFFF, washAlpha))) {
      g.FillRectangle(white, 0, 0, static_cast<float>(w), static_cast<float>(h));
    }
  }
  ScopedBitmap bitmap(CreateCompatibleBitmap(childDc, w, h));
  if (bitmap) {
    MemoryDc copy;
    if (copy.EnsureDc()) {
      HGDIOBJ old = SelectObject(copy.dc(), bitmap);
      BitBlt(copy.dc(), 0, 0, w, h, backdrop, 0, 0, SRCCOPY);
      SelectObject(copy.dc(), old);
    }
  }
  ReleaseControlBackdrop(child, backdrop);
  return bitmap;
}

}  // namespace

HBRUSH BackdropBrushFor(WindowSkinRecord& record, HWND child, HDC childDc, int32_t washAlpha) {
  ControlColourObjects& objects = EntryOf(record, child);
  DeletePair(objects);
  objects.bitmap = BackdropBitmap(child, childDc, washAlpha);
  if (objects.bitmap) objects.brush.Reset(CreatePatternBrush(objects.bitmap));
  Publish(child, objects);
  return objects.Shown();
}

COLORREF TextColourOverBrush(HWND child) {
  const auto stated = static_cast<COLORREF>(prop::Get(child, prop::Kj_Ztys));
  return ReadableTextColourOn(reinterpret_cast<HBITMAP>(prop::Get(child, prop::Kj_wtjb)), stated);
}

HBRUSH NullBrushFor(WindowSkinRecord& record, HWND child) {
  ControlColourObjects& objects = EntryOf(record, child);
  objects.brush.Reset();
  objects.hollow = true;
  Publish(child, objects);
  return objects.Shown();
}

void ReleaseBrushesOf(WindowSkinRecord& record, HWND child) {
  auto& all = record.colouredControls;
  for (auto it = all.begin(); it != all.end(); ++it) {
    if (it->control != child) continue;
    DeletePair(*it);
    if (IsWindow(child)) Publish(child, *it);
    all.erase(it);
    return;
  }
}

void ReleaseAllBrushes(WindowSkinRecord& record) { record.colouredControls.clear(); }

}  // namespace skin
