// The catalogue fetch, with real HTTP, against the bundled service and its faults.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/catalogue_client.h"
#include "catalogue/http_get.h"
#include "tests/support/catalogue_service.h"

namespace {

using testing_support::CatalogueService;
using Entries = std::vector<std::string>;

constexpr int kPort = VELORY_HTTP_SUITE_PORT;

void NoPump() {}

Entries FetchFrom(const std::string& base) {
  Entries list;
  catalogue::FetchCatalogue(
      base, [](const std::string& url) { return catalogue::HttpGet(url); },
      [&list](const std::string& entry) { list.push_back(entry); }, NoPump);
  return list;
}

Entries SongAddresses(const std::string& base, const std::vector<int>& ids) {
  Entries out{"双击操作"};
  for (int id : ids) out.push_back(base + "mp3.ashx?id=" + std::to_string(id));
  return out;
}

class FetchFromServiceTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(service.ready()) << "the catalogue service did not start"; }
  CatalogueService service{kPort};
};

TEST_F(FetchFromServiceTest, EverySongOfTheServiceInOrderThenTheNextBatch) {
  const std::string base = service.BaseUrl();
  // The service's titles hold Chinese text, blanks, quotes and a backslash.
  EXPECT_EQ(FetchFrom(base), SongAddresses(base, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(FetchFrom(base), SongAddresses(base, {10, 11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(FetchFromServiceTest, FaultsInTheListOrHomePage) {
  EXPECT_EQ(FetchFrom(service.BaseUrl("packed")).size(), 13u);
  EXPECT_EQ(FetchFrom(service.BaseUrl("two-tokens")).size(), 13u);
  EXPECT_EQ(FetchFrom(service.BaseUrl("status500")).size(), 13u);
  const std::string shortRecords = service.BaseUrl("short-records");
  EXPECT_EQ(FetchFrom(shortRecords).size(), 9u);  // every third song has no address
  EXPECT_EQ(FetchFrom(service.BaseUrl("malformed")), Entries{"双击操作"});
  for (const char* fault : {"no-token", "no-cr", "upper", "empty", "close-mid-body"}) {
    EXPECT_EQ(FetchFrom(service.BaseUrl(fault)), Entries{}) << fault;
  }
}

TEST_F(FetchFromServiceTest, AHundredThousandRecords) {
  const Entries list = FetchFrom(service.BaseUrl("huge-list"));
  ASSERT_EQ(list.size(), 100001u);
  EXPECT_EQ(list[100000], service.BaseUrl("huge-list") + "mp3.ashx?id=4");  // 100000 % 12
}

TEST_F(FetchFromServiceTest, ASlowSiteEndsTheFetchWithinOneDeadline) {
  const DWORD start = GetTickCount();
  EXPECT_EQ(FetchFrom(service.BaseUrl("slow")), Entries{});
  EXPECT_LT(GetTickCount() - start, catalogue::kHttpDeadlineMs + 2000);
}

}  // namespace
