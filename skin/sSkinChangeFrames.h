// The frames of the skin-change animation: the old picture of a window is
// blended over the new one with falling weights, one frame every 8 ms.
#pragma once

#include <cstdint>
#include <vector>

namespace skin {

// Milliseconds between two frames.
inline constexpr uint32_t kSkinChangeFrameMs = 8;

// The weights of the old picture, frame by frame, for an animation of
// timeMs milliseconds: timeMs / 8 + 1 frames from 255 down in steps of
// 255 / frames, at least 1 so that long animations still reach the new
// picture, and never below 0. Up to 7 ms there are no frames: the new
// picture shows at once.
inline std::vector<uint8_t> SkinChangeAlphas(uint16_t timeMs) {
  std::vector<uint8_t> alphas;
  if (timeMs <= 7) return alphas;
  const int32_t frames = timeMs / kSkinChangeFrameMs;
  const int32_t step = frames < 255 ? 255 / frames : 1;
  for (int32_t i = 0; i <= frames; ++i) alphas.push_back(static_cast<uint8_t>(255 - i * step < 0 ? 0 : 255 - i * step));
  return alphas;
}

}  // namespace skin
