// The exception box's icons: bitmap resources "QUORI" + the icon's name in
// the module whose settings apply, each a 40-byte header and 32-bit pixels
// with opacity. An icon whose resource is missing or has another size is
// not drawn.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "report/box/quorBoxKind.h"

namespace quor {

class TBoxIcons {
public:
  explicit TBoxIcons(HMODULE module);
  [[nodiscard]] bool Has(int32_t index) const { return Pixels(index) != nullptr; }
  // The pixels (rows bottom-up) or null.
  [[nodiscard]] const uint8_t* Pixels(int32_t index) const;
  [[nodiscard]] static int32_t Size(int32_t index) { return index == kBoxBig ? 32 : 16; }

private:
  std::array<const uint8_t*, kBoxIconCount> pixels_{};
};

}  // namespace quor
