// The drop-shadow values the engine takes from a skin: blur passes and the
// shadow's offset in pixels. A malformed skin's larger values would make a
// label's shadow area and blur time grow without bound, so they are cut to
// these ranges where the skin is read and where a shadow is blurred.
#pragma once

#include <algorithm>
#include <cstdint>

namespace skin {

inline constexpr int32_t kMaxShadowBlur = 32;
inline constexpr int32_t kMaxShadowOffset = 32;

inline int32_t ClampShadowBlur(int32_t passes) { return std::clamp(passes, 0, kMaxShadowBlur); }
inline int32_t ClampShadowOffset(int32_t offset) { return std::clamp(offset, -kMaxShadowOffset, kMaxShadowOffset); }

}  // namespace skin
