#include "app/windows/player_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "app/announcer.h"
#include "app/application.h"
#include "app/data/data_files.h"
#include "app/data/language_switch.h"
#include "app/data/settings_keeper.h"
#include "app/desktop/program_icon.h"
#include "app/desktop/taskbar_binding.h"
#include "app/desktop/tray_icon.h"
#include "app/keys/key_router.h"
#include "app/keys/remote_receiver.h"
#include "app/media/playback_handlers.h"
#include "app/startup_log.h"
#include "app/windows/background_picture.h"
#include "app/windows/creation_handler.h"
#include "app/windows/source_offer.h"
#include "app/windows/unit_scale.h"
#include "app/windows/user_messages.h"
#include "app/windows/window_events.h"
#include "graphics/dpi_context.h"
#include "graphics/dpi_scale.h"
#include "skin/frame/move_size.h"
#include "skin/subclass.h"

namespace app {
namespace {

HWND MakeUnit(const wchar_t* cls, const wchar_t* caption, DWORD style, const UnitGeometry& g,
              HWND parent, int id) {
  const int dpi = App().units.dpi;
  const RECT r = UnitRect(g, dpi);
  HWND unit = CreateWindowExW(
      0, cls, caption, WS_CHILD | style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(unit, WM_SETFONT, reinterpret_cast<WPARAM>(UnitFont(dpi)), 0);
  return unit;
}

// The window moved to a screen of another DPI (the skin's frame has already rescaled itself).
void OnDpiChanged(HWND window, int dpi, const RECT* suggested) {
  PlayerUnits& units = App().units;
  if (!graphics::IsUsableDpi(dpi) || dpi == units.dpi) return;
  const int old = units.dpi;
  units.dpi = dpi;
  ScaleUnits(units, old, dpi);
  ScalePlaybackUnits(units, dpi);
  if (suggested) {
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The units live inside the group box, so their notifications reach the group box first; this
// hands them on to the main window, where the handlers are bound. A panel skin installed later
// lies above it and passes them down.
LRESULT CALLBACK GroupBoxForwarder(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
      return SendMessageW(GetParent(hwnd), message, wParam, lParam);
    case WM_NCDESTROY:
      skin::Unsubclass(hwnd, GroupBoxForwarder);
      break;
  }
  return skin::CallNext(hwnd, message, wParam, lParam);
}

void ForwardUnitNotifications(HWND groupBox) {
  skin::Subclass(groupBox, GroupBoxForwarder, nullptr);
}

void CreateUnits(HWND window) {
  PlayerUnits& u = App().units;
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

  CreatePlaybackUnits(u, u.dpi);
  Settings().Restore(u);
  StartTaskbar(window, u.dpi);
  SetTimer(window, kId时钟_列表循环, kLoopTimerInterval, nullptr);
}

// The keys and the media keys reach the player once it is made: before that the lists are still
// being filled.
void TakeKeys(HWND window) {
  const PlayerUnits& units = App().units;
  SetKeyTargets(
      {window, units.列表框2,
       [&units] {
         const PlayerUnits& v = units;
         // Down the left column, then the player's face, then the download.
         const bool single = SendMessageW(v.单选框_单曲循环, BM_GETCHECK, 0, 0) == BST_CHECKED;
         std::vector<HWND> order{v.列表框2, single ? v.单选框_单曲循环 : v.单选框_列表循环,
                                 v.按钮_换一批, v.按钮_更换背景};
         for (HWND w : TransportTabStops()) order.push_back(w);
         order.push_back(v.按钮_下载);
         return order;
       },
       RunPlayerCommand, PlaySelectedSong,
       [&units] {
         return std::vector<HWND>{GetDlgItem(units.分组框1, kId播放器1),
                                  GetDlgItem(units.分组框1, kId超文本浏览框2)};
       },
       ReadyForAnotherStep});
  RegisterMediaKeys(window);
}

LRESULT CALLBACK PlayerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Application& a = App();
  // The shell (re)started: the tray icon must be added again.
  if (message == a.taskbarCreatedMessage && message != 0) {
    OnTaskbarCreated(a.units);
    return 0;
  }
  if (message == a.taskbarButtonCreatedMessage && message != 0) {
    OnTaskbarButtonCreated();
    return 0;
  }
  switch (message) {
    case WM_DPICHANGED:
      OnDpiChanged(hwnd, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CREATE:
      a.units.dpi = graphics::DpiForWindow(hwnd);
      CreateUnits(hwnd);
      LogStartupStep("main window units created");
      a.creating = true;
      RunCreationHandler(a.units);
      a.creating = false;
      TakeKeys(hwnd);
      OfferSourceAtStart(a.units);
      return 0;
    case WM_CLOSE:
      // Closed while it is still being made (its requests let messages through): the creation
      // handler ends the program after the request, before the layout could be saved half-made.
      if (a.creating) {
        PostQuitMessage(0);
        return 0;
      }
      break;
    case WM_TIMER:
      if (wParam == kId时钟_列表循环) {
        OnLoopTimer();
        Settings().Keep(a.units);
        return 0;
      }
      if (OnTaskbarTimer(wParam)) return 0;
      break;
    case kTrayMessage:
      OnTrayNotification(a.units, TrayActionCode(static_cast<UINT>(lParam)));
      return 0;
    case WM_COMMAND:
      if (!a.creating && OnSourceCommand(a.units, wParam, lParam)) return 0;
      if (lParam == 0 && OnMenuItem(a.units, LOWORD(wParam))) return 0;
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
      if (command == PlayerCommand::kNone || a.creating) break;
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
    case kOfferSourceMessage:
      OfferSourceDialog(a.units);
      return 0;
    case kUseKeptSourceMessage:
      UseKeptSource();
      return 0;
    case WM_COPYDATA:
      return OnRemoteCopyData(a.units, a.creating, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_HOTKEY:
      RunPlayerCommand(CommandForMediaKey(HIWORD(lParam)));
      return 0;
    case WM_SIZE:
      OnSizeChanged(a.units);
      break;
    case WM_SHOWWINDOW:
      // Shown again from the tray: a new taskbar button, which needs its thumbnail buttons.
      if (wParam) OnTaskbarButtonCreated();
      break;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(a.units, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam),
                       skin::FrameTakesPress(hwnd, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMoved(a.units, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), (wParam & MK_LBUTTON) != 0);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      EndPanelDrag(a.units);
      if (message != WM_LBUTTONUP) break;
      return 0;
    case WM_CAPTURECHANGED:
      OnCaptureLost(a.units);
      break;
    case WM_DESTROY:
      UnregisterMediaKeys(hwnd);
      SetKeyTargets({});
      OnWillBeDestroyed(a.units);
      Settings().Keep(a.units);
      StopTaskbar();
      KillTimer(hwnd, kId时钟_列表循环);
      DestroyPlaybackUnits();
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      if (a.units.托盘菜单) DestroyMenu(a.units.托盘菜单);
      a.units = PlayerUnits{};
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

PlayerUnits& Units() { return App().units; }

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
  SetWindowIcons(window, App().windowIcons);
  ShowWindow(window, SW_SHOW);
  LogStartupStep("main window made visible");
  UpdateWindow(window);
  return true;
}

}  // namespace app
