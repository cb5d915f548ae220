// The library's index behind one interface: SQLite on one machine, PostgreSQL when several
// instances share one library. Every call is safe from any thread.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "track.h"

namespace catalogue_service {

class IndexStore {
 public:
  virtual ~IndexStore() = default;

  // Path -> stamp of every indexed file.
  virtual std::unordered_map<std::string, FileStamp> Stamps() = 0;
  // Adds or replaces the tracks (by path) and drops the removed ids, as one transaction.
  virtual void Apply(const std::vector<Track>& changed, const std::vector<int64_t>& removed) = 0;
  // Every id, ascending.
  virtual std::vector<int64_t> Ids() = 0;
  // The tracks of those ids that exist, in no particular order.
  virtual std::vector<Track> Find(const std::vector<int64_t>& ids) = 0;
};

}  // namespace catalogue_service
