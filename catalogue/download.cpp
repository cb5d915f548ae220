#include "catalogue/download.h"

#include "catalogue/text_routines.h"
#include "graphics/system_call.h"

namespace catalogue {

std::vector<wchar_t> ToDownloadText(const std::string& address) {
  const std::wstring wide = FromUtf8(address);
  return std::vector<wchar_t>(wide.c_str(), wide.c_str() + wide.size() + 1);
}

DownloadEntry FindDownloadEntry() {
  // The library stays loaded: the dialog may still run from it after the call returns.
  return graphics::SystemCall<DownloadEntry>(L"shdocvw.dll", "DoFileDownload");
}

void DownloadAddress(const std::string& address, DownloadEntry entry) {
  if (!entry) return;
  const std::vector<wchar_t> text = ToDownloadText(address);
  if (text.empty()) return;
  entry(text.data());
}

}  // namespace catalogue
