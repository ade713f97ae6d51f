// Numbers an outsider must not guess: DNS query IDs (a reply that does not
// echo ours is ignored) and the HTTP upload's boundary.
#pragma once

#include <cstdint>

namespace quor {

[[nodiscard]] uint32_t UnguessableNumber();

}  // namespace quor
