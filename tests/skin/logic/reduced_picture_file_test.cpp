// The file that keeps the reduced background between runs: what is written reads back whole,
// and no damaged, foreign or oversized file is ever taken for a picture.
#include "skin/picture/reduced_picture_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace skin {
namespace {

std::wstring TempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

std::vector<uint8_t> ReadAll(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

ReducedPicture Sample() {
  ReducedPicture p{0x0123456789ABCDEFull, 2750000, {600, 400}, {300, 180}, {300, 200}, {}};
  for (uint32_t i = 0; i < 300u * 200u; ++i) p.pixels.push_back(0xFF000000u | (i * 2654435761u));
  return p;
}

TEST(ReducedPictureFile, HashIsFnv1a64) {
  EXPECT_EQ(PictureHash({}), 0xcbf29ce484222325ull);
  EXPECT_EQ(PictureHash({'a'}), 0xaf63dc4c8601ec8cull);
  EXPECT_EQ(PictureHash({'f', 'o', 'o', 'b', 'a', 'r'}), 0x85944171f73967e8ull);
}

TEST(ReducedPictureFile, ReadsBackWhatWasWrittenAndReplacesTheFileWhole) {
  const std::wstring path = TempPath(L"reduced_picture_round_trip.cache");
  const ReducedPicture p = Sample();
  ASSERT_TRUE(WriteReducedPicture(path, p));
  const auto back = ReadReducedPicture(path, p.hash, p.length);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->natural, p.natural);
  EXPECT_EQ(back->limit, p.limit);
  EXPECT_EQ(back->size, p.size);
  EXPECT_EQ(back->pixels, p.pixels);

  // A smaller picture over it leaves only itself: the file never grows.
  ReducedPicture small{7, 9, {4, 2}, {2, 1}, {2, 1}, {1u, 2u}};
  ASSERT_TRUE(WriteReducedPicture(path, small));
  EXPECT_EQ(ReadAll(path).size(), 56u + 8u);
  EXPECT_FALSE(ReadReducedPicture(path, p.hash, p.length));
  EXPECT_EQ(ReadReducedPicture(path, 7, 9).value_or(p).pixels, small.pixels);
  EXPECT_EQ(GetFileAttributesW((path + L".new").c_str()), INVALID_FILE_ATTRIBUTES);
  small.pixels.pop_back();  // fewer pixels than its size: never written
  EXPECT_FALSE(WriteReducedPicture(path, small));
  EXPECT_EQ(ReadReducedPicture(path, 7, 9).value_or(p).pixels.size(), 2u);
  DeleteFileW(path.c_str());

  const std::wstring missing = TempPath(L"no such folder\\picture.cache");
  EXPECT_FALSE(WriteReducedPicture(missing, p));
  EXPECT_EQ(GetFileAttributesW((missing + L".new").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Every kind of bad file is refused without a crash, a hang or an allocation of what a header
// claims.
TEST(ReducedPictureFile, DamagedForeignOrOversizedFilesAreRefused) {
  const std::wstring path = TempPath(L"reduced_picture_damaged.cache");
  const ReducedPicture p = Sample();
  ASSERT_TRUE(WriteReducedPicture(path, p));
  const std::vector<uint8_t> good = ReadAll(path);
  ASSERT_EQ(good.size(), 56u + 300u * 200u * 4u);
  auto field = [](std::vector<uint8_t>& b, size_t at, uint32_t v) {
    std::memcpy(b.data() + at, &v, 4);
  };
  const std::vector<std::pair<const wchar_t*, std::function<void(std::vector<uint8_t>&)>>> damage =
      {
          {L"empty", [](auto& b) { b.clear(); }},
          {L"half a header", [](auto& b) { b.resize(20); }},
          {L"a pixel short", [](auto& b) { b.pop_back(); }},
          {L"a byte too many", [](auto& b) { b.push_back(0); }},
          {L"garbage",
           [](auto& b) {
             for (size_t i = 0; i < b.size(); ++i) b[i] = uint8_t(i * 131 + 7);
           }},
          {L"other magic", [&](auto& b) { field(b, 0, 0x12345678); }},
          {L"the version before pixel checksums", [&](auto& b) { field(b, 4, 1); }},
          {L"zeroed pixels", [](auto& b) { std::fill(b.begin() + 56, b.end(), 0); }},
          {L"one pixel changed", [](auto& b) { b[56 + 4 * 12345] ^= 0x80; }},
          {L"zero width", [&](auto& b) { field(b, 8, 0); }},
          {L"negative height", [&](auto& b) { field(b, 12, 0xFFFFFFFF); }},
          {L"larger than the picture", [&](auto& b) { field(b, 8, 601); }},
          {L"a huge size",
           [&](auto& b) {
             field(b, 8, 60000);
             field(b, 12, 40000);
             field(b, 16, 60000);
             field(b, 20, 40000);
           }},
          {L"a size that wraps",
           [&](auto& b) {
             field(b, 8, 65536);
             field(b, 12, 65536);
             field(b, 16, 65536);
             field(b, 20, 65536);
           }},
          {L"no limit", [&](auto& b) { field(b, 24, 0); }},
          {L"another picture", [&](auto& b) { b[32] ^= 1; }},
          {L"another length", [&](auto& b) { b[40] ^= 1; }},
      };
  for (const auto& [what, change] : damage) {
    std::vector<uint8_t> bytes = good;
    change(bytes);
    WriteAll(path, bytes);
    EXPECT_FALSE(ReadReducedPicture(path, p.hash, p.length)) << what;
  }
  WriteAll(path, good);
  EXPECT_TRUE(ReadReducedPicture(path, p.hash, p.length));  // the changes above were the cause
  EXPECT_FALSE(ReadReducedPicture(path, p.hash, p.length + 1));
  DeleteFileW(path.c_str());
  EXPECT_FALSE(ReadReducedPicture(path, p.hash, p.length));
}

}  // namespace
}  // namespace skin
