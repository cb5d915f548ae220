// The real player driven by keys, application commands, media keys and its transport bar, in
// one session: every check waits for what the player announces its face shows (the song, its
// state and the time the control reports), refreshed four times a second.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/support/catalogue_service.h"
#include "tests/support/observe.h"
#include "tests/support/scratch.h"

namespace {

using testing_support::WaitFor;
using testing_support::WindowText;

// The transport's units, by their identifiers in the panel.
constexpr int kPlayPause = 130, kSeekBar = 132, kVolumeBar = 133, kMute = 134;

void PostKey(HWND to, UINT key) {
  PostMessageA(to, WM_KEYDOWN, key, 1);
  PostMessageA(to, WM_KEYUP, key, 0xC0000001);
}

void PostAppCommand(HWND main, int command) {
  PostMessageA(main, WM_APPCOMMAND, reinterpret_cast<WPARAM>(main), MAKELPARAM(0, command));
}

// Real key strokes, as the keyboard sends them to whatever is in front.
void Press(std::initializer_list<WORD> keys) {
  for (WORD key : keys) keybd_event(static_cast<BYTE>(key), 0, 0, 0);
  for (auto k = keys.end(); k != keys.begin();) {
    --k;
    keybd_event(static_cast<BYTE>(*k), 0, KEYEVENTF_KEYUP, 0);
  }
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{sizeof(info)};
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus
                                                                            : nullptr;
}

class KeysAndTransport : public ::testing::Test {
 protected:
  void TearDown() override {
    if (!process_) return;
    process_->Close();
    EXPECT_EQ(process_->WaitForExit(10000), 0);
  }
  const testing_support::Announcements& events() const { return process_->events(); }
  // A moment to look for announcements after: before the step the test takes next.
  size_t Mark() const { return events().Count(); }
  // The index of the first announcement of the face from `from` on whose line starts with
  // `prefix`; -1, and a failure that says what the face showed, when none came in the time.
  int FaceShows(const std::string& prefix, size_t from, DWORD timeoutMs = 8000) {
    const int at = events().WaitFor("face " + prefix, from, timeoutMs);
    if (at < 0) ADD_FAILURE() << "wanted " << prefix << ", the face showed " << events().Dump(from);
    return at;
  }

  std::unique_ptr<testing_support::CatalogueService> service_;
  testing_support::PlayerFolder dir_;
  std::unique_ptr<testing_support::PlayerProcess> process_;
  HWND face_ = nullptr;
};

TEST_F(KeysAndTransport, KeysCommandsMediaKeysAndTheBarDriveThePlayer) {
  if (testing_support::CataloguePort() == 0)
    GTEST_SKIP() << "the build's catalogue is not on 127.0.0.1";
  // Another program holds the stop key: the player leaves it there and still stops by command.
  ASSERT_TRUE(RegisterHotKey(nullptr, 1, 0, VK_MEDIA_STOP));
  service_ = std::make_unique<testing_support::CatalogueService>(testing_support::CataloguePort());
  ASSERT_TRUE(service_->ready());
  dir_ = testing_support::MakePlayerFolder("KeysAndTransport");
  process_ = std::make_unique<testing_support::PlayerProcess>(dir_.folder);
  HWND main = process_->WaitForMainWindow(40000);
  ASSERT_NE(main, nullptr);
  HWND box = FindWindowExA(main, nullptr, "Button", nullptr);
  HWND list = nullptr;
  for (HWND l = FindWindowExA(box, nullptr, "ListBox", nullptr); l;
       l = FindWindowExA(box, l, "ListBox", nullptr)) {
    if (IsWindowVisible(l)) list = l;
  }
  face_ = FindWindowExA(box, nullptr, "VeloryMediaFace", nullptr);
  HWND playPause = GetDlgItem(box, kPlayPause), seek = GetDlgItem(box, kSeekBar),
       volume = GetDlgItem(box, kVolumeBar), mute = GetDlgItem(box, kMute);
  HWND listLoop = testing_support::FindChild(box, "Button", "列表循环"),
       singleLoop = testing_support::FindChild(box, "Button", "单曲循环");
  ASSERT_TRUE(list && face_ && playPause && seek && volume && mute && listLoop && singleLoop);
  // The player holds the other media keys now.
  EXPECT_FALSE(RegisterHotKey(nullptr, 2, 0, VK_MEDIA_NEXT_TRACK));

  // The song list has the focus from the start, so the keyboard's Enter plays the selected song
  // without a click or a Tab first; Space pauses it, and the loop waits while it is paused.
  EXPECT_TRUE(WaitFor([&] { return FocusOf(main) == list; }, 3000));
  SendMessageA(list, LB_SETCURSEL, 3, 0);
  SetForegroundWindow(main);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == main; }, 3000));
  size_t mark = Mark();
  Press({VK_RETURN});
  ASSERT_GE(FaceShows("歌曲3 正在播放", mark), 0);
  EXPECT_TRUE(WaitFor([&] { return WindowText(playPause) == "暂停"; }, 1000));
  mark = Mark();
  PostKey(list, VK_SPACE);
  const int paused = FaceShows("歌曲3 已暂停", mark);
  ASSERT_GE(paused, 0);
  EXPECT_TRUE(WaitFor([&] { return WindowText(playPause) == "播放"; }, 1000));
  // While paused, seeking moves the song: a press on the middle of the seek bar's channel takes
  // the thumb there, and the arrow keys step a second.
  const LRESULT range = SendMessageA(seek, TBM_GETRANGEMAX, 0, 0);
  EXPECT_GE(range, 20);
  RECT bar{};  // the channel runs along the bar's middle
  GetClientRect(seek, &bar);
  const LPARAM middle = MAKELPARAM(bar.right / 2, bar.bottom / 2);
  mark = Mark();
  PostMessageA(seek, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  PostMessageA(seek, WM_LBUTTONUP, 0, middle);
  int sought = events().WaitFor("seek ", mark);
  ASSERT_GE(sought, 0) << events().Dump(mark);
  EXPECT_GE(FaceShows("歌曲3 已暂停 0:01", sought), 0);
  const LRESULT pressed = SendMessageA(seek, TBM_GETPOS, 0, 0);
  EXPECT_NEAR(pressed, range / 2, 2);
  EXPECT_EQ(events().Lines()[sought], "seek " + std::to_string(pressed));
  mark = Mark();
  PostKey(seek, VK_RIGHT);
  sought = events().WaitFor("seek ", mark);
  ASSERT_GE(sought, 0) << events().Dump(mark);
  EXPECT_GE(FaceShows("歌曲3 已暂停 0:02", sought), 0);
  EXPECT_EQ(SendMessageA(seek, TBM_GETPOS, 0, 0), pressed + 10);
  mark = Mark();
  PostKey(seek, VK_LEFT);
  sought = events().WaitFor("seek ", mark);
  ASSERT_GE(sought, 0) << events().Dump(mark);
  EXPECT_GE(FaceShows("歌曲3 已暂停 0:01", sought), 0);
  // A tick of the loop timer came and held the loop: song 3 stays paused, nothing else starts.
  const int held = events().WaitFor("tick held", sought);
  ASSERT_GE(held, 0) << events().Dump(paused);
  EXPECT_EQ(events().CountOf("play ", paused, held), 0) << events().Dump(paused);
  EXPECT_EQ(events().CountOf("face ", paused, held),
            events().CountOf("face 歌曲3 已暂停", paused, held))
      << events().Dump(paused);
  // Resumed, it plays on from there to its end, and the loop goes on.
  mark = Mark();
  PostKey(list, VK_SPACE);
  const int ended = events().WaitFor("state 8 song 3", mark);
  ASSERT_GE(ended, 0) << events().Dump(mark);
  ASSERT_GE(FaceShows("歌曲4 正在播放", ended), 0);
  // From the second it was left at, not from the start.
  EXPECT_EQ(events().CountOf("face 歌曲3 正在播放 0:00", mark, ended), 0) << events().Dump(mark);
  EXPECT_GE(events().CountOf("face 歌曲3 正在播放 0:01", mark, ended), 1) << events().Dump(mark);

  // Ctrl+Right and Ctrl+Left from the keyboard. Neither loop mode from here on, so that every
  // song that starts is one a step asked for.
  SendMessageA(listLoop, BM_SETCHECK, BST_UNCHECKED, 0);
  SetForegroundWindow(main);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == main; }, 3000));
  PostMessageA(list, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 3));  // the list takes the focus
  PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(5, 3));
  ASSERT_TRUE(WaitFor([&] { return FocusOf(main) == list; }, 3000));
  // Each step starts the song `song`: the player announces it, and then its face shows it.
  const auto starts = [&](int song, DWORD timeoutMs = 8000) {
    const int at = events().WaitFor("play " + std::to_string(song) + " ", mark, timeoutMs);
    EXPECT_GE(at, 0) << "song " << song << ": " << events().Dump(mark);
    return at >= 0 && FaceShows("歌曲" + std::to_string(song) + " ", at) >= 0;
  };
  // From song 4, whatever the loop did before it was turned off.
  SendMessageA(list, LB_SETCURSEL, 4, 0);
  mark = Mark();
  PostKey(list, VK_RETURN);
  ASSERT_TRUE(starts(4));
  mark = Mark();
  Press({VK_CONTROL, VK_RIGHT});
  ASSERT_TRUE(starts(5));
  mark = Mark();
  Press({VK_CONTROL, VK_LEFT});
  Press({VK_CONTROL, VK_LEFT});
  ASSERT_TRUE(starts(3));

  // Application commands and a hot key, the media key pressed from this program, and past song
  // 9 a fresh batch.
  mark = Mark();
  PostAppCommand(main, APPCOMMAND_MEDIA_NEXTTRACK);
  ASSERT_TRUE(starts(4));
  mark = Mark();
  PostMessageA(main, WM_HOTKEY, VK_MEDIA_PREV_TRACK, MAKELPARAM(0, VK_MEDIA_PREV_TRACK));
  ASSERT_TRUE(starts(3));
  mark = Mark();
  Press({VK_MEDIA_NEXT_TRACK});
  ASSERT_TRUE(starts(4));
  SendMessageA(list, LB_SETCURSEL, 9, 0);
  mark = Mark();
  PostKey(list, VK_RETURN);
  ASSERT_TRUE(starts(9));
  const long lists = service_->Requests("list.ashx");
  mark = Mark();
  PostAppCommand(main, APPCOMMAND_MEDIA_NEXTTRACK);
  ASSERT_TRUE(starts(1, 15000));
  EXPECT_GE(events().CountOf("batch ", mark), 1) << events().Dump(mark);
  EXPECT_EQ(service_->Requests("list.ashx"), lists + 1);

  // Stop, then play starts the same song again (that the loop waits meanwhile is the play
  // list's own test).
  mark = Mark();
  PostAppCommand(main, APPCOMMAND_MEDIA_STOP);
  ASSERT_GE(FaceShows("歌曲1 已停止", mark), 0);
  mark = Mark();
  PostAppCommand(main, APPCOMMAND_MEDIA_PLAY);
  ASSERT_GE(FaceShows("歌曲1 正在播放", mark), 0);

  // Tab through the units; the arrows go round the loop modes, checking each, and back.
  Press({VK_TAB});
  EXPECT_TRUE(WaitFor([&] { return WindowText(FocusOf(main)) == "列表循环"; }, 2000));
  Press({VK_UP});
  EXPECT_TRUE(WaitFor([&] { return WindowText(FocusOf(main)) == "单曲循环"; }, 2000));
  EXPECT_TRUE(
      WaitFor([&] { return SendMessageA(singleLoop, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 2000));
  Press({VK_DOWN});
  EXPECT_TRUE(WaitFor([&] { return WindowText(FocusOf(main)) == "列表循环"; }, 2000));
  EXPECT_TRUE(
      WaitFor([&] { return SendMessageA(listLoop, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 2000));
  Press({VK_SHIFT, VK_TAB});
  EXPECT_TRUE(WaitFor([&] { return FocusOf(main) == list; }, 2000));

  // Volume and mute, as the control reports them.
  EXPECT_EQ(WindowText(volume), "音量 50");
  PostAppCommand(main, APPCOMMAND_VOLUME_UP);
  EXPECT_TRUE(WaitFor([&] { return WindowText(volume) == "音量 55"; }, 2000)) << WindowText(volume);
  EXPECT_EQ(SendMessageA(volume, TBM_GETPOS, 0, 0), 55);
  PostAppCommand(main, APPCOMMAND_VOLUME_DOWN);
  PostAppCommand(main, APPCOMMAND_VOLUME_DOWN);
  EXPECT_TRUE(WaitFor([&] { return WindowText(volume) == "音量 45"; }, 2000)) << WindowText(volume);
  PostAppCommand(main, APPCOMMAND_VOLUME_MUTE);
  EXPECT_TRUE(WaitFor([&] { return WindowText(volume) == "音量 0"; }, 2000)) << WindowText(volume);
  EXPECT_EQ(SendMessageA(mute, BM_GETCHECK, 0, 0), BST_CHECKED);
  PostMessageA(mute, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return WindowText(volume) == "音量 45"; }, 2000)) << WindowText(volume);
  EXPECT_EQ(SendMessageA(mute, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  UnregisterHotKey(nullptr, 1);
}

}  // namespace
