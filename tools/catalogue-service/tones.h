// The generated test tones: twelve short tunes with Chinese titles holding blanks and quotes.
#pragma once

#include <string>
#include <vector>

namespace catalogue_service {

struct Tone {
  std::string title;  // UTF-8
  std::string bytes;  // a whole WAV file
};

std::vector<Tone> Tones();

// A 16-bit mono PCM WAV file of the samples.
std::string WavFile(const std::vector<short>& samples, int sampleRate);

}  // namespace catalogue_service
