#include "report/codec/quorZipArchive.h"

#include "report/codec/quorZip.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>

namespace {

uint32_t Le(const std::string& s, size_t offset, int width) {
  uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = v << 8 | uint8_t(s.at(offset + i));
  return v;
}

quor::ZipSink AppendTo(std::string& out) {
  return [&out](const void* data, size_t length) {
    out.append(static_cast<const char*>(data), length);
    return true;
  };
}

// 2024-05-17 13:45:30 in MS-DOS form.
constexpr quor::DosTimestamp kStamp{13 << 11 | 45 << 5 | 30 / 2, (2024 - 1980) << 9 | 5 << 5 | 17};

TEST(ZipArchiveWriter, OneEntryLayout) {
  const std::string name = "bugreport.txt";
  const std::string content = "Exception message: Range check error.\r\n" + std::string(200, '=');
  std::string zip;
  quor::ZipArchiveWriter writer(AppendTo(zip));
  ASSERT_TRUE(writer.AddEntry(name, content, kStamp, 0x21));
  ASSERT_TRUE(writer.Finish());

  const size_t n = name.size();
  ASSERT_GT(zip.size(), 98 + 2 * n);
  const size_t packed = zip.size() - 98 - 2 * n;
  const size_t directory = 30 + n + packed;
  const size_t end = directory + 46 + n;
  const uint32_t crc = ~quor::Crc32Update(0xFFFFFFFFu, content.data(), content.size());
  const struct {
    const char* field;
    size_t offset;
    int width;
    uint32_t value;
  } fields[] = {
      {"local signature", 0, 4, 0x04034B50},
      {"local version needed", 4, 2, 20},
      {"local flags", 6, 2, 0},
      {"local method", 8, 2, 8},
      {"local time", 10, 2, kStamp.time},
      {"local date", 12, 2, kStamp.date},
      {"local CRC", 14, 4, crc},
      {"local packed size", 18, 4, uint32_t(packed)},
      {"local size", 22, 4, uint32_t(content.size())},
      {"local name length", 26, 2, uint32_t(n)},
      {"local extra length", 28, 2, 0},
      {"dir signature", directory, 4, 0x02014B50},
      {"dir made by", directory + 4, 2, 20},
      {"dir version needed", directory + 6, 2, 20},
      {"dir flags", directory + 8, 2, 0},
      {"dir method", directory + 10, 2, 8},
      {"dir time", directory + 12, 2, kStamp.time},
      {"dir date", directory + 14, 2, kStamp.date},
      {"dir CRC", directory + 16, 4, crc},
      {"dir packed size", directory + 20, 4, uint32_t(packed)},
      {"dir size", directory + 24, 4, uint32_t(content.size())},
      {"dir name length", directory + 28, 2, uint32_t(n)},
      {"dir extra length", directory + 30, 2, 0},
      {"dir comment length", directory + 32, 2, 0},
      {"dir disk", directory + 34, 2, 0},
      {"dir internal attributes", directory + 36, 2, 0},
      {"dir external attributes", directory + 38, 4, 0x21},
      {"dir local header offset", directory + 42, 4, 0},
      {"end signature", end, 4, 0x06054B50},
      {"end disk", end + 4, 2, 0},
      {"end directory disk", end + 6, 2, 0},
      {"end entries on disk", end + 8, 2, 1},
      {"end entries", end + 10, 2, 1},
      {"end directory size", end + 12, 4, uint32_t(46 + n)},
      {"end directory offset", end + 16, 4, uint32_t(directory)},
      {"end comment length", end + 20, 2, 0},
  };
  for (const auto& f : fields) EXPECT_EQ(Le(zip, f.offset, f.width), f.value) << f.field;
  EXPECT_EQ(zip.substr(30, n), name);
  EXPECT_EQ(zip.substr(directory + 46, n), name);
  std::string back(content.size(), '\0');
  EXPECT_EQ(quor::InflateBuffer(zip.data() + 30 + n, back.data(), uint32_t(packed), uint32_t(back.size())),
            int(content.size()));
  EXPECT_EQ(back, content);
}

TEST(ZipArchiveWriter, NothingAddedOrWriteFailedGivesNoArchive) {
  std::string zip;
  quor::ZipArchiveWriter empty(AppendTo(zip));
  EXPECT_FALSE(empty.Finish());
  EXPECT_EQ(zip, "");

  size_t budget = 40;  // the sink takes the local header, then runs out
  quor::ZipArchiveWriter full([&budget](const void*, size_t length) {
    if (length > budget) return false;
    budget -= length;
    return true;
  });
  EXPECT_FALSE(full.AddEntry("a.txt", std::string(1000, 'a'), kStamp, 0x20));
  EXPECT_FALSE(full.AddEntry("b.txt", "b", kStamp, 0x20));
  EXPECT_FALSE(full.Finish());
}

TEST(ZipEntryName, SendAsNameElseFileNameWithoutFolder) {
  const struct {
    const char* path;
    const char* sendAs;
    const char* name;
  } cases[] = {
      {"C:\\Temp\\App.QuorExcept\\bugreport.log", "", "bugreport.log"},
      {"C:\\Temp\\App.QuorExcept\\bugreport.log", "report.txt", "report.txt"},
      {"C:screenShot.png", "", "screenShot.png"},
      {"/tmp/x/data.bin", "", "data.bin"},
      {"plain.txt", "", "plain.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(quor::ZipEntryName(c.path, c.sendAs), c.name) << c.path;
}

#ifdef QUOR_ZIP_LISTING_SCRIPT
std::string RunCommand(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return "popen failed";
  char buffer[256];
  while (size_t got = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
  output += "exit " + std::to_string(pclose(pipe));
  return output;
}

TEST(ZipArchiveWriter, IndependentReaderAcceptsArchive) {
  std::mt19937 gen(9);
  std::string noise(70000, '\0');
  for (auto& c : noise) c = char(gen());
  const struct {
    std::string name;
    std::string data;
    uint32_t attributes;
  } entries[] = {
      {"report.txt", "line 1\r\nline 2\r\n", 0x20},
      {"screenShot.png", noise, 0x21},
      {"empty.log", "", 0x00},
  };
  const std::string path = testing::TempDir() + "quorZip_listing_" + std::to_string(gen()) + ".zip";
  {
    std::ofstream file(path, std::ios::binary);
    quor::ZipArchiveWriter writer([&file](const void* data, size_t length) {
      return bool(file.write(static_cast<const char*>(data), std::streamsize(length)));
    });
    for (const auto& e : entries) ASSERT_TRUE(writer.AddEntry(e.name, e.data, kStamp, e.attributes));
    ASSERT_TRUE(writer.Finish());
  }
  std::string expected;
  for (const auto& e : entries) {
    char line[200];
    snprintf(line, sizeof line, "%s|%zu|%08x|8|%x|0|2024-05-17 13:45:30\n", e.name.c_str(), e.data.size(),
             ~quor::Crc32Update(0xFFFFFFFFu, e.data.data(), e.data.size()), e.attributes);
    expected += line;
  }
  EXPECT_EQ(RunCommand("python3 " QUOR_ZIP_LISTING_SCRIPT " " + path + " 2>&1"), expected + "exit 0");
  // Info-ZIP's unzip tests every entry's data and CRC, and gives back the exact bytes.
  const std::string tested = RunCommand("unzip -t " + path + " 2>&1");
  EXPECT_NE(tested.find("No errors detected"), std::string::npos) << tested;
  EXPECT_EQ(RunCommand("unzip -p " + path + " report.txt"), std::string("line 1\r\nline 2\r\n") + "exit 0");
  std::remove(path.c_str());
}
#endif

}  // namespace
