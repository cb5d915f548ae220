#include "app/player_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "app/background_picture.h"
#include "app/creation_handler.h"
#include "app/data_files.h"
#include "app/playback_handlers.h"
#include "app/program_icon.h"
#include "app/startup_log.h"
#include "app/tray_icon.h"
#include "app/user_messages.h"
#include "app/window_events.h"
#include "skin/controls/family.h"
#include "skin/move_size.h"

namespace app {
namespace {

PlayerUnits g_units;
bool g_creating = false;  // the creation handler runs

HWND MakeUnit(const char* cls, const char* caption, DWORD style, const UnitGeometry& g, HWND parent,
              int id) {
  HWND unit = CreateWindowExA(0, cls, caption, WS_CHILD | style, g.left, g.top, g.width, g.height,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleA(nullptr), nullptr);
  SendMessageA(unit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  return unit;
}

// The units live inside the group box, so their notifications reach the group box first; this
// hands them on to the main window, where the handlers are bound. A panel skin installed later
// chains to it.
constexpr char kForwarderProp[] = "App_hProc";

LRESULT CALLBACK GroupBoxForwarder(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
      return SendMessageA(GetParent(hwnd), message, wParam, lParam);
    case WM_NCDESTROY: {
      const LRESULT result =
          skin::controls::CallPrevious(hwnd, message, wParam, lParam, kForwarderProp);
      RemovePropA(hwnd, kForwarderProp);
      return result;
    }
  }
  return skin::controls::CallPrevious(hwnd, message, wParam, lParam, kForwarderProp);
}

void ForwardUnitNotifications(HWND groupBox) {
  skin::controls::InstallSubclass(groupBox, kForwarderProp, GroupBoxForwarder);
}

void CreateUnits(HWND window) {
  PlayerUnits& u = g_units;
  u.window = window;
  u.分组框1 = MakeUnit("Button", "", BS_GROUPBOX | WS_VISIBLE, k分组框1, window, kId分组框1);
  ForwardUnitNotifications(u.分组框1);
  HWND box = u.分组框1;
  // Unsorted lists: entry k of one must stay entry k of the other.
  u.列表框1 = MakeUnit("ListBox", "", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, k列表框1, box,
                       kId列表框1);
  u.按钮_更换背景 = MakeUnit("Button", "更换背景", BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP,
                             k按钮_更换背景, box, kId按钮_更换背景);
  u.列表框2 = MakeUnit("ListBox", "",
                       WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VISIBLE,
                       k列表框2, box, kId列表框2);
  u.按钮_换一批 = MakeUnit("Button", "换一批", BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP,
                           k按钮_换一批, box, kId按钮_换一批);
  u.单选框_列表循环 =
      MakeUnit("Button", "列表循环", BS_AUTORADIOBUTTON | WS_VISIBLE | WS_GROUP | WS_TABSTOP,
               k单选框_列表循环, box, kId单选框_列表循环);
  u.单选框_单曲循环 = MakeUnit("Button", "单曲循环", BS_AUTORADIOBUTTON | WS_VISIBLE,
                               k单选框_单曲循环, box, kId单选框_单曲循环);
  // WS_GROUP here closes the radio group.
  u.按钮_下载 = MakeUnit("Button", "下 载", BS_PUSHBUTTON | WS_VISIBLE | WS_GROUP | WS_TABSTOP,
                         k按钮_下载, box, kId按钮_下载);
  SendMessageA(u.单选框_列表循环, BM_SETCHECK, BST_CHECKED, 0);

  u.托盘菜单 = CreatePopupMenu();
  AppendMenuA(u.托盘菜单, MF_STRING, kMenu显示, "显示");
  AppendMenuA(u.托盘菜单, MF_STRING, kMenu关于, "关于");
  AppendMenuA(u.托盘菜单, MF_STRING, kMenu更新, "更新");
  AppendMenuA(u.托盘菜单, MF_STRING, kMenu退出, "退出");

  CreatePlaybackUnits(u);
  SetTimer(window, kId时钟_列表循环, kLoopTimerInterval, nullptr);
}

// The shell broadcasts this when it (re)starts; the icon must then be added again.
UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

LRESULT CALLBACK PlayerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == TaskbarCreatedMessage() && message != 0) {
    OnTaskbarCreated(g_units);
    return 0;
  }
  switch (message) {
    case WM_CREATE:
      CreateUnits(hwnd);
      LogStartupStep("main window units created");
      g_creating = true;
      RunCreationHandler(g_units);
      g_creating = false;
      return 0;
    case WM_CLOSE:
      // Closed while it is still being made (its requests let messages through): the creation
      // handler ends the program after the request, before the layout could be saved half-made.
      if (g_creating) {
        PostQuitMessage(0);
        return 0;
      }
      break;
    case WM_TIMER:
      if (wParam == kId时钟_列表循环) {
        OnLoopTimer();
        return 0;
      }
      break;
    case kTrayMessage:
      OnTrayNotification(g_units, TrayActionCode(static_cast<UINT>(lParam)));
      return 0;
    case WM_COMMAND:
      if (lParam == 0 && OnMenuItem(g_units, LOWORD(wParam))) return 0;
      if (OnPlaybackCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
      if (LOWORD(wParam) == kId按钮_更换背景 && HIWORD(wParam) == BN_CLICKED) {
        ChangeBackground(ExecutableFolder(), {[hwnd](const std::string& folder) {
                                                return ChoosePictureFile(hwnd, folder);
                                              },
                                              ShowMessage});
        return 0;
      }
      break;
    case WM_SIZE:
      OnSizeChanged(g_units);
      break;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(g_units, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam),
                       skin::FrameTakesPress(hwnd, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMoved(g_units, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      OnLeftButtonUp(g_units);
      return 0;
    case WM_DESTROY:
      OnWillBeDestroyed(g_units);
      KillTimer(hwnd, kId时钟_列表循环);
      DestroyPlaybackUnits();
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      if (g_units.托盘菜单) DestroyMenu(g_units.托盘菜单);
      g_units = PlayerUnits{};
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

PlayerUnits& Units() { return g_units; }

bool CreatePlayerWindow() {
  INITCOMMONCONTROLSEX icc{sizeof(icc),
                           ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);

  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = PlayerWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(129));
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kPlayerWindowClass;
  if (!RegisterClassExA(&wc)) return false;

  const UnitGeometry& g = kPlayerWindowDesign;
  // Borderless: the window rectangle is the client rectangle, which the skin paints whole.
  HWND window =
      CreateWindowExA(0, kPlayerWindowClass, "", WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, g.left,
                      g.top, g.width, g.height, nullptr, nullptr, wc.hInstance, nullptr);
  if (!window) return false;
  SetWindowIcons(window);
  ShowWindow(window, SW_SHOW);
  LogStartupStep("main window made visible");
  UpdateWindow(window);
  return true;
}

}  // namespace app
