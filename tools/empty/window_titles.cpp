#include "tools/empty/window_titles.h"

namespace empty_tool {
namespace {

BOOL CALLBACK OnWindow(HWND window, LPARAM table) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  ProcessEntry* entry = reinterpret_cast<ProcessTable*>(table)->Find(processId);
  if (entry && WantsWindow(*entry, IsWindowVisible(window) != FALSE)) {
    char title[kMaxNameLength + 1] = {};
    GetWindowTextA(window, title, sizeof title);
    RecordWindow(*entry, window, title);
  }
  return TRUE;
}

BOOL CALLBACK OnDesktop(LPSTR name, LPARAM table) {
  HDESK desktop = OpenDesktopA(name, 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE);
  if (desktop) {
    EnumDesktopWindows(desktop, OnWindow, table);
    CloseDesktop(desktop);
  }
  return TRUE;
}

BOOL CALLBACK OnWindowStation(LPSTR name, LPARAM table) {
  HWINSTA station = OpenWindowStationA(name, FALSE, WINSTA_ENUMDESKTOPS | WINSTA_ENUMERATE);
  if (!station) return TRUE;
  // Desktop names are looked up in the process's own window station, so step into this one
  // while its desktops are opened.
  HWINSTA own = GetProcessWindowStation();
  const bool entered = SetProcessWindowStation(station) != FALSE;
  EnumDesktopsA(station, OnDesktop, table);
  if (entered) SetProcessWindowStation(own);
  CloseWindowStation(station);
  return TRUE;
}

}  // namespace

void AttachWindowTitles(ProcessTable& table) {
  EnumWindowStationsA(OnWindowStation, reinterpret_cast<LPARAM>(&table));
}

}  // namespace empty_tool
