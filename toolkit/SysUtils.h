// The runtime's exception classes. Every error that subsystems 1 and 2 raise
// is one of these: a class name and a message text. They carry no platform
// types, so the exception reporter can read them without the toolkit.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace tk {

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }
  virtual const char* ClassName() const noexcept { return "Exception"; }

private:
  std::string message_;
};

#define TK_EXCEPTION_CLASS(Name, Base)                                \
  class Name : public Base {                                          \
  public:                                                             \
    using Base::Base;                                                 \
    const char* ClassName() const noexcept override { return #Name; } \
  }

TK_EXCEPTION_CLASS(ERangeError, Exception);
TK_EXCEPTION_CLASS(EConvertError, Exception);
TK_EXCEPTION_CLASS(EStreamError, Exception);
TK_EXCEPTION_CLASS(EReadError, EStreamError);
TK_EXCEPTION_CLASS(EWriteError, EStreamError);
TK_EXCEPTION_CLASS(EFOpenError, EStreamError);
TK_EXCEPTION_CLASS(EInvalidOperation, Exception);
TK_EXCEPTION_CLASS(EInvalidGraphic, Exception);
TK_EXCEPTION_CLASS(EOutOfResources, Exception);
TK_EXCEPTION_CLASS(EClassNotFound, Exception);
TK_EXCEPTION_CLASS(EOSError, Exception);

#undef TK_EXCEPTION_CLASS

// An operating-system failure during file input or output. ErrorCode is the
// system's error code (or 100 for a read beyond the end of a file).
class EInOutError : public Exception {
public:
  explicit EInOutError(int code);
  int ErrorCode() const noexcept { return code_; }
  const char* ClassName() const noexcept override { return "EInOutError"; }

private:
  int code_;
};

// The runtime's message for an input/output error code: a fixed text for the
// well-known codes, "I/O error <code>" for every other.
std::string InOutErrorMessage(int code);

// Raises ERangeError with the runtime's "Range check error".
[[noreturn]] void RaiseRangeError();

// The runtime's text-to-number conversions: optional leading blanks, an
// optional sign, decimal digits or "$" and hexadecimal digits, nothing after.
// StrToInt raises EConvertError "'<text>' is not a valid integer value";
// StrToIntDef gives the default instead.
int32_t StrToInt(const std::string& text);
int32_t StrToIntDef(const std::string& text, int32_t def);
// A decimal number with "." as its separator, whatever the locale; raises
// EConvertError "'<text>' is not a valid floating point value".
double StrToFloatDot(const std::string& text);

// Formats a number as upper-case hexadecimal with at least `digits` digits.
std::string IntToHex(uint32_t value, int digits);

}  // namespace tk
