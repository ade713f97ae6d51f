// The skin painters on a 771 x 399 area (the main window's client size):
// pixel copies and blends in megapixels per second beside a plain memcpy of
// the same bytes, gradients, and nine-part border images of the internal
// skins' PANEL and BUTTON sections.
#include <benchmark/benchmark.h>

#include <cstring>

#include "skin/sAlphaGraph.h"
#include "skin/sGradient.h"
#include "skin/sGraphUtils.h"
#include "skin/sSkinLoader.h"

namespace {

using skin::TsBitmap24;

constexpr int32_t kW = 771, kH = 399;

// A bitmap of the area with every byte different from its neighbours.
TsBitmap24 Noise(uint32_t seed) {
  TsBitmap24 b(kW, kH);
  for (int32_t y = 0; y < kH; ++y) {
    uint8_t* p = b.ScanLine(y);
    for (int32_t i = 0; i < b.Stride(); ++i) p[i] = static_cast<uint8_t>((seed = seed * 1103515245u + 12345u) >> 24);
  }
  return b;
}

void CountPixels(benchmark::State& state) {
  state.counters["Mpixel/s"] = benchmark::Counter(
      static_cast<double>(kW) * kH * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

void BM_Memcpy(benchmark::State& state) {
  const TsBitmap24 src = Noise(1);
  TsBitmap24 dst(kW, kH);
  const size_t bytes = static_cast<size_t>(src.Stride()) * kH;
  for (auto _ : state) {
    std::memcpy(dst.ScanLine(0), src.Bits(), bytes);
    benchmark::ClobberMemory();
  }
  CountPixels(state);
}
BENCHMARK(BM_Memcpy);

void BM_CopyRect(benchmark::State& state) {
  const TsBitmap24 src = Noise(1);
  TsBitmap24 dst(kW, kH);
  for (auto _ : state) {
    skin::CopyRect(dst, src, 0, 0, {0, 0, kW, kH});
    benchmark::ClobberMemory();
  }
  CountPixels(state);
}
BENCHMARK(BM_CopyRect);

void BM_CopyKeyedRect(benchmark::State& state) {
  TsBitmap24 src = Noise(1), bg = Noise(2), dst(kW, kH);
  for (int32_t y = 0; y < kH; y += 3)
    for (int32_t x = 0; x < kW; x += 5) src.SetPixel(x, y, skin::clFuchsia);
  for (auto _ : state) {
    skin::CopyKeyedRect(dst, src, 0, 0, true, {&bg, 0, 0, true}, skin::clFuchsia, {0, 0, kW, kH});
    benchmark::ClobberMemory();
  }
  CountPixels(state);
}
BENCHMARK(BM_CopyKeyedRect);

void BM_CopyMaskedRect(benchmark::State& state) {
  TsBitmap24 src(kW, 2 * kH), dst = Noise(2);
  const TsBitmap24 noise = Noise(1);
  skin::CopyRect(src, noise, 0, 0, {0, 0, kW, kH});
  skin::CopyRect(src, noise, 0, kH, {0, 0, kW, kH});
  for (auto _ : state) {
    skin::CopyMaskedRect({0, 0, kW, kH}, {0, 0, kW, kH}, dst, kH, false, {}, src);
    benchmark::ClobberMemory();
  }
  CountPixels(state);
}
BENCHMARK(BM_CopyMaskedRect);

void BM_BlendRect(benchmark::State& state) {
  const TsBitmap24 src = Noise(1);
  TsBitmap24 dst = Noise(2);
  for (auto _ : state) {
    skin::BlendRect(dst, src, 100, 0, 0, {0, 0, kW, kH});
    benchmark::ClobberMemory();
  }
  CountPixels(state);
}
BENCHMARK(BM_BlendRect);

// A fade frame: the old and the new picture mixed by one weight.
void BM_BlendBitmaps(benchmark::State& state) {
  const TsBitmap24 first = Noise(1), second = Noise(2);
  TsBitmap24 out(kW, kH);
  for (auto _ : state) {
    skin::BlendBitmaps(out, first, second, 153);
    benchmark::ClobberMemory();
  }
  CountPixels(state);
}
BENCHMARK(BM_BlendBitmaps);

void BM_BlendBitmapsAlphaBitmap(benchmark::State& state) {
  const TsBitmap24 first = Noise(1), second = Noise(2), alpha = Noise(3);
  TsBitmap24 out(kW, kH);
  for (auto _ : state) {
    skin::BlendBitmaps(out, first, second, alpha);
    benchmark::ClobberMemory();
  }
  CountPixels(state);
}
BENCHMARK(BM_BlendBitmapsAlphaBitmap);

// Office12Style's PANEL gradient (top to bottom) and FORM gradient (left to right).
void BM_PaintGradient(benchmark::State& state) {
  const char* data[] = {
      "16776182;14930127;50;0;0;14930127;13940918;6;0;0;13940918;15126980;45;0;0;15126980;15126980;0;0;0",
      "14996948;16250871;52;1;0;16250871;14996948;48;1;0;14996948;14996948;0;1;0"};
  const skin::TsGradArray grad = skin::ParseGradientData(data[state.range(0)]);
  TsBitmap24 dst(kW, kH);
  for (auto _ : state) {
    skin::PaintGradient(dst, {0, 0, kW, kH}, grad);
    benchmark::ClobberMemory();
  }
  state.SetLabel(state.range(0) ? "mode 1" : "mode 0");
  CountPixels(state);
}
BENCHMARK(BM_PaintGradient)->Arg(0)->Arg(1);

const skin::TsSkinTables& Office12() {
  static const skin::TsSkinTables t = [] {
    skin::TsSkinTables tables;
    skin::TsSkinLoadRequest r;
    r.SkinName = "Office12Style";
    r.SkinDirectory = std::string(SORVENAL_SOURCE_DIR) + "/resources/skins/";
    skin::LoadSkinTables(r, skin::TsSkinFiles(), tables);
    return tables;
  }();
  return t;
}

// The nine-part border of a section over the whole area, middle filled:
// PANEL's image has no mask (stretched edges), BUTTON's has one (tiled).
void BM_PaintBorderImage(benchmark::State& state) {
  const skin::TsSkinTables& t = Office12();
  const char* section = state.range(0) ? "BUTTON" : "PANEL";
  const int32_t i = t.GetMaskIndex(t.GetSkinIndex(section), section, "BORDERSMASK");
  if (i < 0) {
    state.SkipWithError("no border image");
    return;
  }
  const TsBitmap24 bg = Noise(2);
  TsBitmap24 dst(kW, kH);
  for (auto _ : state) {
    skin::PaintBorderImage(dst, {0, 0, kW, kH}, true, true, 1, t.ma[i], t.MasterBitmap, {&bg, 0, 0, true});
    benchmark::ClobberMemory();
  }
  state.SetLabel(section);
  CountPixels(state);
}
BENCHMARK(BM_PaintBorderImage)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
