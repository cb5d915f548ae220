// The player and browser units in a window of the test's own, with the real controls.
#include <gtest/gtest.h>
#include <windows.h>
#include <wmp.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/media/browser_unit.h"
#include "app/media/bstr.h"
#include "app/media/media_player_unit.h"
#include "catalogue/host_platform.h"

namespace {

using app::MediaPlayerUnit;

// A bogus class id: no such control is registered.
constexpr CLSID kNoSuchControl = {0x0badc0de, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};

class TestWindow {
 public:
  TestWindow() {
    window_ = CreateWindowExA(0, "Static", "media units", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                              420, 320, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~TestWindow() { DestroyWindow(window_); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND get() const { return window_; }

 private:
  HWND window_;
};

// Processes messages until the condition holds; false on time-out.
template <typename F>
bool PumpUntil(F condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

void Put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void Put16(std::string& s, uint16_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>(v >> 8));
}

// A short mono 16-bit tone, written to the temporary folder; returns its path.
std::string WriteTone(const char* name, int milliseconds) {
  const uint32_t rate = 8000;
  const uint32_t samples = rate * milliseconds / 1000;
  std::string wav = "RIFF";
  Put32(wav, 36 + samples * 2);
  wav += "WAVEfmt ";
  Put32(wav, 16);
  Put16(wav, 1);
  Put16(wav, 1);
  Put32(wav, rate);
  Put32(wav, rate * 2);
  Put16(wav, 2);
  Put16(wav, 16);
  wav += "data";
  Put32(wav, samples * 2);
  for (uint32_t i = 0; i < samples; ++i) {
    Put16(wav, static_cast<uint16_t>(static_cast<int16_t>(8000 * std::sin(i * 0.345))));
  }
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + name;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, wav.data(), static_cast<DWORD>(wav.size()), &written, nullptr);
  CloseHandle(f);
  return path;
}

RECT ChildRect(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST(MediaPlayerUnit, StandsAtItsPlaceWithItsSettings) {
  app::OleSession ole;
  TestWindow window;
  MediaPlayerUnit unit(window.get(), app::k播放器1, app::kId播放器1, [](long) {});
  ASSERT_TRUE(unit.created());
  const RECT r = ChildRect(unit.window());
  EXPECT_EQ(r.left, 77);
  EXPECT_EQ(r.top, 16);
  EXPECT_EQ(r.right, 77 + 289);
  EXPECT_EQ(r.bottom, 16 + 229);
  EXPECT_TRUE(IsWindowVisible(unit.window()));
  EXPECT_EQ(GetDlgCtrlID(unit.window()), app::kId播放器1);
  EXPECT_EQ(unit.Url(), "");

  // Every setting the control reads back is the one the unit gave it.
  auto core = unit.Control<IWMPCore>(IID_IWMPCore);
  ASSERT_TRUE(core);
  app::ComPtr<IWMPSettings> settings;
  ASSERT_EQ(core->get_settings(settings.Out()), S_OK);
  VARIANT_BOOL flag = VARIANT_FALSE;
  ASSERT_EQ(settings->get_autoStart(&flag), S_OK);  // the one the loop relies on
  EXPECT_EQ(flag, VARIANT_TRUE);
  LONG number = 0;
  // Under Wine 50 would be nearly silent: the unit gives the level that sounds like 50.
  if (settings->get_volume(&number) == S_OK) {
    EXPECT_EQ(number, catalogue::RunningUnderWine() ? 90 : 50);
  }
  if (settings->get_playCount(&number) == S_OK) {
    EXPECT_EQ(number, 1);
  }
  if (settings->get_mute(&flag) == S_OK) {
    EXPECT_EQ(flag, VARIANT_FALSE);
  }
  double rate = 0;
  if (settings->get_rate(&rate) == S_OK) {
    EXPECT_EQ(rate, 1.0);
  }
  if (settings->get_enableErrorDialogs(&flag) == S_OK) {
    EXPECT_EQ(flag, VARIANT_FALSE);
  }
  auto player = unit.Control<IWMPPlayer4>(IID_IWMPPlayer4);
  ASSERT_TRUE(player);
  if (player->get_enableContextMenu(&flag) == S_OK) {
    EXPECT_EQ(flag, VARIANT_TRUE);
  }
  app::Bstr mode;
  if (player->get_uiMode(mode.Out()) == S_OK) {
    EXPECT_EQ(mode.ToText(), L"full");
  }
}

TEST(MediaPlayerUnit, UnitsLaidOverItStayOnTop) {
  app::OleSession ole;
  TestWindow window;
  const app::UnitGeometry& g = app::k按钮_下载;
  HWND button = CreateWindowExA(0, "Button", "下 载", WS_CHILD | WS_VISIBLE, g.left, g.top, g.width,
                                g.height, window.get(), nullptr, nullptr, nullptr);
  MediaPlayerUnit unit(window.get(), app::k播放器1, app::kId播放器1, [](long) {});
  ASSERT_TRUE(unit.created());
  const POINT centre{g.left + g.width / 2, g.top + g.height / 2};
  EXPECT_EQ(ChildWindowFromPointEx(window.get(), centre, CWP_SKIPINVISIBLE), button);
  EXPECT_TRUE(GetWindowLongA(unit.window(), GWL_STYLE) & WS_CLIPSIBLINGS);
}

TEST(MediaPlayerUnit, PlaysALocalSongAndReportsItsEnd) {
  app::OleSession ole;
  TestWindow window;
  std::vector<long> states;
  std::string urlAtEnd;
  MediaPlayerUnit* self = nullptr;
  MediaPlayerUnit unit(window.get(), app::k播放器1, app::kId播放器1, [&](long state) {
    states.push_back(state);
    if (state == 8) urlAtEnd = self->Url();  // reading is safe inside the event
  });
  self = &unit;
  ASSERT_TRUE(unit.created());

  const std::string song = WriteTone("playback_tone.wav", 800);
  unit.SetUrl(song);
  EXPECT_EQ(unit.Url(), song);
  const bool ended = PumpUntil([&] { return !states.empty() && states.back() == 1; }, 20000);
  std::string seen;
  for (long s : states) seen += std::to_string(s) + " ";
  ASSERT_TRUE(ended) << "states: " << seen;
  // Playing, then the end of the media, then stopped.
  auto at = [&](long s) { return std::find(states.begin(), states.end(), s) - states.begin(); };
  EXPECT_LT(at(3), at(8)) << seen;
  EXPECT_LT(at(8), static_cast<long>(states.size())) << seen;
  EXPECT_EQ(urlAtEnd, song);

  // Given again after the end, the same song plays again.
  states.clear();
  unit.SetUrl(song);
  EXPECT_TRUE(PumpUntil([&] { return std::count(states.begin(), states.end(), 8L) == 1; }, 20000));
  DeleteFileA(song.c_str());
}

TEST(MediaPlayerUnit, AControlThatCannotBeMadeLeavesAnInertUnit) {
  app::OleSession ole;
  TestWindow window;
  int reports = 0;
  MediaPlayerUnit unit(
      window.get(), app::k播放器1, app::kId播放器1, [&](long) { ++reports; }, kNoSuchControl);
  EXPECT_FALSE(unit.created());
  EXPECT_EQ(unit.Url(), "");
  unit.SetUrl("http://127.0.0.1/mp3.ashx?id=1");
  EXPECT_EQ(unit.Url(), "http://127.0.0.1/mp3.ashx?id=1");
  PumpFor(300);
  EXPECT_EQ(reports, 0);
  EXPECT_TRUE(IsWindow(unit.window()));
}

TEST(MediaPlayerUnit, ComesAndGoesRepeatedlyWhilePlaying) {
  app::OleSession ole;
  TestWindow window;
  const std::string song = WriteTone("playback_repeat.wav", 2000);
  for (int round = 0; round < 5; ++round) {
    int reports = 0;
    {
      MediaPlayerUnit unit(window.get(), app::k播放器1, app::kId播放器1, [&](long) { ++reports; });
      ASSERT_TRUE(unit.created());
      unit.SetUrl(song);
      PumpUntil([&] { return reports > 0; }, 5000);
    }
    // Gone: its container with it, and no report arrives any more.
    const int before = reports;
    PumpFor(100);
    EXPECT_EQ(reports, before);
    EXPECT_EQ(GetWindow(window.get(), GW_CHILD), nullptr);
  }
  DeleteFileA(song.c_str());
}

TEST(BrowserUnit, OpensItsPageHiddenAndSurvivesAFailure) {
  app::OleSession ole;
  TestWindow window;
  {
    app::BrowserUnit browser(window.get(), app::k超文本浏览框2, app::kId超文本浏览框2,
                             "http://127.0.0.1:9/about.html");
    EXPECT_FALSE(IsWindowVisible(browser.window()));
    const RECT r = ChildRect(browser.window());
    EXPECT_EQ(r.left, 176);
    EXPECT_EQ(r.top, 67);
    EXPECT_EQ(r.right, 176 + 72);
    EXPECT_EQ(r.bottom, 67 + 59);
    PumpFor(500);  // whatever the page does meanwhile, the window is not shown
    EXPECT_FALSE(IsWindowVisible(browser.window()));
  }
  app::BrowserUnit none(window.get(), app::k超文本浏览框2, app::kId超文本浏览框2, "about:blank",
                        kNoSuchControl);
  EXPECT_FALSE(none.created());
  EXPECT_FALSE(none.navigationStarted());
  EXPECT_TRUE(IsWindow(window.get()));
}

}  // namespace
