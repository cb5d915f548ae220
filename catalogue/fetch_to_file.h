// A song fetched straight into a file, for the player and the download button where the
// platform does neither: blocking, so it runs on a worker thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "catalogue/http_get.h"

namespace catalogue {

// A larger song is refused.
inline constexpr uint64_t kSongMaxBytes = 200ull * 1024 * 1024;

enum class FetchResult { kComplete, kFailed, kCancelled };

// Told the bytes received so far and the announced total (0 when none was announced) after
// every piece; returning false cancels the fetch.
using FetchProgress = std::function<bool(uint64_t received, uint64_t total)>;

struct FetchLimits {
  DWORD deadlineMs = kHttpDeadlineMs;  // no connect, send or receive wait lasts longer
  uint64_t maxBytes = kSongMaxBytes;
};

// GETs the address into the file at `path` (code page 936), replacing it. Complete only for a
// success status and a body as long as announced; in every other case the file is removed, so
// there is either the whole song or no file at all. The file is shared for deletion, so that
// whoever owns it may delete it while the fetch still writes.
FetchResult FetchToFile(const std::string& url, const std::string& path,
                        const FetchProgress& progress = nullptr, FetchLimits limits = {});

}  // namespace catalogue
