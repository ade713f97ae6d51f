// A message-handler window's list: the message numbers handed out, a
// handler registered twice, removal, and which messages reach handlers.
#include "report/lists/quorMsgHandlers.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

void First(uintptr_t, uint32_t, uintptr_t, intptr_t*, intptr_t) {}
void Second(uintptr_t, uint32_t, uintptr_t, intptr_t*, intptr_t) {}
void Method(void*, uintptr_t, uint32_t, uintptr_t, intptr_t*, intptr_t) {}

TEST(MsgHandlers, FreeNumbersAndDuplicates) {
  TMsgHandlers list;
  EXPECT_EQ(AddMsgHandler(list, {0, &First}), 1024u);
  EXPECT_EQ(AddMsgHandler(list, {0, &First}), 1025u);
  EXPECT_EQ(AddMsgHandler(list, {0xC100, &First}), 0xC100u);
  EXPECT_EQ(AddMsgHandler(list, {0xC100, &First}), 0u);
  EXPECT_EQ(AddMsgHandler(list, {0xC100, &Second}), 0xC100u);
  int a = 0, b = 0;
  EXPECT_EQ(AddMsgHandler(list, {0xC100, nullptr, &Method, &a}), 0xC100u);
  EXPECT_EQ(AddMsgHandler(list, {0xC100, nullptr, &Method, &b}), 0xC100u);
  EXPECT_EQ(AddMsgHandler(list, {0xC100, nullptr, &Method, &a}), 0u);
  EXPECT_EQ(list.size(), 6u);
  // A number freed again is handed out again.
  RemoveMsgHandlers(list, {1024, &First});
  EXPECT_EQ(AddMsgHandler(list, {0, &Second}), 1024u);
}

TEST(MsgHandlers, RemovalByMessageOrAll) {
  TMsgHandlers list;
  for (const TMsgHandler& h : {TMsgHandler{1024, &First}, TMsgHandler{1025, &Second}, TMsgHandler{1026, &First},
                               TMsgHandler{1027, &Second}, TMsgHandler{1028, &First}})
    ASSERT_NE(AddMsgHandler(list, h), 0u);
  RemoveMsgHandlers(list, {1026, &First});
  // The last entry took the removed one's place.
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[2].Message, 1028u);
  RemoveMsgHandlers(list, {0, &First});
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].Message, 1027u);
  EXPECT_EQ(list[1].Message, 1025u);
  RemoveMsgHandlers(list, {1025, &First});  // not this handler's entry
  EXPECT_EQ(list.size(), 2u);
}

TEST(MsgHandlers, MessagesPassedOn) {
  const struct {
    uint32_t message;
    bool passed;
  } cases[] = {{0x11, true},  {0x1A, true},   {0x7E, true},   {0x218, true}, {0x400, true}, {0xC123, true},
               {0x01, false}, {0x0F, false}, {0x10, false}, {0x7D, false}, {0x217, false}};
  for (const auto& c : cases) EXPECT_EQ(IsHandledMessage(c.message), c.passed) << std::hex << c.message;
}

}  // namespace
}  // namespace quor
