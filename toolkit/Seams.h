// Interception points that the toolkit offers to the exception reporter.
// The reporter must not depend on the toolkit, so the toolkit calls through
// these plain function pointers, which the reporter sets at start-up. While
// a pointer is null the toolkit does its own thing (a message box).
#pragma once

#include <exception>

namespace tk::seams {

// An exception escaped a message handler and reached the application's
// exception handler; `sender` is the component whose handler raised it, as
// an opaque pointer with its class name. Called inside the catch block.
// Returns true when the exception has been dealt with.
using ExceptionHandler = bool (*)(const void* sender, const char* senderClass, std::exception_ptr error);

inline ExceptionHandler applicationHandleException = nullptr;
// The application's show-exception path (TApplication::ShowException).
inline ExceptionHandler applicationShowException = nullptr;

}  // namespace tk::seams
