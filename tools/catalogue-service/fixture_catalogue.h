// The generated test tones, for the player's tests: every song in each list, each list
// starting nine songs further on, so the tests know which song comes where.
#pragma once

#include <mutex>

#include "catalogue.h"
#include "tones.h"

namespace catalogue_service {

class FixtureCatalogue : public Catalogue {
 public:
  FixtureCatalogue();

  size_t Count() override { return songs_.size(); }
  std::vector<ListEntry> Batch(const std::string& listener, Fault fault) override;
  std::optional<SongSource> Find(int64_t id) override;

 private:
  std::vector<SongSource> songs_;
  std::vector<std::string> titles_;
  std::mutex lock_;
  long long batches_ = 0;
};

}  // namespace catalogue_service
