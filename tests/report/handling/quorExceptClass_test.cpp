#include "report/handling/quorExceptClass.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "toolkit/SysExceptions.h"

namespace {

struct Plain {
  int value = 3;
};

template <class T>
quor::TExceptDescription DescribeThrown(const T& value) {
  try {
    throw value;
  } catch (...) {
    const std::exception_ptr error = std::current_exception();
    return quor::DescribeException(quor::ThrownObject(error), quor::ThrownType(error));
  }
}

TEST(ExceptClass, ClassNameMessageAndAncestry) {
  const auto range = DescribeThrown(tk::ERangeError("Range check error"));
  EXPECT_TRUE(range.Valid);
  EXPECT_EQ(range.ClassName, "ERangeError");
  EXPECT_EQ(range.Message, "Range check error");
  EXPECT_TRUE(range.InheritsFrom("Exception"));
  EXPECT_FALSE(range.InheritsFrom("EExternal"));

  const auto av = DescribeThrown(tk::EAccessViolation("Access violation"));
  EXPECT_EQ(av.ClassName, "EAccessViolation");
  EXPECT_TRUE(av.InheritsFrom("EExternal"));

  const auto std = DescribeThrown(std::out_of_range("index 7"));
  EXPECT_EQ(std.ClassName, "out_of_range");
  EXPECT_EQ(std.Message, "index 7");
  EXPECT_TRUE(std.InheritsFrom("logic_error"));

  const auto plain = DescribeThrown(Plain{});
  EXPECT_EQ(plain.ClassName, "Plain");
  EXPECT_EQ(plain.Message, "Plain");

  const auto none = quor::DescribeException(nullptr, nullptr);
  EXPECT_FALSE(none.Valid);
  EXPECT_EQ(none.ClassName, "Unknown");
  EXPECT_EQ(none.Message, "Unknown");
}

}  // namespace
