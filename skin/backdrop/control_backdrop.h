// What lies behind a control, in a memory DC of its own, for the control painters and the
// WM_CTLCOLOR* brushes.
#pragma once

#include <windows.h>

#include <cstdint>

#include "skin/window_record.h"

namespace skin {

struct ContainerLocation {
  enum Kind { kNone, kWindow, kPanel, kOuter } kind = kNone;
  WindowSkinRecord* record = nullptr;  // kWindow, kPanel
  int32_t panel = 0;                   // kPanel: 1-based index in the record's panel list
  HWND window = nullptr;               // the container
};

// Walks up from the control: an outer container (Wxk_Zpf = 1, only when asked), a skinned
// window, or a panel of a record; the control itself is tested for the first two only.
ContainerLocation LocateContainer(HWND control, bool searchOuter);

// A memory DC whose bitmap is the rectangle's size (in the control's client coordinates) and
// holds the background behind it. With no container found, it is filled with the skin colour.
// Hand it back with ReleaseControlBackdrop; the control's engine keeps it until then.
HDC ControlBackdrop(HWND control, const RECT& rect);
// The panel's overlay colour at its alpha (in the panel's shape, rounded when the panel is) over
// a backdrop holding the area (in the panel's client coordinates); nothing for colour 0.
void OverlayPanelBackdrop(HDC dc, const PanelSkin& panel, const RECT& area);
// 1 when the DC came from ControlBackdrop for this control and is now freed; 0 for 0 or an
// unknown DC, which is left alone.
int ReleaseControlBackdrop(HWND control, HDC dc);

}  // namespace skin
