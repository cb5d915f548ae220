#include "app/tray_icon.h"

#include <shellapi.h>

#include <cstring>

#include "app/ico_file.h"
#include "app/player_units.h"
#include "embedded/resources.h"
#include "graphics/dpi_context.h"

namespace app {
namespace {

// The shell copies the icon when it is added, so one icon made for the whole run is enough;
// it is destroyed when the icon goes away.
HICON g_trayIcon = nullptr;

// The small-icon size at the window's DPI.
HICON MakeTrayIcon(HWND window) {
  const int dpi = graphics::DpiForWindow(window);
  const int cx = graphics::SystemMetricForDpi(SM_CXSMICON, dpi);
  const int cy = graphics::SystemMetricForDpi(SM_CYSMICON, dpi);
  const std::span<const uint8_t> image = PickIcoImage(resources::player_ico, cx);
  if (image.empty()) return nullptr;
  return CreateIconFromResourceEx(const_cast<PBYTE>(image.data()), static_cast<DWORD>(image.size()),
                                  TRUE, 0x00030000, cx, cy, LR_DEFAULTCOLOR);
}

}  // namespace

bool AddTrayIcon(HWND window) {
  if (!g_trayIcon) g_trayIcon = MakeTrayIcon(window);
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof(data);
  data.hWnd = window;
  data.uID = kTrayIconId;
  data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data.uCallbackMessage = kTrayMessage;
  data.hIcon = g_trayIcon;
  std::strncpy(data.szTip, kTrayTip, sizeof(data.szTip) - 1);
  return Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
}

void RemoveTrayIcon(HWND window) {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof(data);
  data.hWnd = window;
  data.uID = kTrayIconId;
  Shell_NotifyIconA(NIM_DELETE, &data);
  if (g_trayIcon) {
    DestroyIcon(g_trayIcon);
    g_trayIcon = nullptr;
  }
}

}  // namespace app
