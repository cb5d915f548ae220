// The program's own JPEG decoder: at every scale it must give what the system's full decode
// reduced with the box filter gives, and leave every file it does not fully understand to the
// system.
#include "graphics/jpeg_decode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "graphics/gfx_image.h"
#include "graphics/jpeg_idct.h"

namespace {

using graphics::DecodeJpeg;
using graphics::JpegScaledSize;
using graphics::PixelSize;
using graphics::ReadJpegHeader;

std::vector<uint8_t> Sample(const char* name) {
  std::string path = std::string("Z:") + JPEG_SAMPLES_UNIX + "/" + name;
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_FALSE(bytes.empty()) << path;
  return bytes;
}

// The system's decode of the bytes reduced to `size`, as blue, green, red bytes.
std::vector<uint8_t> SystemReduced(const std::vector<uint8_t>& bytes, PixelSize size) {
  graphics::GfxBitmap full, reduced;
  std::vector<uint32_t> pixels;
  if (!full.LoadFromBytes(bytes) || !full.ReduceInto(reduced, size.width, size.height) ||
      !reduced.ReadPremultiplied(pixels)) {
    ADD_FAILURE() << "the system did not decode the sample";
    return {};
  }
  std::vector<uint8_t> bgr;
  for (uint32_t p : pixels) {
    for (int c = 0; c < 3; ++c) bgr.push_back(static_cast<uint8_t>(p >> (8 * c)));
  }
  return bgr;
}

double MeanDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() != b.size() || a.empty()) return 1e9;
  double sum = 0;
  for (size_t i = 0; i < a.size(); ++i) sum += std::abs(a[i] - b[i]);
  return sum / static_cast<double>(a.size());
}

// The mean difference between a decode at 1/2^shift and the system's full decode averaged over
// the very 2^shift x 2^shift squares its pixels stand for (those wholly inside the picture).
double DifferenceFromSystem(const std::vector<uint8_t>& bytes, const graphics::DecodedJpeg& ours,
                            int shift) {
  graphics::GfxBitmap full;
  std::vector<uint32_t> pixels;
  if (!full.LoadFromBytes(bytes) || !full.ReadPremultiplied(pixels)) return 1e9;
  const int width = static_cast<int>(full.GetWidth());
  const int side = 1 << shift;
  double sum = 0;
  int count = 0;
  for (int y = 0; (y + 1) * side <= static_cast<int>(full.GetHeight()); ++y) {
    for (int x = 0; (x + 1) * side <= width; ++x) {
      for (int c = 0; c < 3; ++c) {
        int total = 0;
        for (int dy = 0; dy < side; ++dy) {
          for (int dx = 0; dx < side; ++dx) {
            total += (pixels[(y * side + dy) * width + x * side + dx] >> (8 * c)) & 0xFF;
          }
        }
        sum += std::abs(ours.bgr[(y * ours.size.width + x) * 3 + c] -
                        static_cast<double>(total) / (side * side));
        ++count;
      }
    }
  }
  return count ? sum / count : 1e9;
}

TEST(JpegDecode, EachScaleGivesTheSystemsDecodeReduced) {
  struct Case {
    const char* name;
    size_t components;
    int maxH, maxV;
  } cases[] = {{"s420.jpg", 3, 2, 2},
               {"s422.jpg", 3, 2, 1},
               {"s440.jpg", 3, 1, 2},
               {"s444.jpg", 3, 1, 1},
               {"grey.jpg", 1, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<uint8_t> bytes = Sample(c.name);
    const auto header = ReadJpegHeader(bytes);
    ASSERT_TRUE(header);
    // The samples really are of the layout each stands for.
    ASSERT_EQ(header->components.size(), c.components);
    EXPECT_EQ(header->maxH, c.maxH);
    EXPECT_EQ(header->maxV, c.maxV);
    const PixelSize natural{header->width, header->height};
    EXPECT_EQ(natural, (PixelSize{203, 141}));
    for (int shift = 0; shift <= 3; ++shift) {
      const auto decoded = DecodeJpeg(bytes, *header, shift);
      ASSERT_TRUE(decoded) << "shift " << shift;
      const PixelSize expected = JpegScaledSize(natural, shift);
      ASSERT_EQ(decoded->size, expected) << "shift " << shift;
      EXPECT_LT(DifferenceFromSystem(bytes, *decoded, shift), 1.0) << "shift " << shift;
    }
  }
}

TEST(JpegDecode, ReducesForTheScreenFromTheSmallestScaleThatCovers) {
  const std::vector<uint8_t> bytes = Sample("s420.jpg");
  // 60 x 42 is needed: a quarter (51 x 36) is short, so the half is decoded and reduced.
  EXPECT_EQ(graphics::JpegShiftFor({203, 141}, {60, 42}), 1);
  EXPECT_EQ(graphics::JpegShiftFor({203, 141}, {51, 36}), 2);
  EXPECT_EQ(graphics::JpegShiftFor({203, 141}, {203, 141}), 0);
  const auto reduced = graphics::DecodeJpegReduced(bytes, {60, 40});
  ASSERT_TRUE(reduced);
  EXPECT_EQ(reduced->natural, (PixelSize{203, 141}));
  ASSERT_EQ(reduced->size, (PixelSize{60, 42}));
  std::vector<uint8_t> bgr;
  for (uint32_t p : reduced->pixels) {
    EXPECT_EQ(p >> 24, 0xFFu);
    for (int c = 0; c < 3; ++c) bgr.push_back(static_cast<uint8_t>(p >> (8 * c)));
  }
  // The two reductions start from grids up to a pixel apart at the far edge.
  EXPECT_LT(MeanDifference(bgr, SystemReduced(bytes, reduced->size)), 3.0);
  // Nothing to reduce: the system's decode keeps the picture whole, as before.
  EXPECT_FALSE(graphics::DecodeJpegReduced(bytes, {1024, 768}));
}

TEST(JpegDecode, OtherKindsAndDamageAreLeftToTheSystem) {
  EXPECT_FALSE(ReadJpegHeader(Sample("progressive.jpg")));
  EXPECT_FALSE(ReadJpegHeader(Sample("cmyk.jpg")));
  const std::vector<uint8_t> whole = Sample("s420.jpg");
  const auto header = ReadJpegHeader(whole);
  ASSERT_TRUE(header);
  // Cut inside the coded data: the blocks run short.
  for (size_t keep :
       {header->scanData + 10, (header->scanData + whole.size()) / 2, whole.size() - 40}) {
    std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(keep));
    EXPECT_FALSE(DecodeJpeg(cut, *header, 0)) << keep;
    EXPECT_FALSE(graphics::DecodeJpegReduced(cut, {60, 40})) << keep;
  }
  // Cut inside the markers: no header.
  for (size_t keep : {size_t{3}, size_t{40}, header->scanData - 3}) {
    EXPECT_FALSE(ReadJpegHeader({whole.data(), keep})) << keep;
  }
  // Damage anywhere must end in a picture or a refusal, never a crash or a hang.
  std::mt19937 random(11);
  for (int round = 0; round < 300; ++round) {
    std::vector<uint8_t> damaged = whole;
    for (int hits = 0; hits < 1 + round % 4; ++hits) {
      damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
    }
    if (const auto h = ReadJpegHeader(damaged)) DecodeJpeg(damaged, *h, round % 4);
  }
}

// A grey JPEG written by hand: flat 8x8 blocks at these levels side by side, each followed by a
// restart marker (numbered out of order when asked), which starts the DC prediction again.
// Every step is 8, so a block's DC value is its level less 128.
std::vector<uint8_t> FlatBlocksWithRestarts(const std::vector<int>& levels, bool misnumbered) {
  std::vector<uint8_t> out = {0xFF, 0xD8};
  const auto segment = [&out](uint8_t marker, std::vector<uint8_t> body) {
    const size_t length = body.size() + 2;
    out.insert(out.end(),
               {0xFF, marker, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)});
    out.insert(out.end(), body.begin(), body.end());
  };
  std::vector<uint8_t> quant(65, 8);
  quant[0] = 0;
  segment(0xDB, quant);
  const auto width = static_cast<uint8_t>(8 * levels.size());
  segment(0xC0, {8, 0, 8, 0, width, 1, 1, 0x11, 0});
  // DC sizes 0, 6 and 7 get the codes 00, 01 and 10; the AC table holds only the block's end, 0.
  std::vector<uint8_t> dc(17, 0);
  dc[2] = 3;
  dc.insert(dc.end(), {0, 6, 7});
  segment(0xC4, dc);
  std::vector<uint8_t> ac(17, 0);
  ac[0] = 0x10;
  ac[1] = 1;
  ac.push_back(0);
  segment(0xC4, ac);
  segment(0xDD, {0, 1});
  segment(0xDA, {1, 1, 0x00, 0, 63, 0});
  for (size_t i = 0; i < levels.size(); ++i) {
    const int value = levels[i] - 128;
    const int size = value == 0 ? 0 : std::abs(value) < 64 ? 6 : 7;
    uint32_t bits = size == 0 ? 0u : size == 6 ? 1u : 2u;
    bits = bits << size | static_cast<uint32_t>(value >= 0 ? value : value + (1 << size) - 1);
    bits = bits << 1;  // the end of the block
    const int count = 2 + size + 1;
    const int padded = (count + 7) / 8 * 8;  // the last byte filled up with ones
    bits = bits << (padded - count) | ((1u << (padded - count)) - 1);
    for (int at = padded - 8; at >= 0; at -= 8) {
      out.push_back(static_cast<uint8_t>(bits >> at));
      if (out.back() == 0xFF) out.push_back(0);
    }
    if (i + 1 < levels.size()) {
      const size_t number = misnumbered && i == 1 ? i + 1 : i;
      out.insert(out.end(), {0xFF, static_cast<uint8_t>(0xD0 + number % 8)});
    }
  }
  out.insert(out.end(), {0xFF, 0xD9});
  return out;
}

TEST(JpegDecode, RestartMarkersStartThePredictionAgain) {
  const std::vector<int> levels = {40, 200, 128, 90};
  const std::vector<uint8_t> bytes = FlatBlocksWithRestarts(levels, false);
  const auto header = ReadJpegHeader(bytes);
  ASSERT_TRUE(header);
  EXPECT_EQ(header->restartInterval, 1u);
  for (int shift = 0; shift <= 3; ++shift) {
    const auto decoded = DecodeJpeg(bytes, *header, shift);
    ASSERT_TRUE(decoded) << shift;
    const int block = 8 >> shift;
    ASSERT_EQ(decoded->size, (PixelSize{4 * block, block}));
    for (int y = 0; y < block; ++y) {
      for (int x = 0; x < 4 * block; ++x) {
        ASSERT_NEAR(decoded->bgr[(y * 4 * block + x) * 3], levels[x / block], 1)
            << shift << ": " << x << "," << y;
      }
    }
  }
  // The system reads the hand-made file alike, so it is what it claims to be.
  graphics::GfxBitmap system;
  ASSERT_TRUE(system.LoadFromBytes(bytes));
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(system.GetPixel(i * 8 + 4, 4) & 0xFF, levels[i], 1);
  const std::vector<uint8_t> misnumbered = FlatBlocksWithRestarts(levels, true);
  EXPECT_FALSE(DecodeJpeg(misnumbered, *ReadJpegHeader(misnumbered), 0));
}

// A block holding only the frequencies an n x n result keeps: each of its pixels is the mean of
// the full-size pixels it stands for.
TEST(JpegDecode, ASmallerInverseDctIsTheMeanOfTheFullOne) {
  std::mt19937 random(5);
  for (int n : {1, 2, 4}) {
    const int span = 8 / n;
    for (int round = 0; round < 10; ++round) {
      int32_t coefficients[64] = {};
      // Mild values keep every level inside 0..255, where the two agree but for rounding.
      for (int v = 0; v < n; ++v) {
        for (int u = 0; u < n; ++u) {
          coefficients[v * 8 + u] = static_cast<int32_t>(random() % 161) - 80;
        }
      }
      uint8_t full[64], small[64];
      graphics::InverseDctScaled(coefficients, 8, 8, full, 8);
      graphics::InverseDctScaled(coefficients, n, n, small, 8);
      for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
          double sum = 0;
          for (int dy = 0; dy < span; ++dy) {
            for (int dx = 0; dx < span; ++dx) sum += full[(y * span + dy) * 8 + x * span + dx];
          }
          ASSERT_NEAR(small[y * 8 + x], sum / (span * span), 1.0) << n << " " << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
