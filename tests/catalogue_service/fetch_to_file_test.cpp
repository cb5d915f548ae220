// Songs fetched into files: the exact bytes, or no file at all.
#include "catalogue/fetch_to_file.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "catalogue/http_get.h"
#include "tests/support/catalogue_service.h"
#include "tests/support/observe.h"
#include "tests/support/scratch.h"

namespace {

using testing_support::Wide;

using catalogue::FetchResult;
using catalogue::FetchToFile;
using testing_support::CatalogueService;
using testing_support::PathExists;
using testing_support::ReadFileBytes;

constexpr int kPort = VELORY_HTTP_SUITE_PORT;

class FetchToFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(service.ready()) << "the catalogue service did not start";
    path = testing_support::MakeScratchFolder(
               ::testing::UnitTest::GetInstance()->current_test_info()->name()) +
           "\\song.wav";
  }
  CatalogueService service{kPort};
  std::string path;
};

TEST_F(FetchToFileTest, TheFileHoldsExactlyTheSongAndReplacesWhatWasThere) {
  testing_support::WriteFileBytes(path, std::string(1000000, 'x'));
  const std::string url = service.BaseUrl() + "mp3.ashx?id=4";
  uint64_t lastReceived = 0, lastTotal = 0;
  ASSERT_EQ(FetchToFile(url, Wide(path),
                        [&](uint64_t received, uint64_t total) {
                          lastReceived = received;
                          lastTotal = total;
                          return true;
                        }),
            FetchResult::kComplete);
  const std::vector<uint8_t> expected = catalogue::HttpGet(url);
  ASSERT_GT(expected.size(), 44u);
  EXPECT_EQ(ReadFileBytes(path), std::string(expected.begin(), expected.end()));
  EXPECT_EQ(lastReceived, expected.size());
  EXPECT_EQ(lastTotal, expected.size());
}

TEST_F(FetchToFileTest, AnythingButTheWholeSongLeavesNoFileAndSaysWhy) {
  using catalogue::FetchProblem;
  const std::string song = "mp3.ashx?id=2";
  const struct {
    const char* what;
    std::string url;
    catalogue::FetchLimits limits;
    FetchProblem problem;
    DWORD status;
    std::string path;  // the scratch file unless given
  } cases[] = {
      {"cut short", service.BaseUrl("close-mid-body") + song, {}, FetchProblem::kCutShort, 0, ""},
      {"refused", service.BaseUrl("status500") + song, {}, FetchProblem::kServerStatus, 500, ""},
      {"unknown song",
       service.BaseUrl() + "mp3.ashx?id=999",
       {},
       FetchProblem::kServerStatus,
       404,
       ""},
      {"empty", service.BaseUrl("empty") + song, {}, FetchProblem::kEmpty, 0, ""},
      {"too large",
       service.BaseUrl() + song,
       {catalogue::kHttpDeadlineMs, 1000},
       FetchProblem::kTooLarge,
       0,
       ""},
      {"silent",
       service.BaseUrl("slow") + song,
       {1500, catalogue::kSongMaxBytes},
       FetchProblem::kNoAnswer,
       0,
       ""},
      {"no server", "http://127.0.0.1:1/" + song, {}, FetchProblem::kNoConnection, 0, ""},
      {"no such folder",
       service.BaseUrl() + song,
       {},
       FetchProblem::kDiskRefused,
       0,
       path + "-missing\\song.wav"},
  };
  for (const auto& c : cases) {
    const std::string target = c.path.empty() ? path : c.path;
    if (c.path.empty()) testing_support::WriteFileBytes(path, "old");
    catalogue::FetchReport report;
    EXPECT_EQ(FetchToFile(c.url, Wide(target), nullptr, c.limits, &report), FetchResult::kFailed)
        << c.what;
    EXPECT_EQ(report.problem, c.problem) << c.what;
    EXPECT_EQ(report.status, c.status) << c.what;
    EXPECT_FALSE(PathExists(target)) << c.what;
  }
  catalogue::FetchReport report{FetchProblem::kNoAnswer, 7};
  EXPECT_EQ(FetchToFile(service.BaseUrl() + song, Wide(path), nullptr, {}, &report),
            FetchResult::kComplete);
  EXPECT_EQ(report.problem, FetchProblem::kNone);
}

TEST_F(FetchToFileTest, ACancelStopsAtTheNextPieceAndLeavesNoFile) {
  const DWORD start = GetTickCount();
  int pieces = 0;
  EXPECT_EQ(FetchToFile(service.BaseUrl("trickle") + "mp3.ashx?id=2", Wide(path),
                        [&](uint64_t, uint64_t) { return ++pieces < 3; }),
            FetchResult::kCancelled);
  EXPECT_EQ(pieces, 3);
  EXPECT_LT(GetTickCount() - start, 5000u);
  EXPECT_FALSE(PathExists(path));

  // A cancel event ends even a wait on a server that says nothing.
  HANDLE cancel = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread canceller([cancel] {
    Sleep(300);
    SetEvent(cancel);
  });
  const DWORD again = GetTickCount();
  EXPECT_EQ(FetchToFile(service.BaseUrl("slow") + "mp3.ashx?id=2", Wide(path), nullptr,
                        {catalogue::kHttpDeadlineMs, catalogue::kSongMaxBytes, cancel}),
            FetchResult::kCancelled);
  EXPECT_LT(GetTickCount() - again, 3000u);
  canceller.join();
  CloseHandle(cancel);
  EXPECT_FALSE(PathExists(path));
}

}  // namespace
