#include "songs.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace catalogue_service {
namespace {

constexpr int kSampleRate = 22050;
constexpr double kPi = 3.14159265358979323846;

void PutLittleEndian(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A plucked-sounding note: a sine with its octave, decaying, with short fades at both ends so
// the notes do not click.
void AddNote(std::vector<short>& samples, double frequency, double seconds) {
  const int count = static_cast<int>(seconds * kSampleRate);
  const int fade = kSampleRate / 100;
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    double edge = 1.0;
    if (i < fade) edge = static_cast<double>(i) / fade;
    if (count - i < fade) edge = static_cast<double>(count - i) / fade;
    const double envelope = std::exp(-3.0 * t) * edge;
    const double wave =
        0.8 * std::sin(2 * kPi * frequency * t) + 0.2 * std::sin(4 * kPi * frequency * t);
    samples.push_back(static_cast<short>(12000.0 * envelope * wave));
  }
}

// Eight notes of a pentatonic scale from `root`, in an order that differs per song.
std::vector<short> Tune(int number) {
  static const int kSteps[] = {0, 2, 4, 7, 9, 12, 14, 16};
  const double root = 220.0 * std::pow(2.0, (number % 12) / 12.0);
  std::vector<short> samples;
  for (int n = 0; n < 8; ++n) {
    const int step = kSteps[(n * (number + 2) + number) % 8];
    AddNote(samples, root * std::pow(2.0, step / 12.0), 0.3);
  }
  return samples;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

std::string WavFile(const std::vector<short>& samples, int sampleRate) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::string out = "RIFF";
  PutLittleEndian(out, 36 + dataBytes, 4);
  out += "WAVEfmt ";
  PutLittleEndian(out, 16, 4);  // format chunk size
  PutLittleEndian(out, 1, 2);   // PCM
  PutLittleEndian(out, 1, 2);   // mono
  PutLittleEndian(out, sampleRate, 4);
  PutLittleEndian(out, sampleRate * 2, 4);  // bytes per second
  PutLittleEndian(out, 2, 2);               // block align
  PutLittleEndian(out, 16, 2);              // bits per sample
  out += "data";
  PutLittleEndian(out, dataBytes, 4);
  for (short s : samples) PutLittleEndian(out, static_cast<uint16_t>(s), 2);
  return out;
}

std::vector<Song> BuiltInSongs() {
  static const char* const kTitles[] = {
      "晨光 Morning Light", "小溪 'Brook'", "山间 小路",       "It's 夜曲",
      "雨后 \"彩虹\"",      "远方的 歌",    "风铃 Wind Chime", "月光 O'Clair",
      "海浪 & 沙滩",        "星空 \\ 银河", "春天 (Spring)",   "最后 一首 'Finale'",
  };
  std::vector<Song> songs;
  int number = 0;
  for (const char* title : kTitles) {
    songs.push_back({title, WavFile(Tune(number++), kSampleRate), "audio/wav"});
  }
  return songs;
}

std::vector<Song> LoadMusicFolder(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string ext = Lower(it->path().extension().string());
    if ((ext == ".mp3" || ext == ".wav") && it->is_regular_file(error)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  std::vector<Song> songs;
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) continue;
    const bool mp3 = Lower(file.extension().string()) == ".mp3";
    songs.push_back({file.stem().string(), std::move(bytes), mp3 ? "audio/mpeg" : "audio/wav"});
  }
  return songs;
}

}  // namespace catalogue_service
