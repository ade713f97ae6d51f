#include "report/assistant/quorEmailAddress.h"

#include <gtest/gtest.h>

namespace {

TEST(EmailAddress, ValidAndInvalidAddresses) {
  const std::pair<const char*, bool> cases[] = {
      {"jane.doe@mail-server.example.com", true},  // dotted local part, hyphenated dotted domain
      {"a+tag_1@x.io", true},
      {"a@b.c", true},
      {"", false},
      {" a@b.c", false},
      {"a@b.c ", false},
      {"a b@c.d", false},       // a blank inside
      {"a@bcd", false},         // no dot after the at sign
      {"a@b.c.", false},        // a dot at the end
      {".a@b.c", false},
      {"a@.b.c", false},        // a dot right after the at sign
      {"@b.c", false},          // nothing before the at sign
      {"a@b@c.d", false},       // two at signs
      {"a@b.c\xE9", false},     // a letter outside ASCII
      {"a,b@c.d", false},
  };
  for (const auto& [text, valid] : cases) EXPECT_EQ(quor::IsValidEmailAddress(text), valid) << text;
}

}  // namespace
