// The fixed 47-byte request that the handling entry writes into the pipe to
// the handler thread (packed, little-endian, 32-bit pointers as numbers).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace quor {

struct THandlingRequest {
  uint32_t Event = 0;     // signalled when handled; 0: stop the handler thread
  uint32_t ThreadId = 0;  // the reporting thread
  uint8_t Kind = 0;       // 0 exception, 1 freeze or state report
  uint32_t ExceptObject = 0;
  uint32_t ExceptAddress = 0;
  uint8_t CanContinue = 0;
  uint32_t StackPointer = 0;
  uint32_t FramePointer = 0;
  uint32_t Context = 0;       // CPU context record, or 0
  uint32_t BugReportOut = 0;  // text that receives the report, or 0
  uint8_t Source = 0;         // ExceptionSource
  uint32_t Sender = 0;
  uint32_t ReservedModule = 0;  // always 0
  uint32_t PreparedStack = 0;   // prepared call-stack data, or 0
};

inline constexpr size_t kHandlingRequestSize = 47;
using THandlingRequestBytes = std::array<uint8_t, kHandlingRequestSize>;

[[nodiscard]] THandlingRequestBytes PackHandlingRequest(const THandlingRequest& r);
[[nodiscard]] THandlingRequest UnpackHandlingRequest(const THandlingRequestBytes& bytes);

}  // namespace quor
