// The picture-name routine on arbitrary code page 936 paths.
#include <string>

#include "app/picture_name.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path(reinterpret_cast<const char*>(data), size);
  const std::string name = app::PictureNameOf(path);
  FUZZ_CHECK(name.size() <= path.size());
  FUZZ_CHECK(path.compare(path.size() - name.size(), name.size(), name) == 0);
  // The name starts at a character; no backslash character is left inside it.
  for (size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c >= 0x81 && c <= 0xFE && i + 1 < name.size()) {
      ++i;
    } else {
      FUZZ_CHECK(c != '\\');
    }
  }
  bool singleBytePath = true;
  for (unsigned char c : path) singleBytePath = singleBytePath && (c < 0x81 || c == 0xFF);
  if (singleBytePath) FUZZ_CHECK(name == path.substr(path.find_last_of('\\') + 1));
  return 0;
}
