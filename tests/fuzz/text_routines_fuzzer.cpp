// The catalogue's text routines on arbitrary bytes: blank trimming, body text and the code page
// conversions of the edges.
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

  bool ascii = true;
  for (unsigned char c : text) ascii = ascii && c < 0x80;
  // Decoded text encodes back to bytes that decode to the same text, in both code pages of the
  // edges; ASCII is itself everywhere.
  for (UINT codePage : {CP_UTF8, catalogue::kGbkCodePage}) {
    const std::wstring wide = catalogue::DecodeText(source, codePage);
    FUZZ_CHECK(wide.find(L'\0') == std::wstring::npos);
    FUZZ_CHECK(text.empty() == wide.empty());
    const std::optional<std::string> back = catalogue::EncodeText(wide, codePage);
    if (back) FUZZ_CHECK(catalogue::DecodeText(*back, codePage) == wide);
    if (ascii) FUZZ_CHECK(back && *back == text);
  }
  const std::wstring utf16 = catalogue::FromUtf8(text);
  FUZZ_CHECK(catalogue::FromUtf8(catalogue::ToUtf8(utf16)) == utf16);
  return 0;
}
