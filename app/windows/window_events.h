// The main window's behaviour towards the desktop: the notification-area icon and its menu,
// minimising to the tray, the panel drag and the save on destruction.
#pragma once

#include <windows.h>

#include "app/windows/player_units.h"

namespace app {

// Which tray action a mouse message on the icon is: 2 shows the window (left button), 3 opens
// the menu (right button), 0 anything else.
int TrayActionCode(UINT mouseMessage);

void OnTrayNotification(PlayerUnits& units, int actionCode);
// 托盘菜单 items; returns false for an id that is not one of them.
bool OnMenuItem(PlayerUnits& units, UINT id);
void ShowFromTray(PlayerUnits& units);
void OnSizeChanged(PlayerUnits& units);
// Removes the icon and saves the panel position and the window size.
void OnWillBeDestroyed(PlayerUnits& units);
// The shell restarted: the icon has to be added again.
void OnTaskbarCreated(PlayerUnits& units);

// Brings the panel back inside the client area wherever a resize or the layout file left it:
// a panel outside cannot be grabbed again.
void KeepPanelInClient(PlayerUnits& units);

// Panel drag, in client coordinates of the main window.
// `frameTookPress`: the skinned frame already handled this press as a window move or size.
void OnLeftButtonDown(PlayerUnits& units, int x, int y, bool frameTookPress);
// A move that reports the button no longer held ends the drag: its release went elsewhere.
void OnMouseMoved(PlayerUnits& units, int x, int y, bool leftButtonHeld);
// Any button's release ends the drag.
void EndPanelDrag(PlayerUnits& units);
void OnCaptureLost(PlayerUnits& units);
}  // namespace app
