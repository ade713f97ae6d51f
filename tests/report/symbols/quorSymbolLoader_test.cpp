// The order of a module's symbol sources and the minimal-symbol hand-over.
#include "report/symbols/quorSymbolLoader.h"

#include <gtest/gtest.h>

#include <map>

#include "report/symbols/quorCompactSymbols.h"
#include "report/symbols/quorMapText.h"

namespace quor {
namespace {

constexpr uint32_t kCode = 0x401000;

class TFakeSources : public ISymbolSources {
public:
  std::string resource;
  std::map<std::string, std::string> files;
  std::string minDebugInfo;

  bool Resource(std::string& data) const override {
    data = resource;
    return !resource.empty();
  }
  bool ReadFile(const std::string& path, std::string& data) const override {
    auto it = files.find(path);
    if (it == files.end()) return false;
    data = it->second;
    return true;
  }
  std::string MinDebugInfo() const override { return minDebugInfo; }
};

TMapFile Named(const char* name) {
  TMapFile map;
  map.Segments = {{1, 1, kCode, 0x100, "Unit.cpp", 0}};
  map.Publics = {{1, 1, name, kCode + 4}};
  return map;
}

std::string FirstName(TFakeSources& sources) {
  TMapFile map;
  map.FileName = "C:\\app.dir\\Sorvenal.exe";
  map.CodeStart = kCode;
  if (!LoadSymbols(map, sources)) return "";
  return map.Publics.empty() ? "(none)" : map.Publics[0].Name;
}

TEST(LoadSymbols, SourcesInTheirOrder) {
  const std::string resource = WriteCompactSymbols(Named("FromResource"), kCode);
  const std::string mapText = WriteMapText(Named("FromMap"), kCode);
  const std::string quor = WriteCompactSymbols(Named("FromQuor"), kCode);
  struct Case {
    bool resource, map, quor;
    const char* expected;
  } cases[] = {{true, true, true, "FromResource"},
               {false, true, true, "FromMap"},
               {false, false, true, "FromQuor"},
               {false, false, false, ""}};
  for (const Case& c : cases) {
    TFakeSources sources;
    if (c.resource) sources.resource = resource;
    if (c.map) sources.files["C:\\app.dir\\Sorvenal.map"] = mapText;
    if (c.quor) sources.files["C:\\app.dir\\Sorvenal.quor"] = quor;
    EXPECT_EQ(FirstName(sources), c.expected);
  }
}

TEST(LoadSymbols, BrokenSourceFallsThroughToTheNext) {
  TFakeSources sources;
  sources.resource = "QuorSymbolData but nothing else";
  sources.files["C:\\app.dir\\Sorvenal.map"] = "not a map";
  sources.files["C:\\app.dir\\Sorvenal.quor"] = WriteCompactSymbols(Named("FromQuor"), kCode);
  EXPECT_EQ(FirstName(sources), "FromQuor");
}

TEST(LoadSymbols, MinimalSymbolsAndTheirFullFile) {
  const std::string minimal = WriteCompactSymbols(Named("Full"), kCode, {true, 0xAB, 0xCD});
  const std::string full = WriteCompactSymbols(Named("Full"), kCode, {false, 0xAB, 0xCD});
  const std::string setting = MinDebugInfoText(uint32_t(full.size()), 0xAB, 0xCD);
  ASSERT_EQ(setting.size(), 31u);

  struct Case {
    std::string setting;
    bool withFullFile;
    const char* expected;
    bool minimalText;
  } cases[] = {{setting, true, "Full", false},      // the matching full file is loaded instead
               {setting, false, "public%0", true},  // no full file: generated names
               {MinDebugInfoText(uint32_t(full.size()) + 1, 0xAB, 0xCD), true, "public%0", true},  // length differs
               {"", false, "", false},  // no setting: a mismatch, the form counts as absent
               {MinDebugInfoText(0, 0xAB, 0xCE), false, "", false}};  // other words: a mismatch
  for (const Case& c : cases) {
    TFakeSources sources;
    sources.resource = minimal;
    sources.minDebugInfo = c.setting;
    if (c.withFullFile) sources.files["C:\\app.dir\\Sorvenal.quor"] = full;
    TMapFile map;
    map.FileName = "C:\\app.dir\\Sorvenal.exe";
    map.CodeStart = kCode;
    const bool loaded = LoadSymbols(map, sources);
    SCOPED_TRACE(c.setting);
    EXPECT_EQ(loaded ? map.Publics.at(0).Name : "", c.expected);
    EXPECT_EQ(!map.MinDebugInfo.empty(), c.minimalText);
  }
}

TEST(ChangeFileExtension, ReplacesOnlyTheLastComponentsExtension) {
  EXPECT_EQ(ChangeFileExtension("C:\\a.b\\prog.exe", ".map"), "C:\\a.b\\prog.map");
  EXPECT_EQ(ChangeFileExtension("C:\\a.b\\prog", ".map"), "C:\\a.b\\prog.map");
  EXPECT_EQ(ChangeFileExtension("lib.dll", ".quor"), "lib.quor");
}

}  // namespace
}  // namespace quor
