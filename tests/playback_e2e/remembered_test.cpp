// The volume, mute and loop mode outlive the player.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/playback_e2e/wine_player.h"

namespace wine_playback {
namespace {

class Remembered : public WinePlayback {};

constexpr int kVolumeBar = 133, kMute = 134;

TEST_F(Remembered, VolumeMuteAndLoopModeSurviveARestart) {
  Start();
  ASSERT_GE(Await("settings restored volume 50 mute 0 loop list", 0), 0) << events().Dump();
  HWND main = process_->WaitForMainWindow();
  for (int i = 0; i < 3; ++i) {
    PostMessageA(main, WM_APPCOMMAND, reinterpret_cast<WPARAM>(main),
                 MAKELPARAM(0, APPCOMMAND_VOLUME_DOWN));
  }
  PostMessageA(main, WM_APPCOMMAND, reinterpret_cast<WPARAM>(main),
               MAKELPARAM(0, APPCOMMAND_VOLUME_MUTE));
  SendMessageA(player_.singleLoop, BM_CLICK, 0, 0);
  ASSERT_GE(Await("settings saved volume 35 mute 1 loop single", 0), 0) << events().Dump();
  process_->Close();
  ASSERT_EQ(process_->WaitForExit(10000), 0);

  process_ = std::make_unique<PlayerProcess>(dir_.folder);
  HWND again = process_->WaitForMainWindow(40000);
  ASSERT_NE(again, nullptr);
  ASSERT_GE(Await("settings restored volume 35 mute 1 loop single", 0), 0) << events().Dump();
  const Player p = FindPlayer(again);
  HWND box = GetParent(p.face);
  EXPECT_EQ(SendMessageA(GetDlgItem(box, kVolumeBar), TBM_GETPOS, 0, 0), 35);
  EXPECT_EQ(SendMessageA(GetDlgItem(box, kMute), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(p.singleLoop, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(p.listLoop, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

}  // namespace
}  // namespace wine_playback
