// HTTP GET for the catalogue client: one absolute address in, the whole body out.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace catalogue {

// Every request ends within this time, answered or not.
inline constexpr DWORD kHttpDeadlineMs = 8000;
// A larger body is refused rather than exhausting memory.
inline constexpr size_t kHttpMaxBodyBytes = 64u * 1024u * 1024u;

// The body of the answer as bytes, or empty when the request fails in any way: no connection,
// no answer within the deadline, a body cut short of its announced length, or one too large.
// Always reaches the server (no cache); sends no header of its own; status codes are not
// looked at. Returns within about `deadlineMs`; meanwhile the calling thread's messages are
// dispatched, so its windows keep painting and answering. When the program is ending (a WM_QUIT
// is queued) no request is started, and one in progress is given up at once.
std::vector<uint8_t> HttpGet(const std::string& absoluteUrl, DWORD deadlineMs = kHttpDeadlineMs);

}  // namespace catalogue
