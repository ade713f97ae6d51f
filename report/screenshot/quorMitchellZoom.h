// Zooming a screenshot for the thumbnail of the screenshot form: the picture
// fitted into a box, keeping its aspect ratio, resampled separably with the
// Mitchell-Netravali filter (B = C = 1/3).
#pragma once

#include <cstdint>

#include "report/screenshot/quorNVPixels.h"

namespace quor {

struct TNVSize {
  uint32_t width = 0, height = 0;
  friend bool operator==(const TNVSize&, const TNVSize&) = default;
};

// The largest size of the picture's aspect ratio within maxWidth x
// maxHeight, at least 1 x 1: a side that would round down to 0 (a wide, low
// picture) keeps 1 pixel. All sizes must be at least 1.
[[nodiscard]] TNVSize ZoomSize(TNVSize picture, TNVSize box);

// The picture zoomed to ZoomSize, its unused fourth bytes 0; kEmptyPicture
// when the picture or the box is empty, kTooLarge for a picture or a zoomed
// size beyond NVPictureFits, kOutOfMemory.
[[nodiscard]] NVPixelsResult ZoomNVPixels(const NVPixelView& pixels, TNVSize box);

}  // namespace quor
