#include "report/codec/quorScramble.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

std::string RandomBytes(size_t n, uint32_t seed) {
  std::mt19937 gen(seed);
  std::string s(n, '\0');
  for (auto& c : s) c = char(gen());
  return s;
}

TEST(Xtea, PublishedTestVectors) {
  // Big-endian words as the published vectors write them.
  const struct {
    quor::ScrambleKey key;
    uint32_t plain[2];
    uint32_t cipher[2];
  } cases[] = {
      {{{0x00010203, 0x04050607, 0x08090A0B, 0x0C0D0E0F}}, {0x41424344, 0x45464748}, {0x497DF3D0, 0x72612CB5}},
      {{{0, 0, 0, 0}}, {0x41424344, 0x45464748}, {0xA0390589, 0xF8B8EFA5}},
      {{{0x00010203, 0x04050607, 0x08090A0B, 0x0C0D0E0F}}, {0x41414141, 0x41414141}, {0xE78F2D13, 0x744341D8}},
      {{{0, 0, 0, 0}}, {0x70E1225D, 0x6E4E7655}, {0x41414141, 0x41414141}},
  };
  for (const auto& c : cases) {
    uint32_t block[2] = {c.plain[0], c.plain[1]};
    quor::XteaEncipher(block, c.key);
    EXPECT_EQ(block[0], c.cipher[0]);
    EXPECT_EQ(block[1], c.cipher[1]);
    quor::XteaDecipher(block, c.key);
    EXPECT_EQ(block[0], c.plain[0]);
    EXPECT_EQ(block[1], c.plain[1]);
  }
}

TEST(ScrambleBuffer, RoundTripsEveryLengthInPlace) {
  const quor::ScrambleKey key = quor::ScrambleKeyFromText("smtp.example.org");
  const quor::ScrambleKey other = quor::ScrambleKeyFromText("smtp.example.orh");
  for (size_t n = 0; n <= 41; ++n) {
    const std::string plain = RandomBytes(n, uint32_t(n));
    std::string data = plain;
    auto* bytes = reinterpret_cast<unsigned char*>(data.data());
    quor::ScrambleBuffer(bytes, n, key);
    ASSERT_EQ(data.size(), n);
    if (n >= 4) {
      EXPECT_NE(data, plain) << n;
    }
    std::string wrong = data;
    quor::UnscrambleBuffer(reinterpret_cast<unsigned char*>(wrong.data()), n, other);
    if (n >= 4) {
      EXPECT_NE(wrong, plain) << n;
    }
    quor::UnscrambleBuffer(bytes, n, key);
    EXPECT_EQ(data, plain) << n;
  }
}

TEST(ScrambleString, KeyAndSaltsBothMatter) {
  const std::string plain = "correct horse battery staple";
  const std::string scrambled = quor::ScrambleString(plain, "account", 1, 2);
  EXPECT_EQ(quor::UnscrambleString(scrambled, "account", 1, 2), plain);
  EXPECT_NE(quor::UnscrambleString(scrambled, "account"), plain);
  EXPECT_NE(quor::UnscrambleString(scrambled, "account", 1, 3), plain);
  EXPECT_NE(quor::UnscrambleString(scrambled, "Account", 1, 2), plain);
  // Equal texts of equal length scramble alike; a changed first block changes all later ones.
  const std::string a = quor::ScrambleString("AAAAAAAAxxxxxxxx", "k");
  const std::string b = quor::ScrambleString("BAAAAAAAxxxxxxxx", "k");
  EXPECT_NE(a.substr(8), b.substr(8));
}

TEST(ScramblePassword, StoredFormRoundTrips) {
  const struct {
    const char* plain;
    const char* account;
    const char* server;
  } cases[] = {
      {"", "user", "smtp.example.org"},
      {"s", "user", "smtp.example.org"},
      {"secret password 123", "user@example.org", "mail.example.org"},
      {"\xE4\xF6\xFC!", "", ""},
  };
  for (const auto& c : cases) {
    const std::string stored = quor::ScramblePassword(c.plain, c.account, c.server);
    EXPECT_EQ(stored.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
              std::string::npos);
    EXPECT_EQ(quor::UnscramblePassword(stored, c.account, c.server), c.plain) << c.plain;
  }
  const std::string stored = quor::ScramblePassword("secret password", "user", "server");
  EXPECT_NE(quor::UnscramblePassword(stored, "user", "server2"), "secret password");
  EXPECT_NE(quor::UnscramblePassword(stored, "user2", "server"), "secret password");
  EXPECT_NE(quor::UnscramblePassword(stored, "server", "user"), "secret password");
  EXPECT_EQ(quor::UnscramblePassword("not base64!", "user", "server"), "");
}

TEST(ScrambleSymbolData, KeyedByLength) {
  std::string data = RandomBytes(1000, 7);
  const std::string plain = data;
  auto* bytes = reinterpret_cast<unsigned char*>(data.data());
  quor::ScrambleSymbolData(bytes, data.size());
  EXPECT_NE(data, plain);
  std::string shorter = data.substr(0, 999);
  quor::UnscrambleSymbolData(reinterpret_cast<unsigned char*>(shorter.data()), shorter.size());
  EXPECT_NE(shorter, plain.substr(0, 999));
  quor::UnscrambleSymbolData(bytes, data.size());
  EXPECT_EQ(data, plain);
}

}  // namespace
