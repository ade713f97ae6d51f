#include "report/screenshot/quorMitchellZoom.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <span>
#include <vector>

namespace quor {

namespace {

constexpr double kFilterRadius = 2;  // the Mitchell filter is 0 from distance 2 on
constexpr int kFixedShift = 16;      // weights and sums in 16.16 fixed point
constexpr int64_t kFixedOne = int64_t(1) << kFixedShift;
constexpr int64_t kFixedHalf = kFixedOne / 2;
constexpr uint64_t kRatioScale = 65536;  // the fixed point of the aspect comparison
constexpr uint32_t kColorBytes = 3;      // blue, green, red; the fourth byte stays 0

// Mitchell-Netravali with B = C = 1/3.
double Mitchell(double x) {
  x = std::fabs(x);
  if (x < 1) return (7.0 / 6) * x * x * x - 2 * x * x + 8.0 / 9;
  if (x < 2) return (-7.0 / 18) * x * x * x + 2 * x * x - (10.0 / 3) * x + 16.0 / 9;
  return 0;
}

// A source index outside 0 .. size - 1 mirrored at the edge it passed, then
// clamped: a picture only one or two pixels wide mirrors beyond its other edge.
uint32_t MirroredIndex(int64_t j, uint32_t size) {
  if (j < 0) j = -j;
  if (j >= int64_t(size)) j = 2 * int64_t(size) - 1 - j;
  return uint32_t(std::clamp<int64_t>(j, 0, int64_t(size) - 1));
}

struct TTap {
  uint32_t source;
  int32_t weight;  // 16.16
};

// The source pixels and weights of every target pixel along one axis.
class TTaps {
public:
  TTaps(uint32_t sourceSize, uint32_t targetSize) : first_(targetSize + 1) {
    const double scale = double(targetSize) / sourceSize;
    // Shrinking stretches the filter over 1 / scale source pixels and scales it down to keep its area.
    const double stretch = scale < 1 ? scale : 1;
    const double reach = kFilterRadius / stretch;
    std::vector<double> weights;
    for (uint32_t i = 0; i < targetSize; ++i) {
      const double center = i / scale;
      weights.clear();
      const int64_t left = int64_t(std::ceil(center - reach)), right = int64_t(std::floor(center + reach));
      for (int64_t j = left; j <= right; ++j) weights.push_back(Mitchell((center - double(j)) * stretch) * stretch);
      AddNormalized(left, weights, sourceSize);
      first_[i + 1] = taps_.size();
    }
  }

  std::span<const TTap> Of(uint32_t target) const {
    return {taps_.data() + first_[target], taps_.data() + first_[target + 1]};
  }

private:
  // The sampled filter's weights sum to 1 only within about 1%: they are
  // scaled to sum to exactly 1 in fixed point, so that an area of one colour
  // keeps that colour.
  void AddNormalized(int64_t left, const std::vector<double>& weights, uint32_t sourceSize) {
    double total = 0;
    for (const double w : weights) total += w;
    const size_t begin = taps_.size();
    int64_t fixedTotal = 0;
    size_t largest = begin;
    for (size_t k = 0; k < weights.size(); ++k) {
      const int32_t w = int32_t(std::lround(weights[k] / total * double(kFixedOne)));
      taps_.push_back({MirroredIndex(left + int64_t(k), sourceSize), w});
      fixedTotal += w;
      if (w > taps_[largest].weight) largest = taps_.size() - 1;
    }
    taps_[largest].weight += int32_t(kFixedOne - fixedTotal);  // the rounding remainder
  }

  std::vector<TTap> taps_;
  std::vector<size_t> first_;  // taps of target i: first_[i] .. first_[i + 1]
};

uint8_t FixedToByte(int64_t sum) { return uint8_t(std::clamp<int64_t>((sum + kFixedHalf) >> kFixedShift, 0, 255)); }

}  // namespace

TNVSize ZoomSize(TNVSize picture, TNVSize box) {
  const uint64_t w = picture.width, h = picture.height, maxW = box.width, maxH = box.height;
  const uint64_t fitWidth = maxH * w / h, fitHeight = maxW * h / w;
  TNVSize size = box;
  if (fitHeight > maxH || fitWidth > maxW) {
    if (h * kRatioScale / maxH < w * kRatioScale / maxW)
      size.height = uint32_t(fitHeight);  // the width fills the box
    else
      size.width = uint32_t(fitWidth);
  }
  return {std::max<uint32_t>(size.width, 1), std::max<uint32_t>(size.height, 1)};
}

NVPixelsResult ZoomNVPixels(const NVPixelView& pixels, TNVSize box) {
  if (box.width == 0 || box.height == 0) return {{}, NVImageStatus::kEmptyPicture};
  if (const NVImageStatus fits = NVPictureFits(pixels.width, pixels.height); fits != NVImageStatus::kOk)
    return {{}, fits};
  const TNVSize size = ZoomSize({pixels.width, pixels.height}, box);
  if (const NVImageStatus fits = NVPictureFits(size.width, size.height); fits != NVImageStatus::kOk) return {{}, fits};
  NVPixelsResult result;
  try {
    const TTaps across(pixels.width, size.width), down(pixels.height, size.height);
    result.pixels = NVPixels(size.width, size.height);
    // One target column at a time: every source row filtered horizontally
    // into the column, then the column filtered vertically.
    std::vector<uint8_t> column(size_t(pixels.height) * kColorBytes);
    for (uint32_t x = 0; x < size.width; ++x) {
      const std::span<const TTap> xTaps = across.Of(x);
      for (uint32_t y = 0; y < pixels.height; ++y) {
        const uint8_t* row = pixels.TopRow(y);
        for (uint32_t c = 0; c < kColorBytes; ++c) {
          int64_t sum = 0;
          for (const TTap& t : xTaps) sum += int64_t(row[t.source * kNVBytesPerPixel + c]) * t.weight;
          column[y * kColorBytes + c] = FixedToByte(sum);
        }
      }
      for (uint32_t y = 0; y < size.height; ++y) {
        uint8_t* target = result.pixels.TopRow(y) + size_t(x) * kNVBytesPerPixel;
        for (uint32_t c = 0; c < kColorBytes; ++c) {
          int64_t sum = 0;
          for (const TTap& t : down.Of(y)) sum += int64_t(column[t.source * kColorBytes + c]) * t.weight;
          target[c] = FixedToByte(sum);
        }
      }
    }
  } catch (const std::bad_alloc&) {
    return {{}, NVImageStatus::kOutOfMemory};
  }
  return result;
}

}  // namespace quor
