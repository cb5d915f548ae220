// Headers (standalone and a list view's) and a control handed to the engine on its own.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "skin/controls/face_canvas.h"
#include "skin/controls/family.h"
#include "skin/controls/header.h"
#include "skin/gdi/gdi_handles.h"
#include "skin/property_keys.h"
#include "skin/skin_settings.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

namespace c = skin::controls;
using skin_test::RecordOf;
using skin_test::TestWindow;

HWND Child(HWND parent, const char* cls, DWORD style, int x, int y, int w, int h) {
  return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                         nullptr, nullptr);
}

void AddItems(HWND header) {
  HDITEMA item{};
  item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
  item.cxy = 60;
  item.fmt = HDF_CENTER | HDF_STRING;
  for (const char* s : {"one", "two"}) {
    item.pszText = const_cast<char*>(s);
    SendMessageA(header, HDM_INSERTITEMA, 9, reinterpret_cast<LPARAM>(&item));
  }
}

TEST(HeaderSkin, StandaloneAndListViewHeadersLightTheItemUnderThePointer) {
  skin_test::ResetSkinSettings();
  TestWindow window(320, 200);
  HWND header = Child(window.hwnd(), "SysHeader32", HDS_BUTTONS, 10, 40, 200, 22);
  AddItems(header);
  HWND view = Child(window.hwnd(), "SysListView32", LVS_REPORT, 10, 80, 200, 100);
  LVCOLUMNA column{};
  column.mask = LVCF_WIDTH;
  column.cx = 80;
  SendMessageA(view, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  skin_test::SkinLikeTheApplication(window.hwnd(), skin_test::SolidPicture(8, 8, RGB(0, 0, 255)));
  const auto& headers = RecordOf(window.hwnd())->controls[skin::kListHeaders];
  ASSERT_EQ(headers.size(), 2u);
  EXPECT_EQ(c::SlotOf(headers, header), 1);
  EXPECT_EQ(c::SlotOf(headers, FindWindowExA(view, nullptr, "SysHeader32", nullptr)), 2);

  // A point of each item away from its caption, as the screen shows it.
  using skin_test::WindowPixel;
  UpdateWindow(header);
  const COLORREF first = WindowPixel(header, 5, 5);
  const COLORREF second = WindowPixel(header, 65, 5);
  skin_test::SendMouse(header, WM_MOUSEMOVE, 10, 10);
  EXPECT_NE(WindowPixel(header, 5, 5), first);
  EXPECT_EQ(WindowPixel(header, 65, 5), second);
  skin_test::MarkWindowPixel(header, 8, 15, RGB(255, 0, 255));
  skin_test::SendMouse(header, WM_MOUSEMOVE, 20, 10);  // same item: nothing new
  EXPECT_EQ(WindowPixel(header, 8, 15), RGB(255, 0, 255));
  skin_test::SendMouse(header, WM_MOUSEMOVE, 70, 10);
  EXPECT_EQ(WindowPixel(header, 5, 5), first);
  EXPECT_NE(WindowPixel(header, 65, 5), second);
  SendMessageA(header, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(WindowPixel(header, 65, 5), second);
  // A pressed item sinks; the other item is drawn as before.
  auto painted = [&](int32_t hot, int32_t pressed) {
    skin::MemoryDc surface;
    surface.SelectNewDib(200, 22);
    c::PaintHeader(header, surface.dc(), hot, pressed);
    return std::pair{GetPixel(surface.dc(), 5, 5), GetPixel(surface.dc(), 65, 5)};
  };
  const auto lit = painted(0, -1);
  const auto down = painted(0, 0);
  EXPECT_NE(down.first, lit.first);
  EXPECT_EQ(down.second, lit.second);
}

TEST(CommonControlSkin, TheControlStillDrawsItselfOverItsBackdrop) {
  skin_test::ResetSkinSettings();
  TestWindow window(320, 200);
  skin_test::SkinLikeTheApplication(window.hwnd(), skin_test::SolidPicture(8, 8, RGB(0, 0, 255)));
  HWND bar =
      Child(window.hwnd(), "msctls_statusbar32", CCS_NOPARENTALIGN | CCS_NORESIZE, 10, 40, 200, 22);
  SetWindowTextA(bar, "status");
  skin_test::engine->AttachCommonControl(bar);
  EXPECT_EQ(skin::prop::Get(bar, skin::prop::Kj_FuID), skin_test::IndexOf(window.hwnd()));
  EXPECT_NE(skin::prop::Get(bar, skin::prop::Kj_hProc), 0);
  const uint32_t before = skin_test::faceWork().paints;
  RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(skin_test::faceWork().paints, before + 1);
  EXPECT_EQ(skin_test::faceWork().lastWindow, bar);
  // Its text is still there: the face is not just the backdrop.
  HDC dc = GetDC(bar);
  int darkPixels = 0;
  for (int x = 0; x < 80; ++x) {
    for (int y = 2; y < 20; ++y) {
      const COLORREF p = GetPixel(dc, x, y);
      if (GetRValue(p) < 80 && GetGValue(p) < 80 && GetBValue(p) < 80) ++darkPixels;
    }
  }
  ReleaseDC(bar, dc);
  EXPECT_GT(darkPixels, 5);
}

}  // namespace
