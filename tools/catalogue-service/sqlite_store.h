// The embedded index: one SQLite file in the service's data folder.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

#include "index_store.h"

namespace catalogue_service {

class SqliteStore : public IndexStore {
 public:
  // Opens or creates the file; throws std::runtime_error when it cannot.
  explicit SqliteStore(const std::string& file);

  std::unordered_map<std::string, FileStamp> Stamps() override;
  void Apply(const std::vector<Track>& changed, const std::vector<int64_t>& removed) override;
  std::vector<int64_t> Ids() override;
  std::vector<Track> Find(const std::vector<int64_t>& ids) override;

 private:
  struct Closer {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
  };
  void Exec(const char* sql);

  std::mutex lock_;
  std::unique_ptr<sqlite3, Closer> db_;
};

}  // namespace catalogue_service
