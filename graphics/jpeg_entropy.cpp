#include "graphics/jpeg_entropy.h"

namespace graphics {

bool JpegHuffmanTable::Build(const JpegHuffmanCodes& codes) {
  fast_.fill(0);
  maxCode_.fill(-1);
  offset_.fill(0);
  symbols_.fill(0);
  int32_t code = 0;
  size_t index = 0;
  for (int length = 1; length <= 16; ++length) {
    const int count = codes.counts[static_cast<size_t>(length - 1)];
    offset_[static_cast<size_t>(length)] = static_cast<int32_t>(index) - code;
    for (int i = 0; i < count; ++i, ++code, ++index) {
      // A code must fit in its length (checked before it indexes the fast table).
      if (code >= (1 << length) - 1 || index >= codes.symbols.size()) return false;
      const uint8_t symbol = codes.symbols[index];
      symbols_[index] = symbol;
      if (length <= kFastBits) {
        const int shift = kFastBits - length;
        for (int fill = 0; fill < (1 << shift); ++fill) {
          fast_[static_cast<size_t>((code << shift) | fill)] =
              static_cast<uint16_t>(length << 8 | symbol);
        }
      }
    }
    if (count > 0) maxCode_[static_cast<size_t>(length)] = code - 1;
    code <<= 1;
  }
  return true;
}

JpegBitReader::JpegBitReader(std::span<const uint8_t> bytes, size_t start)
    : data_(bytes.data()), size_(bytes.size()), at_(start) {}

void JpegBitReader::Fill() {
  while (bits_ <= 56) {
    uint8_t byte = 0;
    if (!ended_ && at_ < size_) {
      byte = data_[at_];
      if (byte == 0xFF) {
        // A stuffed zero follows a data byte 0xFF; anything else is a marker, which ends the
        // data until a restart moves past it.
        if (at_ + 1 < size_ && data_[at_ + 1] == 0) {
          at_ += 2;
        } else {
          ended_ = true;
        }
      } else {
        ++at_;
      }
    } else {
      ended_ = true;
    }
    if (ended_) {
      byte = 0;
      padding_ += 8;
    }
    buffer_ = buffer_ << 8 | byte;
    bits_ += 8;
  }
}

int JpegBitReader::Symbol(const JpegHuffmanTable& table) {
  const uint32_t prefix = Peek(JpegHuffmanTable::kFastBits);
  if (const uint16_t entry = table.fast_[prefix]; entry != 0) {
    Skip(entry >> 8);
    return entry & 0xFF;
  }
  const uint32_t code16 = Peek(16);
  for (int length = JpegHuffmanTable::kFastBits + 1; length <= 16; ++length) {
    const auto code = static_cast<int32_t>(code16 >> (16 - length));
    if (code <= table.maxCode_[static_cast<size_t>(length)]) {
      Skip(length);
      return table.symbols_[static_cast<size_t>(table.offset_[static_cast<size_t>(length)] + code)];
    }
  }
  failed_ = true;
  return 0;
}

// The next `size` bits as a signed value: a leading 0 bit means negative.
int32_t JpegBitReader::Value(int size) {
  if (size == 0) return 0;
  const auto raw = static_cast<int32_t>(Peek(size));
  Skip(size);
  return raw < (1 << (size - 1)) ? raw - (1 << size) + 1 : raw;
}

bool JpegBitReader::DecodeBlock(const JpegHuffmanTable& dc, const JpegHuffmanTable& ac,
                                int32_t& predictor, const std::array<uint16_t, 64>& quant,
                                const std::array<uint8_t, 64>& target, int32_t* coefficients) {
  const int dcSize = Symbol(dc);
  if (dcSize > 11) return false;
  predictor += Value(dcSize);
  // Eight-bit samples give DC values within +-2048; further means damage, not a picture.
  if (predictor < -4096 || predictor > 4096) return false;
  coefficients[target[0]] = predictor * quant[0];
  for (int k = 1; k < 64;) {
    const int rs = Symbol(ac);
    const int run = rs >> 4;
    const int size = rs & 15;
    if (size == 0) {
      if (run != 15) break;  // end of block
      k += 16;
      continue;
    }
    k += run;
    if (k > 63 || size > 11) return false;
    const uint8_t at = target[static_cast<size_t>(k)];
    coefficients[at] = Value(size) * quant[at & 63];
    ++k;
  }
  return !failed_;
}

bool JpegBitReader::Restart(int index) {
  // Whatever bits are left are the padding of the interval's last byte.
  buffer_ = 0;
  bits_ = padding_ = 0;
  while (at_ < size_ && data_[at_] == 0xFF && at_ + 1 < size_ && data_[at_ + 1] == 0xFF) ++at_;
  if (at_ + 1 >= size_ || data_[at_] != 0xFF || data_[at_ + 1] != 0xD0 + index) {
    failed_ = true;
    return false;
  }
  at_ += 2;
  ended_ = false;
  return true;
}

}  // namespace graphics
