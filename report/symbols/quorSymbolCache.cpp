#include "report/symbols/quorSymbolCache.h"

#include <windows.h>

#include <vector>

#include "base/Address.h"
#include "base/WinHandle.h"
#include "report/settings/quorModulePath.h"
#include "report/settings/quorSettingsResource.h"
#include "report/symbols/quorPeImage.h"
#include "report/symbols/quorSymbolLoader.h"

namespace quor {

ProcNameHook procNameHook = nullptr;
LineNumberHook lineNumberHook = nullptr;

namespace {

struct TCacheEntry {
  uint64_t FileDate = 0;
  std::shared_ptr<const TMapFile> Symbols;
};

// The cache and its lock; traces of several exceptions may look up at once.
struct TSymbolCache {
  CRITICAL_SECTION Lock;
  std::vector<TCacheEntry> Entries;
  TSymbolCache() { InitializeCriticalSection(&Lock); }
};

TSymbolCache& Cache() {
  static TSymbolCache cache;
  return cache;
}

class TLock {
public:
  explicit TLock(CRITICAL_SECTION& lock) : lock_(lock) { EnterCriticalSection(&lock_); }
  ~TLock() { LeaveCriticalSection(&lock_); }

private:
  CRITICAL_SECTION& lock_;
};

bool FileDate(const std::string& path, uint64_t& date) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  date = uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
  return true;
}

std::string ModuleResource(HMODULE module, const char* name, LPCSTR type) {
  HRSRC info = FindResourceA(module, name, type);
  HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  return data ? std::string(static_cast<const char*>(data), SizeofResource(module, info)) : std::string();
}

class TModuleSources : public ISymbolSources {
public:
  explicit TModuleSources(HMODULE module) : module_(module) {}

  bool Resource(std::string& data) const override {
    data = ModuleResource(module_, "EXCEPT", "QUOR");
    return !data.empty();
  }

  bool ReadFile(const std::string& path, std::string& data) const override {
    const base::FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file.get(), &size) && size.QuadPart < 256 * 1024 * 1024;
    if (ok) {
      data.resize(size_t(size.QuadPart));
      DWORD read = 0;
      ok = data.empty() ||
           (::ReadFile(file.get(), data.data(), DWORD(data.size()), &read, nullptr) && read == data.size());
    }
    return ok;
  }

  std::string MinDebugInfo() const override {
    const std::string resource = ModuleResource(module_, "TQUOREXCEPT", MAKEINTRESOURCEA(10));
    if (resource.empty()) return {};
    ModuleSettingsRecord record{};
    const SettingsHeap& heap = CrtSettingsHeap();
    (void)ReadSettingsResource(reinterpret_cast<const uint8_t*>(resource.data()), resource.size(), record, heap);
    const SettingsProperty* property = FindProperty(record, "MinDebugInfo");
    std::string text = property && property->textValue ? property->textValue : "";
    FreeProperties(record, heap);
    return text;
  }

private:
  HMODULE module_;
};

std::shared_ptr<const TMapFile> LoadModule(HMODULE module, const std::string& fileName) {
  auto map = std::make_shared<TMapFile>();
  map->Module = base::AddressOf(module);
  map->FileName = fileName;
  TPeHeaders headers;
  MEMORY_BASIC_INFORMATION page;
  // The headers lie in the image's first committed page.
  if (VirtualQuery(module, &page, sizeof page) && page.State == MEM_COMMIT &&
      ReadPeHeaders(reinterpret_cast<const uint8_t*>(module), page.RegionSize, headers)) {
    const TModuleRanges ranges = ModuleRanges(headers);
    map->CodeStart = map->Module + ranges.CodeBegin;
    map->CodeEnd = map->Module + ranges.CodeEnd;
    map->DataStart = map->Module + ranges.DataBegin;
    map->DataEnd = map->Module + ranges.DataEnd;
    (void)LoadSymbols(*map, TModuleSources(module));
  }
  return map;
}

HMODULE ModuleOf(uint32_t address) {
  if (address == 0) address = base::AddressOf(&ClearSymbolCache);
  MEMORY_BASIC_INFORMATION region;
  if (!VirtualQuery(reinterpret_cast<const void*>(uintptr_t(address)), &region, sizeof region) ||
      region.State != MEM_COMMIT || !region.AllocationBase)
    return nullptr;
  return static_cast<HMODULE>(region.AllocationBase);
}

std::string WithoutFolder(const std::string& path) {
  const size_t folder = path.find_last_of("\\/");
  return folder == std::string::npos ? path : path.substr(folder + 1);
}

}  // namespace

std::shared_ptr<const TMapFile> SymbolsForAddress(uint32_t address) {
  HMODULE module = ModuleOf(address);
  const std::string fileName = module ? ModulePath(base::AddressOf(module)) : std::string();
  if (fileName.empty()) return nullptr;
  uint64_t date = 0;
  (void)FileDate(fileName, date);

  TSymbolCache& cache = Cache();
  TLock lock(cache.Lock);
  for (auto it = cache.Entries.begin(); it != cache.Entries.end(); ++it) {
    if (!SameTextIgnoringCase(it->Symbols->FileName, fileName)) continue;
    if (it->FileDate == date && it->Symbols->Module == base::AddressOf(module)) return it->Symbols;
    cache.Entries.erase(it);  // the file changed: load it again
    break;
  }
  std::shared_ptr<const TMapFile> symbols = LoadModule(module, fileName);
  if (symbols->Valid) cache.Entries.push_back({date, symbols});
  return symbols;
}

void ClearSymbolCache() {
  TSymbolCache& cache = Cache();
  TLock lock(cache.Lock);
  cache.Entries.clear();
}

bool LookupAddress(uint32_t address, TAddressSymbols& out) {
  out = {};
  const std::shared_ptr<const TMapFile> symbols = SymbolsForAddress(address);
  if (!symbols) return false;
  out.ModuleFile = symbols->FileName;
  if (!symbols->Valid) return false;
  if (const TMfSegment* segment = symbols->FindSegment(address)) out.UnitName = segment->UnitName;
  if (const TMfPublic* symbol = symbols->FindPublic(address)) {
    out.FunctionName = symbol->Name;
    out.FunctionStart = symbol->Address;
  }
  out.Line = symbols->FindLine(address).Line;
  return !out.FunctionName.empty() || !out.UnitName.empty();
}

std::string ProcNameForAddress(uint32_t address) {
  TAddressSymbols symbols;
  if (!LookupAddress(address, symbols) || symbols.FunctionName.empty()) return {};
  std::string name = symbols.UnitName.empty() ? symbols.FunctionName : symbols.UnitName + "." + symbols.FunctionName;
  if (name.find('%') != std::string::npos) name += " (" + WithoutFolder(symbols.ModuleFile) + ")";
  return name;
}

int32_t LineNumberForAddress(uint32_t address, TLineRange& last) {
  if (last.Line > 0 && address >= last.Start && address < last.Next) return last.Line;
  const std::shared_ptr<const TMapFile> symbols = SymbolsForAddress(address);
  const TLineAnswer answer = symbols && symbols->Valid ? symbols->FindLine(address) : TLineAnswer();
  last = {answer.Start, answer.Next, answer.Line};
  return answer.Line;
}

void InstallSymbolHooks() {
  procNameHook = ProcNameForAddress;
  lineNumberHook = LineNumberForAddress;
}

bool TSymbolDisAsmNames::FunctionName(uint32_t address, uint32_t ownAddress, std::string& name,
                                      std::string& module) const {
  const std::shared_ptr<const TMapFile> symbols = SymbolsForAddress(address);
  const TMfPublic* symbol = symbols && symbols->Valid ? symbols->FindPublic(address) : nullptr;
  if (!symbol || symbol->Address != address) return false;
  name = symbol->Name;
  const std::shared_ptr<const TMapFile> own = SymbolsForAddress(ownAddress);
  module = (own && own->Module == symbols->Module) ? std::string() : WithoutFolder(symbols->FileName);
  return true;
}

bool TSymbolDisAsmNames::LineNumber(uint32_t address, uint32_t& line) const {
  TLineRange range;
  const int32_t found = LineNumberForAddress(address, range);
  if (found <= 0) return false;
  line = uint32_t(found);
  return true;
}

}  // namespace quor
