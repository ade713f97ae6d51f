// The effect label's shadow: blur and tint for the main window's result
// label (about 120 x 30 pixels, 4 passes, the default) and for a label
// across the whole window with the most passes a skin may ask for. The
// shadow is rebuilt at every paint of the label: the result label's should
// take well under a millisecond in the release build.
#include <benchmark/benchmark.h>

#include <vector>

#include "skin/sLabelShadow.h"
#include "skin/sShadowLimits.h"

namespace {

// White-on-black "text": short vertical strokes, as glyphs leave them.
std::vector<uint8_t> Strokes(int32_t w, int32_t h) {
  std::vector<uint8_t> m(static_cast<size_t>(w) * h, 0);
  for (int32_t y = h / 4; y < h - h / 4; ++y)
    for (int32_t x = 2; x < w - 2; x += 5) m[static_cast<size_t>(y) * w + x] = m[static_cast<size_t>(y) * w + x + 1] = 255;
  return m;
}

void BM_LabelShadow(benchmark::State& state) {
  const int32_t w = static_cast<int32_t>(state.range(0)), h = static_cast<int32_t>(state.range(1));
  const int32_t passes = static_cast<int32_t>(state.range(2));
  const std::vector<uint8_t> text = Strokes(w, h);
  std::vector<uint8_t> picture(static_cast<size_t>(w) * h * 4, 0xC0);
  skin::TsShadowBlur blur;
  for (auto _ : state) {
    blur.Blur({text.data(), w, h, w, 1}, passes);
    blur.Compose(picture.data(), static_cast<ptrdiff_t>(w) * 4, 4, 0);
    benchmark::ClobberMemory();
  }
  state.counters["Mpixel/s"] = benchmark::Counter(static_cast<double>(w) * h * static_cast<double>(state.iterations()) / 1e6,
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LabelShadow)->Args({120, 30, 4})->Args({771, 40, skin::kMaxShadowBlur});

}  // namespace

BENCHMARK_MAIN();
