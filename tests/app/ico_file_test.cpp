#include "app/desktop/ico_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "embedded/resources.h"

namespace app {
namespace {

// An ICO directory with entries of the given sizes, each image 4 bytes holding its size.
std::vector<uint8_t> MakeIco(const std::vector<int>& sizes) {
  std::vector<uint8_t> ico = {0, 0, 1, 0, static_cast<uint8_t>(sizes.size()), 0};
  const size_t dataStart = 6 + 16 * sizes.size();
  for (size_t i = 0; i < sizes.size(); ++i) {
    const uint32_t offset = static_cast<uint32_t>(dataStart + 4 * i);
    const uint8_t s = static_cast<uint8_t>(sizes[i] == 256 ? 0 : sizes[i]);
    ico.insert(ico.end(), {s, s, 0, 0, 1, 0, 32, 0, 4, 0, 0, 0, static_cast<uint8_t>(offset),
                           static_cast<uint8_t>(offset >> 8), 0, 0});
  }
  for (int s : sizes) ico.insert(ico.end(), {static_cast<uint8_t>(s & 0xFF), 0, 0, 0});
  return ico;
}

int PickedSize(const std::vector<uint8_t>& ico, int size) {
  const auto image = PickIcoImage(ico, size);
  return image.empty() ? -1 : (image[0] == 0 ? 256 : image[0]);
}

TEST(IcoFile, PicksTheExactSizeElseTheNextLargerElseTheLargest) {
  const auto ico = MakeIco({48, 16, 256, 32});
  EXPECT_EQ(PickedSize(ico, 16), 16);
  EXPECT_EQ(PickedSize(ico, 32), 32);
  EXPECT_EQ(PickedSize(ico, 20), 32);
  EXPECT_EQ(PickedSize(ico, 100), 256);
  EXPECT_EQ(PickedSize(MakeIco({16, 32}), 64), 32);
}

TEST(IcoFile, RejectsBrokenFiles) {
  EXPECT_EQ(PickedSize({}, 16), -1);
  EXPECT_EQ(PickedSize({0, 0, 2, 0, 1, 0}, 16), -1);  // a cursor file, not an icon
  auto truncated = MakeIco({16});
  truncated.resize(truncated.size() - 2);  // the image runs past the end
  EXPECT_EQ(PickedSize(truncated, 16), -1);
  auto shortDirectory = MakeIco({16, 32});
  shortDirectory.resize(20);
  EXPECT_EQ(PickedSize(shortDirectory, 16), -1);
}

TEST(IcoFile, TheProgramIconHoldsSixThirtyTwoBitImages) {
  const auto& ico = resources::player_ico;
  ASSERT_GE(ico.size(), 6u + 6 * 16);
  EXPECT_EQ(ico[4], 6);
  // The small icon at 100, 125, 150 and 200 %, the big one at 150 %, and the large image.
  const int expected[] = {16, 20, 24, 32, 48, 256};
  for (int i = 0; i < 6; ++i) {
    const uint8_t* e = ico.data() + 6 + 16 * i;
    EXPECT_EQ(e[0] == 0 ? 256 : e[0], expected[i]);
    EXPECT_EQ(e[6] | (e[7] << 8), 32) << "image " << i;
    EXPECT_FALSE(PickIcoImage(ico, expected[i]).empty());
  }
}

}  // namespace
}  // namespace app
