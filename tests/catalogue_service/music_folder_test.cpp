// The service serving a music folder instead of its own tunes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/catalogue_client.h"
#include "catalogue/http_get.h"
#include "tests/support/catalogue_service.h"
#include "tests/support/scratch.h"

namespace {

using testing_support::CatalogueService;

void NoPump() {}

TEST(MusicFolder, ServesItsMp3AndWavFilesInNameOrder) {
  const std::string unixFolder = std::string(BUILD_DIR_UNIX) + "/scratch/music_folder";
  // The scratch area is the build's scratch folder, seen from Windows.
  const std::string folder = testing_support::MakeScratchFolder("music_folder");
  const std::string second("ID3\x03\0second song", 17);
  const std::string first("RIFF\0\0\0\0WAVE first", 18);
  testing_support::WriteFileBytes(folder + "\\b 歌.MP3", second);
  testing_support::WriteFileBytes(folder + "\\a 'tune'.wav", first);
  testing_support::WriteFileBytes(folder + "\\notes.txt", "not a song");

  CatalogueService service(8432, "--music " + unixFolder);
  ASSERT_TRUE(service.ready()) << "the catalogue service did not start";
  const std::string base = service.BaseUrl();
  std::vector<std::string> list;
  catalogue::FetchCatalogue(
      base, [](const std::string& url) { return catalogue::HttpGet(url); },
      [&list](const std::string& entry) { list.push_back(entry); }, NoPump);
  EXPECT_EQ(list,
            (std::vector<std::string>{"双击操作", base + "mp3.ashx?id=1", base + "mp3.ashx?id=2"}));

  const std::vector<uint8_t> one = catalogue::HttpGet(base + "mp3.ashx?id=1");
  const std::vector<uint8_t> two = catalogue::HttpGet(base + "mp3.ashx?id=2");
  EXPECT_EQ(std::string(one.begin(), one.end()), first);
  EXPECT_EQ(std::string(two.begin(), two.end()), second);
  EXPECT_TRUE(catalogue::HttpGet(base + "mp3.ashx?id=3").empty());
}

}  // namespace
