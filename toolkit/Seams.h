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
// An exception escaped the Execute of a thread object (`sender`, its class
// name); called in that thread, inside the catch block.
inline ExceptionHandler threadException = nullptr;
// An exception escaped a method run in the main thread through
// TThread::Synchronize (`sender` is the thread object); called in the main
// thread. When it returns false the exception goes back to the thread.
inline ExceptionHandler synchronizeException = nullptr;

}  // namespace tk::seams
