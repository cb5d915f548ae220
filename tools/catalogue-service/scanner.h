// Brings the index in line with the music folders: only files whose size or time changed are
// read again, files that went leave the index. Reads the music, never writes it.
#pragma once

#include <string>
#include <vector>

#include "index_store.h"

namespace catalogue_service {

struct ScanReport {
  long unchanged = 0, added = 0, changed = 0, removed = 0;
  long skipped = 0;  // music names that hold nothing playable, unreadable or leading out
  double seconds = 0;
};

class Scanner {
 public:
  // Folders that do not exist are reported and left out.
  explicit Scanner(const std::vector<std::string>& folders);

  // The folders as served (absolute, links resolved).
  const std::vector<std::string>& roots() const { return roots_; }
  ScanReport Scan(IndexStore& store) const;

 private:
  std::vector<std::string> roots_;
};

// Whether the absolute, resolved path lies inside one of the roots.
bool InsideRoots(const std::string& path, const std::vector<std::string>& roots);

}  // namespace catalogue_service
