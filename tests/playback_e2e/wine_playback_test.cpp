// The real player plays the service's real WAV songs: watched through the media unit's own face,
// whose window text tells the song, its state and its elapsed time.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
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

// The player's announcements of what its face shows: "face 歌曲3 正在播放 0:07\t<title>".
const char kFace[] = "face ";

std::string Playing(int song) { return "歌曲" + std::to_string(song) + " 正在播放"; }
// The face showed the song playing.
std::string FacePlaying(int song) { return kFace + Playing(song); }
// The control reported the song's end: it was heard to its end.
std::string Ended(int song) { return "state 8 song " + std::to_string(song); }
std::string Started(int song) { return "play " + std::to_string(song) + " "; }

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

// A song chosen just after another ended plays to its end; the face names every song by its
// number in its batch, across the end of the batch and another batch fetched while one plays.
TEST_F(WinePlayback, TheChosenSongPlaysToItsEndAndTheFaceNamesEachSongOfItsBatch) {
  Start();
  const auto& e = events();
  DoubleClickEntry(player_.visible, 2);
  ASSERT_GE(Await(Ended(2), 0), 0) << e.Dump();
  const size_t chosen = e.Count();
  DoubleClickEntry(player_.visible, 7);  // before the loop timer's next tick
  const int nextBatch = Await(Started(1), chosen, 40000);
  ASSERT_GE(nextBatch, 0) << e.Dump(chosen);
  ASSERT_GE(Await(FacePlaying(1), nextBatch), 0) << e.Dump(chosen);
  // 7, 8 and 9 in turn, each shown on the face and heard to its end before the next starts.
  int at = static_cast<int>(chosen);
  for (int song = 7; song <= 9; ++song) {
    const int started = e.WaitFor(Started(song), at, 0);
    ASSERT_GE(started, 0) << "song " << song << " did not start: " << e.Dump(chosen);
    const int shown = e.WaitFor(FacePlaying(song), started, 0);
    const int ended = e.WaitFor(Ended(song), started, 0);
    ASSERT_GE(ended, 0) << "song " << song << " was not heard to its end: " << e.Dump(chosen);
    EXPECT_LT(shown, ended) << "song " << song << " not on the face: " << e.Dump(chosen);
    EXPECT_GE(shown, 0) << "song " << song << " not on the face: " << e.Dump(chosen);
    EXPECT_EQ(e.CountOf("play ", started + 1, ended), 0) << e.Dump(chosen);
    at = ended;
  }
  EXPECT_EQ(e.CountOf("play ", at, nextBatch), 0) << e.Dump(chosen);
  EXPECT_EQ(e.CountOf("batch ", at, nextBatch), 1) << e.Dump(chosen);

  // Another batch while song 1 plays: still song 1, until the loop starts another.
  const size_t clicked = e.Count();
  PostMessageA(FindChild(GetParent(player_.visible), "Button", "换一批"), BM_CLICK, 0, 0);
  ASSERT_GE(Await("batch ", clicked), 0) << e.Dump(clicked);
  const int ended = Await(Ended(1), clicked);
  ASSERT_GE(ended, 0) << e.Dump(clicked);
  EXPECT_EQ(e.CountOf("play ", clicked, ended), 0) << e.Dump(clicked);
  const int next = Await("play ", ended);
  ASSERT_GE(next, 0) << e.Dump(clicked);
  const int number = std::atoi(e.Lines()[next].c_str() + std::strlen("play "));
  ASSERT_GE(Await(FacePlaying(number), next), 0) << e.Dump(clicked);
  for (const std::string& line : e.Lines()) {
    if (line.rfind(kFace, 0) != 0) continue;
    const std::string face = line.substr(std::strlen(kFace));
    if (face.rfind("--", 0) == 0) {
      EXPECT_EQ(face.rfind("-- 已停止", 0), 0u) << "no song named while one plays: " << e.Dump();
      continue;
    }
    const int shown = std::atoi(face.c_str() + std::string("歌曲").size());
    EXPECT_TRUE(shown >= 1 && shown <= 9) << face << ": " << e.Dump();
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
  const auto& e = events();
  const size_t logStart = testing_support::ReadFileBytes(service_->LogPath()).size();
  SendMessageA(player_.singleLoop, BM_CLICK, 0, 0);
  DoubleClickEntry(player_.visible, 2);
  ASSERT_GE(Await(Ended(2), 0), 0) << e.Dump();
  const size_t chosen = e.Count();
  DoubleClickEntry(player_.visible, 7);  // before the loop timer's next tick
  int at = Await(Started(7), chosen);
  ASSERT_GE(at, 0) << e.Dump(chosen);
  for (int round = 1; round <= 3; ++round) {
    const int ended = Await(Ended(7), at);
    ASSERT_GE(ended, 0) << "round " << round << ": " << e.Dump(chosen);
    // It was on the face from the beginning; then it stops, and starts again.
    const int shown = e.WaitFor(FacePlaying(7), at, 0);
    ASSERT_GE(shown, 0) << "round " << round << ": " << e.Dump(chosen);
    EXPECT_LT(shown, ended);
    EXPECT_NE(e.Lines()[shown].find(" 0:0"), std::string::npos) << e.Dump(chosen);
    if (round < 3) {
      at = Await("tick replayed", ended);
      ASSERT_GE(at, 0) << e.Dump(chosen);
      // The replay: song 7 again, and nothing else.
      EXPECT_EQ(e.CountOf("play ", ended, at), 1) << e.Dump(chosen);
      EXPECT_EQ(e.CountOf(Started(7), ended, at), 1) << e.Dump(chosen);
    }
  }
  EXPECT_EQ(e.CountOf(Started(2), chosen), 0) << e.Dump(chosen);
  EXPECT_EQ(SongRequests(service_->LogPath(), logStart, 7), 1);
  EXPECT_EQ(SongRequests(service_->LogPath(), logStart, 2), 1);
}

TEST_F(WinePlayback, ANewerSongWhileOneStillLoadsIsTheOneThatPlays) {
  Start("--song-fault 3=trickle");
  const auto& e = events();
  DoubleClickEntry(player_.visible, 3);
  ASSERT_GE(Await("face 歌曲3 正在载入 0:00", 0, 10000), 0) << e.Dump();
  DoubleClickEntry(player_.visible, 5);
  const int ended = Await(Ended(5), 0);
  ASSERT_GE(ended, 0) << e.Dump();
  // The loop goes on from the newer song, and the older one never played.
  ASSERT_GE(Await(FacePlaying(6), ended), 0) << e.Dump();
  EXPECT_EQ(e.CountOf(FacePlaying(3)), 0) << e.Dump();
  EXPECT_EQ(e.CountOf("state 3 song 3"), 0) << e.Dump();
}

TEST_F(WinePlayback, ASongRefusedOrCutShortIsPassedOver) {
  Start("--song-fault 4=close-mid-body --song-fault 5=status500");
  const auto& e = events();
  DoubleClickEntry(player_.visible, 3);
  ASSERT_GE(Await(FacePlaying(6), 0, 40000), 0) << e.Dump();
  EXPECT_GE(e.CountOf(Ended(3)), 1) << e.Dump();
  // Each failed song reports what the control reports for an address it cannot open.
  EXPECT_GE(e.CountOf("state 0 song 4"), 1) << e.Dump();
  EXPECT_GE(e.CountOf("state 0 song 5"), 1) << e.Dump();
  EXPECT_EQ(e.CountOf(FacePlaying(4)), 0) << e.Dump();
  EXPECT_EQ(e.CountOf(FacePlaying(5)), 0) << e.Dump();
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
  // Neither loop mode: after song 2 nothing else starts, so the files stay as they are.
  SendMessageA(player_.listLoop, BM_SETCHECK, BST_UNCHECKED, 0);
  DoubleClickEntry(player_.visible, 1);
  ASSERT_GE(Await(FacePlaying(1), 0), 0) << events().Dump();
  const size_t second = events().Count();
  DoubleClickEntry(player_.visible, 2);
  ASSERT_GE(Await(Ended(2), second), 0) << events().Dump();
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
  const auto& e = events();
  DoubleClickEntry(player_.visible, 2);
  ASSERT_GE(Await(FacePlaying(2), 0), 0) << e.Dump();
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
  size_t mark = e.Count();
  DoubleClickEntry(player_.visible, 3);
  ASSERT_GE(Await("face 歌曲3 ", mark, 10000), 0) << e.Dump(mark);
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
  mark = e.Count();
  PostMessageA(d.window, WM_CLOSE, 0, 0);
  const int cancelled = Await("download cancelled ", mark, 5000);
  EXPECT_GE(cancelled, 0) << e.Dump(mark);
  EXPECT_EQ(e.CountOf("message ", mark), 0) << e.Dump(mark);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(d.window); }, 5000));
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
    mark = e.Count();
    DoubleClickEntry(player_.visible, f.entry);
    const std::string number = "face 歌曲" + std::to_string(f.entry) + " ";
    ASSERT_GE(Await(number, mark, 10000), 0) << e.Dump(mark);
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
  seen->second = testing_support::ToGbk(text);
  return seen->second.empty();
}

// The text of the tooltip the process shows now; empty when none shows.
std::string ShownTooltip(DWORD pid) {
  std::pair<DWORD, std::string> seen{pid, ""};
  EnumWindows(CollectTooltip, reinterpret_cast<LPARAM>(&seen));
  return seen.second;
}

// The title the player gives the tooltip when the pointer rests on a row of the list (a tip
// asks for it half a second after the pointer stops). A tip with a title must then show it.
std::string RowTip(const PlayerProcess& process, HWND list, int row) {
  // From outside the list first, so the tip of another row is gone.
  RECT away;
  GetWindowRect(GetParent(GetParent(list)), &away);
  SetCursorPos(away.right - 40, away.bottom - 10);
  EXPECT_TRUE(WaitFor([&] { return ShownTooltip(process.pid()).empty(); }, 5000));
  const size_t mark = process.events().Count();
  const LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
  const LRESULT height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
  POINT at{20, static_cast<LONG>((row - top) * height + height / 2)};
  const LPARAM inList = MAKELPARAM(at.x, at.y);
  ClientToScreen(list, &at);
  SetCursorPos(at.x, at.y);
  PostMessageA(list, WM_MOUSEMOVE, 0, inList);
  const std::string asked = "tip " + std::to_string(row) + "\t";
  const int given = process.events().WaitFor(asked, mark, 10000);
  if (given < 0) {
    ADD_FAILURE() << "no tip asked for row " << row << ": " << process.events().Dump(mark);
    return "";
  }
  const std::string title = process.events().Lines()[given].substr(asked.size());
  std::string shown;
  if (!title.empty()) {
    EXPECT_TRUE(WaitFor([&] { return (shown = ShownTooltip(process.pid())) == title; }, 5000))
        << "row " << row << " shows " << shown;
  }
  return title;
}

// Titles are network data: shown as plain text, markup and all, a long one cut, none for none.
TEST_F(WinePlayback, RowsAndTheFaceShowTheSongsTitlesAsPlainText) {
  const std::string markup = "<b>R&amp;B</b> & <i>x</i>";
  Start("--song-title \"5=" + markup + "\" --song-title 3=歌*34000 --song-title 4=");
  std::string cut;
  for (int i = 0; i < 39; ++i) cut += "歌";
  cut += "…";
  EXPECT_EQ(RowTip(*process_, player_.visible, 1), "晨光 Morning Light");
  EXPECT_EQ(RowTip(*process_, player_.visible, 2), "小溪 'Brook'");  // the list's escapes undone
  EXPECT_EQ(RowTip(*process_, player_.visible, 3), cut);
  EXPECT_EQ(RowTip(*process_, player_.visible, 4), "");
  EXPECT_EQ(RowTip(*process_, player_.visible, 5), markup);
  // The rows themselves still read 歌曲1 to 歌曲9.
  EXPECT_EQ(testing_support::ListBoxItem(player_.visible, 5), "歌曲5");

  const auto& e = events();
  for (const auto& [entry, title] :
       {std::pair<int, std::string>{5, markup}, {3, cut}, {4, ""}, {2, "小溪 'Brook'"}}) {
    const size_t mark = e.Count();
    DoubleClickEntry(player_.visible, entry);
    const int shown = Await("face 歌曲" + std::to_string(entry) + " ", mark, 10000);
    ASSERT_GE(shown, 0) << e.Dump(mark);
    const std::string& line = e.Lines()[shown];
    EXPECT_EQ(line.substr(line.find('\t') + 1), title) << entry;
  }
}

}  // namespace
