#include "scanner.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <unordered_set>

#include "tag_reader.h"

namespace catalogue_service {
namespace {

namespace fs = std::filesystem;

// Changes are written in pieces, so a large first scan never holds them all.
constexpr size_t kChunk = 2000;

int64_t MtimeNs(const struct stat& st) {
  return static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

}  // namespace

bool InsideRoots(const std::string& path, const std::vector<std::string>& roots) {
  for (const std::string& root : roots) {
    if (path.size() > root.size() && path.compare(0, root.size(), root) == 0 &&
        (root.back() == '/' || path[root.size()] == '/')) {
      return true;
    }
  }
  return false;
}

Scanner::Scanner(const std::vector<std::string>& folders) {
  for (const std::string& folder : folders) {
    std::error_code error;
    const fs::path root = fs::canonical(folder, error);
    if (error || !fs::is_directory(root, error)) {
      std::fprintf(stderr, "catalogue-service: no music folder %s\n", folder.c_str());
      continue;
    }
    roots_.push_back(root.string());
  }
}

ScanReport Scanner::Scan(IndexStore& store) const {
  const auto start = std::chrono::steady_clock::now();
  ScanReport report;
  std::unordered_map<std::string, FileStamp> known = store.Stamps();
  std::unordered_set<std::string> seen;
  std::vector<Track> changed;
  std::vector<int64_t> removed;
  const auto flush = [&](bool always) {
    if (always || changed.size() + removed.size() >= kChunk) {
      if (!changed.empty() || !removed.empty()) store.Apply(changed, removed);
      changed.clear();
      removed.clear();
    }
  };

  bool someRootUnread = false;
  for (const std::string& root : roots_) {
    std::error_code error;
    fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, error);
    someRootUnread |= static_cast<bool>(error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
      const fs::directory_entry& entry = *it;
      if (entry.is_directory(error) || !IsMusicName(entry.path().string())) continue;
      // A link counts as the file it leads to, and only when that lies inside a folder.
      std::string path = entry.path().string();
      if (entry.is_symlink(error)) {
        const fs::path target = fs::canonical(entry.path(), error);
        if (error || !InsideRoots(target.string(), roots_)) {
          error.clear();
          ++report.skipped;
          continue;
        }
        path = target.string();
      }
      struct stat st {};
      if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || access(path.c_str(), R_OK) != 0) {
        ++report.skipped;
        continue;
      }
      if (!seen.insert(path).second) continue;
      const auto was = known.find(path);
      if (was != known.end() && was->second.size == st.st_size &&
          was->second.mtimeNs == MtimeNs(st)) {
        ++report.unchanged;
        known.erase(was);
        continue;
      }
      std::optional<Track> track = ReadTrack(path);
      if (!track) {
        ++report.skipped;
        continue;
      }
      track->path = path;
      track->size = st.st_size;
      track->mtimeNs = MtimeNs(st);
      if (was == known.end()) {
        ++report.added;
      } else {
        ++report.changed;
        known.erase(was);
      }
      changed.push_back(std::move(*track));
      flush(false);
    }
  }
  // What is left was not found, or is no longer playable; but a folder that could not be read
  // at all (a disk not mounted) empties nothing.
  for (const auto& [path, stamp] : known) {
    if (someRootUnread) break;
    removed.push_back(stamp.id);
    ++report.removed;
    flush(false);
  }
  flush(true);
  report.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return report;
}

}  // namespace catalogue_service
