// The volume, mute, loop mode and the balloon switch outlive the player; the balloon is shown
// only out of sight.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/windows/player_units.h"
#include "tests/playback_e2e/wine_player.h"

namespace wine_playback {
namespace {

class Remembered : public WinePlayback {};

constexpr int kVolumeBar = 133, kMute = 134;

TEST_F(Remembered, VolumeMuteLoopModeAndTheBalloonSwitchSurviveARestart) {
  Start();
  ASSERT_GE(Await("settings restored volume 50 mute 0 loop list balloons 0", 0), 0)
      << events().Dump();
  HWND main = process_->WaitForMainWindow();
  for (int i = 0; i < 3; ++i) {
    PostMessageA(main, WM_APPCOMMAND, reinterpret_cast<WPARAM>(main),
                 MAKELPARAM(0, APPCOMMAND_VOLUME_DOWN));
  }
  PostMessageA(main, WM_APPCOMMAND, reinterpret_cast<WPARAM>(main),
               MAKELPARAM(0, APPCOMMAND_VOLUME_MUTE));
  SendMessageA(player_.singleLoop, BM_CLICK, 0, 0);
  PostMessageA(main, WM_COMMAND, app::kMenuBalloons, 0);
  ASSERT_GE(Await("settings saved volume 35 mute 1 loop single balloons 1", 0), 0)
      << events().Dump();
  process_->Close();
  ASSERT_EQ(process_->WaitForExit(10000), 0);

  process_ = std::make_unique<PlayerProcess>(dir_.folder);
  HWND again = process_->WaitForMainWindow(40000);
  ASSERT_NE(again, nullptr);
  ASSERT_GE(Await("settings restored volume 35 mute 1 loop single balloons 1", 0), 0)
      << events().Dump();
  const Player p = FindPlayer(again);
  HWND box = GetParent(p.face);
  EXPECT_EQ(SendMessageA(GetDlgItem(box, kVolumeBar), TBM_GETPOS, 0, 0), 35);
  EXPECT_EQ(SendMessageA(GetDlgItem(box, kMute), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(p.singleLoop, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(p.listLoop, BM_GETCHECK, 0, 0), BST_UNCHECKED);

  // Balloons on: a song that starts while the player sits in the tray is told with its title;
  // one that starts while it is in front is not.
  ShowWindow(again, SW_MINIMIZE);
  ASSERT_TRUE(testing_support::WaitFor([&] { return !IsWindowVisible(again); }, 5000));
  size_t mark = events().Count();
  // A hidden list takes no clicks: the selected song, played by command.
  SendMessageA(p.visible, LB_SETCURSEL, 2, 0);
  PostMessageA(again, WM_APPCOMMAND, reinterpret_cast<WPARAM>(again),
               MAKELPARAM(0, APPCOMMAND_MEDIA_PLAY));
  const int started = Await(Started(2), mark);
  ASSERT_GE(started, 0) << events().Dump(mark);
  const int told = Await("balloon ", mark);
  ASSERT_GE(told, 0) << events().Dump(mark);
  EXPECT_EQ(events().Lines()[static_cast<size_t>(told)].find("balloon withheld"), std::string::npos)
      << events().Dump(mark);
  PostMessageA(again, WM_COMMAND, app::kMenu显示, 0);  // back in front
  ASSERT_TRUE(testing_support::WaitFor([&] { return GetForegroundWindow() == again; }, 5000));
  mark = events().Count();
  PostMessageA(again, WM_APPCOMMAND, reinterpret_cast<WPARAM>(again),
               MAKELPARAM(0, APPCOMMAND_MEDIA_NEXTTRACK));
  ASSERT_GE(Await(Started(3), mark), 0) << events().Dump(mark);
  ASSERT_GE(Await("balloon withheld", mark), 0) << events().Dump(mark);
}

}  // namespace
}  // namespace wine_playback
