#include "tests/library_maker.h"

#include <taglib/fileref.h>
#include <taglib/tag.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tones.h"

namespace catalogue_service {

TempFolder::TempFolder() {
  std::string pattern = std::filesystem::temp_directory_path().string() + "/catalogue-XXXXXX";
  if (mkdtemp(pattern.data())) path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code error;
  if (!path_.empty()) std::filesystem::remove_all(path_, error);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void MakeSong(const std::string& path, const std::string& title, const std::string& artist,
              double seconds) {
  const int rate = 8000;
  std::vector<short> samples(static_cast<size_t>(seconds * rate));
  for (size_t i = 0; i < samples.size(); ++i) {
    samples[i] = static_cast<short>(8000 * std::sin(i * 0.3));
  }
  WriteFile(path, WavFile(samples, rate));
  if (title.empty() && artist.empty()) return;
  TagLib::FileRef file(path.c_str());
  file.tag()->setTitle(TagLib::String(title, TagLib::String::UTF8));
  file.tag()->setArtist(TagLib::String(artist, TagLib::String::UTF8));
  file.save();
}

}  // namespace catalogue_service
