// The background decoded on a worker thread while the start-up still waits for the catalogue.
// Only the program's own JPEG decoder runs there (it needs neither GDI+ nor COM), and only plain
// pixels cross over; any other picture is decoded where it is needed, as before. The one worker
// is joined before its decode is replaced or let go of, and at the latest when the process ends.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graphics/jpeg_decode.h"

namespace skin {

// Starts decoding these bytes for a screen that needs at most `limit`, unless `cacheFile` already
// holds their reduced copy for such a screen. Replaces a decode started before (see
// ForgetPictureDecode).
void StartPictureDecode(std::vector<uint8_t> bytes, graphics::PixelSize limit,
                        const std::wstring& cacheFile);
// The same with bytes the caller keeps too: held, not copied, until the decode is let go of.
void StartPictureDecode(std::shared_ptr<const std::vector<uint8_t>> bytes,
                        graphics::PixelSize limit, const std::wstring& cacheFile);

// True when a decode was started for exactly these bytes and this limit: `out` then gets its
// outcome, waiting for it (none when the bytes are no JPEG the program reads itself). Each decode
// is handed out once.
bool TakePictureDecode(const std::vector<uint8_t>& bytes, graphics::PixelSize limit,
                       std::optional<graphics::ReducedJpeg>& out);

// Lets go of a decode started and not taken (the kept copy served instead), with its bytes: one
// not yet begun is called off, one under way is waited for.
void ForgetPictureDecode();

}  // namespace skin
