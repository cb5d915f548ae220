#include "app/windows/caption_text.h"

namespace app {

std::wstring CaptionText(std::wstring text) {
  if (text.size() <= kMaxCaptionUnits) return text;
  size_t end = kMaxCaptionUnits;
  if (text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF) --end;
  text.resize(end);
  return text;
}

}  // namespace app
