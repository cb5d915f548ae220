// Reading the Huffman-coded blocks of a JPEG scan. Every read is bounded by the data: a code
// that is no code, a block that runs past 64 coefficients, or bits wanted beyond the scan's
// data mark the reader failed, and its caller gives the picture up.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "graphics/jpeg_header.h"

namespace graphics {

class JpegHuffmanTable {
 public:
  // False when the counts describe more codes than their lengths can hold.
  bool Build(const JpegHuffmanCodes& codes);

 private:
  friend class JpegBitReader;
  static constexpr int kFastBits = 9;
  // For each kFastBits-bit prefix: the code's length << 8 | its symbol; 0 for a longer code.
  std::array<uint16_t, 1 << kFastBits> fast_{};
  std::array<int32_t, 17> maxCode_{};  // the largest code of each length; -1 when none
  std::array<int32_t, 17> offset_{};   // symbol index of a code of each length, minus the code
  std::array<uint8_t, 256> symbols_{};
};

class JpegBitReader {
 public:
  JpegBitReader(std::span<const uint8_t> bytes, size_t start);

  // Decodes one block: its DC difference added to `predictor`, each coefficient multiplied by
  // its step in `quant` and written where `target` (by file order) puts it: a row-major index,
  // or 64 for one nobody needs. `coefficients` has 65 places. False when the data is damaged.
  bool DecodeBlock(const JpegHuffmanTable& dc, const JpegHuffmanTable& ac, int32_t& predictor,
                   const std::array<uint16_t, 64>& quant, const std::array<uint8_t, 64>& target,
                   int32_t* coefficients);
  // Expects restart marker `index` (0..7) next, and starts reading after it.
  bool Restart(int index);
  bool failed() const { return failed_; }

 private:
  void Fill();
  uint32_t Peek(int n) {
    if (bits_ < n) Fill();
    return static_cast<uint32_t>(buffer_ >> (bits_ - n)) & ((1u << n) - 1);
  }
  void Skip(int n) {
    bits_ -= n;
    // Bits made up past a marker or the end were used: the data is short.
    if (bits_ < padding_) failed_ = true;
  }
  int Symbol(const JpegHuffmanTable& table);
  int32_t Value(int size);

  const uint8_t* data_;
  size_t size_;
  size_t at_;
  uint64_t buffer_ = 0;
  int bits_ = 0;     // bits held in the low end of buffer_
  int padding_ = 0;  // of those, zero bits made up at the end
  bool ended_ = false;
  bool failed_ = false;
};

}  // namespace graphics
