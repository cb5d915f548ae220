// Hints over areas of one owner window, through a window of the common tooltip class.
#pragma once

#include <windows.h>

#include <cstdint>

namespace graphics {

// The tooltip window has no parent and is left to the end of the process unless Destroy is
// called. Every tool is added with TTF_SUBCLASS, so the owner never relays mouse messages.
class GfxToolTip {
 public:
  // Style TTS_ALWAYSTIP, plus TTS_BALLOON with the balloon flag. Returns the tooltip window.
  HWND Create(HWND owner, bool balloon = false);
  // The text is copied by the control. Rectangles are in the owner's client coordinates.
  void AddTool(const RECT& rect, const wchar_t* text, uint32_t id);
  // The control asks the owner for the text (TTN_GETDISPINFOW) when it shows the hint.
  void AddCallbackTool(const RECT& rect, uint32_t id);
  void SetBackColour(COLORREF colour);
  void SetTextColour(COLORREF colour);
  void SetMaxWidth(int32_t width);
  void DeleteTool(uint32_t id);
  void SetToolRect(uint32_t id, const RECT& rect);
  void SetToolText(uint32_t id, const wchar_t* text);
  HWND GetWindow() const { return window_; }
  HWND GetOwner() const { return owner_; }
  void Destroy();

 private:
  HWND window_ = nullptr;
  HWND owner_ = nullptr;
};

}  // namespace graphics
