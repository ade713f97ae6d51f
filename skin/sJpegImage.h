// JPEG textures of skins, decoded into a 24-bit bitmap.
#pragma once

#include <cstdint>
#include <span>

#include "skin/sBitmap24.h"

namespace skin {

// Raises tk::EInvalidGraphic with libjpeg's message for data it cannot
// decode, and for pictures of more than tk::kMaxPicturePixels.
TsBitmap24 DecodeJpeg(std::span<const uint8_t> data);

}  // namespace skin
