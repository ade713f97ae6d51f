// A screenshot as a PNG file in one of the encoding modes the report's
// screenshot depth selects.
#pragma once

#include <cstdint>

#include "report/screenshot/quorNVImageStatus.h"
#include "report/screenshot/quorNVPixels.h"

namespace quor {

enum class NVPngMode : uint8_t {
  kColor = 0,  // the 256-colour PNG
  kGrey = 1,   // the 16-level greyscale PNG
  // The 256-colour PNG; when it is larger than the size named, or could not
  // be made, the greyscale PNG if that is smaller.
  kColorWithin50K = 2,
  kColorWithin100K = 3,
  kColorWithin200K = 4,
  kColorWithin300K = 5,
};

// The PNG file, or the reason there is none. The pixels are only read.
[[nodiscard]] NVBytesResult NVPixelsAsPng(const NVPixelView& pixels, NVPngMode mode);

}  // namespace quor
