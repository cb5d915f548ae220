#include "catalogue/music_source.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>

#include "catalogue/text_routines.h"

namespace catalogue {
namespace {

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::towlower(text[i]) != prefix[i]) return false;
  }
  return true;
}

bool IsValidUtf8(std::string_view text) {
  return text.empty() || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                             static_cast<int>(text.size()), nullptr, 0) > 0;
}

bool IsAbsoluteFolder(std::wstring_view path) {
  const bool drive = path.size() >= 3 && std::iswalpha(path[0]) && path[1] == L':' &&
                     (path[2] == L'\\' || path[2] == L'/');
  const bool share = path.size() > 2 && path[0] == L'\\' && path[1] == L'\\';
  if (!drive && !share) return false;
  // Characters no Windows path may hold.
  return path.find_first_of(L"<>\"|?*", 2) == std::wstring_view::npos &&
         std::none_of(path.begin(), path.end(), [](wchar_t c) { return c < 0x20; });
}

}  // namespace

MusicSource ParseSource(std::string_view text) {
  if (text.size() > kMaxSourceBytes) return {};
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  text = text.substr(0, text.find_first_of("\r\n"));
  text = TrimBlanks(text);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    text = TrimBlanks(text.substr(1, text.size() - 2));
  }
  if (text.empty() || text.find('\0') != std::string_view::npos || !IsValidUtf8(text)) return {};
  const std::wstring value = FromUtf8(text);
  if (StartsWithNoCase(value, L"http://") || StartsWithNoCase(value, L"https://")) {
    const bool hostGiven = value.size() > value.find(L"//") + 3;
    if (value.back() != L'/' || !hostGiven || value.find_first_of(L" \t") != std::wstring::npos)
      return {};
    return {MusicSource::Kind::kAddress, value};
  }
  if (!IsAbsoluteFolder(value)) return {};
  std::wstring folder = value;
  // "D:\" stays whole; "D:\Music\" loses its last backslash.
  while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  return {MusicSource::Kind::kFolder, folder};
}

std::string SourceText(const MusicSource& source) {
  return source.kind == MusicSource::Kind::kBuiltIn ? std::string() : ToUtf8(source.value) + "\r\n";
}

bool IsPlayableFileName(std::wstring_view name) {
  const size_t dot = name.rfind(L'.');
  if (dot == std::wstring_view::npos || dot == 0) return false;
  std::wstring kind(name.substr(dot + 1));
  for (wchar_t& c : kind) c = static_cast<wchar_t>(std::towlower(c));
  for (const wchar_t* playable : {L"mp3", L"wma", L"wav", L"m4a", L"aac", L"flac", L"ogg"}) {
    if (kind == playable) return true;
  }
  return false;
}

std::wstring TitleFromFileName(std::wstring_view path) {
  const size_t slash = path.find_last_of(L"\\/");
  std::wstring_view name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind(L'.');
  if (dot != std::wstring_view::npos && dot > 0) name = name.substr(0, dot);
  return std::wstring(name);
}

void SongDeck::Reset(size_t count) {
  count_ = count;
  order_.resize(count);
  for (size_t i = 0; i < count; ++i) order_[i] = i;
  Shuffle();
}

std::vector<size_t> SongDeck::Draw(size_t n) {
  std::vector<size_t> drawn;
  n = std::min(n, count_);
  while (drawn.size() < n) {
    if (used_ == count_) {
      Shuffle();
      // The new round must not repeat a song of this very batch.
      std::stable_partition(order_.begin(), order_.end(), [&drawn](size_t i) {
        return std::find(drawn.begin(), drawn.end(), i) == drawn.end();
      });
    }
    drawn.push_back(order_[used_++]);
  }
  return drawn;
}

uint32_t SongDeck::Next() {
  // xorshift32: enough to mix a play order.
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

void SongDeck::Shuffle() {
  for (size_t i = order_.size(); i > 1; --i) std::swap(order_[i - 1], order_[Next() % i]);
  used_ = 0;
}

}  // namespace catalogue
