// The background decoded on a worker thread while the start-up still waits for the catalogue.
// Only the program's own JPEG decoder runs there (it needs neither GDI+ nor COM), and only plain
// pixels cross over; any other picture is decoded where it is needed, as before. The application
// owns the one it starts and lends it to its skin engine.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "graphics/jpeg_decode.h"

namespace skin {

// One decode started ahead. It owns its worker and joins it before it lets go of the bytes or the
// outcome, so no worker outlives what it reads: not a second start, not a decode let go of, and
// not the object's end, which waits for a decode still running.
class PictureAhead {
 public:
  PictureAhead() = default;
  ~PictureAhead() { Forget(); }
  PictureAhead(const PictureAhead&) = delete;
  PictureAhead& operator=(const PictureAhead&) = delete;

  // Starts decoding these bytes for a screen that needs at most `limit`, unless `cacheFile`
  // already holds their reduced copy for such a screen. Replaces a decode started before.
  void Start(std::vector<uint8_t> bytes, graphics::PixelSize limit, const std::wstring& cacheFile);
  // The same with bytes the caller keeps too: held, not copied, until the decode is let go of.
  void Start(std::shared_ptr<const std::vector<uint8_t>> bytes, graphics::PixelSize limit,
             std::wstring cacheFile);

  // True when a decode was started for exactly these bytes and this limit: `out` then gets its
  // outcome, waiting for it (none when the bytes are no JPEG the program reads itself). Each
  // decode is handed out once.
  bool Take(const std::vector<uint8_t>& bytes, graphics::PixelSize limit,
            std::optional<graphics::ReducedJpeg>& out);

  // Lets go of a decode started and not taken (the kept copy served instead), with its bytes:
  // one not yet begun is called off, one under way is waited for.
  void Forget();

 private:
  void Run();

  std::shared_ptr<const std::vector<uint8_t>> bytes_;
  graphics::PixelSize limit_;
  std::wstring cacheFile_;
  std::optional<graphics::ReducedJpeg> result_;  // the worker's until it is joined
  std::atomic<bool> dropped_ = false;
  std::thread worker_;
};

}  // namespace skin
