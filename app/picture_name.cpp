#include "app/picture_name.h"

namespace app {
namespace {

// GBK lead bytes; the byte after one is part of the same character.
bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

}  // namespace

std::string PictureNameOf(const std::string& path) {
  size_t nameStart = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (IsLeadByte(c) && i + 1 < path.size()) {
      ++i;
    } else if (c == '\\') {
      nameStart = i + 1;
    }
  }
  return path.substr(nameStart);
}

}  // namespace app
