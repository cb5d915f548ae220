#include "catalogue/download.h"

namespace catalogue {

std::vector<wchar_t> ToDownloadText(const std::string& address) {
  const int n = MultiByteToWideChar(CP_OEMCP, MB_COMPOSITE, address.c_str(), -1, nullptr, 0);
  if (2 * n <= 0) return {};
  std::vector<wchar_t> text(n, L'\0');
  MultiByteToWideChar(CP_OEMCP, MB_COMPOSITE, address.c_str(), -1, text.data(), n);
  return text;
}

DownloadEntry FindDownloadEntry() {
  // Loaded once and kept: the dialog may still run from the library after the call returns.
  static const HMODULE shell = LoadLibraryA("shdocvw.dll");
  if (!shell) return nullptr;
  return reinterpret_cast<DownloadEntry>(GetProcAddress(shell, "DoFileDownload"));
}

void DownloadAddress(const std::string& address, DownloadEntry entry) {
  if (!entry) return;
  const std::vector<wchar_t> text = ToDownloadText(address);
  if (text.empty()) return;
  entry(text.data());
}

}  // namespace catalogue
