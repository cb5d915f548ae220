// The real player against the real catalogue service, watched from this process: the list
// loop, another batch and closing while a batch comes in. The player's address is not visible from
// outside; the selection of the visible list and the entries of the song list are.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
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

const char kHeader[] = "双击操作";

#define START_CATALOGUE_SERVICE(service)                         \
  if (testing_support::CataloguePort() == 0)                     \
    GTEST_SKIP() << "the build's catalogue is not on 127.0.0.1"; \
  CatalogueService service(testing_support::CataloguePort());    \
  ASSERT_TRUE(service.ready()) << "the catalogue service did not start"

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

struct Units {
  HWND box = nullptr, songs = nullptr, visible = nullptr, anotherBatch = nullptr,
       download = nullptr;
};

Units FindUnits(HWND main) {
  Units u;
  u.box = FindWindowExA(main, nullptr, "Button", nullptr);
  for (HWND l = FindWindowExA(u.box, nullptr, "ListBox", nullptr); l;
       l = FindWindowExA(u.box, l, "ListBox", nullptr)) {
    (IsWindowVisible(l) ? u.visible : u.songs) = l;
  }
  u.anotherBatch = FindChild(u.box, "Button", "换一批");
  u.download = FindChild(u.box, "Button", "下 载");
  return u;
}

int Selection(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)); }

// A real double-click on the entry, as the mouse would make it.
void DoubleClickEntry(HWND list, int index) {
  const LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
  const LRESULT height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
  const LPARAM at = MAKELPARAM(10, (index - top) * height + height / 2);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
  PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
}

size_t Headers(const std::vector<std::string>& entries) {
  return std::count(entries.begin(), entries.end(), std::string(kHeader));
}

const std::vector<std::string> kVisibleEntries = {kHeader, "歌曲1", "歌曲2", "歌曲3", "歌曲4",
                                                  "歌曲5", "歌曲6", "歌曲7", "歌曲8", "歌曲9"};

TEST(PlayLoop, ADoubleClickedSongAdvancesThroughTheBatchEndIntoANewBatch) {
  START_CATALOGUE_SERVICE(service);
  const PlayerFolder dir = MakePlayerFolder(TestName());
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow(40000);
  ASSERT_NE(main, nullptr);
  const Units u = FindUnits(main);
  ASSERT_TRUE(u.songs && u.visible && u.anotherBatch && u.download);

  // Start-up fetched the first batch.
  const std::vector<std::string> first = ListBoxItems(u.songs);
  ASSERT_GE(first.size(), 10u) << "the catalogue gave fewer than nine songs";
  EXPECT_EQ(first[0], kHeader);
  EXPECT_EQ(Headers(first), 1u);

  // Each of the service's songs plays for 2.4 s; the loop moves on at the next tick after.
  const auto& e = player.events();
  DoubleClickEntry(u.visible, 8);
  const int eight = e.WaitFor("play 8 " + first[8]);
  ASSERT_GE(eight, 0) << e.Dump();
  EXPECT_EQ(Selection(u.visible), 8);
  const int nine = e.WaitFor("tick advanced", eight);
  ASSERT_GE(nine, 0) << e.Dump();
  EXPECT_EQ(e.CountOf("play ", eight + 1, nine), 1) << e.Dump();
  EXPECT_EQ(e.CountOf("play 9 " + first[9], eight, nine), 1) << e.Dump();

  // After song 9 a new batch replaces the old one; song 1 plays, then song 2 is selected.
  const int fresh = e.WaitFor("tick new batch", nine, 30000);
  ASSERT_GE(fresh, 0) << e.Dump();
  const int two = e.WaitFor("tick advanced", fresh, 30000);
  ASSERT_GE(two, 0) << e.Dump();
  EXPECT_EQ(e.CountOf("batch ", nine, fresh), 1) << e.Dump();
  EXPECT_EQ(e.CountOf("play 1 ", nine, fresh), 1) << e.Dump();
  EXPECT_EQ(e.CountOf("play ", fresh, two), 1) << e.Dump();
  EXPECT_EQ(e.CountOf("play 2 ", fresh, two), 1) << e.Dump();
  EXPECT_EQ(Selection(u.visible), 2);
  // The service starts every batch further on in its songs: the same addresses, another order.
  const std::vector<std::string> second = ListBoxItems(u.songs);
  EXPECT_EQ(Headers(second), 1u);
  ASSERT_EQ(second.size(), first.size());
  EXPECT_EQ(second[0], kHeader);
  EXPECT_NE(second, first);
  EXPECT_TRUE(std::is_permutation(second.begin(), second.end(), first.begin()));
  EXPECT_EQ(ListBoxItems(u.visible), kVisibleEntries);

  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
}

TEST(PlayLoop, AnotherBatchClickedTwiceInARowFetchesOnce) {
  START_CATALOGUE_SERVICE(service);
  const PlayerFolder dir = MakePlayerFolder(TestName());
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow(40000);
  ASSERT_NE(main, nullptr);
  const Units u = FindUnits(main);
  ASSERT_TRUE(u.songs && u.visible && u.anotherBatch);

  // The second click arrives while the first one's waits let the window process messages.
  const auto& e = player.events();
  const size_t mark = e.Count();
  PostMessageA(u.anotherBatch, BM_CLICK, 0, 0);
  PostMessageA(u.anotherBatch, BM_CLICK, 0, 0);
  const int batch = e.WaitFor("batch ", mark, 30000);
  ASSERT_GE(batch, 0) << e.Dump(mark);
  // A tick of the loop timer comes only once no posted message waits: both clicks are done.
  ASSERT_GE(e.WaitFor("tick ", batch), 0) << e.Dump(mark);
  EXPECT_EQ(e.CountOf("another batch", mark), 2) << e.Dump(mark);
  EXPECT_EQ(e.CountOf("another batch ignored: busy", mark), 1) << e.Dump(mark);
  EXPECT_EQ(e.CountOf("batch ", mark), 1) << e.Dump(mark);
  const std::vector<std::string> songs = ListBoxItems(u.songs);
  EXPECT_EQ(Headers(songs), 1u);
  EXPECT_EQ(ListBoxItems(u.visible), kVisibleEntries);

  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
}

TEST(PlayLoop, ClosingWhileABatchComesInEndsTheProgram) {
  START_CATALOGUE_SERVICE(service);
  const PlayerFolder dir = MakePlayerFolder(TestName());
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow(40000);
  ASSERT_NE(main, nullptr);
  const Units u = FindUnits(main);
  ASSERT_TRUE(u.anotherBatch);
  PostMessageA(u.anotherBatch, BM_CLICK, 0, 0);
  // Inside the handler's waits: the visible list is being rebuilt, the batch not yet in.
  ASSERT_GE(player.events().WaitFor("another batch"), 0) << player.events().Dump();
  player.Close();
  EXPECT_EQ(player.WaitForExit(20000), 0);
}

}  // namespace
