#include "skin/picture/picture_ahead.h"

#include <atomic>
#include <system_error>
#include <thread>

#include "skin/picture/reduced_picture_file.h"

namespace skin {
namespace {

// The one decode started ahead. It owns its worker and joins it before it lets go of the bytes
// or the outcome, so no worker outlives what it reads: not a second start, not a decode let go
// of, and not the end of the process, whose exit waits for a decode still running.
class Ahead {
 public:
  ~Ahead() { Drop(); }

  void Start(std::shared_ptr<const std::vector<uint8_t>> bytes, graphics::PixelSize limit,
             std::wstring cacheFile) {
    Drop();
    if (!bytes || bytes->empty()) return;
    bytes_ = std::move(bytes);
    limit_ = limit;
    cacheFile_ = std::move(cacheFile);
    try {
      worker_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
      Drop();  // no thread: decoded where it is needed
    }
  }

  bool Take(const std::vector<uint8_t>& bytes, graphics::PixelSize limit,
            std::optional<graphics::ReducedJpeg>& out) {
    if (!worker_.joinable() || !(limit_ == limit) || *bytes_ != bytes) return false;
    worker_.join();
    out = std::move(result_);
    Drop();
    return true;
  }

  // A decode not yet begun is called off; one under way is waited for.
  void Drop() {
    dropped_ = true;
    if (worker_.joinable()) worker_.join();
    dropped_ = false;
    bytes_.reset();
    cacheFile_.clear();
    result_.reset();
  }

 private:
  void Run() {
    // Nothing may leave the thread (that would end the process): a decode that runs out of
    // memory hands out no outcome, and the picture is decoded where it is needed, or refused.
    try {
      // A start that reads the kept copy needs no decode: the core stays free.
      if (!cacheFile_.empty()) {
        const auto kept = ReadReducedPicture(cacheFile_, PictureHash(*bytes_), bytes_->size());
        if (kept && kept->limit.width >= limit_.width && kept->limit.height >= limit_.height) {
          return;
        }
      }
      if (!dropped_) result_ = graphics::DecodeJpegReduced(*bytes_, limit_);
    } catch (...) {
      result_.reset();
    }
  }

  std::shared_ptr<const std::vector<uint8_t>> bytes_;
  graphics::PixelSize limit_;
  std::wstring cacheFile_;
  std::optional<graphics::ReducedJpeg> result_;  // the worker's until it is joined
  std::atomic<bool> dropped_ = false;
  std::thread worker_;
};

Ahead& Current() {
  static Ahead ahead;
  return ahead;
}

}  // namespace

void StartPictureDecode(std::vector<uint8_t> bytes, graphics::PixelSize limit,
                        const std::wstring& cacheFile) {
  Current().Start(std::make_shared<const std::vector<uint8_t>>(std::move(bytes)), limit, cacheFile);
}

void StartPictureDecode(std::shared_ptr<const std::vector<uint8_t>> bytes,
                        graphics::PixelSize limit, const std::wstring& cacheFile) {
  Current().Start(std::move(bytes), limit, cacheFile);
}

bool TakePictureDecode(const std::vector<uint8_t>& bytes, graphics::PixelSize limit,
                       std::optional<graphics::ReducedJpeg>& out) {
  return Current().Take(bytes, limit, out);
}

void ForgetPictureDecode() { Current().Drop(); }

}  // namespace skin
