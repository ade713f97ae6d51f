#include "report/settings/quorSettingsResource.h"

#include <gtest/gtest.h>

#include <string>

#include "report/codec/quorScramble.h"
#include "report/settings/quorBuiltInDefaults.h"
#include "tests/report/settings/SettingsFixture.h"

namespace {

using quortest::ResourceBytes;

struct Record {
  quor::ModuleSettingsRecord r{};
  ~Record() { quor::FreeProperties(r, quor::CrtSettingsHeap()); }
  quor::SettingsReadResult Read(const std::string& bytes) {
    return quor::ReadSettingsResource(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), r,
                                      quor::CrtSettingsHeap());
  }
};

std::string Typed(const std::string& name, uint8_t type, const std::string& value) {
  return ResourceBytes::Short(name) + char(type) + value;
}

TEST(SettingsResource, EveryTypeReadsAsItsKind) {
  const std::string wide("\x41\x00\xE9\x00\x3A\x04", 6);  // "A", e-acute, a Cyrillic letter
  const std::string bytes = ResourceBytes()
                                .Raw(Typed("I8", 2, "\xFE"))
                                .Raw(Typed("I16", 3, std::string("\x00\x80", 2)))
                                .Raw(Typed("I32", 4, "\xFF\xFF\xFF\x7F"))
                                .Raw(Typed("S", 6,
                                           "\x03"
                                           "abc"))
                                .Raw(Typed("L", 12,
                                           std::string("\x02\x00\x00\x00"
                                                       "xy",
                                                       6)))
                                .Raw(Typed("W", 18, std::string("\x03\x00\x00\x00", 4) + wide))
                                .Bool("F", false)
                                .Bool("T", true)
                                .End();
  Record rec;
  EXPECT_EQ(rec.Read(bytes).status, quor::SettingsReadStatus::kComplete);
  const struct {
    const char* name;
    quor::SettingsKind kind;
    int32_t integer;
    bool boolean;
    const char* text;
  } cases[] = {
      {"I8", quor::kKindInteger, -2, false, nullptr},
      {"I16", quor::kKindInteger, -32768, false, nullptr},
      {"I32", quor::kKindInteger, 0x7FFFFFFF, false, nullptr},
      {"S", quor::kKindText, 0, false, "abc"},
      {"L", quor::kKindText, 0, false, "xy"},
      {"W", quor::kKindText, 0, false, "A\xE9?"},
      {"F", quor::kKindBoolean, 0, false, nullptr},
      {"T", quor::kKindBoolean, 0, true, nullptr},
  };
  ASSERT_EQ(rec.r.count, std::size(cases));
  for (const auto& c : cases) {
    const quor::SettingsProperty* p = quor::FindProperty(rec.r, c.name);
    ASSERT_NE(p, nullptr) << c.name;
    EXPECT_EQ(p->kind, c.kind) << c.name;
    EXPECT_EQ(p->intValue, c.integer) << c.name;
    EXPECT_EQ(p->boolValue != 0, c.boolean) << c.name;
    EXPECT_STREQ(p->textValue, c.text) << c.name;
  }
}

TEST(SettingsResource, HeaderMustBeWhole) {
  const std::string good = ResourceBytes().Bool("A", true).End();
  const std::string cases[] = {
      "",
      "TPF",
      "TPF1" + good.substr(4),
      good.substr(0, 4 + 12),  // object name missing
      "TPF0" + ResourceBytes::Short("TOther") + ResourceBytes::Short("QuorExcept") + std::string(2, '\0'),
      "TPF0" + ResourceBytes::Short("TQuorExcept") + ResourceBytes::Short("Other") + std::string(2, '\0'),
  };
  for (const std::string& bytes : cases) {
    Record rec;
    EXPECT_EQ(rec.Read(bytes).status, quor::SettingsReadStatus::kNoHeader) << bytes.size();
    EXPECT_EQ(rec.r.count, 0u);
  }
}

TEST(SettingsResource, CutAtEveryByteKeepsWholePropertiesOnly) {
  const std::string bytes = ResourceBytes().Int("Num", 5).Text("Txt", "hello").Bool("Yes", true).End();
  const size_t header = 4 + 12 + 11;
  const size_t ends[] = {header + 9, header + 9 + 14, header + 9 + 14 + 5};  // after each property
  for (size_t cut = header; cut < bytes.size() - 1; ++cut) {
    Record rec;
    EXPECT_EQ(rec.Read(bytes.substr(0, cut)).status, quor::SettingsReadStatus::kTruncated) << cut;
    uint32_t whole = 0;
    for (size_t end : ends) whole += cut >= end;
    EXPECT_EQ(rec.r.count, whole) << cut;
  }
}

TEST(SettingsResource, UnknownTypeStopsAndKeepsWhatWasRead) {
  const std::string bytes = ResourceBytes().Bool("A", true).Raw(Typed("B", 0x13, "")).Bool("C", true).End();
  Record rec;
  const quor::SettingsReadResult result = rec.Read(bytes);
  EXPECT_EQ(result.status, quor::SettingsReadStatus::kInvalidType);
  EXPECT_EQ(quor::InvalidSettingsResourceText(result.invalidType), "Internal error: Invalid settings resource ($13).");
  ASSERT_EQ(rec.r.count, 1u);
  EXPECT_STREQ(rec.r.properties[0].name, "A");
}

TEST(SettingsResource, AbsurdLengthIsTruncationNotAllocation) {
  const std::string bytes = ResourceBytes()
                                .Raw(Typed("L", 12,
                                           "\xFF\xFF\xFF\xFF"
                                           "abc"))
                                .Raw(Typed("W", 18,
                                           "\xFF\xFF\xFF\xFF"
                                           "abc"))
                                .End();
  Record rec;
  EXPECT_EQ(rec.Read(bytes).status, quor::SettingsReadStatus::kTruncated);
  EXPECT_EQ(rec.r.count, 0u);
}

TEST(SettingsResource, RepeatedNameIsSecondEntryAndFirstWins) {
  ResourceBytes b;
  for (int i = 0; i < 140; ++i) b.Int("N" + std::to_string(i), i);  // grows past the first array
  const std::string bytes = b.Int("N3", 99).End();
  Record rec;
  EXPECT_EQ(rec.Read(bytes).status, quor::SettingsReadStatus::kComplete);
  EXPECT_EQ(rec.r.count, 141u);
  EXPECT_EQ(rec.r.capacity, quor::kInitialPropertyCapacity + quor::kPropertyCapacityStep);
  EXPECT_EQ(quor::FindProperty(rec.r, "N3")->intValue, 3);
  EXPECT_EQ(quor::FindProperty(rec.r, "n3"), nullptr);  // names compare exactly
}

TEST(SettingsResource, PasswordsAreUnscrambledWithTheirProtocolsAccountAndServer) {
  const std::string smtp = quor::ScramblePassword("mail-secret", "joe", "smtp.example.org");
  const std::string http = quor::ScramblePassword("web-secret", "ann", "example.org/upload");
  const std::string bytes = ResourceBytes()
                                .Text("SmtpServer", "smtp.example.org")
                                .Text("SmtpAccount", "joe")
                                .Text("SmtpPassword", smtp)
                                .Text("HttpPassword", http)
                                .Text("HttpServer", "example.org/upload")
                                .Text("HttpAccount", "ann")
                                .End();
  Record rec;
  ASSERT_EQ(rec.Read(bytes).status, quor::SettingsReadStatus::kComplete);
  EXPECT_STREQ(quor::FindProperty(rec.r, "SmtpPassword")->textValue, "mail-secret");
  EXPECT_STREQ(quor::FindProperty(rec.r, "HttpPassword")->textValue, "web-secret");
}

TEST(BuiltInDefaults, TableHoldsTheFallbackValues) {
  ASSERT_EQ(std::size(quor::BuiltInDefaults), 121u);
  auto find = [](const char* name) {
    return quor::FindProperty(quor::BuiltInDefaults, quor::kBuiltInDefaultCount, name);
  };
  EXPECT_EQ(find("AutoDelay")->intValue, 60);
  EXPECT_EQ(find("VersionVar")->intValue, 0);
  EXPECT_STREQ(find("MailFrom")->textValue, "");
  EXPECT_STREQ(find("BugRepFile")->textValue, "bugreport.txt");
  EXPECT_EQ(find("NoSettings")->boolValue, 1);
  EXPECT_EQ(find("Assistant1"), nullptr);
  EXPECT_EQ(find("MinDebugInfo"), nullptr);
}

TEST(DollarHex, LowerCaseWithoutLeadingZeros) {
  EXPECT_EQ(quor::DollarHex(0), "$0");
  EXPECT_EQ(quor::DollarHex(0x1A2B), "$1a2b");
  EXPECT_EQ(quor::DollarHex(0xFFFFFFFF), "$ffffffff");
}

}  // namespace
