// The real player against the service's real WAV songs, for the WinePlayback tests: its units,
// and the announcements that tell what its face shows and what the control reports.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "tests/support/catalogue_service.h"
#include "tests/support/observe.h"
#include "tests/support/scratch.h"

namespace wine_playback {

using testing_support::CatalogueService;
using testing_support::FindChild;
using testing_support::MakePlayerFolder;
using testing_support::PlayerFolder;
using testing_support::PlayerProcess;

inline std::string TestName() {
  return ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

struct Player {
  HWND visible = nullptr, face = nullptr, singleLoop = nullptr, listLoop = nullptr,
       download = nullptr;
};

inline Player FindPlayer(HWND main) {
  Player p;
  HWND box = FindWindowExA(main, nullptr, "Button", nullptr);
  for (HWND l = FindWindowExA(box, nullptr, "ListBox", nullptr); l;
       l = FindWindowExA(box, l, "ListBox", nullptr)) {
    if (IsWindowVisible(l)) p.visible = l;
  }
  p.face = FindWindowExA(box, nullptr, "VeloryMediaFace", nullptr);
  p.singleLoop = FindChild(box, "Button", "单曲循环");
  p.listLoop = FindChild(box, "Button", "列表循环");
  p.download = FindChild(box, "Button", "下 载");
  return p;
}

inline void DoubleClickEntry(HWND list, int index) {
  const LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
  const LRESULT height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
  const LPARAM at = MAKELPARAM(10, (index - top) * height + height / 2);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
  PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
}

// The player's announcements of what its face shows: "face 歌曲3 正在播放 0:07\t<title>".
inline constexpr char kFace[] = "face ";

inline std::string Playing(int song) { return "歌曲" + std::to_string(song) + " 正在播放"; }
// The face showed the song playing.
inline std::string FacePlaying(int song) { return kFace + Playing(song); }
// The control reported the song's end: it was heard to its end.
inline std::string Ended(int song) { return "state 8 song " + std::to_string(song); }
inline std::string Started(int song) { return "play " + std::to_string(song) + " "; }

// The requests for a song the service has logged since `from` (a byte offset of its log).
inline int SongRequests(const std::string& log, size_t from, int song) {
  const std::string all = testing_support::ReadFileBytes(log);
  const std::string request = "GET /mp3.ashx?id=" + std::to_string(song) + " ";
  int n = 0;
  for (size_t at = all.find(request, from); at != std::string::npos;
       at = all.find(request, at + 1)) {
    ++n;
  }
  return n;
}

class WinePlayback : public ::testing::Test {
 protected:
  // Starts the service (with extra arguments) and the player; false when either fails.
  void Start(const std::string& serviceArguments = "") {
    if (testing_support::CataloguePort() == 0)
      GTEST_SKIP() << "the build's catalogue is not on 127.0.0.1";
    service_ =
        std::make_unique<CatalogueService>(testing_support::CataloguePort(), serviceArguments);
    ASSERT_TRUE(service_->ready()) << "the catalogue service did not start";
    dir_ = MakePlayerFolder(TestName());
    process_ = std::make_unique<PlayerProcess>(dir_.folder);
    HWND main = process_->WaitForMainWindow(40000);
    ASSERT_NE(main, nullptr);
    player_ = FindPlayer(main);
    ASSERT_TRUE(player_.visible && player_.face && player_.singleLoop && player_.listLoop &&
                player_.download)
        << "the media unit shows no face of its own";
  }
  void TearDown() override {
    if (!process_) return;
    process_->Close();
    EXPECT_EQ(process_->WaitForExit(10000), 0);
  }

  const testing_support::Announcements& events() const { return process_->events(); }
  // The index of the first announcement from `from` on that starts with `prefix`; -1 on a time-out.
  int Await(const std::string& prefix, size_t from, DWORD timeoutMs = 20000) const {
    return events().WaitFor(prefix, from, timeoutMs);
  }

  std::unique_ptr<CatalogueService> service_;
  PlayerFolder dir_;
  std::unique_ptr<PlayerProcess> process_;
  Player player_;
};

}  // namespace wine_playback
