#include "graphics/reduce.h"

#include <algorithm>
#include <new>

namespace graphics {
namespace {

// Where source pixel j goes, measured in units where a source pixel is `to` long and a result
// pixel `from` long: all of it into result `first`, or `share` of it there and the rest into
// the next one. Only reduction is handled, so a source pixel never spans more than two.
struct Split {
  int32_t first;
  uint32_t share;
};

std::vector<Split> Splits(int32_t from, int32_t to) {
  std::vector<Split> splits(static_cast<size_t>(from));
  for (int32_t j = 0; j < from; ++j) {
    const int64_t start = static_cast<int64_t>(j) * to;
    const auto first = static_cast<int32_t>(start / from);
    const int64_t boundary = static_cast<int64_t>(first + 1) * from;
    const int64_t share = std::min<int64_t>(boundary - start, to);
    splits[static_cast<size_t>(j)] = {first, static_cast<uint32_t>(share)};
  }
  return splits;
}

// One source row averaged across: per result pixel and channel, the sum of value x length.
void SumRow(const uint8_t* row, RowFormat format, const std::vector<Split>& columns, int32_t to,
            std::vector<uint32_t>& sums) {
  std::fill(sums.begin(), sums.end(), 0u);
  const int step = format == RowFormat::kBgr24 ? 3 : 4;
  uint32_t* out = sums.data();
  for (const Split& s : columns) {
    const uint8_t* p = row;
    row += step;
    const uint32_t alpha = step == 3 ? 255 : p[3];
    uint32_t* a = out + static_cast<size_t>(s.first) * 4;
    a[0] += p[0] * s.share;
    a[1] += p[1] * s.share;
    a[2] += p[2] * s.share;
    a[3] += alpha * s.share;
    const uint32_t rest = static_cast<uint32_t>(to) - s.share;
    if (rest != 0) {
      a[4] += p[0] * rest;
      a[5] += p[1] * rest;
      a[6] += p[2] * rest;
      a[7] += alpha * rest;
    }
  }
}

}  // namespace

PixelSize ReducedSize(PixelSize picture, PixelSize limit) {
  if (picture.width <= 0 || picture.height <= 0 || limit.width <= 0 || limit.height <= 0) {
    return picture;
  }
  if (picture.width <= limit.width || picture.height <= limit.height) return picture;
  // The direction that needs the larger share decides; the other follows with the aspect and,
  // rounded, still covers its limit.
  const double scale = std::max(static_cast<double>(limit.width) / picture.width,
                                static_cast<double>(limit.height) / picture.height);
  const auto across = [scale](int32_t length) {
    return std::clamp(static_cast<int32_t>(length * scale + 0.5), 1, length);
  };
  return {across(picture.width), across(picture.height)};
}

std::vector<uint32_t> ReduceBox(const uint8_t* rows, ptrdiff_t stride, RowFormat format,
                                int32_t width, int32_t height, int32_t toWidth, int32_t toHeight) {
  if (!rows || width <= 0 || height <= 0 || toWidth <= 0 || toHeight <= 0 || toWidth > width ||
      toHeight > height) {
    return {};
  }
  std::vector<uint32_t> out;
  std::vector<uint32_t> rowSums;
  std::vector<uint64_t> sums;
  try {
    out.resize(static_cast<size_t>(toWidth) * static_cast<size_t>(toHeight));
    rowSums.resize(static_cast<size_t>(toWidth + 1) * 4);   // one spare for the last split
    sums.resize(static_cast<size_t>(toWidth + 1) * 4 * 2);  // this result row and the next
  } catch (const std::bad_alloc&) {
    return {};
  }
  const std::vector<Split> columns = Splits(width, toWidth);
  const std::vector<Split> lines = Splits(height, toHeight);
  const size_t rowLength = static_cast<size_t>(toWidth + 1) * 4;
  uint64_t* current = sums.data();
  uint64_t* next = sums.data() + rowLength;
  // A result pixel covers width x height of the length units above, toWidth x toHeight of them
  // per source pixel: its mean is the sum divided by the whole source size.
  const uint64_t area = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  int32_t done = 0;  // result rows written
  for (int32_t y = 0; y < height; ++y) {
    const Split& line = lines[static_cast<size_t>(y)];
    SumRow(rows + static_cast<ptrdiff_t>(y) * stride, format, columns, toWidth, rowSums);
    const uint32_t rest = static_cast<uint32_t>(toHeight) - line.share;
    for (size_t i = 0; i < rowLength; ++i) {
      current[i] += static_cast<uint64_t>(rowSums[i]) * line.share;
      if (rest != 0) next[i] += static_cast<uint64_t>(rowSums[i]) * rest;
    }
    // The row is complete once the next source row starts in a later result row.
    const bool last = y + 1 == height || lines[static_cast<size_t>(y) + 1].first > done;
    if (!last) continue;
    uint32_t* o = out.data() + static_cast<size_t>(done) * toWidth;
    for (int32_t x = 0; x < toWidth; ++x) {
      const uint64_t* c = current + static_cast<size_t>(x) * 4;
      uint32_t pixel = 0;
      for (int k = 0; k < 4; ++k) {
        pixel |= static_cast<uint32_t>((c[k] + area / 2) / area) << (8 * k);
      }
      o[x] = pixel;
    }
    std::swap(current, next);
    std::fill(next, next + rowLength, 0u);
    if (++done == toHeight) break;
  }
  return out;
}

}  // namespace graphics
