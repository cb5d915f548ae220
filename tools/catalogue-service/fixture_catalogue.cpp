#include "fixture_catalogue.h"

namespace catalogue_service {
namespace {

constexpr int kHugeListRecords = 100000;
constexpr int kManyRecords = 10000;
constexpr int kBatchStep = 9;

}  // namespace

FixtureCatalogue::FixtureCatalogue() {
  for (Tone& tone : Tones()) {
    songs_.push_back({"", std::make_shared<const std::string>(std::move(tone.bytes)), "audio/wav"});
    titles_.push_back(tone.title);
  }
}

std::vector<ListEntry> FixtureCatalogue::Batch(const std::string&, Fault fault) {
  const int count = static_cast<int>(songs_.size());
  std::vector<ListEntry> out;
  const auto add = [&](int index) { out.push_back({index + 1, titles_[index]}); };
  if (fault == Fault::kHugeList || fault == Fault::kManyRecords) {
    const int records = fault == Fault::kHugeList ? kHugeListRecords : kManyRecords;
    for (int i = 0; i < records; ++i) add(i % count);
    return out;
  }
  int first = 0;
  {
    std::lock_guard<std::mutex> hold(lock_);
    first = static_cast<int>((batches_++ * kBatchStep) % count);
  }
  for (int i = 0; i < count; ++i) add((first + i) % count);
  return out;
}

std::optional<SongSource> FixtureCatalogue::Find(int64_t id) {
  if (id < 1 || id > static_cast<int64_t>(songs_.size())) return std::nullopt;
  return songs_[id - 1];
}

}  // namespace catalogue_service
