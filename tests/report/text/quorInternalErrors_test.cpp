// The reporter's list of its own failures: records in order, cut to their
// slot, bounded with a count of the rest, emptied by taking them.
#include "report/text/quorInternalErrors.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

TEST(InternalErrors, RecordsInOrderAndTakingEmptiesTheList) {
  (void)quor::TakeInternalErrors();
  quor::RecordInternalError("BuildReport", "no memory");
  try {
    throw std::runtime_error("bad header");
  } catch (...) {
    quor::RecordCaughtInternalError("header item");
  }
  try {
    throw 7;
  } catch (...) {
    quor::RecordCaughtInternalError("callback");
  }
  EXPECT_EQ(quor::TakeInternalErrors(),
            "BuildReport: no memory\r\nheader item: bad header\r\ncallback: unknown exception");
  EXPECT_EQ(quor::TakeInternalErrors(), "");
}

TEST(InternalErrors, BoundedInCountAndLength) {
  (void)quor::TakeInternalErrors();
  const std::string longText(2 * quor::kInternalErrorLength, 'x');
  for (size_t i = 0; i < quor::kInternalErrorSlots + 3; ++i) quor::RecordInternalError("step", longText.c_str());
  const std::string text = quor::TakeInternalErrors();
  const std::string line = "step: " + longText.substr(0, quor::kInternalErrorLength - 1 - 6);
  std::string expected;
  for (size_t i = 0; i < quor::kInternalErrorSlots; ++i) expected += (i ? "\r\n" : "") + line;
  EXPECT_EQ(text, expected + "\r\n(3 more)");
}

}  // namespace
