#include "skin/picture_ahead.h"

#include <future>
#include <memory>
#include <system_error>
#include <thread>

#include "skin/reduced_picture_file.h"

namespace skin {
namespace {

struct Ahead {
  std::shared_ptr<const std::vector<uint8_t>> bytes;
  graphics::PixelSize limit;
  std::future<std::optional<graphics::ReducedJpeg>> result;
};

// Never destroyed: the worker is detached, and the process may end while it runs.
Ahead& Current() {
  static Ahead* ahead = new Ahead;
  return *ahead;
}

}  // namespace

void StartPictureDecode(std::vector<uint8_t> bytes, graphics::PixelSize limit,
                        const std::string& cacheFile) {
  Ahead& ahead = Current();
  ahead = Ahead{};
  if (bytes.empty()) return;
  auto shared = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
  std::packaged_task<std::optional<graphics::ReducedJpeg>()> task(
      [shared, limit, cacheFile]() -> std::optional<graphics::ReducedJpeg> {
        // A start that reads the kept copy needs no decode: the core stays free.
        if (!cacheFile.empty()) {
          const auto kept = ReadReducedPicture(cacheFile, PictureHash(*shared), shared->size());
          if (kept && kept->limit.width >= limit.width && kept->limit.height >= limit.height) {
            return std::nullopt;
          }
        }
        return graphics::DecodeJpegReduced(*shared, limit);
      });
  ahead.result = task.get_future();
  try {
    std::thread(std::move(task)).detach();
  } catch (const std::system_error&) {
    ahead = Ahead{};  // no thread: decoded where it is needed
    return;
  }
  ahead.bytes = std::move(shared);
  ahead.limit = limit;
}

bool TakePictureDecode(const std::vector<uint8_t>& bytes, graphics::PixelSize limit,
                       std::optional<graphics::ReducedJpeg>& out) {
  Ahead& ahead = Current();
  if (!ahead.bytes || !ahead.result.valid() || !(ahead.limit == limit) || *ahead.bytes != bytes) {
    return false;
  }
  out = ahead.result.get();
  ahead = Ahead{};
  return true;
}

void ForgetPictureDecode() { Current() = Ahead{}; }

}  // namespace skin
