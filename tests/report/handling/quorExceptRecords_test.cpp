#include <gtest/gtest.h>

#include <vector>

#include "report/handling/quorExceptionHistory.h"
#include "report/handling/quorHandlingRequest.h"

namespace {

TEST(HandlingRequest, FortySevenPackedBytesInOrder) {
  quor::THandlingRequest r;
  r.Event = 0x11111111;
  r.ThreadId = 0x22222222;
  r.Kind = 1;
  r.ExceptObject = 0x33333333;
  r.ExceptAddress = 0x44444444;
  r.CanContinue = 1;
  r.StackPointer = 0x55555555;
  r.FramePointer = 0x66666666;
  r.Context = 0x77777777;
  r.BugReportOut = 0x88888888;
  r.Source = 16;
  r.Sender = 0x99999999;
  r.ReservedModule = 0;
  r.PreparedStack = 0xaabbccdd;
  const auto bytes = quor::PackHandlingRequest(r);
  EXPECT_EQ(bytes.size(), 47u);
  EXPECT_EQ(bytes[8], 1);      // kind after two words
  EXPECT_EQ(bytes[17], 1);     // can continue after object and address
  EXPECT_EQ(bytes[34], 16);    // source after four more words
  EXPECT_EQ(bytes[43], 0xdd);  // prepared stack, least significant first
  const quor::THandlingRequest back = quor::UnpackHandlingRequest(bytes);
  EXPECT_EQ(back.Event, r.Event);
  EXPECT_EQ(back.Sender, r.Sender);
  EXPECT_EQ(back.PreparedStack, r.PreparedStack);
  EXPECT_EQ(back.Source, r.Source);
}

TEST(ExceptionHistory, ShiftsAndDecidesAutomaticActions) {
  quor::TExceptionHistory h{};
  const uint64_t now = 13300000000ull;
  for (int i = 0; i < 9; ++i) quor::RecordException(h, now - 4 + i % 5);
  EXPECT_FALSE(quor::AutoActionDue(5, h, now));  // only nine set
  quor::RecordException(h, now);
  EXPECT_EQ(h[0], now);
  const struct {
    int32_t setting;
    uint64_t at;
    bool due;
  } cases[] = {
      {0, now, false}, {1, now, true}, {5, now, true}, {5, now + 2, false}, {3, now, false}, {-1, now, false},
  };
  for (const auto& c : cases) EXPECT_EQ(quor::AutoActionDue(c.setting, h, c.at), c.due) << c.setting;
}

}  // namespace
