#include "report/delivery/quorMailAddress.h"

#include <gtest/gtest.h>

namespace {

struct AddressCase {
  std::string_view entry;
  const char* bare;
  const char* display;
  const char* header;
};

const AddressCase kAddresses[] = {
    {"a@x.test", "a@x.test", "", "<a@x.test>"},
    {"  <a@x.test>  ", "a@x.test", "", "<a@x.test>"},
    {"Ann Lee <a@x.test>", "a@x.test", "Ann Lee", "Ann Lee <a@x.test>"},
    // The address comes from the last angle brackets.
    {"Ann <fake@y.test> <a@x.test>", "a@x.test", "Ann <fake@y.test>", "\"Ann <fake@y.test>\" <a@x.test>"},
    {"Lee, Ann <a@x.test>", "a@x.test", "Lee, Ann", "\"Lee, Ann\" <a@x.test>"},
    {"\"Lee, \\\"Ann\\\"\" <a@x.test>", "a@x.test", "Lee, \"Ann\"", "\"Lee, \\\"Ann\\\"\" <a@x.test>"},
    {"J. R. <a@x.test>", "a@x.test", "J. R.", "\"J. R.\" <a@x.test>"},
    {"Ren\xe9 <a@x.test>", "a@x.test", "Ren\xe9", "=?ISO-8859-1?Q?Ren=E9?= <a@x.test>"},
    {"Ann <a@x.test", "a@x.test", "Ann", "Ann <a@x.test>"},
    // Line breaks and NUL never reach a command or header.
    {"Ann\r\nBcc: c@z <a@x.test\r\n>", "a@x.test", "AnnBcc: c@z", "\"AnnBcc: c@z\" <a@x.test>"},
    {std::string_view("<a@x.test\0\r\n>", 13), "a@x.test", "", "<a@x.test>"},
};

TEST(MailAddress, FormsOfOneEntry) {
  for (const AddressCase& c : kAddresses) {
    SCOPED_TRACE(std::string(c.entry));
    EXPECT_EQ(quor::BareAddress(c.entry), c.bare);
    EXPECT_EQ(quor::DisplayName(c.entry), c.display);
    EXPECT_EQ(quor::HeaderAddress(c.entry), c.header);
    EXPECT_EQ(quor::ProtocolAddress(c.entry), std::string("<") + c.bare + ">");
  }
}

TEST(MailAddress, SplitsListsOutsideQuotesAndBrackets) {
  using List = std::vector<std::string>;
  EXPECT_EQ(quor::SplitRecipients("a@x; b@y ,,c@z ;"), (List{"a@x", "b@y", "c@z"}));
  EXPECT_EQ(quor::SplitRecipients("\"Lee, Ann\" <a@x>; Bo <b@y>"), (List{"\"Lee, Ann\" <a@x>", "Bo <b@y>"}));
  EXPECT_EQ(quor::SplitRecipients("<a,b@x>"), (List{"<a,b@x>"}));
  EXPECT_EQ(quor::SplitRecipients(" ; , "), List{});
}

TEST(MailAddress, ListsDomainsAndMapi) {
  EXPECT_EQ(quor::HeaderAddressList({"a@x", "b@y"}), "<a@x>, <b@y>");
  EXPECT_EQ(quor::HeaderAddressList({"Ann <a@x>", "b@y"}), "Ann <a@x>, <b@y>");
  EXPECT_EQ(quor::AddressDomain("Ann <ann@mail.example.test>"), "mail.example.test");
  EXPECT_EQ(quor::AddressDomain("no-domain"), "");
  EXPECT_EQ(quor::MapiRecipientAddress("Ann Lee <a@x.test>"), "SMTP:a@x.test");
}

}  // namespace
