#include "app/caption_text.h"

namespace app {

std::string CaptionText(std::string text) {
  if (text.size() <= kMaxCaptionBytes) return text;
  size_t end = 0;
  while (end < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[end]);
    const size_t width = c >= 0x81 && c <= 0xFE && end + 1 < text.size() ? 2 : 1;
    if (end + width > kMaxCaptionBytes) break;
    end += width;
  }
  text.resize(end);
  return text;
}

}  // namespace app
