// Sorvenal.exe as built: a 32-bit GUI executable that needs nothing but
// system DLLs, with its version resource, icon and stored layout.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "toolkit/Tpf0.h"
#include "toolkit/WinText.h"

#ifndef SORVENAL_EXE
#error "SORVENAL_EXE names the product to check"
#endif

namespace {

class ProductTest : public testing::Test {
protected:
  void SetUp() override {
    module_ = LoadLibraryExW(tk::Wide(SORVENAL_EXE).c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(module_, nullptr) << SORVENAL_EXE;
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  const IMAGE_NT_HEADERS32* Headers() const {
    const auto* base = reinterpret_cast<const uint8_t*>(module_);
    return reinterpret_cast<const IMAGE_NT_HEADERS32*>(base +
                                                       reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  }
  HMODULE module_ = nullptr;
};

TEST_F(ProductTest, ThirtyTwoBitGuiExecutable) {
  EXPECT_EQ(Headers()->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
  EXPECT_EQ(Headers()->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
  EXPECT_EQ(Headers()->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

TEST_F(ProductTest, ImportsOnlySystemLibraries) {
  static const std::set<std::string> kSystem = {
      "kernel32.dll", "user32.dll",   "gdi32.dll",  "comdlg32.dll", "msimg32.dll",  "advapi32.dll", "shell32.dll",
      "msvcrt.dll",   "ole32.dll",    "ws2_32.dll", "wsock32.dll",  "comctl32.dll", "version.dll",  "winspool.drv",
      "shlwapi.dll",  "oleaut32.dll", "imm32.dll",  "psapi.dll",    "dbghelp.dll",
  };
  const auto* base = reinterpret_cast<const uint8_t*>(module_);
  const auto& dir = Headers()->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  ASSERT_NE(dir.VirtualAddress, 0u);
  std::vector<std::string> names;
  for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d) {
    std::string name = reinterpret_cast<const char*>(base + d->Name);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    names.push_back(name);
  }
  EXPECT_FALSE(names.empty());
  for (const auto& n : names) EXPECT_TRUE(kSystem.count(n)) << "imports " << n;
}

TEST_F(ProductTest, VersionResource) {
  HRSRC res = FindResourceW(module_, MAKEINTRESOURCEW(1), RT_VERSION);
  ASSERT_NE(res, nullptr);
  const void* data = LockResource(LoadResource(module_, res));
  std::vector<uint8_t> copy(static_cast<const uint8_t*>(data),
                            static_cast<const uint8_t*>(data) + SizeofResource(module_, res));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueW(copy.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(copy.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &len));
  ASSERT_EQ(len, 4u);
  EXPECT_EQ(translation[0], 1049);
  EXPECT_EQ(translation[1], 1251);
  for (const wchar_t* key : {L"CompanyName", L"FileDescription", L"FileVersion", L"ProductName", L"ProductVersion"}) {
    wchar_t* value = nullptr;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041904E3\\") + key;
    if (VerQueryValueW(copy.data(), path.c_str(), reinterpret_cast<void**>(&value), &len))
      EXPECT_EQ(std::wstring(value ? value : L""), L"") << tk::Narrow(key);
  }
}

TEST_F(ProductTest, IconHasThreeSizes) {
  HRSRC res = FindResourceW(module_, L"MAINICON", RT_GROUP_ICON);
  ASSERT_NE(res, nullptr);
  const auto* dir = static_cast<const uint8_t*>(LockResource(LoadResource(module_, res)));
  const int count = dir[4] | (dir[5] << 8);
  std::set<int> sizes;
  for (int i = 0; i < count; ++i) sizes.insert(dir[6 + 14 * i] == 0 ? 256 : dir[6 + 14 * i]);
  EXPECT_EQ(sizes, (std::set<int>{16, 32, 48}));
}

TEST_F(ProductTest, StoredLayoutOfTheMainWindow) {
  HRSRC res = FindResourceW(module_, L"TFORM_MAIN", MAKEINTRESOURCEW(10));
  ASSERT_NE(res, nullptr);
  const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(module_, res)));
  const tpf0::Object form = tpf0::Read({bytes, SizeofResource(module_, res)});
  EXPECT_EQ(form.className, "Tform_main");
  EXPECT_EQ(form.name, "form_main");
  std::vector<std::string> order;
  for (const auto& c : form.children) order.push_back(c.name);
  EXPECT_EQ(order, (std::vector<std::string>{"sPanel1", "sPanel2", "sMemo1", "sSkinManager1", "sSkinProvider1"}));
}

TEST_F(ProductTest, ReportSettingsResource) {
  HRSRC res = FindResourceW(module_, L"TQUOREXCEPT", MAKEINTRESOURCEW(10));
  ASSERT_NE(res, nullptr);
  const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(module_, res)));
  const tpf0::Object settings = tpf0::Read({bytes, SizeofResource(module_, res)});
  EXPECT_EQ(settings.className, "TQuorExcept");
  EXPECT_EQ(settings.name, "QuorExcept");
  EXPECT_EQ(settings.props.size(), 120u);
}

// The debug information lives in a debug file beside the program: what a
// user gets and the loader maps at every start is the program alone.
TEST_F(ProductTest, CarriesNoDebugInformation) {
  constexpr uint64_t kMaxProgramBytes = 8u << 20;
  WIN32_FILE_ATTRIBUTE_DATA file{};
  ASSERT_TRUE(GetFileAttributesExW(tk::Wide(SORVENAL_EXE).c_str(), GetFileExInfoStandard, &file));
  EXPECT_LE(uint64_t{file.nFileSizeHigh} << 32 | file.nFileSizeLow, kMaxProgramBytes);
  std::string debug = SORVENAL_EXE;
  debug.replace(debug.rfind(".exe"), 4, ".debug");
  EXPECT_NE(GetFileAttributesW(tk::Wide(debug).c_str()), INVALID_FILE_ATTRIBUTES) << debug;
}

}  // namespace
