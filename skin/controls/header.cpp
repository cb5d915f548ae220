#include "skin/controls/header.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "graphics/gfx_brush.h"
#include "graphics/gfx_image.h"
#include "graphics/path_routines.h"
#include "skin/controls/control_font.h"
#include "skin/controls/face_canvas.h"
#include "skin/controls/face_layers.h"
#include "skin/controls/skinned_control.h"
#include "skin/skin_settings.h"

namespace skin::controls {
namespace {

using graphics::ArgbFromColorref;

struct HeaderSkin : FontedRecord {
  int32_t hotItem = -1;
  int32_t pressedItem = -1;
  int32_t ownsImages = 0;  // a standalone header; a list view's belong to the list view
};

int32_t ItemAt(HWND header, LPARAM lParam) {
  HDHITTESTINFO hit{};
  hit.pt = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const auto item =
      static_cast<int32_t>(SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & HHT_ONHEADER) ? item : -1;
}

void PaintFace(ControlRecord& record, HDC dc) {
  const auto& skin = static_cast<HeaderSkin&>(record);
  PaintHeader(skin.window, dc, skin.hotItem, skin.pressedItem);
}

bool Track(ControlRecord& record, LPARAM point) {
  auto& skin = static_cast<HeaderSkin&>(record);
  const int32_t item = ItemAt(skin.window, point);
  if (item == skin.hotItem) return false;
  skin.hotItem = item;
  return true;
}

void Leave(ControlRecord& record) {
  auto& skin = static_cast<HeaderSkin&>(record);
  skin.hotItem = -1;
  skin.pressedItem = -1;
}

bool Handle(SkinnedMessage& m, LRESULT* result) {
  if (m.message != WM_LBUTTONDOWN && m.message != WM_LBUTTONUP) return false;
  m.As<HeaderSkin>().pressedItem = m.message == WM_LBUTTONDOWN ? ItemAt(m.window, m.lParam) : -1;
  *result = m.Chain();
  if (m.record) RepaintNow(*m.record);
  return true;
}

// A standalone header's image list is the skin's to destroy; a list view's is the view's.
void Destroy(ControlRecord& record) {
  const auto& skin = static_cast<HeaderSkin&>(record);
  if (skin.ownsImages == 0) return;
  if (auto images =
          reinterpret_cast<HIMAGELIST>(SendMessageW(skin.window, HDM_GETIMAGELIST, 0, 0))) {
    ImageList_Destroy(images);
  }
}

constexpr KindOps kHeaderOps{kListHeaders, kHwKeys, kHoverHeader, FaceKind::kClient,
                             PaintFace,    Track,   Leave,        Handle,
                             Destroy};

void Attach(WindowSkinRecord* ownerRecord, HWND header, bool standalone) {
  auto* skin = AttachKind<&kHeaderOps, HeaderSkin>(ownerRecord, header);
  if (!skin) return;
  skin->ownsImages = standalone ? 1 : 0;
  const ControlFontInfo font = ReadControlFont(header);
  skin->fontFace = font.face;
  skin->fontSize = font.size;
  skin->fontStyle = font.style;
  InvalidateRect(header, nullptr, TRUE);
}

void FillVertical(graphics::GfxGraphics& g, float x, float y, float w, float h, graphics::Argb top,
                  graphics::Argb bottom) {
  graphics::GfxLinearBrush brush;
  if (brush.Create({x, y}, {x, y + h}, top, bottom)) g.FillRectangle(brush, x, y, w, h);
}

}  // namespace

void AttachHeaders(WindowSkinRecord* ownerRecord, HWND parent) {
  if (SettingsOf(parent).controlColouring == 0) return;
  for (HWND h = FindWindowExW(parent, nullptr, L"SysHeader32", nullptr); h;
       h = FindWindowExW(parent, h, L"SysHeader32", nullptr)) {
    Attach(ownerRecord, h, true);
  }
  for (HWND list = FindWindowExW(parent, nullptr, L"SysListView32", nullptr); list;
       list = FindWindowExW(parent, list, L"SysListView32", nullptr)) {
    if (HWND h = FindWindowExW(list, nullptr, L"SysHeader32", nullptr))
      Attach(ownerRecord, h, false);
  }
}

void PaintHeader(HWND header, HDC dc, int32_t hotItem, int32_t pressedItem) {
  RECT client{};
  GetClientRect(header, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  FaceCanvas canvas(header, client);
  if (!canvas.ok()) return;
  graphics::GfxGraphics& g = canvas.g();
  const HeaderSkin* skin = RecordOf<HeaderSkin>(header, kListHeaders);
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(header, HDM_GETIMAGELIST, 0, 0));
  const auto count = static_cast<int32_t>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  graphics::GfxSolidBrush strip;
  if (strip.Create(ArgbFromColorref(0xFFFFFF, 40)))
    g.FillRectangle(strip, 0, 0, canvas.width(), canvas.height());
  std::vector<Layer> all;
  for (int32_t i = 0; i < count; ++i) {
    RECT r{};
    if (!SendMessageW(header, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
    wchar_t text[260] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
    const auto x = static_cast<float>(r.left);
    const auto w = static_cast<float>(r.right - r.left);
    const auto h = static_cast<float>(r.bottom - r.top);
    const bool pressed = i == pressedItem;
    const std::vector<Layer> layers = HeaderItemLayers(i == hotItem, pressed);
    all.insert(all.end(), layers.begin(), layers.end());
    float textLeft = x + 4;
    for (const Layer layer : layers) {
      switch (layer) {
        case Layer::kWhiteBase: {
          graphics::GfxSolidBrush base;
          if (base.Create(ArgbFromColorref(0xFFFFFF, 80))) g.FillRectangle(base, x, 0, w, h);
          break;
        }
        case Layer::kGloss:
          FillVertical(g, x, 0, w, h / 2, ArgbFromColorref(0xFFFFFF, 70),
                       ArgbFromColorref(0xFFFFFF, 10));
          break;
        case Layer::kHotFill:
          FillVertical(g, x, 0, w, h, ArgbFromColorref(SettingsOf(header).accentColour, 90),
                       ArgbFromColorref(SettingsOf(header).accentColour, 20));
          break;
        case Layer::kPressed:
          FillVertical(g, x, 0, w, h, ArgbFromColorref(0x000000, 50),
                       ArgbFromColorref(0xFFFFFF, 60));
          break;
        case Layer::kSeparator: {
          graphics::GfxSolidBrush dark;
          graphics::GfxSolidBrush light;
          if (dark.Create(ArgbFromColorref(0x000000, 70)))
            g.FillRectangle(dark, x + w - 2, 3, 1, h - 6);
          if (light.Create(ArgbFromColorref(0xFFFFFF, 130)))
            g.FillRectangle(light, x + w - 1, 3, 1, h - 6);
          break;
        }
        case Layer::kCaption: {
          if (images && (item.fmt & HDF_IMAGE) && item.iImage >= 0) {
            if (HICON icon = ImageList_GetIcon(images, item.iImage, ILD_TRANSPARENT)) {
              int iw = 0, ih = 0;
              ImageList_GetIconSize(images, &iw, &ih);
              graphics::GfxBitmap picture;
              if (picture.FromIcon(icon)) {
                g.DrawImageRect(picture, textLeft, (h - static_cast<float>(ih)) / 2,
                                static_cast<float>(iw), static_cast<float>(ih));
              }
              DestroyIcon(icon);
              textLeft += static_cast<float>(iw) + 4;
            }
          }
          CaptionStyle style;
          if (skin) {
            style.face = skin->fontFace;
            style.size = skin->fontSize;
            style.style = skin->fontStyle;
          }
          style.unit = graphics::kUnitPixel;
          style.alignment = HeaderTextAlignment(item.fmt);
          const float shift = pressed ? 1.0f : 0.0f;
          DrawCaptionText(g, canvas.dc(), header, text, style,
                          {textLeft + shift, shift, x + w - 4 - textLeft, h});
          break;
        }
        default:
          break;
      }
    }
  }
  graphics::GfxSolidBrush line;
  if (line.Create(ArgbFromColorref(0x000000, 60)))
    g.FillRectangle(line, 0, canvas.height() - 1, canvas.width(), 1);
  NoteFace(header, static_cast<UINT>(hotItem + 1), all);
  canvas.CopyTo(dc);
}

}  // namespace skin::controls
