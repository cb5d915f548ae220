// Songs fetched into temporary files for the media control: only the newest request counts,
// a failure is reported, and no file outlives its use.
#include "app/media/song_loader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/http_get.h"
#include "catalogue/message_pump.h"
#include "tests/support/catalogue_service.h"
#include "tests/support/observe.h"
#include "tests/support/scratch.h"

namespace {

using app::SongLoader;
using testing_support::CatalogueService;
using testing_support::ToUtf8;
using testing_support::WaitFor;

constexpr int kPort = VELORY_HTTP_SUITE_PORT;

int FilesOfThisProcess() {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((SongLoader::FilePrefix() + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do {
    ++n;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return n;
}

class SongLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(service.ready()) << "the catalogue service did not start"; }

  // Dispatches this thread's messages until the condition holds.
  template <typename F>
  bool PumpUntil(F condition, DWORD ms) {
    return WaitFor(
        [&] {
          catalogue::ProcessPendingMessages();
          return condition();
        },
        ms);
  }
  std::string Song(int id, const std::string& fault = "") {
    return service.BaseUrl(fault) + "mp3.ashx?id=" + std::to_string(id);
  }

  CatalogueService service{kPort};
  std::vector<std::string> ready;
  int failures = 0;
};

TEST_F(SongLoaderTest, OnlyTheNewestSongIsHandedOverWhole) {
  {
    SongLoader loader([&](const std::wstring& path) { ready.push_back(ToUtf8(path)); },
                      [&](const catalogue::FetchReport&) { ++failures; });
    loader.Load(Song(2, "trickle"));
    EXPECT_TRUE(loader.loading());
    loader.Load(Song(3));
    ASSERT_TRUE(PumpUntil([&] { return !ready.empty(); }, 10000));
    EXPECT_FALSE(loader.loading());
    Sleep(600);  // the trickling fetch sees its cancel at its next byte
    catalogue::ProcessPendingMessages();
    ASSERT_EQ(ready.size(), 1u);
    EXPECT_EQ(failures, 0);
    const std::vector<uint8_t> song = catalogue::HttpGet(Song(3));
    EXPECT_EQ(testing_support::ReadFileBytes(ready[0]), std::string(song.begin(), song.end()));
    EXPECT_EQ(ready[0].substr(ready[0].size() - 4), ".wav");
    EXPECT_EQ(ready[0].compare(0, ToUtf8(SongLoader::FilePrefix()).size(),
                               ToUtf8(SongLoader::FilePrefix())),
              0);
  }
  EXPECT_TRUE(WaitFor([] { return FilesOfThisProcess() == 0; }, 3000));
}

// Once each, with why; a trickle ends as stalled after the period the environment sets.
TEST_F(SongLoaderTest, ASongThatCannotBeFetchedIsReportedOnceWithWhy) {
  using catalogue::FetchProblem;
  catalogue::FetchReport last;
  SongLoader loader([&](const std::wstring& path) { ready.push_back(ToUtf8(path)); },
                    [&](const catalogue::FetchReport& report) {
                      ++failures;
                      last = report;
                    });
  SetEnvironmentVariableW(L"VELORY_STALL_MS", L"1000");
  const struct {
    std::string url;
    FetchProblem problem;
  } cases[] = {{Song(999), FetchProblem::kServerStatus},
               {Song(2, "close-mid-body"), FetchProblem::kCutShort},
               {Song(2, "status500"), FetchProblem::kServerStatus},
               {Song(2, "trickle"), FetchProblem::kStalled}};
  for (const auto& c : cases) {
    failures = 0;
    loader.Load(c.url);
    ASSERT_TRUE(PumpUntil([&] { return failures > 0; }, 10000)) << c.url;
    Sleep(200);
    catalogue::ProcessPendingMessages();
    EXPECT_EQ(failures, 1) << c.url;
    EXPECT_EQ(last.problem, c.problem) << c.url;
  }
  SetEnvironmentVariableW(L"VELORY_STALL_MS", nullptr);
  EXPECT_TRUE(ready.empty());
  EXPECT_EQ(FilesOfThisProcess(), 0);
}

TEST_F(SongLoaderTest, AnOlderSongsFileGoesWhenTheNextStartsAndTheLastWithTheLoader) {
  {
    SongLoader loader([&](const std::wstring& path) { ready.push_back(ToUtf8(path)); },
                      [&](const catalogue::FetchReport&) { ++failures; });
    loader.Load(Song(1));
    ASSERT_TRUE(PumpUntil([&] { return ready.size() == 1; }, 10000));
    loader.Load(Song(2));
    ASSERT_TRUE(PumpUntil([&] { return ready.size() == 2; }, 10000));
    EXPECT_EQ(FilesOfThisProcess(), 2);
    loader.RemoveOlderFiles();
    EXPECT_EQ(FilesOfThisProcess(), 1);
    EXPECT_TRUE(testing_support::PathExists(ready[1]));
    // Given no song or a local one, the player needs none of them.
    loader.RemoveOlderFiles(false);
    EXPECT_EQ(FilesOfThisProcess(), 0);
    // A fetch still running when the loader goes leaves nothing behind either.
    loader.Load(Song(3, "trickle"));
    Sleep(500);
  }
  EXPECT_TRUE(WaitFor([] { return FilesOfThisProcess() == 0; }, 3000));
}

TEST_F(SongLoaderTest, FilesLeftByAProcessThatIsGoneAreRemovedAtTheStart) {
  const std::string prefix = ToUtf8(SongLoader::FilePrefix());
  const std::string folder = prefix.substr(0, prefix.rfind('\\') + 1);
  // Process ids are multiples of four: 3 never runs. This process's own files stay.
  const std::string left = folder + "velory-3-1.wav";
  const std::string mine = prefix + "99.wav";
  const std::string other = folder + "velvet-3-1.wav";
  for (const std::string& f : {left, mine, other}) testing_support::WriteFileBytes(f, "RIFF");
  { SongLoader loader(nullptr, nullptr); }
  EXPECT_FALSE(testing_support::PathExists(left));
  EXPECT_TRUE(testing_support::PathExists(mine));
  EXPECT_TRUE(testing_support::PathExists(other));
  DeleteFileW(testing_support::Wide(mine).c_str());
  DeleteFileW(testing_support::Wide(other).c_str());
}

}  // namespace
