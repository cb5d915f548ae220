// The index's contract, the same for both stores: SQLite in a file, PostgreSQL in a
// throw-away server.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "postgres_store.h"
#include "sqlite_store.h"
#include "tests/library_maker.h"
#include "tests/postgres_cluster.h"

namespace catalogue_service {
namespace {

void CheckContract(IndexStore& store) {
  const std::string oddPath = std::string("/music/bad\xFF") + "\"quote\\.mp3";
  store.Apply({{0, "/music/a.mp3", 10, 100, "A - 'One' \\ \"x\"", "Album", 3},
               {0, oddPath, 20, 200, "歌", "", 4},
               {0, "/music/c.mp3", 30, 300, "C", "", 5}},
              {});
  std::vector<int64_t> ids = store.Ids();
  ASSERT_EQ(ids.size(), 3u);
  EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
  auto stamps = store.Stamps();
  ASSERT_EQ(stamps.size(), 3u);
  ASSERT_TRUE(stamps.count(oddPath));
  EXPECT_EQ(stamps[oddPath].size, 20);
  EXPECT_EQ(stamps[oddPath].mtimeNs, 200);

  // A changed file keeps its id; a removed one leaves; ids unknown are passed over.
  const int64_t aId = stamps["/music/a.mp3"].id;
  store.Apply({{0, "/music/a.mp3", 11, 101, "A2", "", 6}}, {stamps["/music/c.mp3"].id});
  const std::vector<Track> found = store.Find({aId, stamps[oddPath].id, 999999});
  ASSERT_EQ(found.size(), 2u);
  for (const Track& t : found) {
    if (t.id == aId) {
      EXPECT_EQ(t.title, "A2");
      EXPECT_EQ(t.size, 11);
      EXPECT_EQ(t.seconds, 6);
    } else {
      EXPECT_EQ(t.path, oddPath);
      EXPECT_EQ(t.title, "歌");
    }
  }
  EXPECT_EQ(store.Ids().size(), 2u);
  EXPECT_TRUE(store.Find({}).empty());
}

TEST(Store, SqliteKeepsTheContract) {
  TempFolder temp;
  SqliteStore store(temp.path() + "/index.sqlite");
  CheckContract(store);
  // The index outlives the service: a second opening sees it.
  EXPECT_EQ(SqliteStore(temp.path() + "/index.sqlite").Ids().size(), 2u);
  EXPECT_THROW(SqliteStore(temp.path() + "/missing/folder/index.sqlite"), std::runtime_error);
}

TEST(Store, PostgresKeepsTheContractAndAReaderSeesTheWritersIndex) {
  PostgresCluster cluster;
  if (cluster.connection().empty()) GTEST_SKIP() << "no PostgreSQL: " << cluster.problem();
  PostgresStore writer(cluster.connection(), false);
  CheckContract(writer);
  PostgresStore reader(cluster.connection(), true);
  EXPECT_EQ(reader.Ids(), writer.Ids());
  EXPECT_THROW(PostgresStore(cluster.connection() + "x", true), std::runtime_error);
}

}  // namespace
}  // namespace catalogue_service
