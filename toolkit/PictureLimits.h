// The largest picture the decoders build when the file does not bound its
// size itself: a compressed BMP or a JPEG of a few hundred bytes may declare
// millions of pixels, and a malformed skin must not make the program
// allocate gigabytes for them. 4096 x 4096 pixels take 48 MiB at 24 bits.
#pragma once

#include <cstdint>

namespace tk {

inline constexpr uint64_t kMaxPicturePixels = 4096u * 4096u;

}  // namespace tk
