// The player and the gallery at the screen's DPI (the prefix's LogPixels): every unit measures
// its 96-dpi size times the scale, every caption fits its face, and at 96 dpi a WM_DPICHANGED
// to 144 and back gives back the very same pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "graphics/dpi_context.h"
#include "graphics/dpi_scale.h"
#include "graphics/gfx_image.h"
#include "tests/reference/window_picture.h"
#include "tests/support/observe.h"
#include "tests/support/scratch.h"

namespace {

using graphics::ScaleLength;
using testing_support::CaptureAfter;
using testing_support::ChildRect;
using testing_support::DistFolder;
using testing_support::FindChild;
using testing_support::MakePlayerFolder;
using testing_support::MakeScratchFolder;
using testing_support::PlayerFolder;
using testing_support::PlayerProcess;
using testing_support::WindowRectOf;
using testing_support::WindowText;

struct Unit {
  const char* cls;
  const char* caption;  // null: the visible list box
  int left, top, width, height;
  int textLeft;  // where the face starts its caption; 0 for a centred one
};

// Inside the group box, at 96 dpi.
constexpr Unit kUnits[] = {
    {"Button", "更换背景", 7, 221, 61, 24, 0},  {"Button", "换一批", 7, 193, 61, 24, 0},
    {"Button", "下 载", 298, 215, 61, 25, 0},   {"Button", "列表循环", 5, 170, 68, 25, 18},
    {"Button", "单曲循环", 5, 150, 70, 25, 18}, {"ListBox", nullptr, 9, 13, 59, 137, 0},
};

void ParkPointer() {
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

HWND VisibleList(HWND box) {
  for (HWND l = FindWindowExA(box, nullptr, "ListBox", nullptr); l;
       l = FindWindowExA(box, l, "ListBox", nullptr)) {
    if (IsWindowVisible(l)) return l;
  }
  return nullptr;
}

// Each unit's rectangle against its design one scaled to `dpi`; the panel's own position is the
// user's, so only its size counts.
void ExpectUnitsAt(HWND main, int dpi) {
  HWND box = FindWindowExA(main, nullptr, "Button", nullptr);
  ASSERT_NE(box, nullptr);
  const RECT b = ChildRect(box);
  EXPECT_NEAR(b.right - b.left, ScaleLength(374, dpi), 1);
  EXPECT_NEAR(b.bottom - b.top, ScaleLength(256, dpi), 1);
  for (const Unit& u : kUnits) {
    HWND unit = u.caption ? FindChild(box, u.cls, u.caption) : VisibleList(box);
    ASSERT_NE(unit, nullptr) << (u.caption ? u.caption : "list");
    const RECT r = ChildRect(unit);
    const RECT want = graphics::ScaleBox(u.left, u.top, u.width, u.height, dpi);
    EXPECT_NEAR(r.left, want.left, 1) << WindowText(unit);
    EXPECT_NEAR(r.top, want.top, 1) << WindowText(unit);
    EXPECT_NEAR(r.right - r.left, want.right - want.left, 1) << WindowText(unit);
    EXPECT_NEAR(r.bottom - r.top, want.bottom - want.top, 1) << WindowText(unit);
  }
}

TEST(Dpi, PlayerUnitsMeasureTheirScaledSizeAndEveryCaptionFits) {
  const int dpi = graphics::SystemDpi();
  ParkPointer();
  const PlayerFolder dir = MakePlayerFolder("dpi-player");
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow(40000);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(graphics::DpiForWindow(main), dpi);
  const RECT w = WindowRectOf(main);
  EXPECT_NEAR(w.right - w.left, ScaleLength(634, dpi), 1);
  EXPECT_NEAR(w.bottom - w.top, ScaleLength(388, dpi), 1);
  ExpectUnitsAt(main, dpi);

  // The player's units use the system's GUI font at the window's DPI, which is this process's
  // at the same DPI: each caption must fit inside its face on one line.
  HWND box = FindWindowExA(main, nullptr, "Button", nullptr);
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
  for (const Unit& u : kUnits) {
    if (!u.caption) continue;
    const RECT r = ChildRect(FindChild(box, u.cls, u.caption));
    SIZE text{};
    const std::wstring caption = testing_support::Wide(u.caption);
    GetTextExtentPoint32W(screen, caption.c_str(), static_cast<int>(caption.size()), &text);
    const int room = r.right - r.left - ScaleLength(u.textLeft ? u.textLeft : 4, dpi) -
                     (u.textLeft ? 0 : ScaleLength(4, dpi));
    EXPECT_LE(text.cx, room) << u.caption << " at " << dpi << " dpi";
    EXPECT_LE(text.cy, r.bottom - r.top) << u.caption;
  }
  // The list's rows hold their whole text: "歌曲9" within the list's width.
  SIZE row{};
  GetTextExtentPoint32A(screen, "歌曲9", 5, &row);
  RECT list{};
  GetClientRect(VisibleList(box), &list);
  EXPECT_LE(row.cx, list.right) << "the list rows are cut";
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
}

TEST(Dpi, GalleryAtTheScreensScale) {
  const int dpi = graphics::SystemDpi();
  ParkPointer();
  const std::string png = MakeScratchFolder("dpi-gallery") + "\\gallery.png";
  ASSERT_EQ(testing_support::RunGalleryScreenshot(png), 0u);
  graphics::GfxBitmap image;
  ASSERT_TRUE(image.LoadFromFile(testing_support::Wide(png)));
  EXPECT_NEAR(image.GetWidth(), ScaleLength(760, dpi), 1);
  EXPECT_NEAR(image.GetHeight(), ScaleLength(420, dpi), 1);
  // The disabled push button's plain silver face moved with its unit.
  const graphics::Argb silver =
      image.GetPixel(ScaleLength(10 + 160 + 6, dpi), ScaleLength(34 + 20 + 12, dpi));
  EXPECT_EQ(silver & 0xFFFFFF, 0xC0C0C0u) << std::hex << silver;
}

TEST(Manifest, PlayerAsksForPerMonitorAwarenessAndNoElevation) {
  HMODULE image =
      LoadLibraryExA((DistFolder() + "\\player.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(image, nullptr);
  HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(found, nullptr) << "no manifest";
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(image, found)));
  const std::string manifest(bytes, SizeofResource(image, found));
  FreeLibrary(image);
  EXPECT_NE(manifest.find("PerMonitorV2, PerMonitor"), std::string::npos);
  EXPECT_NE(manifest.find(">true/pm<"), std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_NE(manifest.find("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"), std::string::npos);  // 7
  EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);  // 10
}

// WM_DPICHANGED carries a pointer to the suggested rectangle: it is written into the player's
// own memory, so the message reads it there as it would from the system.
bool SendDpiChanged(const PlayerProcess& player, HWND window, int dpi, const RECT& suggested) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, player.pid());
  if (!process) return false;
  void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  bool sent = remote && WriteProcessMemory(process, remote, &suggested, sizeof(RECT), nullptr);
  DWORD_PTR result = 0;
  sent = sent &&
         SendMessageTimeoutA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                             reinterpret_cast<LPARAM>(remote), SMTO_BLOCK, 10000, &result) != 0;
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return sent;
}

TEST(DpiChange, To144AndBackGivesBackThe96DpiPixels) {
  if (graphics::SystemDpi() != 96) GTEST_SKIP() << "runs at 96 dpi";
  ParkPointer();
  const PlayerFolder dir = MakePlayerFolder("dpi-change");
  // A source set: the first start's source dialog would cover the window with a blinking caret,
  // whose phase no two pictures share for certain.
  testing_support::WriteFileBytes(dir.Path("\\config\\source.txt"), "http://127.0.0.1:1/");
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow(40000);
  ASSERT_NE(main, nullptr);
  const int painted = player.events().WaitFor("step main window painted");
  ASSERT_GE(painted, 0) << player.events().Dump();
  const testing_support::WindowPicture before = CaptureAfter(player, main, painted);
  const RECT at96 = WindowRectOf(main);
  const RECT at144{at96.left, at96.top, at96.left + ScaleLength(634, 144),
                   at96.top + ScaleLength(388, 144)};
  ASSERT_TRUE(SendDpiChanged(player, main, 144, at144));
  const RECT moved = WindowRectOf(main);
  EXPECT_EQ(moved.right - moved.left, 951);
  EXPECT_EQ(moved.bottom - moved.top, 582);
  ExpectUnitsAt(main, 144);
  const testing_support::WindowPicture large = CaptureAfter(player, main, player.events().Count());
  EXPECT_EQ(large.width, 951);

  ASSERT_TRUE(SendDpiChanged(player, main, 96, at96));
  ExpectUnitsAt(main, 96);
  const testing_support::WindowPicture after = CaptureAfter(player, main, player.events().Count());
  ASSERT_EQ(after.width, before.width);
  ASSERT_EQ(after.height, before.height);
  size_t differing = 0;
  for (size_t i = 0; i < after.pixels.size(); ++i) differing += after.pixels[i] != before.pixels[i];
  EXPECT_EQ(differing, 0u) << "pixels differ after the round trip";
  // A DPI no screen has is ignored: nothing moves.
  ASSERT_TRUE(SendDpiChanged(player, main, 65535, at144));
  const RECT kept = WindowRectOf(main);
  EXPECT_TRUE(EqualRect(&kept, &at96));
  ExpectUnitsAt(main, 96);
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
}

}  // namespace
