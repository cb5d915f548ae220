// The units of the main window: handles, control identifiers and design geometry.
#pragma once

#include <windows.h>

#include "app/windows/panel_drag.h"

namespace app {

// Window class names; the observing tests look the windows up by them.
inline constexpr wchar_t kPlayerWindowClass[] = L"PlayerWindow";
inline constexpr wchar_t kLoadingWindowClass[] = L"LoadingWindow";

struct UnitGeometry {
  int left, top, width, height;
};

// Design geometry, in pixels; every unit but the group box is relative to the group box.
inline constexpr UnitGeometry kPlayerWindowDesign{50, 50, 634, 388};
inline constexpr UnitGeometry kLoadingWindowDesign{50, 50, 387, 74};
inline constexpr UnitGeometry k分组框1{18, 16, 374, 256};
inline constexpr UnitGeometry k超文本浏览框2{176, 67, 72, 59};
inline constexpr UnitGeometry k列表框1{248, 62, 56, 69};
inline constexpr UnitGeometry k按钮_更换背景{7, 221, 61, 24};
inline constexpr UnitGeometry k列表框2{9, 13, 59, 137};
inline constexpr UnitGeometry k按钮_换一批{7, 193, 61, 24};
inline constexpr UnitGeometry k单选框_列表循环{5, 170, 68, 25};
inline constexpr UnitGeometry k单选框_单曲循环{5, 150, 70, 25};
inline constexpr UnitGeometry k按钮_下载{298, 215, 61, 25};
inline constexpr UnitGeometry k播放器1{77, 16, 289, 229};
inline constexpr UnitGeometry k进度条1{-2, -2, 390, 80};

// Control identifiers, so WM_COMMAND finds the unit it came from.
enum UnitId : int {
  kId分组框1 = 100,
  kId列表框1,
  kId按钮_更换背景,
  kId列表框2,
  kId按钮_换一批,
  kId单选框_列表循环,
  kId单选框_单曲循环,
  kId按钮_下载,
  kId播放器1,
  kId超文本浏览框2,
  kId进度条1,
};

inline constexpr UINT_PTR kId时钟_列表循环 = 1;
inline constexpr UINT kLoopTimerInterval = 2000;

// 托盘菜单 items.
enum MenuId : UINT {
  kMenu显示 = 200,
  kMenu关于,
  kMenu更新,
  kMenu退出,
  kMenuLanguage,  // the other language
  kMenuBalloons,  // the song balloons on and off
  kMenuSource,    // the music source dialog
};

// The tray icon's notification message and identifier.
inline constexpr UINT kTrayMessage = WM_APP + 1;
// A source handed over by a second start is put to use.
inline constexpr UINT kUseKeptSourceMessage = WM_APP + 2;
// The music source dialog is offered at the first start.
inline constexpr UINT kOfferSourceMessage = WM_APP + 3;
inline constexpr UINT kTrayIconId = 1;

struct PlayerUnits {
  HWND window = nullptr;
  int dpi = 96;  // what the units are laid out for; the data files hold 96-dpi numbers
  HWND 分组框1 = nullptr;
  HWND 列表框1 = nullptr;
  HWND 按钮_更换背景 = nullptr;
  HWND 列表框2 = nullptr;
  HWND 按钮_换一批 = nullptr;
  HWND 单选框_列表循环 = nullptr;
  HWND 单选框_单曲循环 = nullptr;
  HWND 按钮_下载 = nullptr;
  HMENU 托盘菜单 = nullptr;
  PanelDrag panelDrag;
};

}  // namespace app
