// One playable file of the library as the index keeps it.
#pragma once

#include <cstdint>
#include <string>

namespace catalogue_service {

struct Track {
  int64_t id = 0;    // opaque, given by the index; never derived from the path
  std::string path;  // absolute, with symbolic links resolved
  int64_t size = 0;
  int64_t mtimeNs = 0;
  std::string title;  // "artist - title" or the title alone, clean UTF-8
  std::string album;
  int seconds = 0;
};

// What a rescan compares to tell a changed file from an unchanged one.
struct FileStamp {
  int64_t id = 0;
  int64_t size = 0;
  int64_t mtimeNs = 0;
};

}  // namespace catalogue_service
