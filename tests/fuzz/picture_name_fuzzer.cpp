// The picture-name routine on arbitrary paths.
#include <string>

#include "app/windows/picture_name.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::wstring path;
  for (size_t i = 0; i + 1 < size; i += 2) path += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
  const std::wstring name = app::PictureNameOf(path);
  FUZZ_CHECK(name.size() <= path.size());
  FUZZ_CHECK(path.compare(path.size() - name.size(), name.size(), name) == 0);
  FUZZ_CHECK(name.find(L'\\') == std::wstring::npos);
  // Whatever precedes the name ends with its backslash.
  if (name.size() < path.size()) FUZZ_CHECK(path[path.size() - name.size() - 1] == L'\\');
  return 0;
}
