#include "catalogue/song_titles.h"

namespace catalogue {

SongTitles songTitles;

namespace {

// The two bytes of a code page 936 character; the second may look like '\\' or a letter.
bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

constexpr char kCutMark[] = "\xA1\xAD";  // "…" in code page 936, whatever the compiler's

}  // namespace

std::string CleanTitle(std::string_view raw) {
  // Only as much as can still be shown is looked at (an escape takes two bytes for one), so a
  // title of any length costs the same.
  const size_t scan = raw.size() < kTitleMaxBytes * 3 ? raw.size() : kTitleMaxBytes * 3;
  std::string out;
  out.reserve(scan);
  size_t i = 0;
  for (; i < scan; ++i) {
    const auto c = static_cast<unsigned char>(raw[i]);
    if (IsLeadByte(c) && i + 1 < raw.size() &&
        IsTrailByte(static_cast<unsigned char>(raw[i + 1]))) {
      out += raw[i];
      out += raw[++i];
      continue;
    }
    char shown = static_cast<char>(c);
    if (c == '\\' && i + 1 < raw.size() && !IsLeadByte(static_cast<unsigned char>(raw[i + 1]))) {
      shown = raw[++i];
      if (shown == 'n' || shown == 'r' || shown == 't') shown = ' ';
    }
    if (static_cast<unsigned char>(shown) < 0x20 || shown == 0x7F || IsLeadByte(c)) shown = ' ';
    if (shown != ' ' || !out.empty()) out += shown;
  }
  out.erase(out.find_last_not_of(' ') + 1);
  if (out.empty() || (out.size() <= kTitleMaxBytes && i >= raw.size())) return out;
  // Cut on a character boundary, with room for the mark.
  const size_t room = kTitleMaxBytes - (sizeof(kCutMark) - 1);
  size_t keep = 0;
  for (size_t at = 0; at < out.size();) {
    at += IsLeadByte(static_cast<unsigned char>(out[at])) ? 2 : 1;
    if (at > room) break;
    keep = at;
  }
  out.resize(keep);
  out.erase(out.find_last_not_of(' ') + 1);
  return out + kCutMark;
}

void SongTitles::Keep(const std::string& address, std::string title) {
  if (replacing_) {
    titles_.clear();
    replacing_ = false;
  }
  titles_.emplace(address, std::move(title));
}

std::string SongTitles::Of(const std::string& address) const {
  const auto it = titles_.find(address);
  return it == titles_.end() ? std::string() : it->second;
}

}  // namespace catalogue
