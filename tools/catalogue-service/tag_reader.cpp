#include "tag_reader.h"

#include <taglib/fileref.h>
#include <taglib/tfilestream.h>
#include <taglib/tag.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <utility>

#include "titles.h"

namespace catalogue_service {
namespace {

std::string LowerExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

const std::pair<const char*, const char*> kKinds[] = {
    {".mp3", "audio/mpeg"},  {".m4a", "audio/mp4"}, {".aac", "audio/aac"},
    {".ogg", "audio/ogg"},   {".oga", "audio/ogg"}, {".opus", "audio/ogg"},
    {".flac", "audio/flac"}, {".wav", "audio/wav"}, {".wma", "audio/x-ms-wma"},
};

}  // namespace

bool IsMusicName(const std::string& path) { return !ContentTypeOf(path).empty(); }

std::string ContentTypeOf(const std::string& path) {
  const std::string ext = LowerExtension(path);
  for (const auto& [e, type] : kKinds) {
    if (ext == e) return type;
  }
  return std::string();
}

std::optional<Track> ReadTrack(const std::string& path) {
  // Opened for reading only: the service never writes to the music.
  TagLib::FileStream stream(path.c_str(), true);
  if (!stream.isOpen()) return std::nullopt;
  TagLib::FileRef file(&stream, true, TagLib::AudioProperties::Fast);
  if (file.isNull() || !file.audioProperties()) return std::nullopt;
  const TagLib::AudioProperties* audio = file.audioProperties();
  if (audio->sampleRate() <= 0 || audio->lengthInMilliseconds() <= 0) return std::nullopt;
  Track track;
  std::string artist, title, album;
  if (const TagLib::Tag* tag = file.tag()) {
    artist = tag->artist().to8Bit(true);
    title = tag->title().to8Bit(true);
    album = tag->album().to8Bit(true);
  }
  track.title = DisplayTitle(artist, title, std::filesystem::path(path).stem().string());
  track.album = CleanText(album);
  track.seconds = (audio->lengthInMilliseconds() + 500) / 1000;
  return track;
}

}  // namespace catalogue_service
