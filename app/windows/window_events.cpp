#include "app/windows/window_events.h"

#include <shellapi.h>

#include "app/data/data_files.h"
#include "app/data/language_switch.h"
#include "app/data/settings_keeper.h"
#include "app/desktop/tray_icon.h"
#include "app/windows/panel_drag.h"
#include "app/windows/unit_scale.h"
#include "app/windows/user_messages.h"
#include "build_settings.h"
#include "catalogue/text_routines.h"
#include "graphics/dpi_scale.h"

namespace app {
namespace {

PanelBounds PanelBoundsOf(const PlayerUnits& units) {
  RECT r{};
  GetWindowRect(units.分组框1, &r);
  MapWindowPoints(nullptr, units.window, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

PanelHome PanelHomeOf(const PlayerUnits& units) {
  const RECT home = UnitRect(k分组框1, units.dpi);
  return {home.left, home.top};
}

void PopUpTrayMenu(const PlayerUnits& units) {
  POINT at{};
  GetCursorPos(&at);
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(units.window);
  TrackPopupMenu(units.托盘菜单, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, units.window,
                 nullptr);
  PostMessageW(units.window, WM_NULL, 0, 0);
}

// The window's size as it stands when not minimised: a window hidden to the tray is minimised,
// and its minimised rectangle is no size worth restoring.
SIZE NormalSize(HWND window) {
  RECT r{};
  if (IsIconic(window)) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    r = placement.rcNormalPosition;
  } else {
    GetWindowRect(window, &r);
  }
  return {r.right - r.left, r.bottom - r.top};
}

void MovePanelTo(const PlayerUnits& units, const PanelBounds& panel, PanelCorner to) {
  if (to.left == panel.left && to.top == panel.top) return;
  SetWindowPos(units.分组框1, nullptr, to.left, to.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

int TrayActionCode(UINT mouseMessage) {
  switch (mouseMessage) {
    case WM_LBUTTONUP:
      return 2;
    case WM_RBUTTONUP:
      return 3;
    default:
      return 0;
  }
}

void OnTrayNotification(PlayerUnits& units, int actionCode) {
  if (actionCode == 3) PopUpTrayMenu(units);
  if (actionCode == 2) ShowFromTray(units);
}

void ShowFromTray(PlayerUnits& units) {
  HWND w = units.window;
  ShowWindow(w, SW_SHOW);
  ShowWindow(w, SW_RESTORE);
  RECT area{}, r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  GetWindowRect(w, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  const int x = area.left + (area.right - area.left - width) / 2;
  const int y = area.top + (area.bottom - area.top - height) / 2;
  SetWindowPos(w, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE);
  SetWindowPos(w, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  SetForegroundWindow(w);
}

bool OnMenuItem(PlayerUnits& units, UINT id) {
  switch (id) {
    case kMenu显示:
      ShowFromTray(units);
      return true;
    case kMenu关于:
      ShowMessage(units.window, Texts().aboutText, MessageKind::kNotice);
      return true;
    case kMenu更新:
      ShellExecuteW(nullptr, L"open", catalogue::FromUtf8(build_settings::kAuthorPageUrl).c_str(),
                    nullptr, nullptr, SW_SHOWNORMAL);
      return true;
    case kMenuBalloons:
      Settings().ToggleBalloons(units);
      return true;
    case kMenuLanguage:
      SwitchLanguage(units);
      return true;
    case kMenu退出:
      RemoveTrayIcon(units.window);
      // An orderly end: the window's destruction saves the layout as on any other close, and
      // the message loop then ends with exit code 0.
      DestroyWindow(units.window);
      return true;
  }
  return false;
}

void OnSizeChanged(PlayerUnits& units) {
  if (IsIconic(units.window)) {
    ShowWindow(units.window, SW_HIDE);
    return;
  }
  KeepPanelInClient(units);
}

void KeepPanelInClient(PlayerUnits& units) {
  if (!units.分组框1) return;
  const PanelBounds panel = PanelBoundsOf(units);
  RECT client{};
  GetClientRect(units.window, &client);
  const PanelCorner to = KeepPanelInside(panel.left, panel.top, panel.width, panel.height,
                                         client.right, client.bottom, PanelHomeOf(units));
  MovePanelTo(units, panel, to);
}

void OnWillBeDestroyed(PlayerUnits& units) {
  RemoveTrayIcon(units.window);
  const PanelBounds panel = PanelBoundsOf(units);
  // At 96 dpi, whatever the screen: the start-up scales them back.
  const auto at96 = [&units](int pixels) { return graphics::UnscaleLength(pixels, units.dpi); };
  WriteNumberPairFile(DataPath(kGroupingFile), at96(panel.left), at96(panel.top));
  const SIZE size = NormalSize(units.window);
  WriteNumberPairFile(DataPath(kMainSizeFile), at96(size.cx), at96(size.cy));
}

void OnTaskbarCreated(PlayerUnits& units) { AddTrayIcon(units.window); }

void OnLeftButtonDown(PlayerUnits& units, int x, int y, bool frameTookPress) {
  if (frameTookPress) return;
  const PanelBounds panel = PanelBoundsOf(units);
  if (!PressIsInsidePanel(panel, x, y)) return;
  units.panelDrag.Begin(panel, x, y);
  // A release outside the window must still reach us, or the panel follows until a click.
  SetCapture(units.window);
}

void OnMouseMoved(PlayerUnits& units, int x, int y, bool leftButtonHeld) {
  if (!units.panelDrag.active) return;
  if (!leftButtonHeld) {
    EndPanelDrag(units);
    return;
  }
  const PanelBounds panel = PanelBoundsOf(units);
  RECT client{};
  GetClientRect(units.window, &client);
  MovePanelTo(
      units, panel,
      units.panelDrag.CornerFor(x, y, panel, client.right, client.bottom, PanelHomeOf(units)));
}

void EndPanelDrag(PlayerUnits& units) {
  if (!units.panelDrag.active) return;
  units.panelDrag.active = false;
  if (GetCapture() == units.window) ReleaseCapture();
}

void OnCaptureLost(PlayerUnits& units) { units.panelDrag.active = false; }

}  // namespace app
