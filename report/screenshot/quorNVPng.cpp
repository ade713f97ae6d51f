#include "report/screenshot/quorNVPng.h"

#include "report/screenshot/quorColorPng.h"
#include "report/screenshot/quorGreyPng.h"

namespace quor {

namespace {

// The size above which a colour PNG gives way to a smaller greyscale one; 0
// for the modes without a fallback.
size_t ColorSizeLimit(NVPngMode mode) {
  switch (mode) {
    case NVPngMode::kColorWithin50K:
      return 51200;
    case NVPngMode::kColorWithin100K:
      return 102400;
    case NVPngMode::kColorWithin200K:
      return 204800;
    case NVPngMode::kColorWithin300K:
      return 307200;
    case NVPngMode::kColor:
    case NVPngMode::kGrey:
      break;
  }
  return 0;
}

}  // namespace

NVBytesResult NVPixelsAsPng(const NVPixelView& pixels, NVPngMode mode) {
  if (mode == NVPngMode::kGrey) return GreyPng(pixels);
  NVBytesResult color = ColorPng(pixels);
  const size_t limit = ColorSizeLimit(mode);
  if (limit == 0 || (color.status == NVImageStatus::kOk && color.bytes.size() <= limit)) return color;
  NVBytesResult grey = GreyPng(pixels);
  if (grey.status != NVImageStatus::kOk) return color.status == NVImageStatus::kOk ? std::move(color) : std::move(grey);
  if (color.status != NVImageStatus::kOk) return grey;
  return grey.bytes.size() < color.bytes.size() ? std::move(grey) : std::move(color);
}

}  // namespace quor
