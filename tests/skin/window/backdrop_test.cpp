// What lies behind a control: the backdrop DCs, their cache, the container search, the panel
// overlay, and the WM_CTLCOLOR* brushes the frame builds from them.
#include <gtest/gtest.h>

#include "skin/backdrop/control_backdrop.h"
#include "skin/gdi/gdi_handles.h"
#include "skin/gdi/gdi_object_cache.h"
#include "skin/property_keys.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "skin/window_records.h"
#include "tests/skin/window/resource_count.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

using skin_test::RecordOf;
using skin_test::TestWindow;

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kMark = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

HWND Child(const char* cls, HWND parent, int x, int y, int w, int h, DWORD style = 0) {
  return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                         nullptr, nullptr);
}

COLORREF PixelOfBitmap(HBITMAP bitmap, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}

class Backdrop : public testing::Test {
 protected:
  void SetUp() override {
    skin_test::ResetSkinSettings();
    skin_test::engine->frameFirstRun = 0;
    engine = skin_test::engine;
    engine->SetSkin(L"", skin_test::SolidPicture(8, 8, kBlue), kBlue, std::nullopt, 3);
    window = std::make_unique<TestWindow>(300, 200);
    engine->AttachWindow(window->hwnd());
    RedrawWindow(window->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    back = RecordOf(window->hwnd())->backBuffer.dc();
    ASSERT_NE(back, nullptr);
  }
  skin::SkinEngine* engine = nullptr;
  std::unique_ptr<TestWindow> window;
  HDC back = nullptr;
};

TEST_F(Backdrop, CopiesTheFrameBehindTheRectangleOffsetInTheControl) {
  HWND control = Child("Static", window->hwnd(), 40, 50, 60, 30);
  SetPixel(back, 40 + 3, 50 + 3, kMark);
  SetPixel(back, 40 + 12, 50 + 7, kMark);
  const RECT r{3, 3, 23, 13};
  HDC dc = skin::ControlBackdrop(control, r);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetPixel(dc, 0, 0), kMark);
  EXPECT_EQ(GetPixel(dc, 9, 4), kMark);
  EXPECT_EQ(GetPixel(dc, 5, 5), kBlue);
  BITMAP bm{};
  GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof(bm), &bm);
  EXPECT_EQ(bm.bmWidth, 20);
  EXPECT_EQ(bm.bmHeight, 10);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(skin::ReleaseControlBackdrop(control, dc), 1);
}

TEST_F(Backdrop, CacheEntriesReleaseInEitherOrder) {
  HWND a = Child("Static", window->hwnd(), 10, 40, 50, 20);
  HWND b = Child("Static", window->hwnd(), 10, 70, 50, 20);
  const skin::GdiObjectCache& cache = engine->backdropDcs;
  const size_t entries = cache.size();
  const int free = skin_test::FreeGdiSlots();
  for (bool firstFirst : {true, false}) {
    HDC da = skin::ControlBackdrop(a, RECT{0, 0, 50, 20});
    HDC db = skin::ControlBackdrop(b, RECT{0, 0, 50, 20});
    ASSERT_NE(da, db);
    EXPECT_EQ(cache.size(), entries + 2);
    const HGDIOBJ bitmapA = GetCurrentObject(da, OBJ_BITMAP);
    EXPECT_EQ(
        firstFirst ? skin::ReleaseControlBackdrop(a, da) : skin::ReleaseControlBackdrop(b, db), 1);
    EXPECT_EQ(cache.size(), entries + 1);
    EXPECT_EQ(
        firstFirst ? skin::ReleaseControlBackdrop(b, db) : skin::ReleaseControlBackdrop(a, da), 1);
    EXPECT_EQ(cache.size(), entries);
    EXPECT_EQ(GetObjectType(da), 0u);
    EXPECT_EQ(GetObjectType(bitmapA), 0u);
    EXPECT_EQ(skin_test::FreeGdiSlots(), free);
    EXPECT_EQ(skin::ReleaseControlBackdrop(a, da), 0);  // not twice
  }
  EXPECT_EQ(skin::ReleaseControlBackdrop(a, nullptr), 0);
  HDC stranger = CreateCompatibleDC(nullptr);
  EXPECT_EQ(skin::ReleaseControlBackdrop(a, stranger), 0);
  EXPECT_NE(GetObjectType(stranger), 0u);  // left alone
  DeleteDC(stranger);
}

// DCs never handed back go with the cache that holds them (the engine's), bitmaps and all.
TEST_F(Backdrop, ACacheFreesTheDcsStillOutWhenItGoes) {
  const int free = skin_test::FreeGdiSlots();
  HDC first = nullptr;
  HGDIOBJ bitmap = nullptr;
  {
    skin::GdiObjectCache cache;
    skin::MemoryDc a, b;
    ASSERT_TRUE(a.SelectNewDib(8, 8) && b.SelectNewDib(4, 4));
    first = cache.Register(std::move(a));
    HDC second = cache.Register(std::move(b));
    bitmap = GetCurrentObject(second, OBJ_BITMAP);
    EXPECT_EQ(skin_test::FreeGdiSlots(), free - 4);
    EXPECT_EQ(cache.Register(skin::MemoryDc()), nullptr);
    EXPECT_EQ(cache.size(), 2u);
  }
  EXPECT_EQ(GetObjectType(first), 0u);
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_EQ(skin_test::FreeGdiSlots(), free);
}

// A memory DC refused a bitmap (it is selected in another DC) keeps the one it holds selected.
TEST_F(Backdrop, AMemoryDcKeepsItsBitmapWhenItCannotTakeAnother) {
  HDC elsewhere = CreateCompatibleDC(nullptr);
  const HBITMAP busy = skin::MakeDib32(4, 4).Take();  // the refused Select's to delete
  const HGDIOBJ original = SelectObject(elsewhere, busy);
  skin::MemoryDc memory;
  ASSERT_TRUE(memory.SelectNewDib(4, 4));
  const HBITMAP held = memory.bitmap();
  EXPECT_FALSE(memory.Select(skin::ScopedBitmap(busy), 4, 4));
  EXPECT_EQ(memory.bitmap(), held);
  EXPECT_EQ(GetCurrentObject(memory.dc(), OBJ_BITMAP), held);
  SelectObject(elsewhere, original);
  DeleteDC(elsewhere);
}

TEST_F(Backdrop, ContainerSearchFindsWindowPanelAndOuterContainer) {
  HWND box = Child("Button", window->hwnd(), 20, 30, 200, 150, BS_GROUPBOX);
  HWND inPanel = Child("Static", box, 10, 20, 40, 20);
  HWND direct = Child("Static", window->hwnd(), 240, 40, 40, 20);
  engine->AttachPanel(box, 1, 0xFFFFFF, 0);
  skin::ContainerLocation at = skin::LocateContainer(direct, true);
  EXPECT_EQ(at.kind, skin::ContainerLocation::kWindow);
  EXPECT_EQ(at.record, RecordOf(window->hwnd()));
  at = skin::LocateContainer(inPanel, true);
  EXPECT_EQ(at.kind, skin::ContainerLocation::kPanel);
  EXPECT_EQ(at.panel, 1);
  EXPECT_EQ(at.window, box);
  // The panel itself is not its own container.
  at = skin::LocateContainer(box, true);
  EXPECT_EQ(at.kind, skin::ContainerLocation::kWindow);

  skin::prop::Set(box, skin::prop::Wxk_Zpf, 1);
  EXPECT_EQ(skin::LocateContainer(inPanel, true).kind, skin::ContainerLocation::kOuter);
  EXPECT_EQ(skin::LocateContainer(inPanel, false).kind, skin::ContainerLocation::kPanel);
  EXPECT_EQ(skin::LocateContainer(box, true).kind, skin::ContainerLocation::kOuter);
  RemovePropW(box, skin::prop::Wxk_Zpf);

  TestWindow bare(100, 100);
  HWND lonely = Child("Static", bare.hwnd(), 5, 5, 20, 20);
  EXPECT_EQ(skin::LocateContainer(lonely, true).kind, skin::ContainerLocation::kNone);
  HDC dc = skin::ControlBackdrop(lonely, RECT{0, 0, 20, 20});
  // No engine skinned its window: the system's window colour, which an engine starts with.
  EXPECT_EQ(GetPixel(dc, 5, 5), GetSysColor(COLOR_WINDOW));
  // Its control keeps the DC until it comes back, and lets go of nothing else.
  HDC stranger = CreateCompatibleDC(nullptr);
  EXPECT_EQ(skin::ReleaseControlBackdrop(lonely, stranger), 0);
  EXPECT_NE(GetObjectType(stranger), 0u);
  DeleteDC(stranger);
  EXPECT_EQ(skin::ReleaseControlBackdrop(lonely, dc), 1);
  EXPECT_EQ(GetObjectType(dc), 0u);
  EXPECT_EQ(skin::ReleaseControlBackdrop(lonely, dc), 0);
}

TEST_F(Backdrop, PanelOverlayIsLaidOverTheFrame) {
  HWND plain = Child("Button", window->hwnd(), 10, 30, 120, 80, BS_GROUPBOX);
  HWND red = Child("Button", window->hwnd(), 140, 30, 120, 80, BS_GROUPBOX);
  HWND round = Child("Button", window->hwnd(), 10, 115, 120, 80, BS_GROUPBOX);
  HWND a = Child("Static", plain, 10, 10, 30, 30);
  HWND b = Child("Static", red, 10, 10, 30, 30);
  HWND c = Child("Static", round, 0, 0, 60, 40);
  engine->AttachPanel(plain, 1, 0, 255);  // colour 0: no overlay
  engine->AttachPanel(red, 1, kRed, 255);
  engine->AttachPanel(round, 1, kRed, 255, 1);  // rounded: from y 5 down

  HDC da = skin::ControlBackdrop(a, RECT{0, 0, 30, 30});
  EXPECT_EQ(GetPixel(da, 15, 15), kBlue);
  HDC db = skin::ControlBackdrop(b, RECT{0, 0, 30, 30});
  EXPECT_EQ(GetPixel(db, 15, 15), kRed);
  HDC dc = skin::ControlBackdrop(c, RECT{0, 0, 60, 40});
  EXPECT_EQ(GetPixel(dc, 30, 20), kRed);
  EXPECT_EQ(GetPixel(dc, 30, 2), kBlue);
  // The rounded shape is the panel's, not the control's: lower down, the top rows are red too.
  HWND d = Child("Static", round, 10, 20, 30, 30);
  HDC dd = skin::ControlBackdrop(d, RECT{0, 0, 30, 30});
  EXPECT_EQ(GetPixel(dd, 15, 2), kRed);
  EXPECT_EQ(skin::ReleaseControlBackdrop(a, da), 1);
  EXPECT_EQ(skin::ReleaseControlBackdrop(b, db), 1);
  EXPECT_EQ(skin::ReleaseControlBackdrop(c, dc), 1);
  EXPECT_EQ(skin::ReleaseControlBackdrop(d, dd), 1);

  // A lower overlay alpha lets the frame show through.
  engine->SetPanelAlpha(red, 128);
  db = skin::ControlBackdrop(b, RECT{0, 0, 30, 30});
  const COLORREF mixed = GetPixel(db, 15, 15);
  EXPECT_GT(GetRValue(mixed), 100);
  EXPECT_GT(GetBValue(mixed), 100);
  skin::ReleaseControlBackdrop(b, db);
}

TEST_F(Backdrop, OuterContainerLendsItsOwnPaintedDc) {
  HWND outer = Child("Static", window->hwnd(), 20, 40, 100, 100);
  HWND inner = Child("Static", outer, 10, 10, 40, 40);
  HDC painted = CreateCompatibleDC(nullptr);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 100, 100);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(painted, bitmap);
  RECT all{0, 0, 100, 100};
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
  FillRect(painted, &all, green);
  DeleteObject(green);
  SetPixel(painted, 10 + 3, 10 + 3, kMark);
  skin::prop::Set(outer, skin::prop::Wxk_Zpf, 1);
  skin::prop::Set(outer, skin::prop::Wxk_Cj, reinterpret_cast<intptr_t>(painted));
  HDC dc = skin::ControlBackdrop(inner, RECT{3, 3, 13, 13});
  EXPECT_EQ(GetPixel(dc, 0, 0), kMark);
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(0, 255, 0));
  skin::ReleaseControlBackdrop(inner, dc);
  RemovePropW(outer, skin::prop::Wxk_Zpf);
  RemovePropW(outer, skin::prop::Wxk_Cj);
  SelectObject(painted, old);
  DeleteObject(bitmap);
  DeleteDC(painted);
}

LRESULT Colour(HWND window, UINT message, HWND control) {
  HDC dc = GetDC(control);
  const LRESULT result = SendMessageA(window, message, reinterpret_cast<WPARAM>(dc),
                                      reinterpret_cast<LPARAM>(control));
  ReleaseDC(control, dc);
  return result;
}

TEST_F(Backdrop, ControlColourBrushesReplaceThePreviousOnes) {
  engine->SetOptions(1, 0);  // as the application: colouring on, white wash of alpha 0
  HWND label = Child("Static", window->hwnd(), 40, 60, 80, 20);
  SetPixel(back, 40 + 5, 60 + 5, kMark);
  const LRESULT first = Colour(window->hwnd(), WM_CTLCOLORSTATIC, label);
  ASSERT_NE(first, 0);
  EXPECT_EQ(skin::prop::Get(label, skin::prop::Kj_dxjb), first);
  const auto bitmap = skin::prop::GetAs<HBITMAP>(label, skin::prop::Kj_wtjb);
  ASSERT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_EQ(PixelOfBitmap(bitmap, 5, 5), kMark);  // the frame behind the label
  EXPECT_EQ(PixelOfBitmap(bitmap, 20, 10), kBlue);

  const int free = skin_test::FreeGdiSlots();
  const LRESULT second = Colour(window->hwnd(), WM_CTLCOLORSTATIC, label);
  EXPECT_EQ(skin::prop::Get(label, skin::prop::Kj_dxjb), second);
  EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(second)), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(skin_test::FreeGdiSlots(), free);  // one brush and one bitmap per control, always

  // A white wash at the highlight alpha.
  engine->SetOptions(1, 255);
  Colour(window->hwnd(), WM_CTLCOLORSTATIC, label);
  EXPECT_EQ(PixelOfBitmap(skin::prop::GetAs<HBITMAP>(label, skin::prop::Kj_wtjb), 20, 10),
            RGB(255, 255, 255));
}

TEST_F(Backdrop, ControlColourCasesThatTakeTheDefaultPath) {
  engine->SetOptions(1, 0);
  HWND combo = Child("ComboBox", window->hwnd(), 10, 40, 100, 100, CBS_DROPDOWN);
  HWND comboEdit = FindWindowExA(combo, nullptr, "Edit", nullptr);
  ASSERT_NE(comboEdit, nullptr);
  Colour(window->hwnd(), WM_CTLCOLOREDIT, comboEdit);
  EXPECT_EQ(skin::prop::Get(comboEdit, skin::prop::Kj_dxjb), 0);

  HWND list = Child("ListBox", window->hwnd(), 120, 40, 80, 80);
  EXPECT_EQ(Colour(window->hwnd(), WM_CTLCOLORLISTBOX, list),
            reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
  HWND drawn = Child("ListBox", window->hwnd(), 210, 40, 80, 80, LBS_OWNERDRAWFIXED);
  Colour(window->hwnd(), WM_CTLCOLORLISTBOX, drawn);
  EXPECT_EQ(skin::prop::Get(drawn, skin::prop::Kj_dxjb), 0);

  HWND button = Child("Button", window->hwnd(), 10, 150, 60, 20, BS_CHECKBOX);
  EXPECT_EQ(Colour(window->hwnd(), WM_CTLCOLORBTN, button),
            reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));

  // Without the highlight nothing is coloured.
  engine->SetOptions(1);
  HWND label = Child("Static", window->hwnd(), 120, 150, 60, 20);
  Colour(window->hwnd(), WM_CTLCOLORSTATIC, label);
  EXPECT_EQ(skin::prop::Get(label, skin::prop::Kj_dxjb), 0);
  engine->SetOptions(0, 0);
  Colour(window->hwnd(), WM_CTLCOLORSTATIC, label);
  EXPECT_EQ(skin::prop::Get(label, skin::prop::Kj_dxjb), 0);
}

TEST_F(Backdrop, DestroyingTheWindowFreesEveryBrushItHandedOut) {
  const int free = skin_test::FreeGdiSlots();
  {
    TestWindow other(200, 150);
    engine->AttachWindow(other.hwnd());
    RedrawWindow(other.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    engine->SetOptions(1, 0);
    HWND label = Child("Static", other.hwnd(), 10, 40, 60, 20);
    HWND edit = Child("Edit", other.hwnd(), 10, 70, 60, 20);
    Colour(other.hwnd(), WM_CTLCOLORSTATIC, label);
    Colour(other.hwnd(), WM_CTLCOLOREDIT, edit);
    const auto brush = skin::prop::GetAs<HGDIOBJ>(edit, skin::prop::Kj_dxjb);
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    other.Destroy();
    EXPECT_EQ(GetObjectType(brush), 0u);
  }
  EXPECT_EQ(skin_test::FreeGdiSlots(), free);
}

}  // namespace
