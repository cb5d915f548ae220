#include "catalogue/download.h"

#include "catalogue/text_routines.h"

namespace catalogue {

std::vector<wchar_t> ToDownloadText(const std::string& address) {
  const std::wstring wide = FromUtf8(address);
  return std::vector<wchar_t>(wide.c_str(), wide.c_str() + wide.size() + 1);
}

DownloadEntry FindDownloadEntry() {
  // Loaded once and kept: the dialog may still run from the library after the call returns.
  static const HMODULE shell = LoadLibraryW(L"shdocvw.dll");
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
