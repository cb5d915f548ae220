#include "decks.h"

#include <algorithm>

namespace catalogue_service {
namespace {

uint64_t Mix(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

}  // namespace

size_t DeckRank(uint64_t seed, size_t size, size_t position) {
  if (size <= 1) return 0;
  int bits = 1;
  while ((uint64_t{1} << bits) < size) ++bits;
  // A Feistel network over the smallest even power of two holding `size`, walked until it lands
  // inside: a bijection of [0, size) whatever the size.
  const int half = (bits + 1) / 2;
  const uint64_t mask = (uint64_t{1} << half) - 1;
  uint64_t x = position;
  do {
    uint64_t left = x >> half, right = x & mask;
    for (uint64_t round = 0; round < 4; ++round) {
      const uint64_t next = left ^ (Mix(seed ^ (round << 56) ^ right) & mask);
      left = right;
      right = next;
    }
    x = left << half | right;
  } while (x >= size);
  return static_cast<size_t>(x);
}

Decks::Decks(size_t maxListeners, uint64_t seed) : maxListeners_(maxListeners), random_(seed) {}

std::vector<size_t> Decks::Next(const std::string& listener, size_t size, size_t count) {
  std::lock_guard<std::mutex> hold(lock_);
  auto it = decks_.find(listener);
  if (it == decks_.end()) {
    if (decks_.size() >= maxListeners_) {
      decks_.erase(byAge_.back());
      byAge_.pop_back();
    }
    byAge_.push_front(listener);
    it = decks_.emplace(listener, Deck{random_(), size, 0, byAge_.begin()}).first;
  } else {
    byAge_.splice(byAge_.begin(), byAge_, it->second.age);
  }
  Deck& deck = it->second;
  if (deck.size != size) deck = Deck{random_(), size, 0, deck.age};
  std::vector<size_t> out;
  const size_t wanted = std::min(count, size);
  while (out.size() < wanted) {
    if (deck.position >= deck.size) {
      deck.seed = random_();
      deck.position = 0;
    }
    const size_t rank = DeckRank(deck.seed, deck.size, deck.position++);
    // Across the end of a deck the next one may repeat a song of this batch.
    if (std::find(out.begin(), out.end(), rank) == out.end()) out.push_back(rank);
  }
  return out;
}

}  // namespace catalogue_service
