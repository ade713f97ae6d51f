#include "report/delivery/quorDnsMessage.h"

#include <gtest/gtest.h>

namespace {

constexpr uint16_t kId = 0x1234;

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += char(v);
  return s;
}

const std::string kQuestion = Bytes({7, 'e', 'x', 'a', 'm', 'p', 'l', 'e', 4, 't', 'e', 's', 't', 0, 0, 15, 0, 1});

// A reply header: our ID, response + recursion flags, one question, `answers`
// answers and `authorities` authority records.
std::string Header(int answers, int id = kId, int flags = 0x8180, int authorities = 0) {
  return Bytes({id >> 8, id & 0xFF, flags >> 8, flags & 0xFF, 0, 1, 0, answers, 0, authorities, 0, 0});
}

// An NS record: owner name bytes, type 2, class 1, TTL 60, the server's name bytes.
std::string Ns(const std::string& owner, const std::string& server) {
  const int length = int(server.size());
  return owner + Bytes({0, 2, 0, 1, 0, 0, 0, 60, length >> 8, length & 0xFF}) + server;
}

// An MX record: owner name bytes, type 15, class 1, TTL 60, preference and exchanger bytes.
std::string Mx(const std::string& owner, int preference, const std::string& exchanger, int lengthFix = 0) {
  const int length = int(2 + exchanger.size()) + lengthFix;
  return owner + Bytes({0, 15, 0, 1, 0, 0, 0, 60, length >> 8, length & 0xFF, preference >> 8, preference & 0xFF}) +
         exchanger;
}

const std::string kToQuestion = Bytes({0xC0, 12});  // a pointer to the question's name

TEST(DnsMessage, QueryForOneName) {
  EXPECT_EQ(quor::BuildDnsQuery(kId, "example.test", quor::kDnsTypeMx),
            Bytes({0x12, 0x34, 0x01, 0x00, 0, 1, 0, 0, 0, 0, 0, 0}) + kQuestion);
  EXPECT_EQ(quor::BuildDnsQuery(kId, "example.test.", quor::kDnsTypeMx).size(), 12 + kQuestion.size());
  for (const std::string& bad : {std::string(), std::string("."), std::string("a..b"), std::string(64, 'a') + ".test"})
    EXPECT_EQ(quor::BuildDnsQuery(kId, bad, quor::kDnsTypeMx), "") << bad;
  std::string longName;
  while (longName.size() < 250) longName += std::string(9, 'a') + ".";
  EXPECT_EQ(quor::BuildDnsQuery(kId, longName + "test", quor::kDnsTypeMx), "");
}

TEST(DnsMessage, ReadsCompressedExchangersOfTheTypeAsked) {
  const std::string mx1 = Bytes({2, 'm', 'x', 0xC0, 12});  // mx.example.test
  const std::string aRecord = kToQuestion + Bytes({0, 1, 0, 1, 0, 0, 0, 60, 0, 4, 10, 0, 0, 1});
  const std::string message = Header(3) + kQuestion + Mx(kToQuestion, 20, mx1) + aRecord +
                              Mx(kToQuestion, 5, Bytes({3, 'a', 'l', 't', 0xC0, 12 + 18 + 12 + 2 + 3}));
  const quor::DnsReply reply = quor::ParseDnsReply(message, kId, "EXAMPLE.test", quor::kDnsTypeMx);
  ASSERT_EQ(reply.status, quor::DnsReplyStatus::Answer);
  ASSERT_EQ(reply.records.size(), 2u);  // the A record is not what was asked
  EXPECT_EQ(reply.records[0].host, "mx.example.test");
  EXPECT_EQ(reply.records[0].preference, 20);
  EXPECT_EQ(reply.records[1].host, "alt.example.test");
  const quor::DnsReply a = quor::ParseDnsReply(
      Header(1) + kQuestion.substr(0, 14) + Bytes({0, 1, 0, 1}) + aRecord, kId, "example.test", quor::kDnsTypeA);
  ASSERT_EQ(a.records.size(), 1u);
  EXPECT_EQ(a.records[0].address, 0x0A000001u);
}

TEST(DnsMessage, NameServersOfTheAnswerAndReferralsOfTheAuthoritySection) {
  const std::string nsQuestion = kQuestion.substr(0, 14) + Bytes({0, 2, 0, 1});
  const std::string ns1 = Bytes({3, 'n', 's', '1', 0xC0, 12});  // ns1.example.test
  const quor::DnsReply answer =
      quor::ParseDnsReply(Header(1) + nsQuestion + Ns(kToQuestion, ns1), kId, "example.test", quor::kDnsTypeNs);
  ASSERT_EQ(answer.records.size(), 1u);
  EXPECT_EQ(answer.records[0].host, "ns1.example.test");
  EXPECT_TRUE(answer.referrals.empty());

  // No answer, two servers to ask instead; an MX question gets them too.
  const std::string tld = Bytes({4, 't', 'e', 's', 't', 0});
  const std::string referral = Header(0, kId, 0x8100, 2) + kQuestion + Ns(tld, Bytes({1, 'a', 0xC0, 12 + 18})) +
                               Ns(tld, Bytes({1, 'b', 0xC0, 12 + 18}));
  const quor::DnsReply referred = quor::ParseDnsReply(referral, kId, "example.test", quor::kDnsTypeMx);
  ASSERT_EQ(referred.status, quor::DnsReplyStatus::Answer);
  EXPECT_TRUE(referred.records.empty());
  EXPECT_EQ(referred.referrals, (std::vector<std::string>{"a.test", "b.test"}));

  // An authority record running out of the message spoils the reply.
  const quor::DnsReply cut =
      quor::ParseDnsReply(referral.substr(0, referral.size() - 1), kId, "example.test", quor::kDnsTypeMx);
  EXPECT_EQ(cut.status, quor::DnsReplyStatus::Malformed);
  EXPECT_TRUE(cut.referrals.empty());
}

TEST(DnsMessage, IgnoresRepliesToOtherQueries) {
  const std::string answer = Mx(kToQuestion, 10, Bytes({2, 'm', 'x', 0xC0, 12}));
  const std::string cases[] = {
      Header(1, kId + 1) + kQuestion + answer,                 // another ID
      Header(1, kId, 0x0180) + kQuestion + answer,             // not a response
      Header(1, kId, 0x8980) + kQuestion + answer,             // another opcode
      Header(1) + Bytes({5, 'o', 't', 'h', 'e', 'r', 4, 't', 'e', 's', 't', 0, 0, 15, 0, 1}) + answer,
      Header(1) + kQuestion.substr(0, 14) + Bytes({0, 1, 0, 1}) + answer,  // another type
      Header(1).substr(0, 11),
  };
  for (const std::string& message : cases)
    EXPECT_EQ(quor::ParseDnsReply(message, kId, "example.test", quor::kDnsTypeMx).status,
              quor::DnsReplyStatus::NotOurs);
}

TEST(DnsMessage, RefusesNamesAndRecordsOutOfBounds) {
  const size_t answerAt = 12 + kQuestion.size();
  std::string longName;
  for (int i = 0; i < 5; ++i) longName += char(60) + std::string(60, 'a');
  const std::string cases[] = {
      Header(1) + kQuestion + Mx(Bytes({0xC0, int(answerAt)}), 10, kToQuestion),      // a pointer to itself
      Header(1) + kQuestion + Mx(Bytes({0xC0, int(answerAt + 4)}), 10, kToQuestion),  // a pointer forward
      Header(1) + kQuestion + Mx(Bytes({1, 'a', 0xC0, int(answerAt)}), 10, kToQuestion),  // a loop going back
      Header(1) + kQuestion + Mx(longName + Bytes({0}), 10, kToQuestion),  // more than 255 bytes
      Header(1) + kQuestion + Mx(kToQuestion, 10, kToQuestion, 5),         // data past the end
      Header(1) + kQuestion + Mx(kToQuestion, 10, kToQuestion, -1),        // data shorter than its name
      Header(2) + kQuestion + Mx(kToQuestion, 10, kToQuestion),            // a record missing
      Header(1) + kQuestion + Mx(kToQuestion, 10, Bytes({0x40, 'x', 0})),  // a reserved label type
      (Header(1) + kQuestion + Mx(kToQuestion, 10, kToQuestion)).substr(0, answerAt + 9),
  };
  for (const std::string& message : cases) {
    const quor::DnsReply reply = quor::ParseDnsReply(message, kId, "example.test", quor::kDnsTypeMx);
    EXPECT_EQ(reply.status, quor::DnsReplyStatus::Malformed) << testing::PrintToString(message);
    EXPECT_TRUE(reply.records.empty());
  }
}

// A reply whose MX record's owner name takes `jumps` pointers: a skipped TXT
// record holds a chain of pointers, each to the one before it, the first to
// the question's name; the MX owner points to the last of them.
std::string PointerChainReply(int jumps) {
  const int chainAt = int(12 + kQuestion.size()) + 12;
  std::string chain;
  for (int i = 0; i < jumps - 1; ++i) {
    const int target = i == 0 ? 12 : chainAt + 2 * (i - 1);
    chain += Bytes({0xC0 | target >> 8, target & 0xFF});
  }
  const int length = int(chain.size()), last = chainAt + length - 2;
  const std::string txt = kToQuestion + Bytes({0, 16, 0, 1, 0, 0, 0, 60, length >> 8, length & 0xFF}) + chain;
  return Header(2) + kQuestion + txt + Mx(Bytes({0xC0 | last >> 8, last & 0xFF}), 10, kToQuestion);
}

TEST(DnsMessage, AtMostSixteenPointersPerName) {
  const quor::DnsReply within = quor::ParseDnsReply(PointerChainReply(16), kId, "example.test", quor::kDnsTypeMx);
  ASSERT_EQ(within.status, quor::DnsReplyStatus::Answer);
  ASSERT_EQ(within.records.size(), 1u);
  EXPECT_EQ(within.records[0].host, "example.test");
  EXPECT_EQ(quor::ParseDnsReply(PointerChainReply(17), kId, "example.test", quor::kDnsTypeMx).status,
            quor::DnsReplyStatus::Malformed);
}

}  // namespace
