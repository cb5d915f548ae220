#include <gtest/gtest.h>

#include <vector>

#include "graphics/gfx_memory_stream.h"

namespace {

using graphics::GfxMemoryStream;

TEST(MemoryStream, GetBytesReturnsTheWholeBlock) {
  const std::vector<uint8_t> bytes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  GfxMemoryStream stream;
  ASSERT_NE(stream.Open(bytes, 64), nullptr);
  const size_t blockSize = GlobalSize(stream.GetBlock());
  ASSERT_GE(blockSize, 64u);
  const std::vector<uint8_t> read = stream.GetBytes();
  ASSERT_EQ(read.size(), blockSize);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), read.begin()));
  // The rest of the block is zero-initialised.
  EXPECT_TRUE(std::all_of(read.begin() + 10, read.end(), [](uint8_t b) { return b == 0; }));
  EXPECT_EQ(stream.GetSize(), blockSize);
}

TEST(MemoryStream, CopiesNoMoreThanTheArrayHolds) {
  const std::vector<uint8_t> bytes(100, 0xAB);
  GfxMemoryStream stream;
  ASSERT_NE(stream.Open(bytes, 10), nullptr);
  const std::vector<uint8_t> read = stream.GetBytes();
  ASSERT_GE(read.size(), 10u);
  EXPECT_TRUE(std::all_of(read.begin(), read.begin() + 10, [](uint8_t b) { return b == 0xAB; }));
  ULARGE_INTEGER size = {};
  STATSTG stat = {};
  ASSERT_EQ(stream.GetStream()->Stat(&stat, STATFLAG_NONAME), S_OK);
  size = stat.cbSize;
  EXPECT_EQ(size.QuadPart, 10u);
}

TEST(MemoryStream, WritesGrowTheBlockAndReopeningStartsAfresh) {
  GfxMemoryStream stream;
  ASSERT_NE(stream.Open({}), nullptr);
  const char text[] = "written through the stream";
  ULONG written = 0;
  ASSERT_EQ(stream.GetStream()->Write(text, sizeof(text), &written), S_OK);
  EXPECT_EQ(written, sizeof(text));
  const std::vector<uint8_t> read = stream.GetBytes();
  ASSERT_GE(read.size(), sizeof(text));
  EXPECT_STREQ(reinterpret_cast<const char*>(read.data()), text);
  EXPECT_EQ(stream.GetStreamBlock(), stream.GetBlock());

  const std::vector<uint8_t> other = {42};
  ASSERT_NE(stream.Open(other), nullptr);
  EXPECT_EQ(stream.GetBytes(), other);
  stream.Close();
  EXPECT_EQ(stream.GetStream(), nullptr);
  EXPECT_TRUE(stream.GetBytes().empty());
  stream.Close();  // closing twice is harmless
}

TEST(MemoryStream, MovingHandsOverTheStream) {
  GfxMemoryStream first;
  const std::vector<uint8_t> bytes = {7, 8, 9};
  IStream* const opened = first.Open(bytes);
  GfxMemoryStream second(std::move(first));
  EXPECT_EQ(first.GetStream(), nullptr);
  EXPECT_EQ(second.GetStream(), opened);
  EXPECT_EQ(second.GetBytes(), bytes);
}

}  // namespace
