#include "app/desktop/shell_taskbar.h"

#include "app/data/language.h"

namespace app {
namespace {

// A white glyph on a transparent square of `size` pixels: triangles and bars, scaled whole.
HICON DrawIcon(ThumbIcon icon, int size) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP colour = CreateCompatibleBitmap(screen, size, size);
  HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
  ReleaseDC(nullptr, screen);
  const int u = size / 8 > 0 ? size / 8 : 1;  // one eighth: the glyphs' grid
  auto shape = [&](HBRUSH fill) {
    const HGDIOBJ oldBrush = SelectObject(dc, fill);
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    const auto triangle = [&](int x0, int x1) {  // pointing right when x1 > x0
      const POINT p[3] = {{x0, 2 * u}, {x1, size / 2}, {x0, size - 2 * u}};
      Polygon(dc, p, 3);
    };
    const auto bar = [&](int x) { Rectangle(dc, x, 2 * u, x + u + 1, size - 2 * u + 1); };
    switch (icon) {
      case ThumbIcon::kPlay:
        triangle(2 * u, size - 2 * u);
        break;
      case ThumbIcon::kPause:
        bar(2 * u + u / 2);
        bar(size - 3 * u - u / 2);
        break;
      case ThumbIcon::kNext:
        triangle(u, size - 2 * u);
        bar(size - 2 * u);
        break;
      case ThumbIcon::kPrevious:
        triangle(size - u, 2 * u);
        bar(u);
        break;
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
  };
  const RECT all{0, 0, size, size};
  HGDIOBJ old = SelectObject(dc, mask);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  shape(static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SelectObject(dc, colour);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  shape(static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SelectObject(dc, old);
  ICONINFO info{TRUE, 0, 0, mask, colour};
  HICON result = CreateIconIndirect(&info);
  DeleteObject(colour);
  DeleteObject(mask);
  DeleteDC(dc);
  return result;
}

}  // namespace

ShellTaskbar::ShellTaskbar(HWND window, int dpi) : window_(window) {
  if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                              reinterpret_cast<void**>(list_.Out()))) ||
      !list_ || FAILED(list_->HrInit())) {
    list_.Reset();
    return;
  }
  const int size = MulDiv(16, dpi, 96);
  for (int i = 0; i < 4; ++i) icons_[i] = DrawIcon(static_cast<ThumbIcon>(i), size);
}

ShellTaskbar::~ShellTaskbar() {
  for (HICON icon : icons_) {
    if (icon) DestroyIcon(icon);
  }
}

std::vector<THUMBBUTTON> ShellTaskbar::Describe(const std::vector<ThumbButton>& buttons) const {
  std::vector<THUMBBUTTON> result;
  for (const ThumbButton& b : buttons) {
    THUMBBUTTON t{};
    t.dwMask = THB_ICON | THB_TOOLTIP | THB_FLAGS;
    t.iId = b.id;
    t.hIcon = icons_[static_cast<int>(b.icon)];
    const UiTexts& texts = Texts();
    const wchar_t* tip = b.icon == ThumbIcon::kPrevious ? texts.previousSong
                         : b.icon == ThumbIcon::kNext   ? texts.nextSong
                         : b.icon == ThumbIcon::kPause  ? texts.pause
                                                        : texts.play;
    lstrcpynW(t.szTip, tip, static_cast<int>(std::size(t.szTip)));
    t.dwFlags = THBF_ENABLED;
    result.push_back(t);
  }
  return result;
}

void ShellTaskbar::AddButtons(const std::vector<ThumbButton>& buttons) {
  if (!list_) return;
  std::vector<THUMBBUTTON> b = Describe(buttons);
  list_->ThumbBarAddButtons(window_, static_cast<UINT>(b.size()), b.data());
}

void ShellTaskbar::UpdateButtons(const std::vector<ThumbButton>& buttons) {
  if (!list_) return;
  std::vector<THUMBBUTTON> b = Describe(buttons);
  list_->ThumbBarUpdateButtons(window_, static_cast<UINT>(b.size()), b.data());
}

void ShellTaskbar::SetProgress(TaskbarProgress state, unsigned done, unsigned total) {
  if (!list_) return;
  const TBPFLAG flag = state == TaskbarProgress::kNone     ? TBPF_NOPROGRESS
                       : state == TaskbarProgress::kPaused ? TBPF_PAUSED
                                                           : TBPF_NORMAL;
  list_->SetProgressState(window_, flag);
  if (state != TaskbarProgress::kNone) list_->SetProgressValue(window_, done, total ? total : 1);
}

}  // namespace app
