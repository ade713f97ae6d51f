// The screenshot encoders on a 1280 x 1024 desktop-like picture (flat
// areas, text-like strokes, gradients): Wu's quantizer alone (palette and
// the index of every pixel; goal: under 30 ms), the whole 256-colour and
// grey PNG (time, and the file size as a counter), and the thumbnail zoom.
//
// Comparison with Pillow's quantize() and save(optimize=True) on the same
// picture:
//   quorScreenshot_bench --save_picture=/tmp/desktop.bmp
//   /usr/bin/python3 bench/pillow_png_compare.py /tmp/desktop.bmp
// (goal: within 1.5 times Pillow's time and at most 1.1 times its size).
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <vector>

#include "report/screenshot/quorBmpFile.h"
#include "report/screenshot/quorColorPng.h"
#include "report/screenshot/quorGreyPng.h"
#include "report/screenshot/quorMitchellZoom.h"
#include "report/screenshot/quorPaletteIndex.h"
#include "report/screenshot/quorWuQuantizer.h"
#include "tests/report/screenshot/NVPixelsFixture.h"

namespace {

constexpr uint32_t kScreenWidth = 1280, kScreenHeight = 1024;

const quor::NVPixels& Desktop() {
  static const quor::NVPixels picture = fixture::DesktopPicture(kScreenWidth, kScreenHeight);
  return picture;
}

void BM_WuQuantize(benchmark::State& state) {
  const quor::NVPixelView view = Desktop().View();
  std::vector<uint8_t> indexes(size_t(view.width) * view.height);
  for (auto _ : state) {
    const quor::TWuPalette palette = quor::WuPalette(view);
    quor::TPaletteIndex index(std::span<const quor::TRgb>(palette.colors.data(), palette.count));
    uint8_t* out = indexes.data();
    for (uint32_t y = 0; y < view.height; ++y) {
      const uint8_t* p = view.TopRow(y);
      for (uint32_t x = 0; x < view.width; ++x, p += quor::kNVBytesPerPixel)
        *out++ = index.Index(p[quor::kNVRed], p[quor::kNVGreen], p[quor::kNVBlue]);
    }
    benchmark::DoNotOptimize(indexes.data());
  }
}

void Encode(benchmark::State& state, quor::NVBytesResult (*encoder)(const quor::NVPixelView&)) {
  size_t size = 0;
  for (auto _ : state) size = encoder(Desktop().View()).bytes.size();
  state.counters["png_bytes"] = double(size);
}

void BM_ColorPng(benchmark::State& state) { Encode(state, quor::ColorPng); }
void BM_GreyPng(benchmark::State& state) { Encode(state, quor::GreyPng); }

void BM_ZoomThumbnail(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(quor::ZoomNVPixels(Desktop().View(), {200, 200}));
}

BENCHMARK(BM_WuQuantize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColorPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GreyPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomThumbnail)->Unit(benchmark::kMillisecond);

// --save_picture=FILE writes the picture as a BMP file and exits.
bool SavePicture(int argc, char** argv) {
  constexpr const char kOption[] = "--save_picture=";
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], kOption, sizeof kOption - 1) != 0) continue;
    const std::string bmp = quor::NVPixelsAsBmp(Desktop().View()).bytes;
    std::ofstream(argv[i] + sizeof kOption - 1, std::ios::binary) << bmp;
    return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (SavePicture(argc, argv)) return 0;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
