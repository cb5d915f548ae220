#include "library_catalogue.h"

#include <unordered_map>

#include "tag_reader.h"

namespace catalogue_service {

LibraryCatalogue::LibraryCatalogue(IndexStore& store)
    : store_(store), ids_(std::make_shared<std::vector<int64_t>>()) {
  Refresh();
}

void LibraryCatalogue::Refresh() {
  auto fresh = std::make_shared<const std::vector<int64_t>>(store_.Ids());
  std::lock_guard<std::mutex> hold(lock_);
  ids_ = std::move(fresh);
}

std::shared_ptr<const std::vector<int64_t>> LibraryCatalogue::ids() {
  std::lock_guard<std::mutex> hold(lock_);
  return ids_;
}

size_t LibraryCatalogue::Count() { return ids()->size(); }

std::vector<ListEntry> LibraryCatalogue::Batch(const std::string& listener, Fault) {
  const auto all = ids();
  std::vector<int64_t> chosen;
  for (size_t rank : decks_.Next(listener, all->size(), kBatchSongs)) {
    chosen.push_back((*all)[rank]);
  }
  std::unordered_map<int64_t, std::string> titles;
  for (Track& t : store_.Find(chosen)) titles.emplace(t.id, std::move(t.title));
  std::vector<ListEntry> out;
  for (int64_t id : chosen) {
    const auto title = titles.find(id);
    // A song removed since the ids were taken is left out.
    if (title != titles.end()) out.push_back({id, title->second});
  }
  return out;
}

std::optional<SongSource> LibraryCatalogue::Find(int64_t id) {
  std::vector<Track> found = store_.Find({id});
  if (found.empty()) return std::nullopt;
  SongSource song;
  song.path = found[0].path;
  song.contentType = ContentTypeOf(song.path);
  return song;
}

}  // namespace catalogue_service
