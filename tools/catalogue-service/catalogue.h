// What the HTTP layer serves from: the library's index, or the generated test tones.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "faults.h"

namespace catalogue_service {

struct ListEntry {
  int64_t id = 0;
  std::string title;  // UTF-8
};

// A song to send: a file of the library (path) or bytes held for the tests (bytes).
struct SongSource {
  std::string path;
  std::shared_ptr<const std::string> bytes;
  std::string contentType;
};

class Catalogue {
 public:
  virtual ~Catalogue() = default;
  virtual size_t Count() = 0;
  // The next batch for that listener (a huge-list fault asks for more records).
  virtual std::vector<ListEntry> Batch(const std::string& listener, Fault fault) = 0;
  virtual std::optional<SongSource> Find(int64_t id) = 0;
};

}  // namespace catalogue_service
