#include "graphics/jpeg_header.h"

#include <algorithm>
#include <cstring>

namespace graphics {
namespace {

// A bounded view of one marker segment's payload: every read past its end fails.
class Segment {
 public:
  Segment(const uint8_t* data, size_t length) : data_(data), length_(length) {}
  bool Byte(uint8_t& out) {
    if (at_ >= length_) return false;
    out = data_[at_++];
    return true;
  }
  bool Word(uint16_t& out) {
    uint8_t hi = 0, lo = 0;
    if (!Byte(hi) || !Byte(lo)) return false;
    out = static_cast<uint16_t>(hi << 8 | lo);
    return true;
  }
  size_t left() const { return length_ - at_; }
  const uint8_t* here() const { return data_ + at_; }
  void Skip(size_t n) { at_ += std::min(n, left()); }

 private:
  const uint8_t* data_;
  size_t length_;
  size_t at_ = 0;
};

bool ReadFrame(Segment s, JpegHeader& h) {
  uint8_t precision = 0, count = 0;
  uint16_t height = 0, width = 0;
  if (!s.Byte(precision) || !s.Word(height) || !s.Word(width) || !s.Byte(count)) return false;
  // A zero height would come later in a DNL marker, which is left to the system.
  if (precision != 8 || height == 0 || width == 0 || (count != 1 && count != 3)) return false;
  h.width = width;
  h.height = height;
  for (uint8_t i = 0; i < count; ++i) {
    JpegComponent c;
    uint8_t sampling = 0;
    if (!s.Byte(c.id) || !s.Byte(sampling) || !s.Byte(c.quant) || c.quant > 3) return false;
    c.h = sampling >> 4;
    c.v = sampling & 15;
    if (c.h < 1 || c.h > 2 || c.v < 1 || c.v > 2) return false;
    if (count == 1) c.h = c.v = 1;  // a single component's scan is block by block anyway
    h.components.push_back(c);
  }
  for (const JpegComponent& c : h.components) {
    h.maxH = std::max(h.maxH, c.h);
    h.maxV = std::max(h.maxV, c.v);
  }
  return true;
}

bool ReadQuantTables(Segment s, JpegHeader& h) {
  while (s.left() > 0) {
    uint8_t pq = 0;
    if (!s.Byte(pq) || (pq & 15) > 3 || (pq >> 4) > 1) return false;
    auto& table = h.quant[pq & 15];
    for (uint8_t k : kJpegZigzag) {
      uint16_t q = 0;
      uint8_t b = 0;
      if (pq >> 4) {
        if (!s.Word(q)) return false;
      } else {
        if (!s.Byte(b)) return false;
        q = b;
      }
      table[k] = q;
    }
  }
  return true;
}

bool ReadHuffmanTables(Segment s, JpegHeader& h) {
  while (s.left() > 0) {
    uint8_t tc = 0;
    if (!s.Byte(tc) || (tc >> 4) > 1 || (tc & 15) > 3) return false;
    JpegHuffmanCodes& codes = (tc >> 4) ? h.ac[tc & 15] : h.dc[tc & 15];
    size_t total = 0;
    for (uint8_t& n : codes.counts) {
      if (!s.Byte(n)) return false;
      total += n;
    }
    if (total == 0 || total > 256 || total > s.left()) return false;
    codes.symbols.assign(s.here(), s.here() + total);
    s.Skip(total);
    codes.present = true;
  }
  return true;
}

// The Adobe marker says whether three components are YCbCr (1) or plain RGB (0).
bool AdobeSaysRgb(Segment s) {
  if (s.left() < 12 || std::memcmp(s.here(), "Adobe", 5) != 0) return false;
  return s.here()[11] == 0;
}

bool ReadScan(Segment s, JpegHeader& h) {
  uint8_t count = 0;
  if (h.components.empty() || !s.Byte(count) || count != h.components.size()) return false;
  for (JpegComponent& c : h.components) {
    uint8_t id = 0, tables = 0;
    // The scan must name the components in the frame's order, which fixes the MCU's layout.
    if (!s.Byte(id) || id != c.id || !s.Byte(tables)) return false;
    c.dcTable = tables >> 4;
    c.acTable = tables & 15;
    if (c.dcTable > 3 || c.acTable > 3) return false;
    if (!h.dc[c.dcTable].present || !h.ac[c.acTable].present) return false;
  }
  // Three components named R, G and B are plain RGB, not YCbCr.
  if (h.components.size() == 3 && h.components[0].id == 'R' && h.components[1].id == 'G' &&
      h.components[2].id == 'B') {
    return false;
  }
  uint8_t start = 0, end = 0, approximation = 0;
  if (!s.Byte(start) || !s.Byte(end) || !s.Byte(approximation)) return false;
  if (start != 0 || end != 63 || approximation != 0) return false;
  for (const JpegComponent& c : h.components) {
    // A table never given is all zeros, and no real encoder writes a zero step.
    if (h.quant[c.quant][0] == 0) return false;
    if (h.maxH % c.h != 0 || h.maxV % c.v != 0) return false;
  }
  return true;
}

}  // namespace

std::optional<JpegHeader> ReadJpegHeader(std::span<const uint8_t> bytes) {
  const size_t size = bytes.size();
  if (size < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) return std::nullopt;
  JpegHeader h;
  bool frame = false, rgb = false;
  size_t at = 2;
  while (at < size) {
    if (bytes[at] != 0xFF) return std::nullopt;
    while (at < size && bytes[at] == 0xFF) ++at;  // fill bytes
    if (at >= size) return std::nullopt;
    const uint8_t marker = bytes[at++];
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
    if (marker == 0xD8 || marker == 0xD9) return std::nullopt;
    if (at + 2 > size) return std::nullopt;
    const size_t length = static_cast<size_t>(bytes[at] << 8 | bytes[at + 1]);
    if (length < 2 || length > size - at) return std::nullopt;
    const Segment s(bytes.data() + at + 2, length - 2);
    at += length;
    switch (marker) {
      case 0xC0:
      case 0xC1:
        if (frame || !ReadFrame(s, h)) return std::nullopt;
        frame = true;
        break;
      case 0xC4:
        if (!ReadHuffmanTables(s, h)) return std::nullopt;
        break;
      case 0xDB:
        if (!ReadQuantTables(s, h)) return std::nullopt;
        break;
      case 0xDD: {
        Segment r = s;
        uint16_t interval = 0;
        if (!r.Word(interval)) return std::nullopt;
        h.restartInterval = interval;
        break;
      }
      case 0xEE:
        rgb = rgb || AdobeSaysRgb(s);
        break;
      case 0xDA:
        if (!frame || rgb || !ReadScan(s, h)) return std::nullopt;
        h.scanData = at;
        return h;
      default:
        // Progressive, lossless, arithmetic coding, hierarchical frames, DNL: left to the system.
        if ((marker >= 0xC2 && marker <= 0xCF) || marker == 0xDC) return std::nullopt;
        break;  // APPn, COM and the rest say nothing about the pixels
    }
  }
  return std::nullopt;
}

}  // namespace graphics
