// The check sum of a PE image file as the platform defines it, and where its
// header keeps it. Used by the start-up integrity check and by the build
// step that writes the sum into the executable.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quor {

// Offset of the optional header's check sum field, or 0 when the bytes are
// not a PE image.
[[nodiscard]] size_t ImageCheckSumOffset(const uint8_t* file, size_t size);

// The 16-bit words of the file summed with folded carries, the 4-byte field
// at `checkSumOffset` skipped, an odd last byte added alone, folded to 16
// bits, plus the file size.
[[nodiscard]] uint32_t ImageCheckSum(const uint8_t* file, size_t size, size_t checkSumOffset);

}  // namespace quor
