// The screenshot files against independent readers (native build): pngcheck
// and libpng's pngfix check every PNG, Pillow decodes them and our BMP of the
// same picture and compares palettes and pixels (png_crosscheck.py).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "report/screenshot/quorBmpFile.h"
#include "report/screenshot/quorColorPng.h"
#include "report/screenshot/quorGreyPng.h"
#include "tests/report/screenshot/NVPixelsFixture.h"

namespace {

using quor::TRgb;

// Runs `command`; its exit status and what it printed.
int RunCommand(const std::string& command, std::string& output) {
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return -1;
  char buffer[256];
  while (size_t got = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
  return pclose(pipe);
}

void Save(const std::filesystem::path& path, const quor::NVBytesResult& file) {
  ASSERT_EQ(file.status, quor::NVImageStatus::kOk) << path;
  std::ofstream(path, std::ios::binary) << file.bytes;
}

TEST(PngCrossCheck, IndependentReadersAgree) {
  const TRgb three[] = {{200, 10, 77}, {0, 128, 128}, {250, 250, 250}};
  const auto cycle = [&](uint32_t x, uint32_t y) { return three[(x + y) % 3]; };
  const struct {
    const char* name;
    quor::NVPixels picture;
    bool exact;  // at most 256 colours, each in a histogram cell of its own
  } cases[] = {
      {"one_pixel", fixture::Picture(1, 1, cycle), true},
      {"column", fixture::Picture(1, 2000, cycle), true},
      {"row", fixture::Picture(2000, 1, cycle), true},
      {"odd_width", fixture::Picture(7, 3, cycle), true},
      {"colours_256",
       fixture::Picture(16, 16,
                        [](uint32_t x, uint32_t y) {
                          const uint32_t i = y * 16 + x;
                          return TRgb{uint8_t((i & 7) * 36), uint8_t((i >> 3 & 7) * 36), uint8_t((i >> 6) * 80)};
                        }),
       true},
      {"desktop", fixture::DesktopPicture(320, 240), false},
  };
  const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "png_crosscheck";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  {
    std::ofstream list(folder / "cases");
    for (const auto& c : cases) {
      const quor::NVPixelView view = c.picture.View();
      Save(folder / (std::string(c.name) + ".bmp"), quor::NVPixelsAsBmp(view));
      Save(folder / (std::string(c.name) + "_color.png"), quor::ColorPng(view));
      Save(folder / (std::string(c.name) + "_grey.png"), quor::GreyPng(view));
      list << c.name << (c.exact ? " exact\n" : " approx\n");
    }
  }
  for (const auto& c : cases)
    for (const char* kind : {"_color.png", "_grey.png"}) {
      const std::string png = (folder / (std::string(c.name) + kind)).string();
      std::string output;
      EXPECT_EQ(RunCommand("pngcheck -q " + png, output), 0) << output;
      // pngfix's exit status is a mask of the problems found; 0 is none.
      EXPECT_EQ(RunCommand("pngfix -q " + png, output), 0) << output;
    }
  std::string output;
  EXPECT_EQ(RunCommand(PNG_CROSSCHECK_PYTHON " " PNG_CROSSCHECK_SCRIPT " " + folder.string(), output), 0) << output;
  EXPECT_EQ(output, "");
  std::filesystem::remove_all(folder);
}

}  // namespace
