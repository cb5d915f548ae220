// Prints what one hover repaint of each control face and one panel paint cost under Wine, next to
// one BitBlt of the same size. Run on a display:
//   wine build-test/tests/skin/skin_controls_bench.exe
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "graphics/dpi_context.h"
#include "graphics/dpi_scale.h"
#include "skin/controls/button_faces.h"
#include "skin/controls/button_skin.h"
#include "skin/controls/combo_skin.h"
#include "skin/controls/edit_skin.h"
#include "skin/controls/face_layers.h"
#include "skin/controls/list_control.h"
#include "skin/controls/panel.h"
#include "skin/controls/progress_bar.h"
#include "skin/controls/slider.h"
#include "skin/controls/up_down.h"
#include "skin/gdi/gdi_handles.h"
#include "skin/property_keys.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "tests/skin/bench/bench_support.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

using skin_bench::Now;

std::vector<uint8_t> ReadPicture() { return skin_bench::ReadPicture(PICTURE_UNIX); }

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w,
           int h) {
  // At the screen's DPI, as the program lays its units out.
  const RECT r = graphics::ScaleBox(x, y, w, h, graphics::SystemDpi());
  HWND child =
      CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                      r.bottom - r.top, parent, nullptr, nullptr, nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  return child;
}

// The median call: one slow call from the scheduler or Wine's server moves a mean by more than
// the differences between builds this bench is run to see.
template <typename F>
double PerCall(int count, F f) {
  f();
  std::vector<double> times;
  for (int i = 0; i < count; ++i) {
    const double t0 = Now();
    f();
    times.push_back(Now() - t0);
  }
  std::nth_element(times.begin(), times.begin() + count / 2, times.end());
  return times[count / 2];
}

void Row(const char* what, HWND control, double face) {
  RECT r{};
  GetClientRect(control, &r);
  HDC dc = GetDC(control);
  skin::MemoryDc source;
  source.EnsureDc();
  source.SelectNewDib(r.right, r.bottom);
  const double blit = PerCall(200, [&] {
    BitBlt(dc, 0, 0, r.right, r.bottom, source.dc(), 0, 0, SRCCOPY);
    GdiFlush();
  });
  ReleaseDC(control, dc);
  std::printf("%-28s %4ldx%-4ld %8.3f ms   BitBlt %7.3f ms   ratio %6.1f\n", what, r.right,
              r.bottom, face, blit, blit > 0 ? face / blit : 0.0);
}

}  // namespace

int main() {
  skin_test::engine = new skin::SkinEngine();
  skin_test::engine->gdiplusToken = skin::StartGdiplus();
  skin_test::WatchPaints(*skin_test::engine);
  const std::vector<uint8_t> picture = ReadPicture();
  if (picture.empty()) {
    std::printf("cannot read the picture %s\n", PICTURE_UNIX);
    return 1;
  }
  {
    const int dpi = graphics::SystemDpi();
    skin_test::TestWindow window(graphics::ScaleLength(634, dpi), graphics::ScaleLength(388, dpi));
    HWND hwnd = window.hwnd();
    HWND box = Child(hwnd, "Button", "", BS_GROUPBOX, 18, 16, 374, 256);
    HWND push = Child(box, "Button", "换一批", BS_PUSHBUTTON, 7, 193, 61, 24);
    HWND radio = Child(box, "Button", "列表循环", BS_AUTORADIOBUTTON, 5, 170, 68, 25);
    HWND check = Child(box, "Button", "复选", BS_AUTOCHECKBOX, 100, 170, 68, 25);
    // The player's visible list, with enough songs to scroll, and a bar of the loading window's.
    HWND list = Child(box, "ListBox", "",
                      WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 9, 13, 59, 137);
    for (int i = 1; i <= 40; ++i) {
      SendMessageA(list, LB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(("歌曲" + std::to_string(i)).c_str()));
    }
    HWND progress = Child(hwnd, "msctls_progress32", "", 0, 18, 290, 390, 80);
    SendMessageA(progress, PBM_SETPOS, 60, 0);
    HWND edit = Child(hwnd, "Edit", "文本", ES_AUTOHSCROLL, 410, 30, 160, 22);
    SetWindowLongA(edit, GWL_EXSTYLE, WS_EX_CLIENTEDGE);  // a frame in the non-client area
    SetWindowPos(edit, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    HWND combo = Child(hwnd, "ComboBox", "", CBS_DROPDOWNLIST, 410, 70, 160, 200);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("列表循环"));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    HWND slider = Child(hwnd, TRACKBAR_CLASSA, "", TBS_AUTOTICKS, 410, 110, 160, 32);
    HWND spin = Child(hwnd, UPDOWN_CLASSA, "", 0, 410, 160, 18, 30);
    skin_test::SkinLikeTheApplication(hwnd, picture);
    skin_test::engine->AttachPanel(box, 1, GetSysColor(COLOR_WINDOW), 0);
    skin_test::Pump(300);
    constexpr int kCount = 100;
    std::printf("at %d dpi: ", dpi);
    std::printf("one hover repaint of each face (median of %d runs), and one BitBlt of its size:\n",
                kCount);
    namespace c = skin::controls;
    Row("push button, hot", push, PerCall(kCount, [&] { c::RedrawButton(push, 0, 1); }));
    Row("push button, hot + focus", push,
        PerCall(kCount, [&] { c::RedrawButton(push, c::kStateFocus, 1); }));
    Row("radio button, hot", radio, PerCall(kCount, [&] { c::RedrawButton(radio, 0, 1); }));
    Row("check box, hot", check, PerCall(kCount, [&] { c::RedrawButton(check, 0, 1); }));
    Row("edit frame, hot", edit, PerCall(kCount, [&] { c::PaintEditFrame(edit, 1); }));
    c::ComboOf(combo)->hot = true;
    Row("combo box, hot", combo, PerCall(kCount, [&] { c::PaintCombo(combo); }));
    c::SliderOf(slider)->hot = true;
    Row("slider, hot", slider, PerCall(kCount, [&] { c::PaintSlider(slider); }));
    c::UpDownOf(spin)->hotPart = 0;
    c::UpDownOf(spin)->hot = true;
    Row("up-down, upper half hot", spin, PerCall(kCount, [&] { c::PaintUpDown(spin); }));
    c::ListSkinOf(list)->hot = true;
    Row("list box frame, hot", list, PerCall(kCount, [&] { c::PaintListFrame(list); }));
    c::ListSkinOf(list)->hot = false;
    c::ListSkinOf(list)->focused = true;
    Row("list box frame, focused", list, PerCall(kCount, [&] { c::PaintListFrame(list); }));
    Row("progress bar (no hover)", progress,
        PerCall(kCount, [&] { c::PaintProgressBar(progress); }));
    skin_test::engine->highlightAlpha =
        160;  // the player passes 0, which hides the wash the row measures
    int step = 0;
    Row("list box wheel step, wash", list, PerCall(kCount / 2, [&] {
          const int delta = (step++ / 4) % 2 ? WHEEL_DELTA : -WHEEL_DELTA;
          SendMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
          UpdateWindow(list);
          GdiFlush();
        }));
    Row("panel (group box)", box, PerCall(kCount / 4, [&] {
          HDC dc = GetDC(box);
          c::PaintPanel(box, dc);
          ReleaseDC(box, dc);
        }));
  }
  delete skin_test::engine;
  return 0;
}
