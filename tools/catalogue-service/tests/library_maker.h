// Music folders made for the tests: real WAV files, tagged with TagLib or not, in a temporary
// folder that goes with the object.
#pragma once

#include <string>

namespace catalogue_service {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A short playable WAV file at `path` (folders made), with a title and artist when given.
void MakeSong(const std::string& path, const std::string& title = "",
              const std::string& artist = "", double seconds = 0.2);
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

}  // namespace catalogue_service
