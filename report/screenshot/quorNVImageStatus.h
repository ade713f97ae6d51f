// What became of a screenshot operation on pixels or image files: done, or
// why not. Every failure leaves the source untouched and gives no output.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quor {

enum class NVImageStatus : uint8_t {
  kOk,
  kEmptyPicture,     // a width or height of 0
  kTooLarge,         // beyond NVPictureFits
  kOutOfMemory,      // the heap refused the output or a work buffer
  kDeflateFailed,    // the image data could not be compressed
  kNotBmp,           // no "BM" signature or no complete headers
  kBmpTruncated,     // the file ends before the pixels its header announces
  kBmpInconsistent,  // header fields that contradict each other or the file
  kBmpUnsupported,   // a kind of BMP other than uncompressed 24 or 32 bits
};

// One sentence for the user and the report, without a final full stop.
[[nodiscard]] std::string_view NVImageStatusText(NVImageStatus status);

// An encoded file (PNG, BMP), or the reason there is none (then `bytes` is
// empty).
struct NVBytesResult {
  std::string bytes;
  NVImageStatus status = NVImageStatus::kOk;
};

}  // namespace quor
