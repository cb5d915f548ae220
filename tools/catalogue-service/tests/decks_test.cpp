// Listeners' decks: every song once before any comes again, batches of distinct songs.
#include "decks.h"

#include <gtest/gtest.h>

#include <set>

namespace catalogue_service {
namespace {

TEST(Decks, EveryRankOnceBeforeAnyRepeatsForEachSize) {
  for (size_t size : {1u, 2u, 9u, 10u, 17u, 1000u, 4097u}) {
    std::set<size_t> seen;
    for (size_t position = 0; position < size; ++position) {
      const size_t rank = DeckRank(0xABCDEF, size, position);
      ASSERT_LT(rank, size);
      EXPECT_TRUE(seen.insert(rank).second) << "size " << size << " repeats " << rank;
    }
  }
  // Two seeds give two orders.
  std::vector<size_t> a, b;
  for (size_t p = 0; p < 50; ++p) a.push_back(DeckRank(1, 50, p)), b.push_back(DeckRank(2, 50, p));
  EXPECT_NE(a, b);
}

TEST(Decks, AListenerHearsTheWholeLibraryBeforeARepeatAndOthersHaveTheirOwnDeck) {
  Decks decks(10, 42);
  std::set<size_t> heard;
  for (int batch = 0; batch < 5; ++batch) {  // 45 of 47 songs
    const auto ranks = decks.Next("10.0.0.1", 47, 9);
    ASSERT_EQ(ranks.size(), 9u);
    for (size_t r : ranks) EXPECT_TRUE(heard.insert(r).second);
  }
  EXPECT_EQ(decks.Next("10.0.0.2", 47, 9).size(), 9u);  // another listener starts anew
  // The sixth batch ends the deck (2 songs) and begins the next one: still nine distinct.
  const auto turn = decks.Next("10.0.0.1", 47, 9);
  EXPECT_EQ(std::set<size_t>(turn.begin(), turn.end()).size(), 9u);
  int fresh = 0;
  for (size_t r : turn) fresh += heard.insert(r).second;
  EXPECT_EQ(fresh, 2);
  // A library smaller than a batch gives all its songs; an empty one none.
  EXPECT_EQ(decks.Next("10.0.0.3", 4, 9).size(), 4u);
  EXPECT_TRUE(decks.Next("10.0.0.4", 0, 9).empty());
}

}  // namespace
}  // namespace catalogue_service
