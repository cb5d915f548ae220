#include "catalogue/song_titles.h"

namespace catalogue {

SongTitles songTitles;

namespace {

constexpr wchar_t kCutMark = L'\x2026';  // "…"

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

std::wstring CleanTitle(std::wstring_view raw) {
  // Only as much as can still be shown is looked at (an escape takes two units for one), so a
  // title of any length costs the same.
  const size_t scan = raw.size() < kTitleMaxUnits * 3 ? raw.size() : kTitleMaxUnits * 3;
  std::wstring out;
  out.reserve(scan);
  size_t i = 0;
  for (; i < scan; ++i) {
    wchar_t shown = raw[i];
    if (shown == L'\\' && i + 1 < raw.size()) {
      shown = raw[++i];
      if (shown == L'n' || shown == L'r' || shown == L't') shown = L' ';
    }
    if (shown < 0x20 || (shown >= 0x7F && shown < 0xA0) || shown == 0x2028 || shown == 0x2029) {
      shown = L' ';
    }
    if (shown != L' ' || !out.empty()) out += shown;
  }
  out.erase(out.find_last_not_of(L' ') + 1);
  if (out.empty() || (out.size() <= kTitleMaxUnits && i >= raw.size())) return out;
  // Cut with room for the mark, never between the halves of a pair.
  size_t keep = out.size() < kTitleMaxUnits - 1 ? out.size() : kTitleMaxUnits - 1;
  if (keep > 0 && IsHighSurrogate(out[keep - 1])) --keep;
  out.resize(keep);
  out.erase(out.find_last_not_of(L' ') + 1);
  return out + kCutMark;
}

void SongTitles::Keep(const std::string& address, std::wstring title) {
  if (replacing_) {
    titles_.clear();
    replacing_ = false;
  }
  titles_.emplace(address, std::move(title));
}

std::wstring SongTitles::Of(const std::string& address) const {
  const auto it = titles_.find(address);
  return it == titles_.end() ? std::wstring() : it->second;
}

}  // namespace catalogue
