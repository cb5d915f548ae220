// The real player against a catalogue site that misbehaves, at start-up and on another batch: it
// never crashes, keeps answering, its lists hold what each fault leaves readable, one batch at a
// time, and it ends cleanly.
// (A site that never answers, or trickles, is timed by the tests beside this one.)
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <iterator>
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

// What a fault leaves in the song list, batch by batch.
enum class Gives {
  kNothing,        // no list reference reached the player: no header either
  kHeaderAlone,    // a list with no record the player can read
  kBatch,          // every song, the batch's rotation of the site's twelve
  kNoEveryThird,   // the batch less the songs whose records lack an address
  kNestedMarkers,  // the batch, each address what follows the first marker
  kTenThousand,    // 10,000 records, songs 1 to 12 over and over
};

struct FaultCase {
  const char* name;
  Gives gives;
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

constexpr int kSiteSongs = 12, kBatchStep = 9;

std::string Address(int id) {
  return testing_support::CatalogueBaseUrl() + "mp3.ashx?id=" + std::to_string(id);
}

// The song list after the n-th batch the site has served (0 at start-up).
std::vector<std::string> ExpectedSongs(Gives gives, int batch) {
  if (gives == Gives::kNothing) return {};
  std::vector<std::string> list = {kHeader};
  if (gives == Gives::kHeaderAlone) return list;
  if (gives == Gives::kTenThousand) {
    for (int i = 0; i < 10000; ++i) list.push_back(Address(i % kSiteSongs + 1));
    return list;
  }
  for (int i = 0; i < kSiteSongs; ++i) {
    const int id = (batch * kBatchStep + i) % kSiteSongs + 1;
    if (gives == Gives::kNoEveryThird && id % 3 == 0) continue;
    if (gives == Gives::kNestedMarkers) {
      list.push_back(testing_support::CatalogueBaseUrl() + "mp3: 'mp3.ashx?id=" +
                     std::to_string(id) + "', mp3: 'mp3.ashx?id=" + std::to_string(id));
    } else {
      list.push_back(Address(id));
    }
  }
  return list;
}

// The song list equals the expected one: its count, and its entries sampled (a list may hold
// thousands), the last among them.
// The nine names where songs came; where none came, the list says why, with the address.
std::vector<std::string> VisibleEntries(Gives gives) {
  if (ExpectedSongs(gives, 0).size() > 1) return kVisibleEntries;
  return {"音乐目录没有回应：", testing_support::CatalogueBaseUrl(),
          "请在托盘菜单“音乐来源…”中选择你的音乐"};
}

bool SongsAre(HWND songs, const std::vector<std::string>& expected) {
  const auto count = static_cast<int>(SendMessageW(songs, LB_GETCOUNT, 0, 0));
  if (count != static_cast<int>(expected.size())) return false;
  const int step = std::max(1, count / 50);
  for (int i = 0; i < count; i += step) {
    if (ListBoxItem(songs, i) != expected[i]) return false;
  }
  return count == 0 || ListBoxItem(songs, count - 1) == expected.back();
}

std::string Describe(HWND songs) {
  const auto count = static_cast<int>(SendMessageW(songs, LB_GETCOUNT, 0, 0));
  std::string text = std::to_string(count) + " songs";
  for (int i = 0; i < std::min(count, 3); ++i) text += ", " + ListBoxItem(songs, i);
  return text;
}

// Start-up and another batch against a catalogue with the fault: the lists it gives, and a
// window that keeps answering.
void StartUpAndAnotherBatch(const FaultCase& c) {
  if (testing_support::CataloguePort() == 0) {
    GTEST_SKIP() << "the build's catalogue is not on 127.0.0.1";
  }
  CatalogueService service(testing_support::CataloguePort(), std::string("--fault ") + c.name);
  ASSERT_TRUE(service.ready());
  PlayerProcess player(MakePlayerFolder(std::string("hostile-") + c.name).folder);
  HWND main = player.WaitForMainWindow(40000);
  ASSERT_NE(main, nullptr) << "no main window";
  HWND box = FindWindowExA(main, nullptr, "Button", nullptr);
  HWND visible = nullptr, songs = nullptr;
  for (HWND l = FindWindowExA(box, nullptr, "ListBox", nullptr); l;
       l = FindWindowExA(box, l, "ListBox", nullptr)) {
    (IsWindowVisible(l) ? visible : songs) = l;
  }
  ASSERT_TRUE(visible && songs);
  EXPECT_EQ(ListBoxItems(visible), VisibleEntries(c.gives));
  EXPECT_TRUE(SongsAre(songs, ExpectedSongs(c.gives, 0))) << "after start-up: " << Describe(songs);

  // A fetch that finds the list asks for the home page, the list and the home page again; one
  // that does not stops after the home page.
  const bool readsList = c.gives != Gives::kNothing;
  const long homeBefore = service.Requests(""), listBefore = service.Requests("list.ashx");
  ASSERT_GT(homeBefore, 0);
  HWND another = FindChild(box, "Button", "换一批");
  ASSERT_NE(another, nullptr);
  const auto& e = player.events();
  const size_t mark = e.Count();
  PostMessageA(another, BM_CLICK, 0, 0);
  // While the visible list is rebuilt before the fetch, the window keeps answering: asked
  // between announcements until the fetch begins.
  int fetching = -1;
  for (int i = 0; i < 100 && fetching < 0; ++i) {
    EXPECT_TRUE(Answers(main)) << "during another batch";
    fetching = e.WaitFor("fetching a batch", mark, 100);
  }
  ASSERT_GE(fetching, 0) << e.Dump(mark);
  ASSERT_GE(e.WaitFor("batch ", fetching, 40000), 0) << e.Dump(mark);
  EXPECT_EQ(service.Requests(""), homeBefore + (readsList ? 2 : 1));
  EXPECT_EQ(service.Requests("list.ashx"), listBefore + (readsList ? 1 : 0)) << listBefore;
  EXPECT_TRUE(SongsAre(songs, ExpectedSongs(c.gives, 1)))
      << "after another batch: " << Describe(songs) << "; " << e.Dump(mark);
  EXPECT_EQ(ListBoxItems(visible), VisibleEntries(c.gives));
  player.Close();
  EXPECT_EQ(player.WaitForExit(20000), 0);
}

std::string CaseName(const testing::TestParamInfo<FaultCase>& info) {
  std::string name = info.param.name;
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
}

// Two suites, so that each player lane takes half of the faults.
class HostileCatalogue : public testing::TestWithParam<FaultCase> {};
class HostileCatalogueMore : public testing::TestWithParam<FaultCase> {};

TEST_P(HostileCatalogue, StartUpAndAnotherBatchGiveTheFaultsListsAndKeepAnswering) {
  StartUpAndAnotherBatch(GetParam());
}

TEST_P(HostileCatalogueMore, StartUpAndAnotherBatchGiveTheFaultsListsAndKeepAnswering) {
  StartUpAndAnotherBatch(GetParam());
}

// Every fault and what the player should make of it; the first half runs in HostileCatalogue.
const FaultCase kFaults[] = {
    {"empty", Gives::kNothing},         {"status500", Gives::kBatch},
    {"status404", Gives::kBatch},       {"close-mid-body", Gives::kNothing},
    {"no-token", Gives::kNothing},      {"two-tokens", Gives::kBatch},
    {"malformed", Gives::kHeaderAlone}, {"short-records", Gives::kNoEveryThird},
    {"packed", Gives::kBatch},          {"big-body", Gives::kBatch},
    {"garbage", Gives::kHeaderAlone},   {"nested", Gives::kNestedMarkers},
    {"long-records", Gives::kBatch},    {"many-records", Gives::kTenThousand},
};
constexpr size_t kFirstHalf = std::size(kFaults) / 2;

INSTANTIATE_TEST_SUITE_P(Faults, HostileCatalogue, testing::ValuesIn(kFaults, kFaults + kFirstHalf),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(Faults, HostileCatalogueMore,
                         testing::ValuesIn(kFaults + kFirstHalf, std::end(kFaults)), CaseName);

}  // namespace
