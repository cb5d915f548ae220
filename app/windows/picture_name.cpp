#include "app/windows/picture_name.h"

namespace app {

std::wstring PictureNameOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L'\\');
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace app
