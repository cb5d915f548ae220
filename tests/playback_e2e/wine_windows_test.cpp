// The player's windows beside its face under Wine: the download window with its progress and
// its failures, and the titles the song list's rows and the face show.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "catalogue/http_get.h"
#include "tests/playback_e2e/wine_player.h"

namespace {

using namespace wine_playback;
using testing_support::WaitFor;
using testing_support::WindowText;

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
  const int playing = Await(FacePlaying(2), 0);
  ASSERT_GE(playing, 0) << e.Dump();
  const std::string title = e.Lines()[playing].substr(e.Lines()[playing].find('\t') + 1);
  ASSERT_FALSE(title.empty());
  // The button lies over the unit's place and stays above its face.
  RECT button;
  GetWindowRect(player_.download, &button);
  EXPECT_EQ(WindowFromPoint({(button.left + button.right) / 2, (button.top + button.bottom) / 2}),
            player_.download);
  PostMessageA(player_.download, BM_CLICK, 0, 0);
  std::string suggested;
  ASSERT_TRUE(testing_support::AnswerFileDialog(*process_, folder + "\\two.wav", &suggested));
  EXPECT_EQ(suggested, title + ".wav");  // the service's titles hold no reserved character
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
  // The player owns it, and the button finds it again while it runs.
  EXPECT_EQ(GetWindow(d.window, GW_OWNER), GetAncestor(player_.visible, GA_ROOT));
  mark = e.Count();
  PostMessageA(player_.download, BM_CLICK, 0, 0);
  EXPECT_GE(Await("download window brought forward", mark, 5000), 0) << e.Dump(mark);
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
  seen->second = testing_support::ToUtf8(text);
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
  const std::string korean = "한국어 노래 – 봄날";
  Start("--song-title \"5=" + markup +
        "\" --song-title 3=歌*34000 --song-title 4= " + "--song-title \"6=" + korean + "\"");
  std::string cut;
  for (int i = 0; i < 39; ++i) cut += "歌";
  cut += "…";
  EXPECT_EQ(RowTip(*process_, player_.visible, 1), "晨光 Morning Light");
  EXPECT_EQ(RowTip(*process_, player_.visible, 2), "小溪 'Brook'");  // the list's escapes undone
  EXPECT_EQ(RowTip(*process_, player_.visible, 3), cut);
  EXPECT_EQ(RowTip(*process_, player_.visible, 4), "");
  EXPECT_EQ(RowTip(*process_, player_.visible, 5), markup);
  EXPECT_EQ(RowTip(*process_, player_.visible, 6), korean);  // no code page in between
  // The rows themselves still read 歌曲1 to 歌曲9.
  EXPECT_EQ(testing_support::ListBoxItem(player_.visible, 5), "歌曲5");

  const auto& e = events();
  for (const auto& [entry, title] : {std::pair<int, std::string>{5, markup},
                                     {3, cut},
                                     {4, ""},
                                     {2, "小溪 'Brook'"},
                                     {6, korean}}) {
    const size_t mark = e.Count();
    DoubleClickEntry(player_.visible, entry);
    const int shown = Await("face 歌曲" + std::to_string(entry) + " ", mark, 10000);
    ASSERT_GE(shown, 0) << e.Dump(mark);
    const std::string& line = e.Lines()[shown];
    EXPECT_EQ(line.substr(line.find('\t') + 1), title) << entry;
  }
  // The face's window text, which names it to assistive tools, holds the Korean title whole.
  const std::string text = WindowText(player_.face);
  EXPECT_EQ(text.substr(text.find('\n') + 1), korean) << text;
}

}  // namespace
