// The real player plays the service's real WAV songs: watched through the media unit's own face,
// whose window text tells the song, its state and its elapsed time.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
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

// The face's first line: number, state and time; the song's title is on the next.
std::string FaceLine(HWND face) {
  const std::string text = WindowText(face);
  return text.substr(0, text.find('\n'));
}
std::string FaceTitle(HWND face) {
  const std::string text = WindowText(face);
  const size_t lineEnd = text.find('\n');
  return lineEnd == std::string::npos ? std::string() : text.substr(lineEnd + 1);
}

template <typename F>
bool Watch(HWND face, Trace& trace, F done, DWORD timeoutMs) {
  return WaitFor(
      [&] {
        const std::string text = FaceLine(face);
        if (trace.texts.empty() || trace.texts.back() != text) trace.texts.push_back(text);
        return done(text);
      },
      timeoutMs);
}

std::string Playing(int song) { return "歌曲" + std::to_string(song) + " 正在播放"; }

// The service's songs last 2.4 s: a song heard to its end was seen playing at 0:02.
std::string NearItsEnd(int song) { return Playing(song) + " 0:02"; }

// Watches song `song` play to its end and stop; false when it did not within the time.
bool UntilItEnds(HWND face, Trace& t, int song, DWORD timeoutMs = 20000) {
  bool heard = false;
  return Watch(
      face, t,
      [&](const std::string& s) {
        heard = heard || s == NearItsEnd(song);
        return heard && s.rfind(Playing(song), 0) != 0;
      },
      timeoutMs);
}

std::string Dump(const Trace& t) {
  std::string all;
  for (const std::string& s : t.texts) all += s + " | ";
  return all;
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

  std::unique_ptr<CatalogueService> service_;
  PlayerFolder dir_;
  std::unique_ptr<PlayerProcess> process_;
  Player player_;
};

// A song chosen just after another ended plays to its end; the face names every song by its
// number in its batch, across the end of the batch and another batch fetched while one plays.
TEST_F(WinePlayback, TheChosenSongPlaysToItsEndAndTheFaceNamesEachSongOfItsBatch) {
  Start();
  Trace t;
  DoubleClickEntry(player_.visible, 2);
  ASSERT_TRUE(UntilItEnds(player_.face, t, 2)) << Dump(t);
  DoubleClickEntry(player_.visible, 7);  // before the loop timer's next tick
  ASSERT_TRUE(Watch(
      player_.face, t, [](const std::string& s) { return s == Playing(1) + " 0:01"; }, 40000))
      << Dump(t);
  for (int song = 7; song <= 9; ++song) {
    const int heard = t.Find(NearItsEnd(song));
    ASSERT_GE(heard, 0) << "song " << song << " was not heard to its end: " << Dump(t);
    EXPECT_LT(heard, t.Find("歌曲" + std::to_string(song % 9 + 1) + " ", heard)) << Dump(t);
  }

  // Another batch while song 1 plays: still song 1, until the loop starts another.
  PostMessageA(FindChild(GetParent(player_.visible), "Button", "换一批"), BM_CLICK, 0, 0);
  const int before = static_cast<int>(t.texts.size());
  ASSERT_TRUE(Watch(
      player_.face, t,
      [](const std::string& s) {
        return s.find(" 正在播放 0:01") != std::string::npos && s.rfind(Playing(1), 0) != 0;
      },
      40000))
      << Dump(t);
  EXPECT_GE(t.Find(NearItsEnd(1), before), 0) << Dump(t);
  for (const std::string& s : t.texts) {
    if (s.rfind("--", 0) == 0) {
      EXPECT_EQ(s.rfind("-- 已停止", 0), 0u) << "no song named while one plays: " << Dump(t);
      continue;
    }
    const int number = std::atoi(s.c_str() + std::string("歌曲").size());
    EXPECT_TRUE(number >= 1 && number <= 9) << s << ": " << Dump(t);
  }
}

// The requests for a song the service has logged since `from` (a byte offset of its log).
int SongRequests(const std::string& log, size_t from, int song) {
  const std::string all = testing_support::ReadFileBytes(log);
  const std::string request = "GET /mp3.ashx?id=" + std::to_string(song) + " ";
  int n = 0;
  for (size_t at = all.find(request, from); at != std::string::npos;
       at = all.find(request, at + 1)) {
    ++n;
  }
  return n;
}

// In single-song loop the song chosen just after another ended is the one repeated, each time
// from the file fetched once.
TEST_F(WinePlayback, TheSingleSongLoopRepeatsTheChosenSongFromOneDownload) {
  Start();
  const size_t logStart = testing_support::ReadFileBytes(service_->LogPath()).size();
  SendMessageA(player_.singleLoop, BM_CLICK, 0, 0);
  Trace t;
  DoubleClickEntry(player_.visible, 2);
  ASSERT_TRUE(UntilItEnds(player_.face, t, 2)) << Dump(t);
  DoubleClickEntry(player_.visible, 7);  // before the loop timer's next tick
  for (int round = 1; round <= 3; ++round) {
    ASSERT_TRUE(UntilItEnds(player_.face, t, 7)) << "round " << round << ": " << Dump(t);
    // It stopped, and it starts again from the beginning.
    if (round < 3) {
      ASSERT_TRUE(Watch(
          player_.face, t, [](const std::string& s) { return s == Playing(7) + " 0:00"; }, 5000))
          << Dump(t);
    }
  }
  EXPECT_EQ(SongRequests(service_->LogPath(), logStart, 7), 1);
  EXPECT_EQ(SongRequests(service_->LogPath(), logStart, 2), 1);
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
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(testing_support::Wide(pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do {
    ++n;
  } while (FindNextFileW(search, &found));
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

// The download window of the process, once one is up: its caption and its status line.
struct DownloadWindow {
  HWND window = nullptr;
  std::string title, status;
};
DownloadWindow WaitForDownloadWindow(const PlayerProcess& process) {
  DownloadWindow d;
  d.window = process.WaitForWindow("VeloryDownloadWindow", true, 10000);
  if (!d.window) return d;
  d.title = WindowText(d.window);
  d.status = WindowText(FindWindowExA(d.window, nullptr, "VeloryDownloadStatus", nullptr));
  return d;
}

TEST_F(WinePlayback, TheDownloadWindowShowsTheFileItsProgressAndWhyItFailed) {
  Start(
      "--song-fault 3=trickle --song-fault 4=close-mid-body --song-fault 5=status500 "
      "--song-fault 6=slow");
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

  // Song 3 trickles in: the window names the file and tells the share and the bytes so far;
  // closing it cancels the download without a message and without a file.
  DoubleClickEntry(player_.visible, 3);
  ASSERT_TRUE(Watch(
      player_.face, t, [](const std::string& s) { return s.rfind("歌曲3 ", 0) == 0; }, 10000));
  PostMessageA(player_.download, BM_CLICK, 0, 0);
  ASSERT_TRUE(testing_support::AnswerFileDialog(*process_, folder + "\\three.wav", &suggested));
  DownloadWindow d = WaitForDownloadWindow(*process_);
  ASSERT_NE(d.window, nullptr);
  EXPECT_EQ(d.title, "下载 three.wav");
  const std::string total = " / " + std::to_string(song.size() / 1000) + "," +
                            std::to_string(song.size() % 1000 + 1000).substr(1) + " 字节";
  EXPECT_TRUE(WaitFor(
      [&] {
        d.status = WindowText(FindWindowExA(d.window, nullptr, "VeloryDownloadStatus", nullptr));
        return d.status.rfind("0%  已收到 ", 0) == 0 && d.status.find(total) != std::string::npos &&
               d.status.rfind("0%  已收到 0 ", 0) != 0;  // some bytes have come
      },
      5000))
      << d.status;
  PostMessageA(d.window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(d.window); }, 5000));
  EXPECT_EQ(process_->WaitForMessageBox(500), "");
  EXPECT_FALSE(testing_support::PathExists(folder + "\\three.wav"));

  // Failures leave no file, and say why: in the message and on the window behind it.
  testing_support::WriteFileBytes(folder + "\\refused.wav.part\\x", "");  // a folder in the way
  const struct {
    int entry;
    const char* file;
    const char* reason;
  } failures[] = {
      {4, "four.wav", "连接中断，文件不完整"},
      {5, "five.wav", "服务器出错（状态 500）"},
      {6, "six.wav", "服务器没有及时应答"},
      {2, "refused.wav", "磁盘拒绝写入文件"},
  };
  for (const auto& f : failures) {
    DoubleClickEntry(player_.visible, f.entry);
    const std::string number = "歌曲" + std::to_string(f.entry) + " ";
    ASSERT_TRUE(Watch(
        player_.face, t, [&](const std::string& s) { return s.rfind(number, 0) == 0; }, 10000));
    PostMessageA(player_.download, BM_CLICK, 0, 0);
    ASSERT_TRUE(testing_support::AnswerFileDialog(*process_, folder + "\\" + f.file, &suggested))
        << f.file;
    HWND box = nullptr;
    EXPECT_EQ(process_->WaitForMessageBox(15000, &box), std::string("失败！\n") + f.reason);
    d = WaitForDownloadWindow(*process_);
    EXPECT_EQ(d.title, std::string("下载 ") + f.file);
    EXPECT_EQ(d.status, f.reason);
    if (box) SendMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(testing_support::PathExists(folder + "\\" + f.file)) << f.file;
    if (f.entry != 2) {  // where the folder is not in the way
      EXPECT_FALSE(testing_support::PathExists(folder + "\\" + f.file + ".part")) << f.file;
    }
  }
  EXPECT_TRUE(testing_support::PathExists(folder + "\\two.wav"));
}

BOOL CALLBACK CollectTooltip(HWND w, LPARAM found) {
  auto* seen = reinterpret_cast<std::pair<DWORD, std::string>*>(found);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != seen->first || !IsWindowVisible(w) ||
      _stricmp(testing_support::ClassName(w).c_str(), "tooltips_class32") != 0) {
    return TRUE;
  }
  wchar_t text[2048] = {};
  SendMessageW(w, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text));
  seen->second = testing_support::ToUtf8(text);
  return seen->second.empty();
}

// The text of the tooltip the process shows now; empty when none shows.
std::string ShownTooltip(DWORD pid) {
  std::pair<DWORD, std::string> seen{pid, ""};
  EnumWindows(CollectTooltip, reinterpret_cast<LPARAM>(&seen));
  return seen.second;
}

// The tooltip that shows with the pointer resting on a row of the list; empty when none does.
// A tip shows half a second after the pointer stops; `waitMs` bounds the wait for one.
std::string RowTip(DWORD pid, HWND list, int row, DWORD waitMs = 3000) {
  // From outside the list first, so the tip of another row is gone.
  RECT away;
  GetWindowRect(GetParent(GetParent(list)), &away);
  SetCursorPos(away.right - 40, away.bottom - 10);
  WaitFor([&] { return ShownTooltip(pid).empty(); }, 3000);
  const LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
  const LRESULT height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
  POINT at{20, static_cast<LONG>((row - top) * height + height / 2)};
  const LPARAM inList = MAKELPARAM(at.x, at.y);
  ClientToScreen(list, &at);
  SetCursorPos(at.x, at.y);
  PostMessageA(list, WM_MOUSEMOVE, 0, inList);
  std::string tip;
  WaitFor([&] { return !(tip = ShownTooltip(pid)).empty(); }, waitMs);
  return tip;
}

// Titles are network data: shown as plain text, markup and all, a long one cut, none for none.
TEST_F(WinePlayback, RowsAndTheFaceShowTheSongsTitlesAsPlainText) {
  const std::string markup = "<b>R&amp;B</b> & <i>x</i>";
  Start("--song-title \"5=" + markup + "\" --song-title 3=歌*34000 --song-title 4=");
  std::string cut;
  for (int i = 0; i < 39; ++i) cut += "歌";
  cut += "…";
  const DWORD pid = process_->pid();
  EXPECT_EQ(RowTip(pid, player_.visible, 1), "晨光 Morning Light");
  EXPECT_EQ(RowTip(pid, player_.visible, 2), "小溪 'Brook'");  // the list's escapes undone
  EXPECT_EQ(RowTip(pid, player_.visible, 3), cut);
  EXPECT_EQ(RowTip(pid, player_.visible, 4, 1500), "");
  EXPECT_EQ(RowTip(pid, player_.visible, 5), markup);
  // The rows themselves still read 歌曲1 to 歌曲9.
  EXPECT_EQ(testing_support::ListBoxItem(player_.visible, 5), "歌曲5");

  Trace t;
  for (const auto& [entry, title] :
       {std::pair<int, std::string>{5, markup}, {3, cut}, {4, ""}, {2, "小溪 'Brook'"}}) {
    DoubleClickEntry(player_.visible, entry);
    const std::string number = "歌曲" + std::to_string(entry) + " ";
    ASSERT_TRUE(Watch(
        player_.face, t, [&](const std::string& s) { return s.rfind(number, 0) == 0; }, 10000))
        << Dump(t);
    EXPECT_EQ(FaceTitle(player_.face), title) << entry;
  }
}

}  // namespace
