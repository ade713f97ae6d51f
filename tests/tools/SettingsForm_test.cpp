#include "tools/SettingsForm.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "report/settings/quorSettingsResource.h"
#include "tests/report/settings/StoredSettingsTable.h"
#include "toolkit/SysUtils.h"

namespace {

struct Record {
  quor::ModuleSettingsRecord r{};
  ~Record() { quor::FreeProperties(r, quor::CrtSettingsHeap()); }
};

TEST(SettingsForm, ProgramResourceHoldsEveryStoredValueWithFourTypesOnly) {
  std::ifstream in(QUOR_SETTINGS_SOURCE, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  const std::vector<uint8_t> bytes = settingsform::Compile(text.str(), ".");
  EXPECT_EQ(bytes.size(), quortest::kStoredSettingsBytes);
  Record rec;
  ASSERT_EQ(quor::ReadSettingsResource(bytes.data(), bytes.size(), rec.r, quor::CrtSettingsHeap()).status,
            quor::SettingsReadStatus::kComplete);
  ASSERT_EQ(rec.r.count, std::size(quortest::kStoredSettings));
  for (uint32_t i = 0; i < rec.r.count; ++i) {
    const auto& want = quortest::kStoredSettings[i];
    const quor::SettingsProperty& got = rec.r.properties[i];
    EXPECT_STREQ(got.name, want.name);
    EXPECT_EQ(got.kind, want.kind) << want.name;
    EXPECT_EQ(got.boolValue != 0, want.boolValue) << want.name;
    EXPECT_EQ(got.intValue, want.intValue) << want.name;
    if (want.kind == quor::kKindText) EXPECT_STREQ(got.textValue, want.text) << want.name;
  }
  // Walk the stream: after each name comes one of the types 4, 8, 9 and 12.
  size_t pos = 4 + 12 + 11;
  while (bytes[pos] != 0) {
    pos += 1 + bytes[pos];
    const uint8_t type = bytes[pos++];
    ASSERT_TRUE(type == 4 || type == 8 || type == 9 || type == 12) << int(type);
    if (type == 4) pos += 4;
    if (type == 12) pos += 4 + (bytes[pos] | bytes[pos + 1] << 8);
  }
  EXPECT_EQ(pos + 2, bytes.size());
}

TEST(SettingsForm, PasswordsAreStoredScrambledAndReadBackPlain) {
  const std::string source =
      "object QuorExcept: TQuorExcept\n"
      "  SmtpServer = 'mail.example.org'\n  SmtpAccount = 'joe'\n  SmtpPassword = 'mail pass'\n"
      "  HttpPassword = 'web pass'\n  HttpAccount = 'ann'\n  HttpServer = 'example.org'\n"
      "  SmtpPort = 25\nend\n";
  const std::vector<uint8_t> bytes = settingsform::Compile(source, ".");
  const std::string raw(bytes.begin(), bytes.end());
  EXPECT_EQ(raw.find("mail pass"), std::string::npos);
  EXPECT_EQ(raw.find("web pass"), std::string::npos);
  Record rec;
  ASSERT_EQ(quor::ReadSettingsResource(bytes.data(), bytes.size(), rec.r, quor::CrtSettingsHeap()).status,
            quor::SettingsReadStatus::kComplete);
  EXPECT_STREQ(quor::FindProperty(rec.r, "SmtpPassword")->textValue, "mail pass");
  EXPECT_STREQ(quor::FindProperty(rec.r, "HttpPassword")->textValue, "web pass");
  EXPECT_EQ(quor::FindProperty(rec.r, "SmtpPort")->intValue, 25);
}

TEST(SettingsForm, RejectsWhatIsNoSetting) {
  const char* sources[] = {
      "object QuorExcept: TQuorExcept\n  Big = 4294967296\nend\n",
      "object QuorExcept: TQuorExcept\n  Anchors = [akTop]\nend\n",
      "object QuorExcept: TQuorExcept\n  object Child: TX\n  end\nend\n",
  };
  for (const char* s : sources) EXPECT_THROW(settingsform::Compile(s, "."), tk::EConvertError) << s;
}

}  // namespace
