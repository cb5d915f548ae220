// The real player against the real catalogue service on loopback: what start-up puts into the
// song list, and that start-up completes whatever the catalogue does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/catalogue_service.h"
#include "tests/support/observe.h"
#include "tests/support/scratch.h"

namespace {

using testing_support::CatalogueService;
using testing_support::ListBoxItems;
using testing_support::MakePlayerFolder;
using testing_support::PlayerFolder;
using testing_support::PlayerProcess;
using Entries = std::vector<std::string>;

const Entries kVisibleList = {"双击操作", "歌曲1", "歌曲2", "歌曲3", "歌曲4",
                              "歌曲5",    "歌曲6", "歌曲7", "歌曲8", "歌曲9"};

#define REQUIRE_LOOPBACK_CATALOGUE()         \
  if (testing_support::CataloguePort() == 0) \
  GTEST_SKIP() << "the build's catalogue is not on 127.0.0.1"

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

struct Lists {
  HWND songList = nullptr;     // 列表框1, never shown
  HWND visibleList = nullptr;  // 列表框2
};

Lists ListsOf(HWND main) {
  Lists lists;
  HWND box = FindWindowExA(main, nullptr, "Button", nullptr);
  for (HWND l = FindWindowExA(box, nullptr, "ListBox", nullptr); l;
       l = FindWindowExA(box, l, "ListBox", nullptr)) {
    (IsWindowVisible(l) ? lists.visibleList : lists.songList) = l;
  }
  return lists;
}

TEST(PlayerCatalogue, StartUpFillsTheSongListWithTheServicesAddressesInOrder) {
  REQUIRE_LOOPBACK_CATALOGUE();
  CatalogueService service(testing_support::CataloguePort());
  ASSERT_TRUE(service.ready()) << "the catalogue service did not start";
  ASSERT_EQ(service.BaseUrl(), testing_support::CatalogueBaseUrl());
  const PlayerFolder dir = MakePlayerFolder(TestName());
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow(40000);
  ASSERT_NE(main, nullptr);
  const Lists lists = ListsOf(main);
  ASSERT_NE(lists.songList, nullptr);

  Entries expected{"双击操作"};
  for (int id = 1; id <= 12; ++id) {
    expected.push_back(testing_support::CatalogueBaseUrl() + "mp3.ashx?id=" + std::to_string(id));
  }
  EXPECT_EQ(ListBoxItems(lists.songList), expected);
  EXPECT_EQ(ListBoxItems(lists.visibleList), kVisibleList);
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
}

TEST(PlayerCatalogue, WithTheCatalogueUnreachableStartUpStillCompletes) {
  REQUIRE_LOOPBACK_CATALOGUE();
  ASSERT_TRUE(testing_support::StopCatalogueService(
      testing_support::CataloguePort()));  // nothing listens there
  const PlayerFolder dir = MakePlayerFolder(TestName());
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow(40000);
  ASSERT_NE(main, nullptr);
  const Lists lists = ListsOf(main);
  EXPECT_EQ(ListBoxItems(lists.songList), Entries{});
  // No song came: the list says why, with the address, instead of nine names that play nothing.
  const Entries shown = ListBoxItems(lists.visibleList);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0], "音乐目录没有回应：");
  EXPECT_EQ(shown[1], testing_support::CatalogueBaseUrl());
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
}

TEST(PlayerCatalogue, ACatalogueThatNeverAnswersHoldsStartUpOnlyUntilTheDeadlines) {
  REQUIRE_LOOPBACK_CATALOGUE();
  CatalogueService service(testing_support::CataloguePort(), "--fault slow");
  ASSERT_TRUE(service.ready()) << "the catalogue service did not start";
  const PlayerFolder dir = MakePlayerFolder(TestName());
  PlayerProcess player(dir.folder);
  // Two requests give up (the first GET, then the home page of the fetch), then the rest runs.
  HWND main = player.WaitForMainWindow(40000);
  ASSERT_NE(main, nullptr);
  const Lists lists = ListsOf(main);
  EXPECT_EQ(ListBoxItems(lists.songList), Entries{});
  // No song came: the list says why, with the address, instead of nine names that play nothing.
  const Entries shown = ListBoxItems(lists.visibleList);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0], "音乐目录没有回应：");
  EXPECT_EQ(shown[1], testing_support::CatalogueBaseUrl());
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
}

}  // namespace
