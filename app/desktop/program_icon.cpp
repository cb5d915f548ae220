#include "app/desktop/program_icon.h"

#include <commctrl.h>

#include <span>

#include "app/desktop/ico_file.h"
#include "embedded/resources.h"
#include "graphics/dpi_context.h"
#include "graphics/system_call.h"

namespace app {
namespace {

constexpr int kIconResource = 129;

// It arrived with Vista: looked up, so the program still starts where it is missing.
using LoadIconWithScaleDownFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);

HICON FromEmbeddedFile(int size) {
  const std::span<const uint8_t> image = PickIcoImage(resources::player_ico, size);
  if (image.empty()) return nullptr;
  return CreateIconFromResourceEx(const_cast<PBYTE>(image.data()), static_cast<DWORD>(image.size()),
                                  TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR);
}

void Replace(HWND window, WPARAM kind, HICON& kept, int size) {
  HICON icon = LoadProgramIcon(size);
  if (!icon) return;
  SendMessageW(window, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
  if (kept) DestroyIcon(kept);
  kept = icon;
}

}  // namespace

HICON LoadProgramIcon(int size) {
  if (size <= 0) return nullptr;
  HINSTANCE module = GetModuleHandleW(nullptr);
  const auto scaleDown =
      graphics::SystemCall<LoadIconWithScaleDownFn>(L"comctl32.dll", "LoadIconWithScaleDown");
  HICON icon = nullptr;
  // Scaling down from a larger image keeps the edges crisp; LoadImage would enlarge a smaller.
  if (scaleDown &&
      SUCCEEDED(scaleDown(module, MAKEINTRESOURCEW(kIconResource), size, size, &icon)) && icon) {
    return icon;
  }
  icon = static_cast<HICON>(
      LoadImageW(module, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  return icon ? icon : FromEmbeddedFile(size);
}

void SetWindowIcons(HWND window, WindowIcons& kept) {
  const int dpi = graphics::DpiForWindow(window);
  Replace(window, ICON_BIG, kept.big, graphics::SystemMetricForDpi(SM_CXICON, dpi));
  Replace(window, ICON_SMALL, kept.small, graphics::SystemMetricForDpi(SM_CXSMICON, dpi));
}

}  // namespace app
