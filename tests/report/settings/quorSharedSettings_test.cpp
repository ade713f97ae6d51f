#include "report/settings/quorSharedSettings.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "report/settings/quorSettingsLookup.h"
#include "report/settings/quorSettingsResource.h"
#include "tests/report/settings/StoredSettingsTable.h"

namespace {

uintptr_t Exe() { return reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr)); }

class SharedSettings : public ::testing::Test {
protected:
  void SetUp() override { quor::SetMainSettings(quor::SettingsForModule(Exe())); }
  void TearDown() override { quor::SetMainSettings(nullptr); }
};

TEST_F(SharedSettings, EveryStoredValueReadsBackThroughTheGetters) {
  auto s = quor::SettingsForModule(Exe());
  ASSERT_TRUE(s->Valid());
  for (const auto& want : quortest::kStoredSettings) {
    switch (want.kind) {
      case quor::kKindBoolean:
        EXPECT_EQ(s->BoolValue(want.name), want.boolValue) << want.name;
        break;
      case quor::kKindInteger:
        EXPECT_EQ(s->IntValue(want.name), want.intValue) << want.name;
        break;
      default:
        EXPECT_EQ(s->UnexpandedText(want.name), want.text) << want.name;
        break;
    }
  }
  EXPECT_TRUE(s->AutoSave());
  EXPECT_EQ(s->BugRepFile(), "bugreport.log");
  EXPECT_EQ(s->FreezeTimeout(), 60000);
  EXPECT_EQ(s->AutoDelay(), 60);  // not stored: built-in
  EXPECT_EQ(s->MailFrom(), "");
  EXPECT_FALSE(s->HasMinDebugInfo());
  EXPECT_EQ(s->TitleBar(), "quorSharedSettings_test.exe");
  EXPECT_EQ(s->BitFaultMsg(), "The file \"quorSharedSettings_test.exe\" seems to be corrupt!");
}

TEST_F(SharedSettings, BufferAndMutexAreNamedAfterTheProcess) {
  auto s = quor::SettingsForModule(Exe());
  const std::string name = "QuorExceptSettingsBuf" + quor::DollarHex(GetCurrentProcessId());
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str());
  ASSERT_NE(mapping, nullptr);
  auto* view = static_cast<const quor::SharedSettingsBuffer*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 40));
  ASSERT_NE(view, nullptr);
  EXPECT_GE(view->refCount, 2u);  // the main settings and `s`
  EXPECT_EQ(view->unused, 0u);
  bool listed = false;
  for (auto* r = view->head; r; r = r->next) listed |= r->module == Exe();
  EXPECT_TRUE(listed);
  UnmapViewOfFile(view);
  CloseHandle(mapping);
}

TEST_F(SharedSettings, SecondCopyInALibrarySharesRecordsAndInheritsFromTheMain) {
  HMODULE dll = LoadLibraryW(L"quorSettingsTestDll.dll");
  ASSERT_NE(dll, nullptr);
  using Hold = quor::ModuleSettingsRecord* (*)(uintptr_t);
  using Text = void (*)(const char*, char*, size_t);
  using Module = uintptr_t (*)();
  auto hold = reinterpret_cast<Hold>(reinterpret_cast<void*>(GetProcAddress(dll, "HoldModuleSettings")));
  auto drop = reinterpret_cast<void (*)()>(reinterpret_cast<void*>(GetProcAddress(dll, "DropModuleSettings")));
  auto text = reinterpret_cast<Text>(reinterpret_cast<void*>(GetProcAddress(dll, "HeldSettingText")));
  auto reporter = reinterpret_cast<Module>(reinterpret_cast<void*>(GetProcAddress(dll, "LibraryReporterModule")));
  ASSERT_TRUE(hold && drop && text && reporter);
  const uintptr_t lib = reinterpret_cast<uintptr_t>(dll);
  EXPECT_EQ(reporter(), lib);
  EXPECT_EQ(quor::ReporterModule(), Exe());

  {
    // The library's record, read by the library's copy, is the one this copy finds.
    quor::ModuleSettingsRecord* record = hold(lib);
    auto s = quor::CreateModuleSettings(lib);
    EXPECT_EQ(s->Record(), record);
    EXPECT_EQ(record->refCount, 2u);
    ASSERT_TRUE(s->SetMailSubj("changed here"));  // not in any resource: seen only if shared
    char buf[64];
    text("MailSubj", buf, sizeof buf);
    EXPECT_STREQ(buf, "changed here");
    // Own values, the main's stored values and the main's built-ins.
    EXPECT_EQ(s->SmtpPort(), 2525);
    EXPECT_EQ(s->SmtpPassword(), "library secret");
    EXPECT_EQ(s->BugRepFile(), "bugreport.log");
    EXPECT_EQ(s->AutoDelay(), 60);
    EXPECT_EQ(s->TitleBar(), "quorSharedSettings_test.exe");
    EXPECT_EQ(s->BitFaultMsg(), "The file \"quorSettingsTestDll.dll\" seems to be corrupt!");
    drop();
  }
  {
    // The executable's record too.
    quor::ModuleSettingsRecord* record = hold(Exe());
    EXPECT_EQ(quor::CreateModuleSettings(Exe())->Record(), record);
    drop();
  }
  FreeLibrary(dll);
}

TEST_F(SharedSettings, LastReleaseFreesTheRecordAndReloadRereads) {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  {
    auto s = quor::CreateModuleSettings(reinterpret_cast<uintptr_t>(kernel));
    EXPECT_FALSE(s->Valid());
    EXPECT_FALSE(s->SetAutoDelay(3));
    EXPECT_EQ(s->AutoDelay(), 60);  // inherited from the main
  }
  auto s = quor::CreateModuleSettings(Exe());
  ASSERT_TRUE(s->SetAutoDelay(5));
  EXPECT_EQ(quor::CreateModuleSettings(Exe())->AutoDelay(), 5);
  s->Reload();
  EXPECT_EQ(s->AutoDelay(), 60);
  EXPECT_EQ(s->BugRepFile(), "bugreport.log");
}

const char* g_versionText = "3.1 beta";

TEST_F(SharedSettings, VersionVariableGivesTheVersionText) {
  auto main = quor::CreateModuleSettings(Exe());
  const int32_t offset = int32_t(reinterpret_cast<uintptr_t>(&g_versionText) - Exe());
  ASSERT_TRUE(main->SetIntValue("VersionVar", offset));
  EXPECT_EQ(quor::CreateModuleSettings(Exe())->Version(), "3.1 beta");
  EXPECT_EQ(quor::ExpandPlaceholders(Exe(), "v%APPVERSION%", "", ""), "v3.1 beta");
  ASSERT_TRUE(main->SetIntValue("VersionVar", int32_t(0x7FFF0000 - Exe())));  // unreadable
  EXPECT_EQ(quor::CreateModuleSettings(Exe())->Version(), "");
  EXPECT_EQ(quor::ExpandPlaceholders(Exe(), "%modversion%", "", ""), "?");  // no version resource
  ASSERT_TRUE(main->SetIntValue("VersionVar", 0));
}

TEST_F(SharedSettings, LookupsByAddressAndCallerFindTheExecutable) {
  const uintptr_t here = reinterpret_cast<uintptr_t>(&Exe);
  EXPECT_EQ(quor::SettingsForAddress(here)->Module(), Exe());
  EXPECT_EQ(quor::SettingsForCaller()->Module(), Exe());
  EXPECT_EQ(quor::SettingsForAddress(0)->Module(), Exe());  // nothing there: the reporter's module
  ASSERT_TRUE(quor::FindDeferredSettings());
  EXPECT_EQ(quor::FindDeferredSettings()->Module(), Exe());
}

}  // namespace
