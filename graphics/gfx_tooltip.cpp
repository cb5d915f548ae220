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
static_assert(offsetof(TTTOOLINFOW, lParam) == kToolRecordSize);

TTTOOLINFOW ToolRecord(HWND owner, uint32_t id) {
  TTTOOLINFOW record = {};
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
  window_ = CreateWindowExW(0, L"ToolTips_class32", L"", style, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  // The control takes the system's font, made for the system's DPI; the hint shows at its
  // owner's.
  if (window_ && owner) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
    const HFONT scaled = FontForDpi(font, SystemDpi(), DpiForWindow(owner));
    if (scaled != font) SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(scaled), FALSE);
  }
  return window_;
}

void GfxToolTip::AddTool(const RECT& rect, const wchar_t* text, uint32_t id) {
  TTTOOLINFOW record = ToolRecord(owner_, id);
  record.rect = rect;
  record.lpszText = const_cast<wchar_t*>(text ? text : L"");
  SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&record));
}

void GfxToolTip::AddCallbackTool(const RECT& rect, uint32_t id) {
  TTTOOLINFOW record = ToolRecord(owner_, id);
  record.rect = rect;
  record.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&record));
}

void GfxToolTip::SetBackColour(COLORREF colour) {
  SendMessageW(window_, TTM_SETTIPBKCOLOR, colour, 0);
}

void GfxToolTip::SetTextColour(COLORREF colour) {
  SendMessageW(window_, TTM_SETTIPTEXTCOLOR, colour, 0);
}

void GfxToolTip::SetMaxWidth(int32_t width) { SendMessageW(window_, TTM_SETMAXTIPWIDTH, 0, width); }

void GfxToolTip::DeleteTool(uint32_t id) {
  TTTOOLINFOW record = ToolRecord(owner_, id);
  SendMessageW(window_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&record));
}

void GfxToolTip::SetToolRect(uint32_t id, const RECT& rect) {
  TTTOOLINFOW record = ToolRecord(owner_, id);
  record.rect = rect;
  SendMessageW(window_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&record));
}

void GfxToolTip::SetToolText(uint32_t id, const wchar_t* text) {
  TTTOOLINFOW record = ToolRecord(owner_, id);
  record.lpszText = const_cast<wchar_t*>(text ? text : L"");
  SendMessageW(window_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&record));
}

void GfxToolTip::Destroy() {
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
}

}  // namespace graphics
