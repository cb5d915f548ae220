// The real player plays the service's real WAV songs: watched through the media unit's own face,
// whose window text tells the song, its state and its elapsed time.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "catalogue/http_get.h"
#include "tests/support/catalogue_service.h"
#include "tests/support/observe.h"
#include "tests/support/scratch.h"

namespace {

using testing_support::CatalogueService;
using testing_support::FindChild;
using testing_support::MakePlayerFolder;
using testing_support::PlayerFolder;
using testing_support::PlayerProcess;
using testing_support::WaitFor;
using testing_support::WindowText;

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

struct Player {
  HWND visible = nullptr, face = nullptr, singleLoop = nullptr, listLoop = nullptr,
       download = nullptr;
};

Player FindPlayer(HWND main) {
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

void DoubleClickEntry(HWND list, int index) {
  const LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
  const LRESULT height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
  const LPARAM at = MAKELPARAM(10, (index - top) * height + height / 2);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
  PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
}

// What the face said, polled until the condition holds or the time runs out.
struct Trace {
  std::vector<std::string> texts;  // one per change
  // The first index at or after `from` whose text starts with `prefix`; -1 when none.
  int Find(const std::string& prefix, int from = 0) const {
    for (int i = from; i < static_cast<int>(texts.size()); ++i) {
      if (texts[i].compare(0, prefix.size(), prefix) == 0) return i;
    }
    return -1;
  }
};

template <typename F>
bool Watch(HWND face, Trace& trace, F done, DWORD timeoutMs) {
  return WaitFor(
      [&] {
        const std::string text = WindowText(face);
        if (trace.texts.empty() || trace.texts.back() != text) trace.texts.push_back(text);
        return done(text);
      },
      timeoutMs);
}

std::string Playing(int song) { return "歌曲" + std::to_string(song) + " 正在播放"; }

// The service's songs last 2.4 s: a song heard to its end was seen playing at 0:02.
std::string NearItsEnd(int song) { return Playing(song) + " 0:02"; }

std::string Dump(const Trace& t) {
  std::string all;
  for (const std::string& s : t.texts) all += s + " | ";
  return all;
}

class WinePlayback : public ::testing::Test {
 protected:
  // Starts the service (with extra arguments) and the player; false when either fails.
  void Start(const std::string& serviceArguments = "") {
    if (CATALOGUE_PORT == 0) GTEST_SKIP() << "the build's catalogue is not on 127.0.0.1";
    service_ = std::make_unique<CatalogueService>(CATALOGUE_PORT, serviceArguments);
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

  std::unique_ptr<CatalogueService> service_;
  PlayerFolder dir_;
  std::unique_ptr<PlayerProcess> process_;
  Player player_;
};

TEST_F(WinePlayback, TheListLoopPlaysEachSongToItsEndBeforeTheNext) {
  Start();
  Trace t;
  DoubleClickEntry(player_.visible, 3);
  ASSERT_TRUE(Watch(
      player_.face, t, [](const std::string& s) { return s == Playing(6) + " 0:01"; }, 40000))
      << Dump(t);
  for (int song = 3; song <= 5; ++song) {
    const int heard = t.Find(NearItsEnd(song));
    const int next = t.Find("歌曲" + std::to_string(song + 1) + " ");
    ASSERT_GE(heard, 0) << "song " << song << " was not heard to its end: " << Dump(t);
    EXPECT_LT(heard, next) << "song " << song + 1 << " began before " << song << " ended";
  }
  EXPECT_EQ(SendMessageA(player_.visible, LB_GETCURSEL, 0, 0), 6);
}

TEST_F(WinePlayback, TheSingleSongLoopPlaysTheSongAgain) {
  Start();
  SendMessageA(player_.singleLoop, BM_CLICK, 0, 0);
  Trace t;
  DoubleClickEntry(player_.visible, 2);
  ASSERT_TRUE(Watch(
      player_.face, t, [](const std::string& s) { return s == NearItsEnd(2); }, 20000))
      << Dump(t);
  const size_t firstEnd = t.texts.size();
  ASSERT_TRUE(Watch(
      player_.face, t,
      [&](const std::string& s) { return t.texts.size() > firstEnd && s == NearItsEnd(2); }, 20000))
      << Dump(t);
  // In between it stopped and started again from the beginning, and no other song played.
  EXPECT_GE(t.Find(Playing(2) + " 0:00", static_cast<int>(firstEnd)), 0) << Dump(t);
  EXPECT_EQ(t.Find("歌曲3"), -1) << Dump(t);
}

TEST_F(WinePlayback, ANewerSongWhileOneStillLoadsIsTheOneThatPlays) {
  Start("--song-fault 3=trickle");
  Trace t;
  DoubleClickEntry(player_.visible, 3);
  ASSERT_TRUE(Watch(
      player_.face, t, [](const std::string& s) { return s == "歌曲3 正在载入 0:00"; }, 10000))
      << Dump(t);
  DoubleClickEntry(player_.visible, 5);
  ASSERT_TRUE(Watch(
      player_.face, t, [](const std::string& s) { return s == NearItsEnd(5); }, 20000))
      << Dump(t);
  // The loop goes on from the newer song, and the older one never played.
  ASSERT_TRUE(Watch(
      player_.face, t, [](const std::string& s) { return s == Playing(6) + " 0:01"; }, 20000))
      << Dump(t);
  EXPECT_EQ(t.Find(Playing(3)), -1) << Dump(t);
}

TEST_F(WinePlayback, ASongRefusedOrCutShortIsPassedOver) {
  Start("--song-fault 4=close-mid-body --song-fault 5=status500");
  Trace t;
  DoubleClickEntry(player_.visible, 3);
  ASSERT_TRUE(Watch(
      player_.face, t, [](const std::string& s) { return s == Playing(6) + " 0:01"; }, 40000))
      << Dump(t);
  EXPECT_GE(t.Find(NearItsEnd(3)), 0) << Dump(t);
  EXPECT_EQ(t.Find(Playing(4)), -1) << Dump(t);
  EXPECT_EQ(t.Find(Playing(5)), -1) << Dump(t);
}

// The player's song files in the temporary folder, by its process id.
int SongFiles(DWORD pid) {
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(sizeof(temp), temp);
  const std::string pattern = std::string(temp) + "velory-" + std::to_string(pid) + "-*";
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do {
    ++n;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return n;
}

TEST_F(WinePlayback, NoSongFileOutlivesTheNextSongOrTheProgram) {
  Start();
  Trace t;
  DoubleClickEntry(player_.visible, 1);
  ASSERT_TRUE(Watch(
      player_.face, t, [](const std::string& s) { return s == Playing(2) + " 0:01"; }, 20000))
      << Dump(t);
  EXPECT_EQ(SongFiles(process_->pid()), 1);  // song 1's went when song 2 started
  const DWORD pid = process_->pid();
  process_->Close();
  EXPECT_EQ(process_->WaitForExit(10000), 0);
  process_.reset();
  EXPECT_EQ(SongFiles(pid), 0);
}

TEST_F(WinePlayback, TheDownloadButtonSavesTheWholeSongOrNoFileWithAMessage) {
  Start("--song-fault 4=close-mid-body");
  // Neither loop mode: the player stays on a song that failed.
  SendMessageA(player_.listLoop, BM_SETCHECK, BST_UNCHECKED, 0);
  const std::string folder = testing_support::MakeScratchFolder(TestName() + "_saved");
  Trace t;
  DoubleClickEntry(player_.visible, 2);
  ASSERT_TRUE(Watch(
      player_.face, t, [](const std::string& s) { return s == Playing(2) + " 0:00"; }, 20000))
      << Dump(t);
  // The button lies over the unit's place and stays above its face.
  RECT button;
  GetWindowRect(player_.download, &button);
  EXPECT_EQ(WindowFromPoint({(button.left + button.right) / 2, (button.top + button.bottom) / 2}),
            player_.download);
  PostMessageA(player_.download, BM_CLICK, 0, 0);
  std::string suggested;
  ASSERT_TRUE(testing_support::AnswerFileDialog(*process_, folder + "\\two.wav", &suggested));
  EXPECT_EQ(suggested, "歌曲2.wav");
  const std::vector<uint8_t> song = catalogue::HttpGet(service_->BaseUrl() + "mp3.ashx?id=2");
  ASSERT_GT(song.size(), 44u);
  EXPECT_TRUE(WaitFor(
      [&] {
        return testing_support::ReadFileBytes(folder + "\\two.wav") ==
               std::string(song.begin(), song.end());
      },
      10000));

  // Song 4 is cut short: the download ends in a message, and neither the file nor a part of it.
  DoubleClickEntry(player_.visible, 4);
  ASSERT_TRUE(Watch(
      player_.face, t, [](const std::string& s) { return s.rfind("歌曲4 已停止", 0) == 0; }, 20000))
      << Dump(t);
  PostMessageA(player_.download, BM_CLICK, 0, 0);
  ASSERT_TRUE(testing_support::AnswerFileDialog(*process_, folder + "\\four.wav", &suggested));
  HWND box = nullptr;
  EXPECT_EQ(process_->WaitForMessageBox(15000, &box), "失败！");
  if (box) SendMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_FALSE(testing_support::PathExists(folder + "\\four.wav"));
  EXPECT_FALSE(testing_support::PathExists(folder + "\\four.wav.part"));
  EXPECT_TRUE(testing_support::PathExists(folder + "\\two.wav"));
}

}  // namespace
