// The codecs against independent implementations: Python's zlib and base64
// modules read what ours write (native build).
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "report/codec/quorBase64.h"
#include "report/codec/quorZip.h"

namespace {

std::string Hex(const void* data, size_t n) {
  static const char kDigits[] = "0123456789abcdef";
  std::string s;
  for (size_t i = 0; i < n; ++i) {
    const unsigned char b = static_cast<const unsigned char*>(data)[i];
    s += kDigits[b >> 4];
    s += kDigits[b & 15];
  }
  return s.empty() ? "00" : s;  // "00" never matches an empty input: see Inputs()
}

std::string BigEndian(uint32_t v) {
  const unsigned char b[4] = {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
  return Hex(b, 4);
}

std::vector<std::string> Inputs() {
  std::mt19937 gen(5);
  std::vector<std::string> inputs = {"a", "123456789", std::string(100000, 'x')};
  for (size_t size : {1u, 2u, 3u, 57u, 4096u, 70000u}) {
    std::string noise(size, '\0');
    for (auto& c : noise) c = char(gen());
    inputs.push_back(noise);
  }
  std::string text;
  while (text.size() < 200000) text += "00401a2c +0012 Sorvenal.exe formmain 112 Button_CalculateCheckSumClick\r\n";
  inputs.push_back(text);
  return inputs;
}

TEST(CodecCrossCheck, PythonReadsWhatWeWrite) {
  const std::string path = testing::TempDir() + "codec_crosscheck_cases.txt";
  {
    std::ofstream cases(path);
    for (const std::string& in : Inputs()) {
      const std::string hexIn = Hex(in.data(), in.size());
      std::vector<uint8_t> packed(quor::DeflateCapacity(uint32_t(in.size())));
      const int n = quor::DeflateBuffer(in.data(), packed.data(), uint32_t(in.size()), uint32_t(packed.size()));
      ASSERT_GT(n, 0);
      cases << "deflate " << hexIn << " " << Hex(packed.data(), size_t(n)) << "\n";
      // PNG's framing: a zlib header for a 32 KB window and the fastest level,
      // the raw stream, then the Adler-32 of the data, most significant first.
      cases << "zlib " << hexIn << " 7801" << Hex(packed.data(), size_t(n))
            << BigEndian(quor::Adler32Sum(in.data(), in.size())) << "\n";
      cases << "crc32 " << hexIn << " " << BigEndian(~quor::Crc32Update(0xFFFFFFFFu, in.data(), in.size())) << "\n";
      cases << "adler32 " << hexIn << " " << BigEndian(quor::Adler32Sum(in.data(), in.size())) << "\n";
      const std::string b64 = quor::Base64Encode(in);
      cases << "base64 " << hexIn << " " << Hex(b64.data(), b64.size()) << "\n";
    }
  }
  const std::string command = "python3 " CODEC_CROSSCHECK_SCRIPT " " + path + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[256];
  while (size_t got = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
  EXPECT_EQ(pclose(pipe), 0) << output;
  EXPECT_EQ(output, "");
  std::remove(path.c_str());
}

}  // namespace
