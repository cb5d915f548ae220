#include "catalogue/text_routines.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace catalogue {

namespace {

// The first `what` in `text` at or after `from`: memchr for its first byte, then a compare.
size_t FindFrom(std::string_view text, std::string_view what, size_t from) {
  if (what.empty()) return from <= text.size() ? from : std::string_view::npos;
  if (from > text.size() || text.size() - from < what.size()) return std::string_view::npos;
  const char* const base = text.data();
  const char* const last = base + text.size() - what.size();  // last possible start
  for (const char* at = base + from; at <= last; ++at) {
    at = static_cast<const char*>(std::memchr(at, what[0], static_cast<size_t>(last - at) + 1));
    if (!at) break;
    if (std::memcmp(at + 1, what.data() + 1, what.size() - 1) == 0) {
      return static_cast<size_t>(at - base);
    }
  }
  return std::string_view::npos;
}

}  // namespace

std::vector<std::string_view> ExtractPieces(std::string_view source, std::string_view left,
                                            std::string_view right, PumpFunction pump) {
  std::vector<std::string_view> pieces;
  // With an empty left marker an empty piece would not move the search on.
  if (left.empty()) return pieces;
  size_t searchFrom = 0;
  // The right marker found last: the first one at or after any later start up to it, so a
  // run of empty pieces never scans the same stretch twice.
  size_t lastRight = std::string_view::npos;
  bool lastWasEmpty = false;
  for (;;) {
    const size_t leftAt = FindFrom(source, left, searchFrom);
    if (leftAt == std::string_view::npos) break;
    const size_t start = leftAt + left.size();
    const size_t rightAt = lastRight != std::string_view::npos && start <= lastRight
                               ? lastRight
                               : FindFrom(source, right, start);
    if (rightAt == std::string_view::npos) break;
    // Up to a right marker already found behind an empty piece there are only blanks.
    const bool knownBlank = rightAt == lastRight && lastWasEmpty;
    lastRight = rightAt;
    const std::string_view piece =
        knownBlank ? std::string_view() : TrimBlanks(source.substr(start, rightAt - start));
    lastWasEmpty = piece.empty();
    if (!piece.empty()) {
      pieces.push_back(piece);
      searchFrom = rightAt;
    } else {
      searchFrom = start;
    }
    if (pump) pump();
  }
  return pieces;
}

int ExtractBetween(std::string_view source, std::string_view left, std::string_view right,
                   std::vector<std::string>& out, PumpFunction pump) {
  out.clear();
  const std::vector<std::string_view> pieces = ExtractPieces(source, left, right, pump);
  out.assign(pieces.begin(), pieces.end());
  return static_cast<int>(out.size());
}

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::wstring DecodeText(std::string_view bytes, UINT codePage) {
  bytes = bytes.substr(0, bytes.find('\0'));
  if (bytes.empty() || bytes.size() > INT_MAX) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), length);
  return wide;
}

std::optional<std::string> EncodeText(std::wstring_view text, UINT codePage) {
  text = text.substr(0, text.find(L'\0'));
  if (text.empty()) return std::string();
  if (text.size() > INT_MAX / 4) return std::nullopt;
  const int size = static_cast<int>(text.size());
  // UTF-8 takes no lossy flag: its only loss is a lone surrogate, which the flag makes an error.
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL lossy = FALSE;
  BOOL* const lossyOut = utf8 ? nullptr : &lossy;
  const int length =
      WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, lossyOut);
  if (length <= 0 || lossy) return std::nullopt;
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), size, bytes.data(), length, nullptr, lossyOut);
  if (lossy) return std::nullopt;
  return bytes;
}

std::string ToUtf8(std::wstring_view text) {
  if (text.empty() || text.size() > INT_MAX / 4) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

std::string BodyText(const std::vector<uint8_t>& body) {
  const auto end = std::find(body.begin(), body.end(), uint8_t{0});
  return std::string(body.begin(), end);
}

}  // namespace catalogue
