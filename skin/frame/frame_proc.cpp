// The window procedure of a skinned top-level window and the actions it runs.
#include <shlwapi.h>
#include <windowsx.h>

#include "skin/backdrop/control_brush.h"
#include "skin/caption/button_fade.h"
#include "skin/caption/caption_strip.h"
#include "skin/contrast/high_contrast.h"
#include "skin/controls/button_skin.h"
#include "skin/controls/family.h"
#include "skin/controls/focus_cues.h"
#include "skin/frame/min_max.h"
#include "skin/frame/move_size.h"
#include "skin/gdi/gdi_scoped.h"
#include "skin/property_keys.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "skin/subclass.h"
#include "skin/window_records.h"

namespace skin {
namespace {

UINT_PTR FadeTimerId(HWND hwnd) { return reinterpret_cast<UINT_PTR>(hwnd); }

int32_t XOf(LPARAM lParam) { return GET_X_LPARAM(lParam); }
int32_t YOf(LPARAM lParam) { return GET_Y_LPARAM(lParam); }

void RemoveWindowProperties(HWND hwnd) {
  RemovePropW(hwnd, prop::Hw_lbID);
  RemovePropW(hwnd, prop::Hw_hProc);
  RemovePropW(hwnd, prop::Ck_Ycjdx);
  RemovePropW(hwnd, prop::Ck_wtjbdx);
}

// The system restores and maximises a window on its own too (system menu, taskbar, keyboard,
// ShowWindow), so `maximised` follows each new size, not only the button: a stale 1 would keep
// the restore glyph and make the next click restore a window that is not maximised. A window
// that grew to the screen counts as maximised without the system's state.
void FollowMaximisedState(WindowSkinRecord& record, WPARAM kind, int width, int height) {
  if (kind == SIZE_MAXIMIZED) {
    record.maximised = true;
  } else if (kind == SIZE_RESTORED && record.maximised) {
    const SIZE full = MaximisedSize();
    const bool screenSized =
        (width == full.cx && height == full.cy) ||
        (width == GetSystemMetrics(SM_CXSCREEN) && height == GetSystemMetrics(SM_CYSCREEN));
    if (!screenSized) record.maximised = false;
  }
}

}  // namespace

LRESULT SkinEngine::DefaultPath(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallNext(hwnd, message, wParam, lParam);
}

LRESULT SkinEngine::FrameWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const int32_t index = RecordIndexOf(hwnd);
  WindowSkinRecord* record = RecordAt(index);
  if (!record) return DefaultPath(hwnd, message, wParam, lParam);
  if (message == WM_SETTINGCHANGE && highContrast.Refresh()) {
    for (int32_t i = 1; i <= RecordCount(); ++i) ApplyHighContrast(*RecordAt(i));
  }
  if (highContrast.On()) {
    LRESULT result = 0;
    if (SystemFrameRow(hwnd, message, wParam, lParam, &result)) return result;
  }

  switch (message) {
    case WM_QUIT:
      ShutdownGdiplus(gdiplusToken);
      gdiplusToken = 0;  // never twice with one token
      break;
    case WM_NCDESTROY: {
      ReleaseWindowSkin(hwnd);
      KillTimer(hwnd, FadeTimerId(hwnd));
      const LRESULT result = DefaultPath(hwnd, message, wParam, lParam);
      Unsubclass(hwnd, frameProcEntry);
      RemoveWindowProperties(hwnd);
      return result;
    }
    case WM_SHOWWINDOW:
      if (wParam == 1) {
        if (!record->minimised) {
          PaintDc dc(hwnd);
          PaintFrame(index, dc);
        } else {
          record->minimised = false;
        }
      }
      break;
    case WM_ERASEBKGND:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return 1;
    case WM_PAINT: {
      PaintDc dc(hwnd);
      if (record->minimised) {
        // nothing of its own while minimised
      } else if (record->needsFullRedraw || !record->backBuffer.dc()) {
        // A window never painted has nothing to copy yet.
        PaintFrame(index, dc);
        if (WindowSkinRecord* r = RecordAt(RecordIndexOf(hwnd))) r->needsFullRedraw = false;
      } else {
        CopyFrame(index, dc);
      }
      return DefWindowProcW(hwnd, WM_PAINT, wParam, lParam);
    }
    case WM_LBUTTONDBLCLK:
      if (YOf(lParam) <= record->captionHeight && record->sizable != 0) {
        const int32_t maximize = FindMaximizeButton(index);
        if (maximize > 0) OnCaptionButton(index, maximize);
      }
      break;
    case WM_MOUSEMOVE:
      OnMouseMove(index, hwnd, lParam);
      break;
    case WM_MOUSEHOVER:
      record->mouseTracked = true;
      break;
    case WM_MOUSELEAVE:
      OnMouseLeave(index);
      break;
    case WM_TIMER:
      if (wParam == FadeTimerId(hwnd)) OnFadeTimer(index, hwnd);
      break;
    case WM_DPICHANGED:
      OnDpiChanged(index, HIWORD(wParam));
      break;
    case WM_GETMINMAXINFO:
      FillMinMaxInfo(*record, reinterpret_cast<MINMAXINFO*>(lParam));
      break;
    case WM_WINDOWPOSCHANGED:
      OnWindowPosChanged(index, hwnd);
      break;
    case WM_SIZE:
      record->hoverButton = 0;
      FollowMaximisedState(*record, wParam, LOWORD(lParam), HIWORD(lParam));
      if (frameFirstRun == 1) {
        record->needsFullRedraw = false;
        frameFirstRun = 0;
      } else {
        record->needsFullRedraw = true;
        // A window that only shrinks, or grows outside its old rounded region, gets no paint of
        // its own: ask for the full repaint so the frame never stays at its old size.
        if (wParam != SIZE_MINIMIZED) InvalidateRect(hwnd, nullptr, FALSE);
      }
      LayoutChildren(index);
      break;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(index, hwnd, lParam);
      break;
    case WM_LBUTTONUP: {
      // Only a release over the button that took the press acts, and only once: a stray release
      // (the second click of a double-click) finds nothing pressed.
      // The press and its capture belong to this window: a release over another window reaches
      // this one, outside its buttons, and acts nowhere.
      const int32_t pressed = record->pressedButton;
      record->pressedButton = 0;
      if (pressed > 0 && GetCapture() == hwnd) ReleaseCapture();
      const int32_t pointedButton = skin::HitTestCaptionButton(*record, XOf(lParam), YOf(lParam));
      if (buttonActionAddress != 0 && pressed > 0 && pressed == pointedButton &&
          pressed <= record->ButtonCount() && record->captionActive != 0) {
        OnCaptionButton(index, pressed);
      }
      break;
    }
    case WM_CAPTURECHANGED:
      // Taken away mid-press (a menu, another window's capture): the press is let go.
      if (record->pressedButton > 0 && reinterpret_cast<HWND>(lParam) != hwnd) {
        const int32_t pressed = record->pressedButton;
        record->pressedButton = 0;
        DrawCaptionButton(index, pressed);
      }
      break;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MAXIMIZE:
          record->maximised = true;
          record->needsFullRedraw = true;
          break;
        case SC_RESTORE:
          record->needsFullRedraw = true;
          record->minimised = false;
          break;
        case SC_MINIMIZE:
          record->needsFullRedraw = true;
          record->minimised = true;
          break;
      }
      break;
    case WM_QUERYOPEN:
      record->minimised = false;
      break;
    case WM_SETTEXT:
      if (record->showCaptionText != 0 && record->captionActive != 0) {
        const wchar_t* text = reinterpret_cast<const wchar_t*>(lParam);
        DrawCaption(index, true, text ? text : L"");
      }
      break;
    case WM_CHANGEUISTATE:
    case WM_UPDATEUISTATE:
      controls::OnUiStateMessage(hwnd, wParam);
      break;
    case WM_DRAWITEM:
      if (lParam) {
        controls::DrawOwnerDrawnItem(record, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: {
      LRESULT brush = 0;
      if (OnControlColour(index, message, reinterpret_cast<HDC>(wParam),
                          reinterpret_cast<HWND>(lParam), &brush)) {
        return brush;
      }
      break;
    }
    case WM_CTLCOLORSCROLLBAR:
      break;
    case WM_ACTIVATEAPP:
      if (wParam == 0 && trimmerProc) {
        SHCreateThread(trimmerProc, nullptr, 0, nullptr);
      }
      break;
    case WM_DISPLAYCHANGE:  // a larger screen may need more of the picture than was kept
      RefreshPictureForScreen();
      break;
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_HSCROLL:
      break;
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header &&
          (static_cast<int>(header->code) == -406 || static_cast<int>(header->code) == -405)) {
        InvalidateRect(header->hwndFrom, nullptr, TRUE);
      }
      break;
    }
  }
  return DefaultPath(hwnd, message, wParam, lParam);
}

void SkinEngine::ReleaseWindowSkin(HWND hwnd) {
  const int32_t index = FindRecord(hwnd);
  WindowSkinRecord* record = RecordAt(index);
  if (!record) return;
  // Brushes and bitmaps handed to the controls for WM_CTLCOLOR*, edits among them. The record
  // holds them because the children, and their properties, are already gone by now.
  ReleaseAllBrushes(*record);
  // The back-buffer DC gets the bitmap it came with back before it goes; the frame bitmap in
  // Ck_wtjbdx is the one this selection pushes out, deleted once.
  record->backBuffer.Release();
  record->cleanFrame.Release();
  record->statusCopy.Release();
  record->pictureCache.Clear();
  record->tooltip.Destroy();
  windowRecords.Remove(index);
}

void SkinEngine::OnWindowPosChanged(int32_t index, HWND hwnd) {
  WindowSkinRecord* record = RecordAt(index);
  if (record->showMaximizeButton == 1) {
    RECT client{};
    GetClientRect(hwnd, &client);
    if (client.right == GetSystemMetrics(SM_CXSCREEN) &&
        client.bottom == GetSystemMetrics(SM_CYSCREEN)) {
      record->maximised = true;
      const SIZE size = MaximisedSize();
      RECT window{};
      GetWindowRect(hwnd, &window);
      // Without a taskbar the size is already right; setting it again would only recurse.
      if (window.left != 0 || window.top != 0 || window.right - window.left != size.cx ||
          window.bottom - window.top != size.cy) {
        SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOOWNERZORDER);
      }
    }
  }
  index = RecordIndexOf(hwnd);
  record = RecordAt(index);
  if (!record) return;
  LayoutCaptionButtons(index);
  if (record->statusBar.height > 0) LayoutStatusBar(index);
}

void SkinEngine::OnCaptionButton(int32_t index, int32_t button) {
  WindowSkinRecord* record = RecordAt(index);
  if (!record) return;
  const CaptionButton* b = record->Button(button);
  if (!b) return;
  HWND hwnd = record->hwnd;
  switch (b->kind) {
    case kButtonClose:
      SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case kButtonMaximize:
      record->needsFullRedraw = true;
      if (!record->maximised) {
        record->maximised = true;
        record->minimised = false;
        SendMessageW(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
      } else {
        record->minimised = false;
        record->maximised = false;
        SendMessageW(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
      }
      break;
    case kButtonMinimize:
      record->minimised = true;
      SendMessageW(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      break;
    case kButtonHelp:
      if (record->helpCallback) record->helpCallback();
      break;
    case kButtonMainMenu:
      if (record->menuCallback) record->menuCallback();
      break;
    case kButtonCustom:
      if (b->callback) b->callback();
      break;
  }
}

}  // namespace skin
