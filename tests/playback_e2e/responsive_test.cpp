// The player's windows keep answering while a catalogue request waits on a silent server, and
// closing them then ends the program at once.
#include <winsock2.h>  // before anything that brings in windows.h
//
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/catalogue_service.h"
#include "tests/support/observe.h"
#include "tests/support/scratch.h"

namespace {

using testing_support::CatalogueService;
using testing_support::FindChild;
using testing_support::ListBoxItems;
using testing_support::MakePlayerFolder;
using testing_support::PlayerFolder;
using testing_support::PlayerProcess;
using testing_support::WaitFor;

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

// A server that takes every connection and never answers: the system completes the connections
// in its backlog, no one reads them.
class SilentServer {
 public:
  explicit SilentServer(int port) {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
    started_ = true;
    sock_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (sock_ == INVALID_SOCKET) return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    listening_ = bind(sock_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0 &&
                 listen(sock_, 64) == 0;
  }
  ~SilentServer() {
    if (sock_ != INVALID_SOCKET) closesocket(sock_);
    if (started_) WSACleanup();
  }
  SilentServer(const SilentServer&) = delete;
  SilentServer& operator=(const SilentServer&) = delete;
  bool listening() const { return listening_; }

 private:
  bool started_ = false;
  bool listening_ = false;
  SOCKET sock_ = INVALID_SOCKET;
};

// How long the window took to answer a message, asked every 30 ms for `ms`: the median and the
// slowest (a time-out counts as the whole timeout and more). A window that answers between the
// waits of a polling loop is slow every time; a busy machine delays a few answers only.
struct Answers {
  DWORD median = 0, slowest = 0;
};
Answers AnswerTimes(HWND window, UINT message, DWORD ms) {
  std::vector<DWORD> times;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    const DWORD sent = GetTickCount();
    DWORD_PTR result = 0;
    times.push_back(SendMessageTimeoutA(window, message, 0, 0, SMTO_NORMAL, 1000, &result)
                        ? GetTickCount() - sent
                        : 1001);
    Sleep(30);  // the pace of the asking, not a wait for the player
  }
  std::sort(times.begin(), times.end());
  return times.empty() ? Answers{} : Answers{times[times.size() / 2], times.back()};
}

// Closes the player; its exit code once it has ended, -1 when it still runs 2 s later.
long ClosedAndGone(const PlayerProcess& player) {
  const DWORD start = GetTickCount();
  player.Close();
  const long code = player.WaitForExit(2000);
  std::printf("the player ended %lu ms after the close\n", GetTickCount() - start);
  return code;
}

#define REQUIRE_LOCAL_CATALOGUE()            \
  if (testing_support::CataloguePort() == 0) \
  GTEST_SKIP() << "the build's catalogue is not on 127.0.0.1"

TEST(Responsive, TheLoadingWindowAnswersWhileTheCatalogueIsSilentAndClosingEndsAtOnce) {
  REQUIRE_LOCAL_CATALOGUE();
  ASSERT_TRUE(testing_support::StopCatalogueService(testing_support::CataloguePort()));
  SilentServer silent(testing_support::CataloguePort());
  ASSERT_TRUE(silent.listening());
  const PlayerFolder dir = MakePlayerFolder(TestName());
  PlayerProcess player(dir.folder);
  const HWND loading = player.WaitForWindow("LoadingWindow", true, 20000);
  ASSERT_NE(loading, nullptr);
  const HWND bar = FindWindowExA(loading, nullptr, "msctls_progress32", nullptr);
  ASSERT_NE(bar, nullptr);
  // Once the window is skinned (20), the start-up's first request waits up to 8 s for its
  // answer; the bar is read meanwhile.
  ASSERT_TRUE(WaitFor(
      [&] {
        DWORD_PTR position = 0;
        return SendMessageTimeoutA(bar, PBM_GETPOS, 0, 0, SMTO_NORMAL, 1000, &position) &&
               position == 20;
      },
      5000));
  const Answers answers = AnswerTimes(bar, PBM_GETPOS, 3000);
  std::printf("answers of the progress bar: median %lu ms, slowest %lu ms\n", answers.median,
              answers.slowest);
  EXPECT_LE(answers.median, 50u);
  EXPECT_LE(answers.slowest, 1000u);
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 20);
  ASSERT_EQ(player.WaitForExit(0), -1) << "the start-up ended before the test closed it";
  EXPECT_EQ(ClosedAndGone(player), 0);
}

TEST(Responsive, ClosingWhileAnotherBatchWaitsOnASilentCatalogueEndsAtOnce) {
  REQUIRE_LOCAL_CATALOGUE();
  const PlayerFolder dir = MakePlayerFolder(TestName());
  auto service = std::make_unique<CatalogueService>(testing_support::CataloguePort());
  ASSERT_TRUE(service->ready());
  PlayerProcess player(dir.folder);
  const HWND main = player.WaitForMainWindow(40000);
  ASSERT_NE(main, nullptr);
  const HWND box = FindWindowExA(main, nullptr, "Button", nullptr);
  const HWND anotherBatch = FindChild(box, "Button", "换一批");
  ASSERT_NE(anotherBatch, nullptr);
  service.reset();
  SilentServer silent(testing_support::CataloguePort());
  ASSERT_TRUE(silent.listening());

  PostMessageA(anotherBatch, BM_CLICK, 0, 0);
  // Past the visible list's pauses: the home page request waits now, the song list emptied.
  ASSERT_GE(player.events().WaitFor("fetching a batch"), 0) << player.events().Dump();
  HWND songs = nullptr;
  for (HWND l = FindWindowExA(box, nullptr, "ListBox", nullptr); l;
       l = FindWindowExA(box, l, "ListBox", nullptr)) {
    if (!IsWindowVisible(l)) songs = l;
  }
  ASSERT_NE(songs, nullptr);
  EXPECT_TRUE(ListBoxItems(songs).empty());
  const Answers answers = AnswerTimes(main, WM_NULL, 2000);
  std::printf("answers of the main window: median %lu ms, slowest %lu ms\n", answers.median,
              answers.slowest);
  EXPECT_LE(answers.median, 50u);
  EXPECT_LE(answers.slowest, 1000u);
  EXPECT_EQ(ClosedAndGone(player), 0);
}

}  // namespace
