// Activating the internal skins (layout already read: the stored skins are
// in memory), loading the same skins from their folders, and the cost of
// image look-ups with inheritance.
#include <benchmark/benchmark.h>

#include "skin/sSkinLoader.h"
#include "tools/SkinFolder.h"

namespace {

const std::string kSkins = std::string(SORVENAL_SOURCE_DIR) + "/resources/skins";
const char* const kNames[] = {"GrayPlastic", "Neutral", "Office12Style"};

const skin::TsStoredSkins& Stored() {
  static const skin::TsStoredSkins skins =
      skinfolder::ReadSkinFolders({kSkins + "/GrayPlastic", kSkins + "/Neutral", kSkins + "/Office12Style"});
  return skins;
}

void BM_ActivateInternalSkin(benchmark::State& state) {
  skin::TsSkinTables t;
  for (auto _ : state) {
    skin::TsSkinLoadRequest r;
    r.SkinName = std::string(kNames[state.range(0)]) + " (internal)";
    r.SkinDirectory = "/nonexistent/";
    r.InternalSkins = &Stored();
    skin::LoadSkinTables(r, skin::TsSkinFiles(), t);
    benchmark::DoNotOptimize(t.ma.data());
  }
  state.SetLabel(kNames[state.range(0)]);
}
BENCHMARK(BM_ActivateInternalSkin)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_LoadSkinFolder(benchmark::State& state) {
  skin::TsSkinTables t;
  for (auto _ : state) {
    skin::TsSkinLoadRequest r;
    r.SkinName = kNames[state.range(0)];
    r.SkinDirectory = kSkins + "/";
    skin::LoadSkinTables(r, skin::TsSkinFiles(), t);
    benchmark::DoNotOptimize(t.ma.data());
  }
  state.SetLabel(kNames[state.range(0)]);
}
BENCHMARK(BM_LoadSkinFolder)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_GetMaskIndex(benchmark::State& state) {
  skin::TsSkinTables t;
  skin::TsSkinLoadRequest r;
  r.SkinName = "Office12Style";
  r.SkinDirectory = kSkins + "/";
  skin::LoadSkinTables(r, skin::TsSkinFiles(), t);
  const int32_t tool = t.GetSkinIndex("TOOLBUTTON");  // inherits from SPEEDBUTTON
  const int32_t edit = t.GetSkinIndex("EDIT");
  for (auto _ : state) {
    benchmark::DoNotOptimize(t.GetMaskIndex(tool, "TOOLBUTTON", "BORDERSMASK"));
    benchmark::DoNotOptimize(t.GetMaskIndex(edit, "EDIT", "BORDERSMASK"));
    benchmark::DoNotOptimize(t.GetMaskIndex(edit, "EDIT", "NOSUCHROLE"));
  }
  state.SetItemsProcessed(3 * state.iterations());
}
BENCHMARK(BM_GetMaskIndex);

}  // namespace

BENCHMARK_MAIN();
