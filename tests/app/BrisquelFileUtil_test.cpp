#include "app/BrisquelFileUtil.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <winioctl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/WinHandle.h"
#include "toolkit/SysUtils.h"
#include "toolkit/WinText.h"

namespace {

class FileWordSumTest : public testing::Test {
protected:
  void SetUp() override {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    path_ = tk::Narrow(dir) + "fws_" + std::to_string(GetCurrentProcessId()) + ".bin";
  }
  void TearDown() override { DeleteFileW(tk::Wide(path_).c_str()); }

  void Write(const std::vector<uint8_t>& bytes) {
    FILE* f = _wfopen(tk::Wide(path_).c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
  }

  // A file of `length` bytes whose word at byte offset 4*i holds i + 1
  // (bytes of a trailing partial word are 0xEE).
  void WriteCounting(size_t length) {
    std::vector<uint8_t> bytes(length, 0xEE);
    for (size_t i = 0; (i + 1) * 4 <= length; ++i) {
      const uint32_t v = static_cast<uint32_t>(i + 1);
      for (int k = 0; k < 4; ++k) bytes[4 * i + k] = static_cast<uint8_t>(v >> (8 * k));
    }
    Write(bytes);
  }

  // The sum of words first..first+count-1 of a counting file: (i+1) each.
  static uint32_t CountingSum(uint32_t first, uint32_t count) {
    uint32_t s = 0;
    for (uint32_t i = first; i < first + count; ++i) s += i + 1;
    return s;
  }

  std::string path_;
};

TEST_F(FileWordSumTest, SumsTheMiddleWordsByLength) {
  const struct {
    size_t length;
    uint32_t first, count;
  } cases[] = {
      {4, 0, 0},        {7, 0, 0},
      {8, 1, 0},        {11, 1, 0},
      {12, 1, 1},       {15, 1, 1},
      {16, 2, 1},       {19, 2, 1},
      {20, 2, 2},       {4000, 500, 499},
      {4003, 500, 499}, {4004, 500, 500},
      {4008, 501, 500}, {1 << 20, (1 << 20) / 8, 500},
  };
  for (const auto& c : cases) {
    WriteCounting(c.length);
    EXPECT_EQ(FileWordSum(path_), CountingSum(c.first, c.count)) << c.length;
  }
}

TEST_F(FileWordSumTest, FilesShorterThanOneWordAreARangeError) {
  for (size_t length = 0; length < 4; ++length) {
    WriteCounting(length);
    try {
      FileWordSum(path_);
      ADD_FAILURE() << length;
    } catch (const tk::ERangeError& e) {
      EXPECT_EQ(e.Message(), "Range check error");
    }
  }
}

TEST_F(FileWordSumTest, OnlyTheMiddleBytesCount) {
  // 12 bytes: the second word alone.
  Write({0xFF, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF});
  EXPECT_EQ(FileWordSum(path_), 0x12345678u);
  // 20 bytes: bytes 8..15 only; the rest does not matter.
  std::vector<uint8_t> twenty(20, 0xAB);
  for (int i = 8; i < 16; ++i) twenty[i] = 0;
  twenty[8] = 1;
  twenty[12] = 2;
  Write(twenty);
  EXPECT_EQ(FileWordSum(path_), 3u);
  // A tail of 1 to 3 bytes changes nothing.
  for (int extra = 1; extra <= 3; ++extra) {
    auto longer = twenty;
    longer.insert(longer.end(), extra, 0x5A);
    Write(longer);
    EXPECT_EQ(FileWordSum(path_), 3u) << extra;
  }
}

TEST_F(FileWordSumTest, SumWrapsModulo2To32) {
  // 16 bytes: N = 4, S = 2, C = 1 ... use 20 bytes for two words.
  Write({0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(FileWordSum(path_), 1u);
}

TEST_F(FileWordSumTest, SharingDecidesWhetherAnOpenFileCanBeRead) {
  WriteCounting(20);
  {
    base::FileHandle writer(CreateFileW(tk::Wide(path_).c_str(), GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer);
    EXPECT_EQ(FileWordSum(path_), CountingSum(2, 2));
  }
  base::FileHandle exclusive(CreateFileW(tk::Wide(path_).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(exclusive);
  try {
    FileWordSum(path_);
    ADD_FAILURE();
  } catch (const tk::EInOutError& e) {
    EXPECT_EQ(e.ErrorCode(), 32);
    EXPECT_EQ(e.Message(), "I/O error 32");
  }
  exclusive.reset();
}

TEST_F(FileWordSumTest, MissingFilesAndPaths) {
  const struct {
    std::string name;
    int code;
    const char* message;
  } cases[] = {
      {path_ + ".missing", 2, "File not found"},
      {path_ + ".nodir\\x.bin", 3, "Invalid filename"},
  };
  for (const auto& c : cases) {
    try {
      FileWordSum(c.name);
      ADD_FAILURE() << c.name;
    } catch (const tk::EInOutError& e) {
      EXPECT_EQ(e.ErrorCode(), c.code) << c.name;
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST_F(FileWordSumTest, TheFileIsClosedOnEveryPath) {
  // After a success and after a range error the file can be deleted at once.
  WriteCounting(20);
  FileWordSum(path_);
  EXPECT_TRUE(DeleteFileW(tk::Wide(path_).c_str()));
  WriteCounting(2);
  EXPECT_THROW(FileWordSum(path_), tk::ERangeError);
  EXPECT_TRUE(DeleteFileW(tk::Wide(path_).c_str()));
}

TEST_F(FileWordSumTest, NamesWithCharactersOutsideTheCodePage) {
  const std::string odd = path_ + ".\xD0\x9F\xD1\x80\xD0\xB8 \xE2\x82\xAC #%&.bin";  // Cyrillic, euro, blanks
  FILE* f = _wfopen(tk::Wide(odd).c_str(), L"wb");
  ASSERT_NE(f, nullptr);
  const uint8_t twelve[12] = {0, 0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0};
  fwrite(twelve, 1, 12, f);
  fclose(f);
  EXPECT_EQ(FileWordSum(odd), 7u);
  DeleteFileW(tk::Wide(odd).c_str());
}

TEST_F(FileWordSumTest, FourGigabyteFilesUseTheirFullLength) {
  // A sparse file of 4 GiB + 16 bytes: N = 2^30 + 4, S = 2^29 + 2; the 500
  // words from byte offset 2^31 + 8 are zero except one we place there.
  base::FileHandle h(
      CreateFileW(tk::Wide(path_).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(h);
  DWORD ignored;
  DeviceIoControl(h.get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
  LARGE_INTEGER at;
  at.QuadPart = (1LL << 31) + 8;
  SetFilePointerEx(h.get(), at, nullptr, FILE_BEGIN);
  const uint32_t word = 0xC0FFEE;
  WriteFile(h.get(), &word, 4, &ignored, nullptr);
  at.QuadPart = (4LL << 30) + 16;
  SetFilePointerEx(h.get(), at, nullptr, FILE_BEGIN);
  const bool sized = SetEndOfFile(h.get());
  h.reset();
  if (!sized) GTEST_SKIP() << "no room for a sparse 4 GiB file";
  EXPECT_EQ(FileWordSum(path_), 0xC0FFEEu);
}

}  // namespace
