// What a second start of the player asks of the one already running: the command line's words,
// and the same request as it travels between the two processes in a WM_COPYDATA. No window here.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace app {

enum class RemoteVerb { kShow, kPlayPause, kNext, kPrevious, kStop, kSource };

struct RemoteRequest {
  RemoteVerb verb = RemoteVerb::kShow;
  std::wstring argument;  // only for a verb that takes one
  bool operator==(const RemoteRequest& o) const { return verb == o.verb && argument == o.argument; }
};

// Marks a WM_COPYDATA as one of ours (COPYDATASTRUCT::dwData).
inline constexpr unsigned long kRemoteRequestMark = 0x56454C31;  // "VEL1"
// Longer than any path the system takes, with its verb.
inline constexpr std::size_t kMaxRemoteChars = 32768 + 32;

// The arguments after the program's name: none is kShow; one known command (case-insensitive),
// with its argument where it takes one. Anything else is nullopt.
std::optional<RemoteRequest> ParseCommandLine(const std::vector<std::wstring>& arguments);

// The WM_COPYDATA payload: the command's word, then a tab and the argument when there is one.
std::wstring EncodeRemoteRequest(const RemoteRequest& request);
// What arrived, checked: our mark, whole UTF-16 units, within the bound, no NUL, a known word.
std::optional<RemoteRequest> DecodeRemoteRequest(unsigned long mark, const void* data,
                                                 std::size_t bytes);

// The command's word ("/next"); "show" for a plain start.
const wchar_t* RemoteVerbName(RemoteVerb verb);

}  // namespace app
