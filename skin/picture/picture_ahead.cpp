#include "skin/picture/picture_ahead.h"

#include <system_error>

#include "skin/picture/reduced_picture_file.h"

namespace skin {

void PictureAhead::Start(std::vector<uint8_t> bytes, graphics::PixelSize limit,
                         const std::wstring& cacheFile) {
  Start(std::make_shared<const std::vector<uint8_t>>(std::move(bytes)), limit, cacheFile);
}

void PictureAhead::Start(std::shared_ptr<const std::vector<uint8_t>> bytes,
                         graphics::PixelSize limit, std::wstring cacheFile) {
  Forget();
  if (!bytes || bytes->empty()) return;
  bytes_ = std::move(bytes);
  limit_ = limit;
  cacheFile_ = std::move(cacheFile);
  try {
    worker_ = std::thread([this] { Run(); });
  } catch (const std::system_error&) {
    Forget();  // no thread: decoded where it is needed
  }
}

bool PictureAhead::Take(const std::vector<uint8_t>& bytes, graphics::PixelSize limit,
                        std::optional<graphics::ReducedJpeg>& out) {
  if (!worker_.joinable() || !(limit_ == limit) || *bytes_ != bytes) return false;
  worker_.join();
  out = std::move(result_);
  Forget();
  return true;
}

void PictureAhead::Forget() {
  dropped_ = true;
  if (worker_.joinable()) worker_.join();
  dropped_ = false;
  bytes_.reset();
  cacheFile_.clear();
  result_.reset();
}

void PictureAhead::Run() {
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

}  // namespace skin
