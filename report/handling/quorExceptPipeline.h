// The single entry of every interception point and the handler thread that
// runs the handling pipeline for one event after the other.
#pragma once

#include <cstdint>
#include <string>
#include <typeinfo>

#include "report/handling/quorExceptionHistory.h"

namespace quor {

// ExceptionSource: which interception point reported the event.
enum TExceptionSource : uint8_t {
  kSourceExplicit = 0,
  kSourceFreeze = 1,
  kSourceRuntimeShow = 3,
  kSourceAppShow = 4,
  kSourceAppHandle = 5,
  kSourceSynchronize = 10,
  kSourceRunError = 11,
  kSourceUnhandled = 13,
  kSourcePlatform = 14,
  kSourceThread = 16,
  kSourceThreadObject = 17,
};

struct THandleArgs {
  uint8_t Kind = 0;              // 0 exception, 1 freeze or state report
  const void* Object = nullptr;  // the thrown object (alive during the call), or null
  const std::type_info* Type = nullptr;
  uint32_t Address = 0;              // 0: the raise address
  std::string* ReportOut = nullptr;  // receives the complete report
  const void* Sender = nullptr;
  uint8_t Source = kSourceExplicit;
  const void* Context = nullptr;  // a 204-byte CPU context, or null
  uint32_t FramePointer = 0, StackPointer = 0;
  bool CanContinue = true;
};

// Hands the event to the handler thread and waits until it is handled; the
// main thread keeps dispatching its messages meanwhile, and stops waiting at
// a quit message (the handler goes on with its own copies). In the handler
// thread and the report-building threads it returns at once.
void HandleException(const THandleArgs& args);

// For a fault that nothing handles: on the handler thread, in the middle of
// a request, `context` (a CONTEXT) is turned to the point where the handler
// gives that request up and goes on with the next; false elsewhere.
[[nodiscard]] bool RecoverHandlerThread(void* context);

// At start-up: a process started by a restart takes over the exception
// history of its predecessor (after that one has ended).
void TakeOverPredecessorHistory();
// The times of the last ten exceptions, including those of predecessors.
[[nodiscard]] TExceptionHistory ExceptionHistory();

[[nodiscard]] bool StartHandlerThread();
// Lets the handler finish the requests it has (closing its box), waiting
// for it a bounded time.
void StopHandlerThread();
[[nodiscard]] uint32_t HandlerThreadId();

class TIQuorException;

namespace seams {
// Tests: called on the handler thread with every exception object the
// pipeline creates, before its report is started.
inline void (*exceptionCreated)(TIQuorException& exception) = nullptr;
}  // namespace seams

}  // namespace quor
