#include "report/codec/quorZip.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

uint32_t Crc32(std::string_view s) { return ~quor::Crc32Update(0xFFFFFFFFu, s.data(), s.size()); }

Bytes Deflate(const std::string& data, quor::DeflateLevel level = quor::DeflateLevel::kFastest) {
  Bytes out(quor::DeflateCapacity(uint32_t(data.size())));
  const int n = quor::DeflateBuffer(data.data(), out.data(), uint32_t(data.size()), uint32_t(out.size()), level);
  EXPECT_GT(n, 0);
  out.resize(n > 0 ? size_t(n) : 0);
  return out;
}

std::string RandomBytes(size_t n, uint32_t seed) {
  std::mt19937 gen(seed);
  std::string s(n, '\0');
  for (auto& c : s) c = char(gen());
  return s;
}

std::string Le32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

std::string Container(uint32_t length, uint32_t crc, const Bytes& packed) {
  return Le32(length) + Le32(0) + Le32(crc) + std::string(packed.begin(), packed.end());
}

TEST(Crc32Update, KnownVectors) {
  const struct {
    const char* text;
    uint32_t crc;
  } cases[] = {
      {"", 0x00000000},
      {"a", 0xE8B7BE43},
      {"abc", 0x352441C2},
      {"123456789", 0xCBF43926},
      {"The quick brown fox jumps over the lazy dog", 0x414FA339},
  };
  for (const auto& c : cases) EXPECT_EQ(Crc32(c.text), c.crc) << c.text;
}

TEST(Crc32Update, RunsAcrossPieces) {
  uint32_t running = 0xFFFFFFFFu;
  running = quor::Crc32Update(running, "1234", 4);
  running = quor::Crc32Update(running, "", 0);
  running = quor::Crc32Update(running, "56789", 5);
  EXPECT_EQ(~running, 0xCBF43926u);
  // Without the inversions the raw register of an empty input stays as given.
  EXPECT_EQ(quor::Crc32Update(0x12345678u, nullptr, 0), 0x12345678u);
}

TEST(Adler32Sum, KnownVectors) {
  const struct {
    const char* text;
    uint32_t sum;
  } cases[] = {
      {"", 0x00000001}, {"a", 0x00620062}, {"abc", 0x024D0127}, {"Wikipedia", 0x11E60398}, {"123456789", 0x091E01DE},
  };
  for (const auto& c : cases)
    EXPECT_EQ(quor::Adler32Sum(c.text, std::char_traits<char>::length(c.text)), c.sum) << c.text;
  // The modulus 65521 matters once the sums wrap: a megabyte of 0xFF bytes.
  const std::string ones(1 << 20, '\xFF');
  EXPECT_EQ(quor::Adler32Sum(ones.data(), ones.size()), 0x8E88EF11u);
}

TEST(DeflateBuffer, EmptyInputIsOneEmptyFinalBlock) {
  uint8_t out[16];
  ASSERT_EQ(quor::DeflateBuffer("", out, 0, sizeof out), 2);
  EXPECT_EQ(out[0], 0x03);  // final block, fixed codes, end-of-block code
  EXPECT_EQ(out[1], 0x00);
  EXPECT_EQ(quor::DeflateString(""), std::string("\x03\x00", 2));
}

TEST(DeflateBuffer, RoundTripsThroughInflateBuffer) {
  const struct {
    const char* what;
    std::string data;
  } cases[] = {
      {"one byte", "x"},
      {"text", std::string(2000, 'a') + "bug report line\r\n"},
      {"random (incompressible)", RandomBytes(100000, 1)},
      {"megabyte of zeros", std::string(1 << 20, '\0')},
      {"window-sized repeats", RandomBytes(40000, 2) + RandomBytes(40000, 2)},
  };
  for (const auto& c : cases) {
    for (const auto level : {quor::DeflateLevel::kFastest, quor::DeflateLevel::kSmallest}) {
      const Bytes packed = Deflate(c.data, level);
      EXPECT_LE(packed.size(), quor::DeflateCapacity(uint32_t(c.data.size()))) << c.what;
      std::string back(c.data.size(), '\0');
      EXPECT_EQ(quor::InflateBuffer(packed.data(), back.data(), uint32_t(packed.size()), uint32_t(back.size())),
                int(c.data.size()))
          << c.what << " level " << int(level);
      EXPECT_EQ(back, c.data) << c.what << " level " << int(level);
    }
  }
}

TEST(DeflateBuffer, SmallestLevelIsSmallerOnRepetitiveData) {
  std::string text;
  for (int line = 0; text.size() < 200000; ++line)
    text += "00401a2c +0012 Sorvenal.exe formmain " + std::to_string(line % 97) + " Button_CalculateCheckSumClick\r\n";
  EXPECT_LT(Deflate(text, quor::DeflateLevel::kSmallest).size(), Deflate(text).size());
}

TEST(DeflateBuffer, TooSmallDestinationFails) {
  const std::string data = RandomBytes(1000, 3);
  Bytes out(100);
  EXPECT_LE(quor::DeflateBuffer(data.data(), out.data(), uint32_t(data.size()), uint32_t(out.size())), 0);
  EXPECT_LE(quor::DeflateBuffer(data.data(), out.data(), uint32_t(data.size()), 0), 0);
}

TEST(DeflateCapacity, ElevenTenthsPlusTwelve) {
  EXPECT_EQ(quor::DeflateCapacity(0), 12u);
  EXPECT_EQ(quor::DeflateCapacity(1000), 1112u);
  EXPECT_EQ(quor::DeflateCapacity(0xFFFFFFFFu), 0u);  // does not fit
}

TEST(InflateBuffer, RejectsBrokenStreamsAndWrongLengths) {
  const std::string data = "The check value of the file is 1A2B.\r\n" + std::string(300, '-');
  const Bytes good = Deflate(data);
  Bytes truncated(good.begin(), good.end() - 1);
  Bytes trailing = good;
  trailing.push_back(0);
  Bytes corrupt = good;
  corrupt[0] = 0xFF;  // final block of the reserved type 3
  const struct {
    const char* what;
    Bytes stream;
    uint32_t expected;
  } cases[] = {
      {"truncated", truncated, uint32_t(data.size())},         {"trailing byte", trailing, uint32_t(data.size())},
      {"corrupt block type", corrupt, uint32_t(data.size())},  {"empty source", Bytes{}, uint32_t(data.size())},
      {"expected too short", good, uint32_t(data.size() - 1)}, {"expected too long", good, uint32_t(data.size() + 1)},
  };
  for (const auto& c : cases) {
    std::string out(c.expected, '\0');
    EXPECT_EQ(quor::InflateBuffer(c.stream.data(), out.data(), uint32_t(c.stream.size()), c.expected), 0) << c.what;
  }
}

TEST(InflateContainer, ReadsGoodContainersOnly) {
  const std::string data = "segment list\r\n" + RandomBytes(500, 4) + std::string(4000, 'z');
  const Bytes packed = Deflate(data);
  const uint32_t length = uint32_t(data.size());
  const uint32_t crc = Crc32(data);
  const std::string good = Container(length, crc, packed);
  EXPECT_EQ(quor::InflateContainer(good), data);

  const struct {
    const char* what;
    std::string container;
  } bad[] = {
      {"wrong CRC", Container(length, crc ^ 1, packed)},
      {"truncated data", good.substr(0, good.size() - 1)},
      {"header only", good.substr(0, 12)},
      {"shorter than 13 bytes", Le32(0) + Le32(0) + Le32(0)},
      {"stated length too short", Container(length - 1, crc, packed)},
      {"stated length too long", Container(length + 1, crc, packed)},
      {"stated length beyond any deflate ratio", Container(0xFFFFFFF0u, crc, packed)},
      {"empty", ""},
  };
  for (const auto& c : bad) EXPECT_EQ(quor::InflateContainer(c.container), "") << c.what;
}

TEST(DeflateContainer, IsReadByInflateContainer) {
  const std::string data = RandomBytes(70000, 5) + std::string(70000, 'q');
  const std::string container = quor::DeflateContainer(data);
  ASSERT_GT(container.size(), 12u);
  EXPECT_EQ(container.substr(0, 4), Le32(uint32_t(data.size())));
  EXPECT_EQ(container.substr(8, 4), Le32(Crc32(data)));
  EXPECT_EQ(quor::InflateContainer(container), data);
}

}  // namespace
