// Each listener draws songs from a shuffled deck of the whole library: no song comes twice
// until every one has come. A deck is a seed and a position, never a list of songs, so a
// hundred thousand listeners of a hundred thousand songs cost a few megabytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <mutex>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

namespace catalogue_service {

// The song at `position` of the deck `seed` over `size` songs: a permutation of [0, size).
size_t DeckRank(uint64_t seed, size_t size, size_t position);

class Decks {
 public:
  // The listeners heard least recently are forgotten beyond this many.
  explicit Decks(size_t maxListeners = 10000, uint64_t seed = std::random_device{}());

  // The next min(count, size) ranks in [0, size) for the listener, none twice in one batch. A
  // library whose size changed starts a new deck.
  std::vector<size_t> Next(const std::string& listener, size_t size, size_t count);

 private:
  struct Deck {
    uint64_t seed = 0;
    size_t size = 0;
    size_t position = 0;
    std::list<std::string>::iterator age;
  };

  size_t maxListeners_;
  std::mutex lock_;
  std::unordered_map<std::string, Deck> decks_;
  std::list<std::string> byAge_;  // most recent first
  std::mt19937_64 random_;
};

}  // namespace catalogue_service
