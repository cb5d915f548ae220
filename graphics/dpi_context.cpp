#include "graphics/dpi_context.h"

#include "graphics/dpi_scale.h"
#include "graphics/system_call.h"

namespace graphics {
namespace {

template <typename F>
F UserCall(const char* name) {
  return SystemCall<F>(L"user32.dll", name);
}

// DPI_AWARENESS_CONTEXT values; older headers lack them.
const HANDLE kPerMonitorV2 = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-4));
const HANDLE kPerMonitor = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-3));

}  // namespace

bool DeclareDpiAwareness() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  if (const auto set = UserCall<SetContext>("SetProcessDpiAwarenessContext")) {
    if (set(kPerMonitorV2) || set(kPerMonitor)) return true;
    // Refused when the manifest already settled it.
    if (GetLastError() == ERROR_ACCESS_DENIED) return true;
  }
  using SetAwareness = HRESULT(WINAPI*)(int);
  if (const auto set = SystemCall<SetAwareness>(L"shcore.dll", "SetProcessDpiAwareness")) {
    const HRESULT result = set(2);  // per monitor
    if (result == S_OK || result == E_ACCESSDENIED) return true;
  }
  using SetAware = BOOL(WINAPI*)();
  const auto set = UserCall<SetAware>("SetProcessDPIAware");
  return set && set();
}

int SystemDpi() {
  using ForSystem = UINT(WINAPI*)();
  if (const auto get = UserCall<ForSystem>("GetDpiForSystem")) return static_cast<int>(get());
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : kDesignDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

int DpiForWindow(HWND window) {
  using ForWindow = UINT(WINAPI*)(HWND);
  static const auto get = UserCall<ForWindow>("GetDpiForWindow");
  const int dpi = get && window ? static_cast<int>(get(window)) : 0;
  return dpi > 0 ? dpi : SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
  using ForDpi = int(WINAPI*)(int, UINT);
  static const auto get = UserCall<ForDpi>("GetSystemMetricsForDpi");
  if (get) return get(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

}  // namespace graphics
