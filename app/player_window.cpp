#include "app/player_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "app/announcer.h"
#include "app/background_picture.h"
#include "app/creation_handler.h"
#include "app/data_files.h"
#include "app/key_router.h"
#include "app/language_switch.h"
#include "app/playback_handlers.h"
#include "app/program_icon.h"
#include "app/remote_receiver.h"
#include "app/settings_keeper.h"
#include "app/startup_log.h"
#include "app/taskbar_binding.h"
#include "app/tray_icon.h"
#include "app/unit_scale.h"
#include "app/user_messages.h"
#include "app/window_events.h"
#include "graphics/dpi_context.h"
#include "graphics/dpi_scale.h"
#include "skin/controls/family.h"
#include "skin/frame/move_size.h"

namespace app {
namespace {

PlayerUnits g_units;
bool g_creating = false;  // the creation handler runs

HWND MakeUnit(const wchar_t* cls, const wchar_t* caption, DWORD style, const UnitGeometry& g,
              HWND parent, int id) {
  const RECT r = UnitRect(g, g_units.dpi);
  HWND unit = CreateWindowExW(
      0, cls, caption, WS_CHILD | style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(unit, WM_SETFONT, reinterpret_cast<WPARAM>(UnitFont(g_units.dpi)), 0);
  return unit;
}

// The window moved to a screen of another DPI (the skin's frame has already rescaled itself).
void OnDpiChanged(HWND window, int dpi, const RECT* suggested) {
  if (!graphics::IsUsableDpi(dpi) || dpi == g_units.dpi) return;
  const int old = g_units.dpi;
  g_units.dpi = dpi;
  ScaleUnits(g_units, old, dpi);
  ScalePlaybackUnits(g_units, dpi);
  if (suggested) {
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The units live inside the group box, so their notifications reach the group box first; this
// hands them on to the main window, where the handlers are bound. A panel skin installed later
// chains to it.
constexpr wchar_t kForwarderProp[] = L"App_hProc";

LRESULT CALLBACK GroupBoxForwarder(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
      return SendMessageW(GetParent(hwnd), message, wParam, lParam);
    case WM_NCDESTROY: {
      const LRESULT result =
          skin::controls::CallPrevious(hwnd, message, wParam, lParam, kForwarderProp);
      RemovePropW(hwnd, kForwarderProp);
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
  u.分组框1 = MakeUnit(L"Button", L"", BS_GROUPBOX | WS_VISIBLE, k分组框1, window, kId分组框1);
  ForwardUnitNotifications(u.分组框1);
  HWND box = u.分组框1;
  // Unsorted lists: entry k of one must stay entry k of the other.
  u.列表框1 = MakeUnit(L"ListBox", L"", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, k列表框1,
                       box, kId列表框1);
  const UiTexts& t = Texts();
  u.按钮_更换背景 = MakeUnit(L"Button", t.changeBackground, BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP,
                             k按钮_更换背景, box, kId按钮_更换背景);
  u.列表框2 = MakeUnit(L"ListBox", L"",
                       WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VISIBLE,
                       k列表框2, box, kId列表框2);
  u.按钮_换一批 = MakeUnit(L"Button", t.anotherBatch, BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP,
                           k按钮_换一批, box, kId按钮_换一批);
  u.单选框_列表循环 =
      MakeUnit(L"Button", t.listLoop, BS_AUTORADIOBUTTON | WS_VISIBLE | WS_GROUP | WS_TABSTOP,
               k单选框_列表循环, box, kId单选框_列表循环);
  u.单选框_单曲循环 = MakeUnit(L"Button", t.singleLoop, BS_AUTORADIOBUTTON | WS_VISIBLE,
                               k单选框_单曲循环, box, kId单选框_单曲循环);
  // WS_GROUP here closes the radio group.
  u.按钮_下载 = MakeUnit(L"Button", t.download, BS_PUSHBUTTON | WS_VISIBLE | WS_GROUP | WS_TABSTOP,
                         k按钮_下载, box, kId按钮_下载);
  SendMessageW(u.单选框_列表循环, BM_SETCHECK, BST_CHECKED, 0);

  u.托盘菜单 = CreatePopupMenu();
  FillTrayMenu(u.托盘菜单);

  CreatePlaybackUnits(u, g_units.dpi);
  Settings().Restore(u);
  StartTaskbar(window, g_units.dpi);
  SetTimer(window, kId时钟_列表循环, kLoopTimerInterval, nullptr);
}

// The keys and the media keys reach the player once it is made: before that the lists are still
// being filled.
void TakeKeys(HWND window) {
  SetKeyTargets(
      {window, g_units.列表框2,
       [] {
         const PlayerUnits& v = g_units;
         // Down the left column, then the player's face, then the download.
         const bool single = SendMessageW(v.单选框_单曲循环, BM_GETCHECK, 0, 0) == BST_CHECKED;
         std::vector<HWND> order{v.列表框2, single ? v.单选框_单曲循环 : v.单选框_列表循环,
                                 v.按钮_换一批, v.按钮_更换背景};
         for (HWND w : TransportTabStops()) order.push_back(w);
         order.push_back(v.按钮_下载);
         return order;
       },
       RunPlayerCommand, PlaySelectedSong,
       [] {
         return std::vector<HWND>{GetDlgItem(g_units.分组框1, kId播放器1),
                                  GetDlgItem(g_units.分组框1, kId超文本浏览框2)};
       },
       ReadyForAnotherStep});
  RegisterMediaKeys(window);
}

// The shell broadcasts this when it (re)starts; the icon must then be added again.
UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

LRESULT CALLBACK PlayerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == TaskbarCreatedMessage() && message != 0) {
    OnTaskbarCreated(g_units);
    return 0;
  }
  if (message == TaskbarButtonCreatedMessage() && message != 0) {
    OnTaskbarButtonCreated();
    return 0;
  }
  switch (message) {
    case WM_DPICHANGED:
      OnDpiChanged(hwnd, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CREATE:
      g_units.dpi = graphics::DpiForWindow(hwnd);
      CreateUnits(hwnd);
      LogStartupStep("main window units created");
      g_creating = true;
      RunCreationHandler(g_units);
      g_creating = false;
      TakeKeys(hwnd);
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
        Settings().Keep(g_units);
        return 0;
      }
      if (OnTaskbarTimer(wParam)) return 0;
      break;
    case kTrayMessage:
      OnTrayNotification(g_units, TrayActionCode(static_cast<UINT>(lParam)));
      return 0;
    case WM_COMMAND:
      if (lParam == 0 && OnMenuItem(g_units, LOWORD(wParam))) return 0;
      if (OnThumbButton(wParam)) return 0;
      if (OnPlaybackCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
      if (LOWORD(wParam) == kId按钮_更换背景 && HIWORD(wParam) == BN_CLICKED) {
        ChangeBackground(
            ExecutableFolder(),
            {[hwnd](const std::wstring& folder) { return ChoosePictureFile(hwnd, folder); },
             [hwnd](const wchar_t* text, bool error) {
               ShowMessage(hwnd, text, error ? MessageKind::kError : MessageKind::kNotice);
             }});
        return 0;
      }
      break;
    case WM_HSCROLL:
      if (OnPlaybackScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam))) return 0;
      break;
    case WM_APPCOMMAND: {
      const PlayerCommand command = CommandForAppCommand(GET_APPCOMMAND_LPARAM(lParam));
      if (command == PlayerCommand::kNone || g_creating) break;
      RunPlayerCommand(command);
      return TRUE;
    }
    case WM_ACTIVATE: {
      // After the default, which gives the focus to the window itself.
      const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
      Announce().Say(LOWORD(wParam) != WA_INACTIVE ? "activated" : "deactivated");
      if (!HIWORD(wParam)) OnMainWindowActivation(LOWORD(wParam) != WA_INACTIVE);
      return result;
    }
    case kUseKeptSourceMessage:
      UseKeptSource();
      return 0;
    case WM_COPYDATA:
      return OnRemoteCopyData(g_units, g_creating, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_HOTKEY:
      RunPlayerCommand(CommandForMediaKey(HIWORD(lParam)));
      return 0;
    case WM_SIZE:
      OnSizeChanged(g_units);
      break;
    case WM_SHOWWINDOW:
      // Shown again from the tray: a new taskbar button, which needs its thumbnail buttons.
      if (wParam) OnTaskbarButtonCreated();
      break;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(g_units, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam),
                       skin::FrameTakesPress(hwnd, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMoved(g_units, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), (wParam & MK_LBUTTON) != 0);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      EndPanelDrag(g_units);
      if (message != WM_LBUTTONUP) break;
      return 0;
    case WM_CAPTURECHANGED:
      OnCaptureLost(g_units);
      break;
    case WM_DESTROY:
      UnregisterMediaKeys(hwnd);
      SetKeyTargets({});
      OnWillBeDestroyed(g_units);
      Settings().Keep(g_units);
      StopTaskbar();
      KillTimer(hwnd, kId时钟_列表循环);
      DestroyPlaybackUnits();
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      if (g_units.托盘菜单) DestroyMenu(g_units.托盘菜单);
      g_units = PlayerUnits{};
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

PlayerUnits& Units() { return g_units; }

bool CreatePlayerWindow() {
  INITCOMMONCONTROLSEX icc{sizeof(icc),
                           ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = PlayerWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(129));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kPlayerWindowClass;
  if (!RegisterClassExW(&wc)) return false;

  // Borderless: the window rectangle is the client rectangle, which the skin paints whole.
  const RECT r = UnitRect(kPlayerWindowDesign, graphics::SystemDpi());
  HWND window = CreateWindowExW(
      0, kPlayerWindowClass, L"", WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, r.left, r.top,
      r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
  if (!window) return false;
  SetWindowIcons(window);
  ShowWindow(window, SW_SHOW);
  LogStartupStep("main window made visible");
  UpdateWindow(window);
  return true;
}

}  // namespace app
