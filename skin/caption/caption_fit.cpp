#include "skin/caption/caption_fit.h"

namespace skin {
namespace {

bool LowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

std::wstring Cut(const std::wstring& text, size_t units) {
  if (units > 0 && units < text.size() && LowSurrogate(text[units])) --units;
  std::wstring start = text.substr(0, units);
  start.erase(start.find_last_not_of(L' ') + 1);
  return start + L"\u2026";
}

}  // namespace

std::wstring FitWithEllipsis(const std::wstring& text, float width,
                             const std::function<float(const std::wstring&)>& measure) {
  if (measure(text) <= width) return text;
  if (measure(L"\u2026") > width) return {};
  // The longest start that fits: the widths grow with the length, so a binary search finds it.
  size_t fits = 0, tooLong = text.size();
  while (tooLong - fits > 1) {
    const size_t middle = (fits + tooLong) / 2;
    if (measure(Cut(text, middle)) <= width) {
      fits = middle;
    } else {
      tooLong = middle;
    }
  }
  return Cut(text, fits);
}

}  // namespace skin
