#include "report/codec/quorZipFiles.h"

#include "report/codec/quorZip.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/WinHandle.h"

namespace {

uint32_t Le(const std::string& s, size_t offset, int width) {
  uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = v << 8 | uint8_t(s.at(offset + i));
  return v;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

struct Entry {
  std::string name;
  std::string data;
  uint32_t attributes;
  uint16_t time, date;
};

// Reads the archive through its central directory and inflates every entry.
std::vector<Entry> ReadArchive(const std::string& zip) {
  std::vector<Entry> entries;
  const size_t end = zip.size() - 22;
  EXPECT_EQ(Le(zip, end, 4), 0x06054B50u);
  size_t record = Le(zip, end + 16, 4);
  for (uint32_t i = 0; i < Le(zip, end + 10, 2); ++i) {
    EXPECT_EQ(Le(zip, record, 4), 0x02014B50u);
    Entry e;
    const size_t nameLength = Le(zip, record + 28, 2);
    e.name = zip.substr(record + 46, nameLength);
    e.attributes = Le(zip, record + 38, 4);
    e.time = uint16_t(Le(zip, record + 12, 2));
    e.date = uint16_t(Le(zip, record + 14, 2));
    const size_t local = Le(zip, record + 42, 4);
    EXPECT_EQ(zip.substr(local + 30, nameLength), e.name);
    e.data.resize(Le(zip, record + 24, 4));
    const uint32_t packed = Le(zip, record + 20, 4);
    EXPECT_EQ(quor::InflateBuffer(zip.data() + local + 30 + nameLength, e.data.data(), packed, uint32_t(e.data.size())),
              int(e.data.size()))
        << e.name;
    EXPECT_EQ(~quor::Crc32Update(0xFFFFFFFFu, e.data.data(), e.data.size()), Le(zip, record + 16, 4));
    entries.push_back(e);
    record += 46 + nameLength;
  }
  return entries;
}

class WriteZipArchiveTest : public testing::Test {
protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    dir_ = std::string(temp) + "quorZipFiles_test." + std::to_string(GetCurrentProcessId()) + "\\";
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
  }
  void TearDown() override {
    for (const auto& f : created_) {
      SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(f.c_str());
    }
    RemoveDirectoryA(dir_.c_str());
  }
  std::string File(const std::string& name, const std::string& data) {
    const std::string path = dir_ + name;
    std::ofstream(path, std::ios::binary) << data;
    created_.push_back(path);
    return path;
  }
  std::string Path(const std::string& name) {
    created_.push_back(dir_ + name);
    return dir_ + name;
  }

  std::string dir_;
  std::vector<std::string> created_;
};

TEST_F(WriteZipArchiveTest, PacksReadableFilesWithNamesTimesAndAttributes) {
  const std::string report = File("bugreport.log", "Exception message: Range check error.\r\n");
  const std::string shot = File("screenShot.png", std::string(5000, '\x89') + "PNG");
  const std::string locked = File("locked.txt", "kept from others");
  const std::string notPacked = File("after-last.txt", "beyond the last index");
  ASSERT_TRUE(SetFileAttributesA(shot.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  // Opened without any sharing: the archive writer's open fails and skips it.
  base::FileHandle lock(CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock);

  const std::string zip = Path("attachments.zip");
  const bool ok = quor::WriteZipArchive(zip, {report, locked, dir_ + "missing.txt", shot, notPacked}, 3,
                                        {"report.txt", "", "", ""});
  lock.reset();
  ASSERT_TRUE(ok);

  const std::vector<Entry> entries = ReadArchive(ReadAll(zip));
  ASSERT_EQ(entries.size(), 2u);
  const struct {
    const char* name;
    std::string path;
  } expected[] = {{"report.txt", report}, {"screenShot.png", shot}};
  for (size_t i = 0; i < 2; ++i) {
    const Entry& e = entries[i];
    EXPECT_EQ(e.name, expected[i].name);
    EXPECT_EQ(e.data, ReadAll(expected[i].path)) << e.name;
    WIN32_FILE_ATTRIBUTE_DATA info;
    ASSERT_TRUE(GetFileAttributesExA(expected[i].path.c_str(), GetFileExInfoStandard, &info));
    EXPECT_EQ(e.attributes, info.dwFileAttributes) << e.name;
    FILETIME local;
    WORD date = 0, time = 0;
    ASSERT_TRUE(FileTimeToLocalFileTime(&info.ftLastWriteTime, &local));
    ASSERT_TRUE(FileTimeToDosDateTime(&local, &date, &time));
    EXPECT_EQ(e.date, date) << e.name;
    EXPECT_EQ(e.time, time) << e.name;
  }
  EXPECT_EQ(entries[1].attributes & FILE_ATTRIBUTE_READONLY, DWORD(FILE_ATTRIBUTE_READONLY));
}

TEST_F(WriteZipArchiveTest, ArchiveOfUnreadableFilesIsDeleted) {
  const std::string locked = File("locked.txt", "kept from others");
  base::FileHandle lock(CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock);
  const std::string zip = File("old.zip", "an older archive of the same name");
  EXPECT_FALSE(quor::WriteZipArchive(zip, {locked, dir_ + "missing.txt"}, 1, {}));
  lock.reset();
  EXPECT_FALSE(Exists(zip));
}

TEST_F(WriteZipArchiveTest, ArchiveThatCannotBeCreatedFails) {
  const std::string file = File("a.txt", "a");
  EXPECT_FALSE(quor::WriteZipArchive(dir_ + "no such folder\\a.zip", {file}, 0, {}));
  // An archive that someone holds open cannot be overwritten.
  const std::string zip = File("busy.zip", "busy");
  base::FileHandle busy(CreateFileA(zip.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(busy);
  EXPECT_FALSE(quor::WriteZipArchive(zip, {file}, 0, {}));
  busy.reset();
  EXPECT_EQ(ReadAll(zip), "busy");
}

}  // namespace
