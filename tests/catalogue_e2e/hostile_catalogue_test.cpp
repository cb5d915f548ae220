// The real player against a catalogue site that misbehaves, at start-up and on another batch: it
// never crashes, keeps answering, keeps its lists whole with one batch each, and ends cleanly.
// (A site that never answers, or trickles, is timed by the tests beside this one.)
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
using testing_support::ListBoxItem;
using testing_support::ListBoxItems;
using testing_support::MakePlayerFolder;
using testing_support::PlayerProcess;
using testing_support::WaitFor;

const char kHeader[] = "双击操作";
const std::vector<std::string> kVisibleEntries = {kHeader, "歌曲1", "歌曲2", "歌曲3", "歌曲4",
                                                  "歌曲5", "歌曲6", "歌曲7", "歌曲8", "歌曲9"};

bool Answers(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result) != 0;
}

// The visible list is whole, and the song list holds at most one batch: the header first, and
// addresses of the site after it (sampled: a list may hold thousands).
bool ListsConsistent(HWND visible, HWND songs) {
  if (ListBoxItems(visible) != kVisibleEntries) return false;
  const auto count = static_cast<int>(SendMessageW(songs, LB_GETCOUNT, 0, 0));
  if (count <= 0) return true;  // a batch that brought nothing
  if (ListBoxItem(songs, 0) != kHeader) return false;
  const auto isAddress = [&](int i) {
    return ListBoxItem(songs, i).find("mp3.ashx?id=") != std::string::npos;
  };
  const int step = std::max(1, count / 50);
  for (int i = 1; i < count; i += step) {
    if (!isAddress(i)) return false;
  }
  return count == 1 || isAddress(count - 1);
}

class HostileCatalogue : public testing::TestWithParam<const char*> {};

TEST_P(HostileCatalogue, StartUpAndAnotherBatchStayWholeAndAnswering) {
  if (CATALOGUE_PORT == 0) GTEST_SKIP() << "the build's catalogue is not on 127.0.0.1";
  CatalogueService service(CATALOGUE_PORT, std::string("--fault ") + GetParam());
  ASSERT_TRUE(service.ready());
  PlayerProcess player(MakePlayerFolder(std::string("hostile-") + GetParam()).folder);
  HWND main = player.WaitForMainWindow(40000);
  ASSERT_NE(main, nullptr) << "no main window";
  HWND box = FindWindowExA(main, nullptr, "Button", nullptr);
  HWND visible = nullptr, songs = nullptr;
  for (HWND l = FindWindowExA(box, nullptr, "ListBox", nullptr); l;
       l = FindWindowExA(box, l, "ListBox", nullptr)) {
    (IsWindowVisible(l) ? visible : songs) = l;
  }
  ASSERT_TRUE(visible && songs);
  EXPECT_TRUE(ListsConsistent(visible, songs)) << "after start-up";

  HWND another = FindChild(box, "Button", "换一批");
  ASSERT_NE(another, nullptr);
  PostMessageA(another, BM_CLICK, 0, 0);
  // While the batch comes in, the window keeps answering.
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(Answers(main)) << "during another batch";
    Sleep(100);
  }
  EXPECT_TRUE(WaitFor([&] { return ListsConsistent(visible, songs); }, 40000))
      << "after another batch";
  player.Close();
  EXPECT_EQ(player.WaitForExit(20000), 0);
}

INSTANTIATE_TEST_SUITE_P(Faults, HostileCatalogue,
                         testing::Values("empty", "status500", "status404", "close-mid-body",
                                         "no-token", "two-tokens", "malformed", "short-records",
                                         "packed", "big-body", "garbage", "nested", "long-records",
                                         "many-records"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
