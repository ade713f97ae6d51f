#include "report/delivery/quorRandom.h"

#include <random>

namespace quor {

// The system's random source (rand_s on Windows, /dev/urandom elsewhere).
uint32_t UnguessableNumber() {
  std::random_device source;
  return uint32_t(source());
}

}  // namespace quor
