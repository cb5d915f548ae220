#include "tones.h"

#include <cmath>
#include <cstdint>

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

std::vector<Tone> Tones() {
  static const char* const kTitles[] = {
      "晨光 Morning Light", "小溪 'Brook'", "山间 小路",       "It's 夜曲",
      "雨后 \"彩虹\"",      "远方的 歌",    "风铃 Wind Chime", "月光 O'Clair",
      "海浪 & 沙滩",        "星空 \\ 银河", "春天 (Spring)",   "最后 一首 'Finale'",
  };
  std::vector<Tone> tones;
  int number = 0;
  for (const char* title : kTitles) tones.push_back({title, WavFile(Tune(number++), kSampleRate)});
  return tones;
}

}  // namespace catalogue_service
