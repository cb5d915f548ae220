// The real player driven by keys, application commands, media keys and its transport bar, in
// one session: every check watches the media unit's face, whose text tells the song, its state
// and the time the control reports.
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

std::string FaceLine(HWND face) {
  const std::string text = WindowText(face);
  return text.substr(0, text.find('\n'));
}

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
  // True once the face's line starts with `prefix`; on a time-out the test says what it showed.
  bool FaceShows(const std::string& prefix, DWORD timeoutMs = 8000) {
    const bool shown = WaitFor([&] { return FaceLine(face_).rfind(prefix, 0) == 0; }, timeoutMs);
    if (!shown) ADD_FAILURE() << "wanted " << prefix << ", the face shows " << FaceLine(face_);
    return shown;
  }
  // True when the face's line kept starting with `prefix` for the whole time.
  bool FaceStays(const std::string& prefix, DWORD ms) {
    return !WaitFor([&] { return FaceLine(face_).rfind(prefix, 0) != 0; }, ms);
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
  ASSERT_TRUE(list && face_ && playPause && seek && volume && mute);
  // The player holds the other media keys now.
  EXPECT_FALSE(RegisterHotKey(nullptr, 2, 0, VK_MEDIA_NEXT_TRACK));

  // The song list has the focus from the start, so the keyboard's Enter plays the selected song
  // without a click or a Tab first; Space pauses it, and the loop waits while it is paused.
  EXPECT_TRUE(WaitFor([&] { return FocusOf(main) == list; }, 3000));
  SendMessageA(list, LB_SETCURSEL, 3, 0);
  SetForegroundWindow(main);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == main; }, 3000));
  Press({VK_RETURN});
  ASSERT_TRUE(FaceShows("歌曲3 正在播放"));
  EXPECT_TRUE(WaitFor([&] { return WindowText(playPause) == "暂停"; }, 1000));
  PostKey(list, VK_SPACE);
  ASSERT_TRUE(FaceShows("歌曲3 已暂停"));
  EXPECT_TRUE(WaitFor([&] { return WindowText(playPause) == "播放"; }, 1000));
  // While paused, seeking moves the song: a press on the middle of the seek bar's channel takes
  // the thumb there, and the arrow keys step a second.
  const LRESULT range = SendMessageA(seek, TBM_GETRANGEMAX, 0, 0);
  EXPECT_GE(range, 20);
  RECT bar{};  // the channel runs along the bar's middle
  GetClientRect(seek, &bar);
  const LPARAM middle = MAKELPARAM(bar.right / 2, bar.bottom / 2);
  PostMessageA(seek, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  PostMessageA(seek, WM_LBUTTONUP, 0, middle);
  EXPECT_TRUE(FaceShows("歌曲3 已暂停 0:01"));
  const LRESULT pressed = SendMessageA(seek, TBM_GETPOS, 0, 0);
  EXPECT_NEAR(pressed, range / 2, 2);
  PostKey(seek, VK_RIGHT);
  EXPECT_TRUE(FaceShows("歌曲3 已暂停 0:02"));
  EXPECT_EQ(SendMessageA(seek, TBM_GETPOS, 0, 0), pressed + 10);
  PostKey(seek, VK_LEFT);
  EXPECT_TRUE(FaceShows("歌曲3 已暂停 0:01"));
  EXPECT_TRUE(FaceStays("歌曲3 已暂停", 2100)) << FaceLine(face_);
  // Resumed, it plays on from there to its end with the seek bar following, and the loop goes
  // on.
  PostKey(list, VK_SPACE);
  std::string seen;
  LRESULT furthest = 0;  // where the seek bar stood while song 3 played
  ASSERT_TRUE(WaitFor(
      [&] {
        const std::string line = FaceLine(face_);
        if (line.rfind("歌曲3 正在播放", 0) == 0) {
          furthest = std::max(furthest, SendMessageA(seek, TBM_GETPOS, 0, 0));
        }
        if (seen.empty() || seen.rfind(line + "|") != seen.size() - line.size() - 1) {
          seen += line + "|";
        }
        return line.rfind("歌曲4 正在播放", 0) == 0;
      },
      8000))
      << seen;
  // From the second it was left at, not from the start; the face's "0:02" lasts only the song's
  // last 0.4 s and may fall between two of its updates, so the bar shows how far it got.
  EXPECT_EQ(seen.find("歌曲3 正在播放 0:00"), std::string::npos) << seen;
  EXPECT_NE(seen.find("歌曲3 正在播放 0:01"), std::string::npos) << seen;
  EXPECT_GE(furthest, 18);

  // Ctrl+Right and Ctrl+Left from the keyboard, Tab through the units.
  SetForegroundWindow(main);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == main; }, 3000));
  PostMessageA(list, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 3));  // the list takes the focus
  PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(5, 3));
  ASSERT_TRUE(WaitFor([&] { return FocusOf(main) == list; }, 3000));
  Press({VK_CONTROL, VK_RIGHT});
  ASSERT_TRUE(FaceShows("歌曲5 "));
  Press({VK_CONTROL, VK_LEFT});
  Press({VK_CONTROL, VK_LEFT});
  ASSERT_TRUE(FaceShows("歌曲3 "));
  Press({VK_TAB});
  EXPECT_TRUE(WaitFor([&] { return WindowText(FocusOf(main)) == "列表循环"; }, 2000));
  // The arrows go round the loop modes, and back.
  Press({VK_UP});
  EXPECT_TRUE(WaitFor([&] { return WindowText(FocusOf(main)) == "单曲循环"; }, 2000));
  Press({VK_DOWN});
  EXPECT_TRUE(WaitFor([&] { return WindowText(FocusOf(main)) == "列表循环"; }, 2000));
  Press({VK_SHIFT, VK_TAB});
  EXPECT_TRUE(WaitFor([&] { return FocusOf(main) == list; }, 2000));

  // Application commands and a hot key, the media key pressed from this program, and past song
  // 9 a fresh batch.
  PostAppCommand(main, APPCOMMAND_MEDIA_NEXTTRACK);
  ASSERT_TRUE(FaceShows("歌曲4 "));
  PostMessageA(main, WM_HOTKEY, VK_MEDIA_PREV_TRACK, MAKELPARAM(0, VK_MEDIA_PREV_TRACK));
  ASSERT_TRUE(FaceShows("歌曲3 "));
  Press({VK_MEDIA_NEXT_TRACK});
  ASSERT_TRUE(FaceShows("歌曲4 "));
  SendMessageA(list, LB_SETCURSEL, 9, 0);
  PostKey(list, VK_RETURN);
  ASSERT_TRUE(FaceShows("歌曲9 "));
  const long lists = service_->Requests("list.ashx");
  PostAppCommand(main, APPCOMMAND_MEDIA_NEXTTRACK);
  ASSERT_TRUE(FaceShows("歌曲1 正在播放"));
  EXPECT_EQ(service_->Requests("list.ashx"), lists + 1);

  // Stop, then play starts the same song again (that the loop waits meanwhile is the play
  // list's own test).
  PostAppCommand(main, APPCOMMAND_MEDIA_STOP);
  ASSERT_TRUE(FaceShows("歌曲1 已停止"));
  PostAppCommand(main, APPCOMMAND_MEDIA_PLAY);
  ASSERT_TRUE(FaceShows("歌曲1 正在播放"));

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
