// The songs the service offers: its own synthesised tones, or the files of a music folder.
#pragma once

#include <string>
#include <vector>

namespace catalogue_service {

struct Song {
  std::string title;        // UTF-8
  std::string bytes;        // the whole file
  std::string contentType;  // audio/wav or audio/mpeg
};

// Twelve short tunes made here, with Chinese titles holding blanks and quotes.
std::vector<Song> BuiltInSongs();

// Every .mp3 and .wav file of the folder (any letter case), in name order, titled by the file
// name without its extension. Empty when there is none or the folder cannot be read.
std::vector<Song> LoadMusicFolder(const std::string& folder);

// A 16-bit mono PCM WAV file of the samples.
std::string WavFile(const std::vector<short>& samples, int sampleRate);

}  // namespace catalogue_service
