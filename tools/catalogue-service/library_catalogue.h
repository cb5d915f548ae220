// The catalogue of an indexed library: batches of nine drawn from each listener's deck.
#pragma once

#include <memory>
#include <mutex>

#include "catalogue.h"
#include "decks.h"
#include "index_store.h"

namespace catalogue_service {

inline constexpr size_t kBatchSongs = 9;

class LibraryCatalogue : public Catalogue {
 public:
  explicit LibraryCatalogue(IndexStore& store);

  // Takes the index's songs and titles anew, after a scan or, on an instance that does not
  // scan, from time to time. Lists are then made without asking the index.
  void Refresh();

  size_t Count() override;
  std::vector<ListEntry> Batch(const std::string& listener, Fault fault) override;
  std::optional<SongSource> Find(int64_t id) override;

 private:
  struct Songs {
    std::vector<int64_t> ids;  // ascending
    std::vector<std::string> titles;
  };
  std::shared_ptr<const Songs> songs();

  IndexStore& store_;
  Decks decks_;
  std::mutex lock_;
  std::shared_ptr<const Songs> songs_;
};

}  // namespace catalogue_service
