#include "report/screenshot/quorNVImageStatus.h"

namespace quor {

std::string_view NVImageStatusText(NVImageStatus status) {
  switch (status) {
    case NVImageStatus::kOk:
      return "done";
    case NVImageStatus::kEmptyPicture:
      return "the picture has no pixels (its width or height is 0)";
    case NVImageStatus::kTooLarge:
      return "the picture is larger than a screenshot may be";
    case NVImageStatus::kOutOfMemory:
      return "not enough memory for the picture";
    case NVImageStatus::kDeflateFailed:
      return "the image data could not be compressed";
    case NVImageStatus::kNotBmp:
      return "not a BMP file (no \"BM\" signature or incomplete headers)";
    case NVImageStatus::kBmpTruncated:
      return "the BMP file ends before the pixels its header announces";
    case NVImageStatus::kBmpInconsistent:
      return "the BMP file's header contradicts itself or the file's size";
    case NVImageStatus::kBmpUnsupported:
      return "only uncompressed BMP pictures of 24 or 32 bits per pixel can be loaded";
  }
  return "unknown picture error";
}

}  // namespace quor
