#include "app/tray_icon.h"

#include <shellapi.h>

#include <iterator>

#include "app/language.h"
#include "app/player_units.h"
#include "app/program_icon.h"
#include "graphics/dpi_context.h"

namespace app {
namespace {

// The shell copies the icon when it is added, so one icon made for the whole run is enough;
// it is destroyed when the icon goes away.
HICON g_trayIcon = nullptr;

// The small-icon size of the window's DPI, from the image made for it.
HICON MakeTrayIcon(HWND window) {
  return LoadProgramIcon(graphics::SystemMetricForDpi(SM_CXSMICON, graphics::DpiForWindow(window)));
}

}  // namespace

bool AddTrayIcon(HWND window) {
  if (!g_trayIcon) g_trayIcon = MakeTrayIcon(window);
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window;
  data.uID = kTrayIconId;
  data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data.uCallbackMessage = kTrayMessage;
  data.hIcon = g_trayIcon;
  lstrcpynW(data.szTip, Texts().trayTip, static_cast<int>(std::size(data.szTip)));
  return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

bool ShowTrayBalloon(HWND window, const wchar_t* title, const std::wstring& text) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window;
  data.uID = kTrayIconId;
  data.uFlags = NIF_INFO;
  data.dwInfoFlags = NIIF_INFO;
  lstrcpynW(data.szInfoTitle, title, static_cast<int>(std::size(data.szInfoTitle)));
  lstrcpynW(data.szInfo, text.c_str(), static_cast<int>(std::size(data.szInfo)));
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void UpdateTrayTip(HWND window) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window;
  data.uID = kTrayIconId;
  data.uFlags = NIF_TIP;
  lstrcpynW(data.szTip, Texts().trayTip, static_cast<int>(std::size(data.szTip)));
  Shell_NotifyIconW(NIM_MODIFY, &data);
}

void RemoveTrayIcon(HWND window) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window;
  data.uID = kTrayIconId;
  Shell_NotifyIconW(NIM_DELETE, &data);
  if (g_trayIcon) {
    DestroyIcon(g_trayIcon);
    g_trayIcon = nullptr;
  }
}

}  // namespace app
