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

// One source row averaged across: per result pixel and channel, the sum of value x length. A
// 24-bit row leaves the alpha sums alone: it is opaque throughout.
template <int kStep>
void SumRow(const uint8_t* row, const std::vector<Split>& columns, uint32_t to, uint32_t* sums) {
  for (const Split& s : columns) {
    const uint8_t* p = row;
    row += kStep;
    uint32_t* a = sums + static_cast<size_t>(s.first) * 4;
    const uint32_t rest = to - s.share;
    for (int c = 0; c < (kStep == 4 ? 4 : 3); ++c) {
      a[c] += p[c] * s.share;
      a[c + 4] += p[c] * rest;
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
  const double perArea = 1.0 / static_cast<double>(area);
  const uint32_t opaque = format == RowFormat::kBgr24 ? 0xFF000000u : 0u;
  int32_t done = 0;  // result rows written
  for (int32_t y = 0; y < height; ++y) {
    const Split& line = lines[static_cast<size_t>(y)];
    const uint8_t* row = rows + static_cast<ptrdiff_t>(y) * stride;
    std::fill(rowSums.begin(), rowSums.end(), 0u);
    if (format == RowFormat::kBgr24) {
      SumRow<3>(row, columns, static_cast<uint32_t>(toWidth), rowSums.data());
    } else {
      SumRow<4>(row, columns, static_cast<uint32_t>(toWidth), rowSums.data());
    }
    for (size_t i = 0; i < rowLength; ++i) current[i] += uint64_t{rowSums[i]} * line.share;
    if (const uint32_t rest = static_cast<uint32_t>(toHeight) - line.share; rest != 0) {
      for (size_t i = 0; i < rowLength; ++i) next[i] += uint64_t{rowSums[i]} * rest;
    }
    // The row is complete once the next source row starts in a later result row.
    const bool last = y + 1 == height || lines[static_cast<size_t>(y) + 1].first > done;
    if (!last) continue;
    uint32_t* o = out.data() + static_cast<size_t>(done) * toWidth;
    for (int32_t x = 0; x < toWidth; ++x) {
      const uint64_t* c = current + static_cast<size_t>(x) * 4;
      uint32_t pixel = opaque;
      for (int k = 0; k < 4; ++k) {
        // A multiplication where a 64-bit division per channel took most of the time.
        pixel |= static_cast<uint32_t>(static_cast<double>(c[k]) * perArea + 0.5) << (8 * k);
      }
      o[x] = pixel;
    }
    std::swap(current, next);
    std::fill(next, next + rowLength, uint64_t{0});
    if (++done == toHeight) break;
  }
  return out;
}

}  // namespace graphics
