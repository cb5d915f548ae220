#include "skin/backdrop/control_backdrop.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "graphics/gfx_brush.h"
#include "graphics/gfx_graphics.h"
#include "graphics/gfx_image.h"
#include "graphics/gfx_path.h"
#include "graphics/path_routines.h"
#include "skin/gdi/gdi_handles.h"
#include "skin/gdi/gdi_object_cache.h"
#include "skin/property_keys.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "skin/window_records.h"

namespace skin {
namespace {

// A control no engine skinned keeps the backdrops it was handed itself, until the last comes back.
constexpr wchar_t kOwnBackdrops[] = L"SkinOwnBackdrops";

GdiObjectCache* OwnBackdrops(HWND control) {
  return prop::GetAs<GdiObjectCache*>(control, kOwnBackdrops);
}

HDC KeepBackdrop(HWND control, MemoryDc memory) {
  if (SkinEngine* engine = EngineOf(control))
    return engine->backdropDcs.Register(std::move(memory));
  GdiObjectCache* own = OwnBackdrops(control);
  if (!own) {
    auto made = std::make_unique<GdiObjectCache>();
    if (!SetPropW(control, kOwnBackdrops, made.get())) return nullptr;  // the DC goes with `memory`
    own = made.release();
  }
  return own->Register(std::move(memory));
}

bool FindPanel(HWND window, WindowSkinRecord** record, int32_t* panel) {
  WindowSkinRecord* owner = OwnerRecordOf(window);
  if (!owner) return false;
  for (size_t p = 0; p < owner->PanelCount(); ++p) {
    if (const PanelSkin* found = owner->PanelAt(p); found && found->window == window) {
      *record = owner;
      *panel = static_cast<int32_t>(p) + 1;
      return true;
    }
  }
  return false;
}

// The skin's colour behind a control; under no skinned window, the system's window colour, which
// an engine starts with.
COLORREF BackgroundColourFor(HWND control) {
  const SkinEngine* engine = EngineOf(control);
  return engine ? engine->backgroundColour : GetSysColor(COLOR_WINDOW);
}

// The control's window origin relative to a point on the screen.
POINT OffsetFrom(HWND control, POINT origin) {
  RECT r{};
  GetWindowRect(control, &r);
  return POINT{r.left - origin.x, r.top - origin.y};
}

}  // namespace

void OverlayPanelBackdrop(HDC dc, const PanelSkin& panel, const RECT& area) {
  if (panel.colour == 0) return;
  graphics::GfxGraphics g;
  if (!g.FromHdc(dc)) return;
  // The overlay has the panel's shape, whatever part of the panel the DC holds.
  RECT client{};
  GetClientRect(panel.window, &client);
  const auto pw = static_cast<float>(client.right);
  const auto ph = static_cast<float>(client.bottom);
  g.TranslateTransform(static_cast<float>(-area.left), static_cast<float>(-area.top));
  graphics::GfxPath path;
  path.Create();
  if (panel.rounded != 0) {
    graphics::AddRoundRect(path, 0, 5, pw, ph - 6, 5);
  } else {
    path.AddRectangle(0, 0, pw, ph);
  }
  graphics::GfxSolidBrush brush;
  if (brush.Create(graphics::ArgbFromColorref(panel.colour, panel.alpha))) g.FillPath(brush, path);
}

ContainerLocation LocateContainer(HWND control, bool searchOuter) {
  ContainerLocation location;
  for (HWND w = control; w; w = GetParent(w)) {
    if (searchOuter && prop::Get(w, prop::Wxk_Zpf) == 1) {
      location.kind = ContainerLocation::kOuter;
      location.window = w;
      return location;
    }
    if (WindowSkinRecord* record = FrameRecordOf(w)) {
      location.kind = ContainerLocation::kWindow;
      location.record = record;
      location.window = w;
      return location;
    }
    if (w != control && FindPanel(w, &location.record, &location.panel)) {
      location.kind = ContainerLocation::kPanel;
      location.window = w;
      return location;
    }
  }
  return location;
}

HDC ControlBackdrop(HWND control, const RECT& rect) {
  const int32_t w = std::max<int32_t>(rect.right - rect.left, 1);
  const int32_t h = std::max<int32_t>(rect.bottom - rect.top, 1);
  ScopedBitmap bitmap;
  {
    graphics::GfxBitmap image;
    if (image.Create(w, h, graphics::kPixelFormat32bppArgb)) bitmap.Reset(image.GetHbitmap(0));
  }
  if (!bitmap) bitmap = MakeDib32(w, h);
  MemoryDc memory;
  if (!memory.Select(std::move(bitmap), w, h)) return nullptr;
  HDC dc = KeepBackdrop(control, std::move(memory));
  if (!dc) return nullptr;

  const ContainerLocation where = LocateContainer(control, true);
  WindowSkinRecord* record = where.record;
  if ((where.kind == ContainerLocation::kWindow || where.kind == ContainerLocation::kPanel) &&
      record) {
    // The back buffer is the skinned window's client area.
    POINT origin{0, 0};
    ClientToScreen(record->hwnd, &origin);
    const POINT at = OffsetFrom(control, origin);
    if (record->backBuffer.dc()) {
      BitBlt(dc, 0, 0, w, h, record->backBuffer.dc(), at.x + rect.left, at.y + rect.top, SRCCOPY);
    }
    if (where.kind == ContainerLocation::kPanel) {
      // Where the rectangle lies in the panel's client area.
      RECT inControl{};
      GetWindowRect(control, &inControl);
      POINT corner{inControl.left + rect.left, inControl.top + rect.top};
      ScreenToClient(where.window, &corner);
      if (const PanelSkin* panel = record->PanelAt(where.panel - 1))
        OverlayPanelBackdrop(dc, *panel, RECT{corner.x, corner.y, corner.x + w, corner.y + h});
    }
  } else if (where.kind == ContainerLocation::kOuter) {
    RECT container{};
    GetWindowRect(where.window, &container);
    const POINT at = OffsetFrom(control, POINT{container.left, container.top});
    if (HDC source = prop::GetAs<HDC>(where.window, prop::Wxk_Cj)) {
      BitBlt(dc, 0, 0, w, h, source, at.x + rect.left, at.y + rect.top, SRCCOPY);
    }
  } else {
    ScopedBrush fill(CreateSolidBrush(BackgroundColourFor(control)));
    const RECT all{0, 0, w, h};
    FillRect(dc, &all, fill);
  }
  return dc;
}

int ReleaseControlBackdrop(HWND control, HDC dc) {
  if (!dc) return 0;
  if (SkinEngine* engine = EngineOf(control); engine && engine->backdropDcs.Release(dc)) return 1;
  // Handed out before an engine skinned the window, or the window has none.
  GdiObjectCache* own = OwnBackdrops(control);
  if (!own || !own->Release(dc)) return 0;
  if (own->empty()) {
    RemovePropW(control, kOwnBackdrops);
    std::unique_ptr<GdiObjectCache> gone(own);
  }
  return 1;
}

}  // namespace skin
