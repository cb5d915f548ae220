#include "song_answer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "scanner.h"

namespace catalogue_service {
namespace {

constexpr size_t kPieceBytes = 64 * 1024;

// A number of at most 18 digits, nothing else.
bool Number(const std::string& text, uint64_t& out) {
  if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  out = std::strtoull(text.c_str(), nullptr, 10);
  return true;
}

struct OpenFile {
  explicit OpenFile(int fd) : fd(fd) {}
  ~OpenFile() {
    if (fd >= 0) close(fd);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int fd;
};

}  // namespace

RangeAsk ParseRange(const std::string& header, uint64_t length, uint64_t& first, uint64_t& last) {
  const std::string unit = "bytes=";
  if (header.compare(0, unit.size(), unit) != 0 || header.find(',') != std::string::npos)
    return RangeAsk::kWhole;
  const std::string wanted = header.substr(unit.size());
  const size_t dash = wanted.find('-');
  if (dash == std::string::npos) return RangeAsk::kWhole;
  const std::string a = wanted.substr(0, dash), b = wanted.substr(dash + 1);
  uint64_t x = 0, y = 0;
  if (a.empty()) {  // the last y bytes
    if (!Number(b, y)) return RangeAsk::kWhole;
    if (y == 0 || length == 0) return RangeAsk::kUnsatisfiable;
    first = y >= length ? 0 : length - y;
    last = length - 1;
    return RangeAsk::kPart;
  }
  if (!Number(a, x) || (!b.empty() && !Number(b, y))) return RangeAsk::kWhole;
  if (!b.empty() && y < x) return RangeAsk::kWhole;
  if (x >= length) return RangeAsk::kUnsatisfiable;
  first = x;
  last = b.empty() || y >= length ? length - 1 : y;
  return RangeAsk::kPart;
}

int OpenInsideRoots(const std::string& path, const std::vector<std::string>& roots) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat st {};
  char link[64], real[4096];
  snprintf(link, sizeof(link), "/proc/self/fd/%d", fd);
  const ssize_t n = readlink(link, real, sizeof(real) - 1);
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || n <= 0 ||
      !InsideRoots(std::string(real, static_cast<size_t>(n)), roots)) {
    close(fd);
    return -1;
  }
  return fd;
}

bool AnswerSong(const httplib::Request& req, httplib::Response& res, const SongSource& song,
                const std::vector<std::string>& roots) {
  std::shared_ptr<OpenFile> file;
  uint64_t length = 0;
  if (song.bytes) {
    length = song.bytes->size();
  } else {
    file = std::make_shared<OpenFile>(OpenInsideRoots(song.path, roots));
    struct stat st {};
    if (file->fd < 0 || fstat(file->fd, &st) != 0) return false;
    length = static_cast<uint64_t>(st.st_size);
  }
  res.set_header("Accept-Ranges", "bytes");
  uint64_t first = 0, last = length ? length - 1 : 0;
  switch (ParseRange(req.get_header_value("Range"), length, first, last)) {
    case RangeAsk::kUnsatisfiable:
      res.status = 416;
      res.set_header("Content-Range", "bytes */" + std::to_string(length));
      return true;
    case RangeAsk::kPart:
      res.status = 206;
      res.set_header("Content-Range", "bytes " + std::to_string(first) + "-" +
                                          std::to_string(last) + "/" + std::to_string(length));
      break;
    case RangeAsk::kWhole:
      break;
  }
  const uint64_t count = length ? last - first + 1 : 0;
  if (song.bytes) {
    auto bytes = song.bytes;
    res.set_content_provider(count, song.contentType,
                             [bytes, first](size_t offset, size_t size, httplib::DataSink& sink) {
                               return sink.write(bytes->data() + first + offset, size);
                             });
    return true;
  }
  res.set_content_provider(
      count, song.contentType, [file, first](size_t offset, size_t size, httplib::DataSink& sink) {
        thread_local std::unique_ptr<char[]> piece(new char[kPieceBytes]);
        const ssize_t n = pread(file->fd, piece.get(), std::min(size, kPieceBytes),
                                static_cast<off_t>(first + offset));
        // A file cut short while it is sent ends the answer short of its length.
        return n > 0 && sink.write(piece.get(), static_cast<size_t>(n));
      });
  return true;
}

}  // namespace catalogue_service
