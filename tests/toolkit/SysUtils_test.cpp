#include "toolkit/SysUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(InOutErrorMessage, KnownCodesAndOthers) {
  const struct {
    int code;
    const char* text;
  } cases[] = {
      {2, "File not found"},
      {3, "Invalid filename"},
      {4, "Too many open files"},
      {5, "File access denied"},
      {100, "Read beyond end of file"},
      {101, "Disk full"},
      {106, "Invalid numeric input"},
      {32, "I/O error 32"},
      {0, "I/O error 0"},
      {-7, "I/O error -7"},
  };
  for (const auto& c : cases) EXPECT_EQ(tk::InOutErrorMessage(c.code), c.text) << c.code;
}

TEST(EInOutError, CarriesCodeAndMessage) {
  try {
    throw tk::EInOutError(32);
  } catch (const tk::Exception& e) {
    EXPECT_STREQ(e.ClassName(), "EInOutError");
    EXPECT_EQ(e.Message(), "I/O error 32");
    EXPECT_EQ(dynamic_cast<const tk::EInOutError&>(e).ErrorCode(), 32);
  }
}

TEST(IntToHex, PadsToMinimumDigits) {
  const struct {
    uint32_t v;
    int digits;
    const char* text;
  } cases[] = {
      {0, 4, "0000"},
      {500, 4, "01F4"},
      {0x1A2B, 4, "1A2B"},
      {0x12345, 4, "12345"},
      {0xFFFFFFFFu, 4, "FFFFFFFF"},
      {0xABCDEF, 8, "00ABCDEF"},
  };
  for (const auto& c : cases) EXPECT_EQ(tk::IntToHex(c.v, c.digits), c.text);
}

TEST(ERangeError, RaisedWithRuntimeMessage) {
  try {
    tk::RaiseRangeError();
    FAIL();
  } catch (const tk::ERangeError& e) {
    EXPECT_EQ(e.Message(), "Range check error");
    EXPECT_STREQ(e.ClassName(), "ERangeError");
  }
}

}  // namespace
