#include "app/bstr.h"

namespace app {

Bstr::Bstr(const std::string& text) {
  const int n =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  b_ = SysAllocStringLen(nullptr, n);
  if (b_ && n > 0) {
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), b_, n);
  }
}

std::string Bstr::ToText() const {
  const int length = static_cast<int>(SysStringLen(b_));
  if (length == 0) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, b_, length, nullptr, 0, nullptr, nullptr);
  std::string text(n, '\0');
  WideCharToMultiByte(CP_ACP, 0, b_, length, text.data(), n, nullptr, nullptr);
  return text;
}

}  // namespace app
