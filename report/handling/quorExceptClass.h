// What the report says about a thrown C++ object: its class name, its class
// ancestry and its message. Objects of the runtime's exception classes give
// their own class name and message; other std::exception objects their type
// name and what(); any other object its type name as both.
#pragma once

#include <exception>
#include <string>
#include <typeinfo>
#include <vector>

namespace quor {

struct TExceptDescription {
  bool Valid = false;                 // an object of a known type was given
  std::string ClassName = "Unknown";  // without namespace
  std::string Message = "Unknown";    // raw; see CleanExceptionMessage
  std::vector<std::string> Ancestry;  // the class first, then its bases (first base each)
  bool InheritsFrom(const std::string& name) const;
};

// `object` is the thrown object, `type` its dynamic type as the throw saw it.
[[nodiscard]] TExceptDescription DescribeException(const void* object, const std::type_info* type);

// The thrown object an exception pointer holds, and its type (null for none).
[[nodiscard]] const void* ThrownObject(const std::exception_ptr& error);
[[nodiscard]] const std::type_info* ThrownType(const std::exception_ptr& error);

}  // namespace quor
