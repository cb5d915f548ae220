#include "graphics/gfx_tooltip.h"

#include <windows.h>
//
#include <commctrl.h>

#include <cstddef>

#include "graphics/dpi_context.h"
#include "graphics/dpi_font.h"

namespace graphics {

namespace {

// The tool record without the trailing lParam: 40 bytes, understood by every comctl32.
constexpr UINT kToolRecordSize = 40;
static_assert(offsetof(TTTOOLINFOA, lParam) == kToolRecordSize);

TTTOOLINFOA ToolRecord(HWND owner, uint32_t id) {
  TTTOOLINFOA record = {};
  record.cbSize = kToolRecordSize;
  record.uFlags = TTF_SUBCLASS;
  record.hwnd = owner;
  record.uId = id;
  return record;
}

}  // namespace

HWND GfxToolTip::Create(HWND owner, bool balloon) {
  owner_ = owner;
  const DWORD style = balloon ? (TTS_ALWAYSTIP | TTS_BALLOON) : TTS_ALWAYSTIP;
  window_ =
      CreateWindowExA(0, "ToolTips_class32", "", style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  // The control takes the system's font, made for the system's DPI; the hint shows at its
  // owner's.
  if (window_ && owner) {
    const auto font = reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0));
    const HFONT scaled = FontForDpi(font, SystemDpi(), DpiForWindow(owner));
    if (scaled != font) SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(scaled), FALSE);
  }
  return window_;
}

void GfxToolTip::AddTool(const RECT& rect, const char* text, uint32_t id) {
  TTTOOLINFOA record = ToolRecord(owner_, id);
  record.rect = rect;
  record.lpszText = const_cast<char*>(text ? text : "");
  SendMessageA(window_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&record));
}

void GfxToolTip::AddCallbackTool(const RECT& rect, uint32_t id) {
  TTTOOLINFOA record = ToolRecord(owner_, id);
  record.rect = rect;
  record.lpszText = LPSTR_TEXTCALLBACKA;
  SendMessageA(window_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&record));
}

void GfxToolTip::SetBackColour(COLORREF colour) {
  SendMessageA(window_, TTM_SETTIPBKCOLOR, colour, 0);
}

void GfxToolTip::SetTextColour(COLORREF colour) {
  SendMessageA(window_, TTM_SETTIPTEXTCOLOR, colour, 0);
}

void GfxToolTip::SetMaxWidth(int32_t width) { SendMessageA(window_, TTM_SETMAXTIPWIDTH, 0, width); }

void GfxToolTip::DeleteTool(uint32_t id) {
  TTTOOLINFOA record = ToolRecord(owner_, id);
  SendMessageA(window_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&record));
}

void GfxToolTip::SetToolRect(uint32_t id, const RECT& rect) {
  TTTOOLINFOA record = ToolRecord(owner_, id);
  record.rect = rect;
  SendMessageA(window_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&record));
}

void GfxToolTip::SetToolText(uint32_t id, const char* text) {
  TTTOOLINFOA record = ToolRecord(owner_, id);
  record.lpszText = const_cast<char*>(text ? text : "");
  SendMessageA(window_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&record));
}

void GfxToolTip::Destroy() {
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
}

}  // namespace graphics
