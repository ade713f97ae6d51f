// Addresses as 32-bit numbers: the program is a 32-bit image, and reports,
// settings and shared blocks store addresses as uint32_t. Platform-free.
#pragma once

#include <cstdint>
#include <type_traits>

namespace base {

inline uint32_t AddressOf(const volatile void* pointer) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer));
}

// Functions have addresses too (code patches, calibration, trace entries).
template <class F>
requires std::is_function_v<F> uint32_t AddressOf(F* function) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(function));
}

template <class T = void>
T* PointerAt(uint32_t address) {
  return reinterpret_cast<T*>(static_cast<uintptr_t>(address));
}

}  // namespace base
