// Exceptions for platform faults turned into exceptions of the runtime (an
// access violation, a division by zero, an overflow, any other platform
// exception) and the silent abort, which is never reported.
#pragma once

#include "toolkit/SysUtils.h"

namespace tk {

#define TK_SYS_EXCEPTION_CLASS(Name, Base)                            \
  class Name : public Base {                                          \
  public:                                                             \
    using Base::Base;                                                 \
    const char* ClassName() const noexcept override { return #Name; } \
  }

TK_SYS_EXCEPTION_CLASS(EExternal, Exception);
TK_SYS_EXCEPTION_CLASS(EAccessViolation, EExternal);
TK_SYS_EXCEPTION_CLASS(EZeroDivide, EExternal);
TK_SYS_EXCEPTION_CLASS(EIntOverflow, EExternal);
TK_SYS_EXCEPTION_CLASS(EExternalException, EExternal);
// Raised to end an operation quietly.
TK_SYS_EXCEPTION_CLASS(EAbort, Exception);

#undef TK_SYS_EXCEPTION_CLASS

}  // namespace tk
