// The skin gallery: a skinned window holding one of every control kind the skin paints.
#include <windows.h>

#include <memory>
//
#include <shellapi.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "graphics/dpi_context.h"
#include "graphics/dpi_scale.h"
#include "graphics/gfx_brush.h"
#include "graphics/gfx_graphics.h"
#include "graphics/gfx_image.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "skin/window_records.h"
#include "tools/gallery/gallery_units.h"
#include "tools/gallery/screenshot.h"

namespace {

constexpr wchar_t kClass[] = L"SkinGallery";
constexpr UINT_PTR kShotTimer = 1;

std::wstring g_screenshot;
int g_exitCode = 0;

std::wstring ExeFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

// The player's own picture when it is beside the gallery; else a drawn dusk gradient.
std::vector<uint8_t> Picture() {
  std::ifstream in((ExeFolder() + L"背景\\default.jpg").c_str(), std::ios::binary);
  std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!bytes.empty()) return bytes;
  graphics::GfxBitmap image;
  if (!image.Create(400, 300)) return {};
  graphics::GfxGraphics g;
  graphics::GfxLinearBrush sky;
  if (g.FromImage(image) && sky.Create({0, 0}, {0, 300}, 0xFF303A68, 0xFFC08A70)) {
    g.FillRectangle(sky, 0, 0, 400, 300);
  }
  g.Delete();
  return image.SaveToBytes(graphics::kPngFormatId);
}

LRESULT CALLBACK GalleryProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kShotTimer) {
        KillTimer(hwnd, kShotTimer);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        g_exitCode = gallery::WriteWindowPng(hwnd, g_screenshot) ? 0 : 1;
        DestroyWindow(hwnd);
        return 0;
      }
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item && item->CtlType == ODT_LISTBOX && item->itemID != static_cast<UINT>(-1)) {
        wchar_t text[64] = {};
        SendMessageW(item->hwndItem, LB_GETTEXT, item->itemID, reinterpret_cast<LPARAM>(text));
        const bool selected = (item->itemState & ODS_SELECTED) != 0;
        SetBkMode(item->hDC, TRANSPARENT);
        HBRUSH fill = CreateSolidBrush(selected ? RGB(255, 136, 0) : RGB(250, 240, 220));
        FillRect(item->hDC, &item->rcItem, fill);
        DeleteObject(fill);
        RECT r = item->rcItem;
        r.left += 4;
        DrawTextW(item->hDC, text, -1, &r, DT_SINGLELINE | DT_VCENTER);
        return TRUE;
      }
      break;
    }
    case WM_DESTROY:
      PostQuitMessage(g_exitCode);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  int argc = 0;
  if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
    for (int i = 1; i + 1 < argc; ++i) {
      if (lstrcmpW(argv[i], L"--screenshot") == 0) g_screenshot = argv[i + 1];
    }
    LocalFree(argv);
  }
  graphics::DeclareDpiAwareness();
  auto owned = std::make_unique<skin::SkinEngine>();
  owned->gdiplusToken = skin::StartGdiplus();

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = GalleryProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClass;
  RegisterClassExW(&wc);
  const RECT place = graphics::ScaleBox(40, 40, 760, 420, graphics::SystemDpi());
  HWND window = CreateWindowExW(0, kClass, L"皮肤样例", WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                                place.left, place.top, place.right - place.left,
                                place.bottom - place.top, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  const gallery::GalleryUnits units = gallery::CreateGalleryUnits(window);

  skin::SkinEngine& engine = *owned;
  engine.SetSkin(L"", Picture(), 0, 0xFF8800, 3);
  engine.SetOptions(1, 110);  // a visible wash behind list items
  engine.AttachWindow(window, {.captionHeight = 28});
  for (HWND panel : units.panels) engine.AttachPanel(panel, 1, GetSysColor(COLOR_WINDOW), 0);
  engine.AttachPanel(units.roundedPanel, 1, 0xFFFFFF, 110, 1);
  engine.AttachPanel(units.plainPanel, 1, 0, 255, 0);
  for (HWND b : units.flatButtons) engine.ReskinButtonKind1(b);
  for (HWND b : units.textButtons) engine.ReskinButtonKind3(b);
  if (units.commonControl) engine.AttachCommonControl(units.commonControl);
  // Already skinned through their panel: they keep that skin.
  for (HWND held : units.alreadySkinned) engine.AttachCommonControl(held);

  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  if (units.focus) SetFocus(units.focus);
  if (!g_screenshot.empty()) SetTimer(window, kShotTimer, 800, nullptr);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  owned.reset();
  return static_cast<int>(msg.wParam);
}
