// The catalogue's text routines on arbitrary bytes: blank trimming, body text and the code page
// conversions with their buffer sizing.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "catalogue/text_routines.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string source = input.ConsumeRemainingBytesAsString();

  const std::string_view trimmed = catalogue::TrimBlanks(source);
  FUZZ_CHECK(trimmed.empty() || (trimmed.front() != ' ' && trimmed.back() != ' '));
  FUZZ_CHECK(trimmed.empty() || std::string_view(source).find(trimmed) != std::string::npos);

  const std::string text = catalogue::BodyText(std::vector<uint8_t>(source.begin(), source.end()));
  FUZZ_CHECK(text.find('\0') == std::string::npos);
  FUZZ_CHECK(source.compare(0, text.size(), text) == 0);
  FUZZ_CHECK(text.size() == source.size() || source[text.size()] == '\0');

  const std::string gbk = catalogue::Utf8ToGbk(text);
  FUZZ_CHECK(gbk.find('\0') == std::string::npos);
  bool ascii = true;
  for (unsigned char c : text) ascii = ascii && c < 0x80;
  if (ascii) FUZZ_CHECK(gbk == text);
  // The one-pass conversion gives the system's two-step result.
  FUZZ_CHECK(gbk == catalogue::FromWideText(catalogue::ToWideText(text, CP_UTF8), 936));

  // Each half on its own, in both directions and code pages.
  for (UINT codePage : {CP_UTF8, 936u, CP_ACP}) {
    const std::wstring wide = catalogue::ToWideText(text, codePage);
    FUZZ_CHECK(!wide.empty());
    const std::string back = catalogue::FromWideText(wide, codePage);
    FUZZ_CHECK(back.find('\0') == std::string::npos);
    if (ascii) FUZZ_CHECK(back == text);
  }
  return 0;
}
