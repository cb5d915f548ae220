#include "app/desktop/tray_icon.h"

#include <shellapi.h>

#include <iterator>

#include "app/application.h"
#include "app/data/language.h"
#include "app/desktop/program_icon.h"
#include "app/windows/player_units.h"
#include "graphics/dpi_context.h"

namespace app {
namespace {

// The small-icon size of the window's DPI, from the image made for it.
HICON MakeTrayIcon(HWND window) {
  return LoadProgramIcon(graphics::SystemMetricForDpi(SM_CXSMICON, graphics::DpiForWindow(window)));
}

}  // namespace

bool AddTrayIcon(HWND window) {
  if (!App().trayIcon) App().trayIcon = MakeTrayIcon(window);
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window;
  data.uID = kTrayIconId;
  data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data.uCallbackMessage = kTrayMessage;
  data.hIcon = App().trayIcon;
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
  if (App().trayIcon) {
    DestroyIcon(App().trayIcon);
    App().trayIcon = nullptr;
  }
}

}  // namespace app
