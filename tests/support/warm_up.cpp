// warm-up: starts what Wine starts on a program's first window and first COM call (the desktop
// process, the RPC service), so that they do not start inside a test, inherit its output pipes
// and keep its run open until the time-out.
#include <windows.h>
//
#include <objbase.h>

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IStream* stream = nullptr;
  if (SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) stream->Release();
  HWND window = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  if (window) DestroyWindow(window);
  CoUninitialize();
  return 0;
}
