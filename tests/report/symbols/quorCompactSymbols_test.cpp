// The compact symbol form: round trip, header checks, bad input.
#include "report/symbols/quorCompactSymbols.h"

#include <gtest/gtest.h>

#include "report/codec/quorScramble.h"
#include "report/codec/quorZip.h"
#include "report/symbols/quorMiniStream.h"
#include "report/text/quorLittleEndian.h"

namespace quor {
namespace {

constexpr uint32_t kCode = 0x401000;

TMapFile Sample() {
  TMapFile map;
  map.Segments = {{1, 1, kCode, 0x300, "Sorvenal.cpp", 0}, {1, 1, kCode + 0x300, 0x2000, "formmain.cpp", 0}};
  map.Publics = {{1, 1, "wWinMain", kCode},
                 {1, 1, "Helper", kCode + 0x7F},
                 {1, 1, std::string(300, 'n'), kCode + 0x300},
                 {1, 1, "Far", kCode + 0x2200}};
  map.Lines = {{10, kCode}, {300, kCode + 0x10}, {12, kCode + 0x11}, {13, kCode + 0x2000}};
  map.EntryPoint = kCode + 0x7F;
  return map;
}

TEST(CompactSymbols, RoundTripAtAnotherCodeStart) {
  const std::string form = WriteCompactSymbols(Sample(), kCode, {false, 0x1234, 0x5678});
  ASSERT_EQ(form.substr(0, 14), "QuorSymbolData");
  TCompactHeader header;
  ASSERT_TRUE(ReadCompactHeader(form, header));
  EXPECT_EQ(header.Version, 3u);
  EXPECT_EQ(header.HeaderSize, 34u);
  EXPECT_EQ(header.Id1, 0x1234u);
  EXPECT_FALSE(header.Minimal());

  // The module was loaded elsewhere: every address moves with the code start.
  const uint32_t moved = 0x10001000;
  TMapFile map;
  ASSERT_TRUE(ReadCompactSymbols(form, moved, map));
  ASSERT_TRUE(map.Valid);
  const TMapFile sample = Sample();
  ASSERT_EQ(map.Segments.size(), 2u);
  EXPECT_EQ(map.Segments[1].Start, moved + 0x300);
  EXPECT_EQ(map.Segments[1].Length, 0x2000u);
  EXPECT_EQ(map.Segments[1].UnitName, "formmain.cpp");
  ASSERT_EQ(map.Publics.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(map.Publics[i].Address - moved, sample.Publics[i].Address - kCode);
    EXPECT_EQ(map.Publics[i].Code, 1);
  }
  EXPECT_EQ(map.Publics[2].Name, std::string(255, 'n'));  // packed strings hold 255 characters
  ASSERT_EQ(map.Lines.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(map.Lines[i].Line, sample.Lines[i].Line);
    EXPECT_EQ(map.Lines[i].Address - moved, sample.Lines[i].Address - kCode);
  }
  EXPECT_EQ(map.EntryPoint, moved + 0x7F);
}

TEST(CompactSymbols, MinimalFormHasGeneratedNamesAndLineFlags) {
  const std::string form = WriteCompactSymbols(Sample(), kCode, {true, 1, 2});
  TMapFile map;
  ASSERT_TRUE(ReadCompactSymbols(form, kCode, map));
  ASSERT_EQ(map.Segments.size(), 2u);
  EXPECT_EQ(map.Segments[0].UnitName, "segment%0");
  EXPECT_EQ(map.Segments[1].UnitName, "segment%1");
  EXPECT_EQ(map.Segments[0].HasLines, 1);
  EXPECT_EQ(map.Publics[3].Name, "public%3");
  EXPECT_EQ(map.Publics[3].Address, kCode + 0x2200);
}

// A version 2 header around a plain stream, for the hand-built cases.
std::string Version2(const std::string& stream) {
  std::string payload = DeflateContainer(stream);
  ScrambleSymbolData(reinterpret_cast<unsigned char*>(payload.data()), payload.size());
  std::string out = "QuorSymbolData";
  AppendLe32(out, uint32_t(payload.size()));
  AppendLe32(out, 2);
  return out + payload;
}

TEST(CompactSymbols, VersionTwoAndTheEntryPointRule) {
  std::string stream;
  AppendLe32(stream, 0);  // no segments
  AppendLe32(stream, 1);
  AppendPackedString(stream, "Only");
  AppendLe32(stream, 0x20);
  AppendLe32(stream, 0);  // no lines
  TMapFile map;
  ASSERT_TRUE(ReadCompactSymbols(Version2(stream), kCode, map));
  EXPECT_EQ(map.Publics.at(0).Address, kCode + 0x20);
  EXPECT_EQ(map.EntryPoint, 0u);
  ASSERT_TRUE(ReadCompactSymbols(Version2(stream + std::string("\x10\0\0\0", 4)), kCode, map));
  EXPECT_EQ(map.EntryPoint, kCode + 0x10);
  // Three or five trailing bytes are no entry point.
  ASSERT_TRUE(ReadCompactSymbols(Version2(stream + std::string("\x10\0\0\0\0", 5)), kCode, map));
  EXPECT_EQ(map.EntryPoint, 0u);
}

TEST(CompactSymbols, BadFormsAreAbsent) {
  const std::string good = WriteCompactSymbols(Sample(), kCode);
  auto with = [&](size_t offset, uint32_t word) {
    std::string bad = good;
    StoreLe32(reinterpret_cast<unsigned char*>(bad.data()) + offset, word);
    return bad;
  };
  std::string signature = good;
  signature[0] = 'q';
  std::string flipped = good;
  flipped[40] ^= 1;
  std::string lyingCounts;
  AppendLe32(lyingCounts, 0xFFFFFFFF);  // segments that are not there
  const struct {
    const char* what;
    std::string data;
  } cases[] = {
      {"empty", ""},
      {"22 bytes", good.substr(0, 22)},
      {"signature", signature},
      {"version 1", with(18, 1)},
      {"version 4", with(18, 4)},
      {"payload longer than the data", with(14, uint32_t(good.size()))},
      {"truncated payload", good.substr(0, good.size() - 1)},
      {"corrupt payload", flipped},
      {"lying segment count", Version2(lyingCounts)},
      {"no line list", Version2(std::string(8, '\0'))},
  };
  for (const auto& c : cases) {
    TMapFile map;
    EXPECT_FALSE(ReadCompactSymbols(c.data, kCode, map)) << c.what;
    EXPECT_FALSE(map.Valid) << c.what;
  }
}

TEST(TMiniStream, PackedFormsAndBounds) {
  std::string data;
  AppendPackedInt(data, 127);
  AppendPackedInt(data, -127);
  AppendPackedInt(data, -128);
  AppendPackedInt(data, 100000);
  AppendPackedString(data, "abc");
  EXPECT_EQ(data.size(), 1 + 1 + 5 + 5 + 4u);
  TMiniStream stream(data.data(), uint32_t(data.size()));
  int32_t value;
  for (int32_t expected : {127, -127, -128, 100000}) {
    ASSERT_TRUE(stream.ReadPackedInt(value));
    EXPECT_EQ(value, expected);
  }
  std::string text;
  ASSERT_TRUE(stream.ReadPackedString(text));
  EXPECT_EQ(text, "abc");
  EXPECT_FALSE(stream.ReadPackedInt(value));

  // A string or integer that runs past the end is not read and nothing moves.
  const char truncated[] = {'\x05', 'a', 'b', '\x80', 1, 2};
  TMiniStream shortString(truncated, 3);
  EXPECT_FALSE(shortString.ReadPackedString(text));
  EXPECT_EQ(shortString.Position(), 0u);
  TMiniStream shortInt(truncated + 3, 3);
  EXPECT_FALSE(shortInt.ReadPackedInt(value));
  EXPECT_EQ(shortInt.Position(), 0u);
}

}  // namespace
}  // namespace quor
