// Where Wine and Windows differ: the checks and tables the player's media unit relies on.
#include "catalogue/host_platform.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(HostPlatform, TheseTestsRunUnderWine) { EXPECT_TRUE(catalogue::RunningUnderWine()); }

TEST(HostPlatform, OnlyHttpAndHttpsAddressesAreWebAddresses) {
  const struct {
    const char* address;
    bool web;
  } cases[] = {
      {"http://127.0.0.1:8421/mp3.ashx?id=3", true},
      {"HTTP://host/", true},
      {"https://host/a.mp3", true},
      {"http://", false},
      {"", false},
      {"C:\\music\\a.wav", false},
      {"ftp://host/a.mp3", false},
      {"httpx://host/", false},
  };
  for (const auto& c : cases) EXPECT_EQ(catalogue::IsWebAddress(c.address), c.web) << c.address;
}

TEST(HostPlatform, ASongIsNamedAfterItsFirstBytes) {
  const struct {
    std::string head;
    const char* extension;
  } cases[] = {
      {std::string("RIFF\x24\x10\0\0WAVEfmt ", 16), ".wav"},
      {std::string("RIFF\x24\x10\0\0AVI LIST", 16), ".mp3"},
      {"ID3\x03\0\0\0\0\0\0", ".mp3"},
      {"OggS\0\x02", ".ogg"},
      {"fLaC\0\0\0\x22", ".flac"},
      {std::string("\0\0\0\x20"
                   "ftypM4A ",
                   12),
       ".m4a"},
      {"0&\xB2u\x8E\x66\xCF\x11", ".wma"},
      {"RIFF", ".mp3"},
      {"", ".mp3"},
  };
  for (const auto& c : cases) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(c.head.data());
    EXPECT_EQ(catalogue::SongFileExtension(bytes, c.head.size()), c.extension) << c.head;
  }
}

TEST(HostPlatform, WineVolumeKeepsTheEndsAndMakesTheMiddleAudible) {
  const struct {
    int volume, level;
  } cases[] = {{-5, 0}, {0, 0}, {1, 80}, {50, 90}, {100, 100}, {150, 100}};
  for (const auto& c : cases) EXPECT_EQ(catalogue::WineVolumeLevel(c.volume), c.level) << c.volume;
  for (int v = 1; v < 100; ++v) {
    EXPECT_LE(catalogue::WineVolumeLevel(v), catalogue::WineVolumeLevel(v + 1)) << v;
  }
  // What the control reports reads back as the volume it was given, step by step.
  for (int v = 0; v <= 100; v += 5) {
    EXPECT_EQ(catalogue::VolumeFromWineLevel(catalogue::WineVolumeLevel(v)), v) << v;
  }
  EXPECT_EQ(catalogue::VolumeFromWineLevel(-3), 0);
  EXPECT_EQ(catalogue::VolumeFromWineLevel(40), 1);
}

}  // namespace
