// Colour arithmetic of the exception box's buttons: the lighter or darker
// background, the fade between two looks, the soft countdown line and the
// blending of icon pixels by their opacity (platform-free). Colours are
// 0x00BBGGRR; the arithmetic is per channel, so BGRA pixels work the same.
#pragma once

#include <cstdint>

namespace quor {

// Moves every channel by `step` (half of it for a disabled button): lighter,
// saturating at 255, unless two or more channels would pass 255; then darker,
// saturating at 0.
[[nodiscard]] uint32_t StepColor(uint32_t color, uint32_t step, bool disabled);

// Frame `frame` (1..frames) of a fade: (frames-frame)/frames of `from` and
// frame/frames of `to`.
inline constexpr int32_t kFadeFrames = 8;
[[nodiscard]] uint32_t MixColor(uint32_t from, uint32_t to, int32_t frame, int32_t frames = kFadeFrames);

// The countdown line's colour `distance` (0..3) pixels off its middle.
[[nodiscard]] uint32_t SoftLineColor(uint32_t line, uint32_t background, int32_t distance);

// One icon pixel over the background: a = opacity + 1, each channel
// (background x (256-a) + icon x a) / 256. The result's top byte is 0.
[[nodiscard]] uint32_t BlendPixel(uint32_t background, uint32_t iconPixel);

// Blends a square icon of `size` x `size` pixels (rows bottom-up, 4 bytes
// each: blue, green, red, opacity) into a 32-bit picture of width x height
// (rows bottom-up) with its top left corner at (x, y); what falls outside
// the picture is left out.
void BlendIcon(uint32_t* picture, int32_t width, int32_t height, int32_t x, int32_t y, const uint8_t* icon,
               int32_t size);

}  // namespace quor
