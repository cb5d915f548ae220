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

// Why a fetch failed.
enum class FetchProblem {
  kNone,
  kNoConnection,  // the server could not be reached
  kNoAnswer,      // nothing arrived within the deadline
  kServerStatus,  // the server answered with an error status
  kCutShort,      // the answer ended before its announced length
  kTooLarge,
  kEmpty,        // a success status with no body
  kDiskRefused,  // the file could not be made or written
  kStalled,      // ended by its caller: too little arrived for too long
  kGone,         // a local song's file is no longer there
  kCannotPlay,   // the control opened the file but could not play it
};

struct FetchReport {
  FetchProblem problem = FetchProblem::kNone;
  DWORD status = 0;  // the server's status, with kServerStatus
};

// Told the bytes received so far and the announced total (0 when none was announced) after
// every piece; returning false cancels the fetch.
using FetchProgress = std::function<bool(uint64_t received, uint64_t total)>;

struct FetchLimits {
  DWORD deadlineMs = kHttpDeadlineMs;  // the longest wait for the answer or its next piece
  uint64_t maxBytes = kSongMaxBytes;
  HANDLE cancel = nullptr;  // when set, signalling it ends the fetch at once, as cancelled
};

// GETs the address into the file at `path`, replacing it. Complete only for a
// success status and a non-empty body as long as announced; in every other case (the deadline
// passed with nothing arriving, a cancel, a body too large) the file is removed before the
// call returns, so there is either the whole song or no file at all. The file is shared for
// reading and deletion while it is written. A failure's reason goes to `report` when given.
FetchResult FetchToFile(const std::string& url, const std::wstring& path,
                        const FetchProgress& progress = nullptr, FetchLimits limits = {},
                        FetchReport* report = nullptr);

}  // namespace catalogue
