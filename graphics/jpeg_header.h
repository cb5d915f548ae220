// The markers of a JPEG file up to its first scan, read for the one kind this program decodes
// itself: baseline (or extended sequential) Huffman coding, 8-bit samples, grey or three
// components in one interleaved scan, each component's sampling 1 or 2 and dividing the largest.
// Anything else is refused, and the system's decoder takes the picture as before.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace graphics {

// Where the k-th coefficient of a block in file order stands in row-major order.
inline constexpr std::array<uint8_t, 64> kJpegZigzag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// A Huffman table as the file gives it: the number of codes of each length 1..16, then their
// symbols in order.
struct JpegHuffmanCodes {
  std::array<uint8_t, 16> counts{};
  std::vector<uint8_t> symbols;
  bool present = false;
};

struct JpegComponent {
  uint8_t id = 0;
  uint8_t h = 1, v = 1;  // sampling factors
  uint8_t quant = 0;     // quantisation table
  uint8_t dcTable = 0, acTable = 0;
};

struct JpegHeader {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<JpegComponent> components;  // in the scan's order, which is the frame's
  uint8_t maxH = 1, maxV = 1;
  std::array<std::array<uint16_t, 64>, 4> quant{};  // natural (row-major) order
  std::array<JpegHuffmanCodes, 4> dc, ac;
  uint32_t restartInterval = 0;  // MCUs between restart markers; 0 when none
  size_t scanData = 0;           // offset of the first entropy-coded byte
};

// Reads the markers up to the first scan; none when the file is not a JPEG, is damaged or is of a
// kind named above as refused.
std::optional<JpegHeader> ReadJpegHeader(std::span<const uint8_t> bytes);

}  // namespace graphics
