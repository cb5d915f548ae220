// The one skin engine object.
#pragma once

#include <windows.h>

#include <cstdint>

namespace skin {

class SkinEngine {
 public:
  using FrameProc = LRESULT(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);
  using ButtonAction = void(CALLBACK*)(int32_t, int32_t);

  // Binds both entry points to this object and takes the system window colour.
  SkinEngine();
  // Destroys appIcon and shuts GDI+ down with gdiplusToken.
  ~SkinEngine();
  SkinEngine(const SkinEngine&) = delete;
  SkinEngine& operator=(const SkinEngine&) = delete;

  FrameProc frameProcEntry = nullptr;
  int32_t frameMargin = 0;
  int32_t pointedButton = 0;
  ButtonAction buttonActionEntry = nullptr;
  intptr_t buttonActionAddress = 0;
};

}  // namespace skin
