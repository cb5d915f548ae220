#include "catalogue/text_routines.h"

#include <algorithm>

namespace catalogue {

int ExtractBetween(std::string_view source, std::string_view left, std::string_view right,
                   std::vector<std::string>& out, PumpFunction pump) {
  out.clear();
  // With an empty left marker an empty piece would not move the search on.
  if (left.empty()) return 0;
  // Views into the source only: nothing is copied but the pieces, so a long list stays linear.
  size_t searchFrom = 0;
  for (;;) {
    const size_t leftAt = source.find(left, searchFrom);
    if (leftAt == std::string_view::npos) break;
    const size_t start = leftAt + left.size();
    const size_t rightAt = source.find(right, start);
    if (rightAt == std::string_view::npos) break;
    const std::string_view piece = TrimBlanks(source.substr(start, rightAt - start));
    if (!piece.empty()) {
      out.emplace_back(piece);
      searchFrom = rightAt;
    } else {
      searchFrom = start;
    }
    if (pump) pump();
  }
  return static_cast<int>(out.size());
}

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::wstring ToWideText(const std::string& text, UINT codePage) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (n <= 0) return std::wstring(1, L'\0');
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.c_str(), -1, wide.data(), n);
  return wide;
}

std::string FromWideText(const std::wstring& wide, UINT codePage) {
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string text(2 * static_cast<size_t>(n), ' ');
  const int written = WideCharToMultiByte(codePage, 0, wide.c_str(), -1, text.data(),
                                          static_cast<int>(text.size()), nullptr, nullptr);
  // A failed conversion may leave blanks or a part behind: that is no text of the source.
  if (written <= 0) return {};
  text.resize(std::min(text.find('\0'), text.size()));
  return text;
}

std::string Utf8ToGbk(const std::string& text) {
  return FromWideText(ToWideText(text, CP_UTF8), 936);
}

std::string BodyText(const std::vector<uint8_t>& body) {
  const auto end = std::find(body.begin(), body.end(), uint8_t{0});
  return std::string(body.begin(), end);
}

}  // namespace catalogue
