#include "report/symbols/quorSymbolLoader.h"

#include "report/symbols/quorCompactSymbols.h"
#include "report/symbols/quorMapText.h"

namespace quor {

namespace {

bool LoadCompact(std::string_view data, TMapFile& map, const ISymbolSources& sources) {
  TCompactHeader header;
  if (!ReadCompactHeader(data, header)) return false;
  if (!header.Minimal()) return ReadCompactSymbols(data, map.CodeStart, map);

  // Minimal symbols: the setting names the full symbol file by its length
  // and the two words this header carries too.
  const std::string setting = sources.MinDebugInfo();
  const std::string ownWords = MinDebugInfoText(0, header.Id1, header.Id2).substr(9);
  if (setting.size() != ownWords.size() + 9 || !SameTextIgnoringCase(setting.substr(9), ownWords)) return false;

  std::string full;
  TCompactHeader fullHeader;
  if (sources.ReadFile(ChangeFileExtension(map.FileName, ".quor"), full) && ReadCompactHeader(full, fullHeader) &&
      !fullHeader.Minimal() &&
      SameTextIgnoringCase(MinDebugInfoText(static_cast<uint32_t>(full.size()), fullHeader.Id1, fullHeader.Id2),
                           setting) &&
      ReadCompactSymbols(full, map.CodeStart, map)) {
    map.MinDebugInfo.clear();
    return true;
  }
  if (!ReadCompactSymbols(data, map.CodeStart, map)) return false;
  map.MinDebugInfo = setting;
  return true;
}

void Clear(TMapFile& map) {
  map.Valid = false;
  map.Segments.clear();
  map.Publics.clear();
  map.Lines.clear();
  map.EntryPoint = 0;
  map.MinDebugInfo.clear();
}

}  // namespace

std::string ChangeFileExtension(std::string_view path, std::string_view extension) {
  const size_t folder = path.find_last_of("\\/");
  const size_t dot = path.rfind('.');
  if (dot != std::string_view::npos && (folder == std::string_view::npos || dot > folder)) path = path.substr(0, dot);
  return std::string(path) + std::string(extension);
}

bool LoadSymbols(TMapFile& map, const ISymbolSources& sources) {
  std::string data;
  if (sources.Resource(data) && LoadCompact(data, map, sources)) return true;
  Clear(map);
  if (sources.ReadFile(ChangeFileExtension(map.FileName, ".map"), data) && ReadMapText(data, map.CodeStart, map))
    return true;
  Clear(map);
  if (sources.ReadFile(ChangeFileExtension(map.FileName, ".quor"), data) && LoadCompact(data, map, sources))
    return true;
  Clear(map);
  return false;
}

}  // namespace quor
