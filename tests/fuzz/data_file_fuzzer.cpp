// The data-file reader and writer on arbitrary content: what is written whole reads back
// whole, the text ends at the first zero byte, and a failed write leaves nothing behind.
#include <fuzzer/FuzzedDataProvider.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/data/data_files.h"
#include "app/data/number_pair.h"
#include "catalogue/text_routines.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

const std::wstring& Folder() {
  static const std::wstring folder = [] {
    char name[] = "/tmp/data-file-fuzz-XXXXXX";
    FUZZ_CHECK(mkdtemp(name) != nullptr);
    return std::wstring(name, name + sizeof(name) - 1) + L"/背景";
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const int32_t a = input.ConsumeIntegral<int32_t>();
  const int32_t b = input.ConsumeIntegral<int32_t>();
  const std::string content = input.ConsumeRemainingBytesAsString();
  static const bool made = mkdir(catalogue::ToUtf8(Folder()).c_str(), 0700) == 0;
  FUZZ_CHECK(made);
  const std::wstring path = Folder() + L"/file.txt";

  FUZZ_CHECK(app::WriteWholeFile(path, content));
  FUZZ_CHECK(app::FileExists(path));
  FUZZ_CHECK(!app::FileExists(path + L".new"));
  const std::vector<uint8_t> bytes = app::ReadFileBytes(path);
  FUZZ_CHECK(std::string(bytes.begin(), bytes.end()) == content);
  FUZZ_CHECK(app::ReadTextFile(path) == content.substr(0, content.find('\0')));
  FUZZ_CHECK(app::ReadGbkTextFile(path) ==
             catalogue::DecodeText(app::ReadTextFile(path), catalogue::kGbkCodePage));

  app::WriteNumberPairFile(path, a, b);
  const app::NumberPair pair = app::ReadNumberPair(app::ReadTextFile(path));
  FUZZ_CHECK(pair.first == a && pair.second == b);

  // A folder of that name, or no folder to write into: refused, and nothing left behind.
  FUZZ_CHECK(!app::WriteWholeFile(Folder(), content));
  FUZZ_CHECK(!app::FileExists(Folder() + L".new"));
  FUZZ_CHECK(!app::WriteWholeFile(Folder() + L"/missing/file.txt", content));
  FUZZ_CHECK(app::ReadFileBytes(Folder()).empty());
  return 0;
}
