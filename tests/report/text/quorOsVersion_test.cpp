#include "report/text/quorOsVersion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

TEST(OsVersion, OlderFamilyVersions) {
  const struct {
    uint32_t major, minor, build;
    const char* name;
  } cases[] = {
      {3, 95, 0, "None"},
      {4, 0, 950, "Windows 95"},
      {4, 0, 1000, "Windows 95"},
      {4, 0, 1111, "Windows 95 OSR-2"},
      {4, 10, 1998, "Windows 98"},
      {4, 10, 2000, "Windows 98"},
      {4, 10, 2222, "Windows 98 SE"},
      {4, 10, 2700, "Windows 98 SE"},
      {4, 10, 2701, "Windows ME"},
      {4, 90, 3000, "Windows ME"},
      {4, 91, 0, "Windows 9x New"},
      {5, 0, 0, "Windows 9x New"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(quor::OsVersionName(quor::OlderFamilyVersion(c.major, c.minor, c.build)), c.name)
        << c.major << "." << c.minor << "." << c.build;
}

TEST(OsVersion, NtFamilyVersions) {
  const struct {
    uint32_t major, minor;
    uint8_t productType;
    const char* name;
  } cases[] = {
      {3, 51, 1, "Windows NT 3"}, {4, 0, 1, "Windows NT 4"},   {5, 0, 3, "Windows 2000"},
      {5, 1, 3, "Windows XP"},    {5, 2, 1, "Windows XP"},     {5, 2, 3, "Windows 2003"},
      {6, 0, 1, "Windows Vista"}, {6, 1, 1, "Windows NT New"}, {10, 0, 1, "Windows NT New"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(quor::OsVersionName(quor::NtFamilyVersion(c.major, c.minor, c.productType)), c.name)
        << c.major << "." << c.minor << " type " << int(c.productType);
  EXPECT_EQ(quor::OsVersionName(200), "None");
}

TEST(OsVersion, CsdTextStopsAtTheFirstNul) {
  std::vector<uint16_t> wide(128, 0);
  const std::u16string pack = u"Service Pack 2";
  std::copy(pack.begin(), pack.end(), wide.begin());
  wide[20] = u'x';  // left over behind the terminator
  EXPECT_EQ(quor::CsdText(wide), "Service Pack 2");
  wide[0] = 0x0141;  // only the low byte of a unit is kept
  EXPECT_EQ(quor::CsdText(wide).substr(0, 1), "A");

  const char ansi[128] = {' ', 'A', 0, 'B'};
  EXPECT_EQ(quor::CsdText(std::span<const char>(ansi)), " A");
  const std::vector<char> full(128, 'C');  // no terminator at all: the whole field
  EXPECT_EQ(quor::CsdText(full), std::string(128, 'C'));
}

TEST(OsVersion, RecordAndDescription) {
  quor::TOSFacts xp;
  xp.PlatformId = quor::kNtFamilyPlatform;
  xp.Major = 5, xp.Minor = 1, xp.Build = 2600;
  xp.Csd = "Service Pack 3";
  xp.MediaCenter = true;
  quor::TOS os = quor::MakeOsRecord(xp);
  EXPECT_TRUE(os.NtFamily);
  EXPECT_FALSE(os.OlderFamily);
  EXPECT_EQ(os.Version, quor::osWinXP);
  EXPECT_EQ(os.NtFamilyVersion, quor::osWinXP);
  EXPECT_EQ(os.OlderFamilyVersion, quor::osNone);
  EXPECT_EQ(os.ServicePack, 3);  // plain record: read from the text
  EXPECT_EQ(os.Description, "Windows XP Media Center Service Pack 3");

  quor::TOSFacts server = xp;
  server.Major = 6, server.Minor = 0, server.ExtendedRecord = true, server.ServicePackMajor = 2;
  server.Csd = "Service Pack 1234567890123";  // the extended record's number wins over the text
  server.ServerR2 = server.TabletPc = server.Starter = server.X64 = true;
  os = quor::MakeOsRecord(server);
  EXPECT_EQ(os.ServicePack, 2);
  EXPECT_TRUE(os.X64);
  EXPECT_EQ(os.Description, "Windows Vista R2 Tablet PC Starter x64 Service Pack 1234567890123");

  quor::TOSFacts plainLong = xp;
  plainLong.Csd = "Service Pack 1234567890123";  // digits beyond nine are not read
  EXPECT_EQ(quor::MakeOsRecord(plainLong).ServicePack, 123456789);
  plainLong.Csd = "Service Pack";
  EXPECT_EQ(quor::MakeOsRecord(plainLong).ServicePack, 0);

  quor::TOSFacts me;
  me.PlatformId = quor::kOlderFamilyPlatform;
  me.Major = 4, me.Minor = 90, me.Build = 0x045A0BB8;  // the high word holds the version numbers
  me.Csd = " ";
  me.X64 = me.ServerR2 = true;  // NT-family facts: not read on the older family
  os = quor::MakeOsRecord(me);
  EXPECT_EQ(os.Build, 3000u);
  EXPECT_EQ(os.Version, quor::osWinME);
  EXPECT_EQ(os.NtFamilyVersion, quor::osNone);
  EXPECT_FALSE(os.X64);
  EXPECT_EQ(os.ServicePack, 0);
  EXPECT_EQ(os.ServicePackText, " ");
  EXPECT_EQ(os.Description, "Windows ME");
}

}  // namespace
