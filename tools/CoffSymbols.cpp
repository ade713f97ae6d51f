#include "tools/CoffSymbols.h"

#include <cstring>

#include "report/text/quorLittleEndian.h"

namespace sym {

namespace {

constexpr uint32_t kEntrySize = 18;
constexpr uint8_t kClassExternal = 2, kClassStatic = 3, kClassFile = 103;
constexpr uint16_t kTypeFunction = 0x20;

// The string table follows the symbols; its first word is its size.
std::string StringAt(const std::vector<uint8_t>& file, const quor::TPeHeaders& headers, uint32_t offset) {
  const uint64_t table = uint64_t(headers.SymbolTable) + uint64_t(headers.SymbolCount) * kEntrySize;
  if (headers.SymbolTable == 0 || table + 4 > file.size()) return {};
  const uint32_t size = quor::LoadLe32(file.data() + table);
  if (offset < 4 || offset >= size || table + offset >= file.size()) return {};
  const char* begin = reinterpret_cast<const char*>(file.data() + table + offset);
  const size_t limit = std::min<uint64_t>(file.size() - (table + offset), size - offset);
  return std::string(begin, strnlen(begin, limit));
}

std::string EntryName(const std::vector<uint8_t>& file, const quor::TPeHeaders& headers, const uint8_t* entry) {
  if (quor::LoadLe32(entry) == 0) return StringAt(file, headers, quor::LoadLe32(entry + 4));
  return std::string(reinterpret_cast<const char*>(entry), strnlen(reinterpret_cast<const char*>(entry), 8));
}

}  // namespace

std::string SectionName(const std::vector<uint8_t>& file, const quor::TPeHeaders& headers,
                        const quor::TPeSection& section) {
  if (section.Name.size() > 1 && section.Name[0] == '/') {
    uint32_t offset = 0;
    for (char c : section.Name.substr(1)) {
      if (c < '0' || c > '9') return section.Name;
      offset = offset * 10 + uint32_t(c - '0');
    }
    const std::string name = StringAt(file, headers, offset);
    if (!name.empty()) return name;
  }
  return section.Name;
}

bool ReadCoffFunctions(const std::vector<uint8_t>& file, const quor::TPeHeaders& headers,
                       std::vector<TCoffFunction>& functions) {
  const uint64_t end = uint64_t(headers.SymbolTable) + uint64_t(headers.SymbolCount) * kEntrySize;
  if (headers.SymbolTable == 0 || end > file.size()) return false;
  std::string objectFile;
  for (uint32_t i = 0; i < headers.SymbolCount; ++i) {
    const uint8_t* entry = file.data() + headers.SymbolTable + uint64_t(i) * kEntrySize;
    const uint32_t value = quor::LoadLe32(entry + 8);
    const int16_t section = int16_t(entry[12] | entry[13] << 8);
    const uint16_t type = uint16_t(entry[14] | entry[15] << 8);
    const uint8_t storageClass = entry[16];
    const uint8_t auxCount = entry[17];
    if (storageClass == kClassFile) {
      // The file name fills the auxiliary entries.
      const uint64_t auxBytes =
          std::min<uint64_t>(uint64_t(auxCount) * kEntrySize, end - (entry + kEntrySize - file.data()));
      const char* name = reinterpret_cast<const char*>(entry + kEntrySize);
      objectFile.assign(name, strnlen(name, auxBytes));
    } else if ((storageClass == kClassExternal || storageClass == kClassStatic) && (type & 0x30) == kTypeFunction &&
               section >= 1 && size_t(section) <= headers.Sections.size() && headers.Sections[section - 1].IsCode()) {
      TCoffFunction function;
      function.Name = EntryName(file, headers, entry);
      function.Address = headers.ImageBase + headers.Sections[section - 1].VirtualAddress + value;
      function.ObjectFile = objectFile;
      if (!function.Name.empty()) functions.push_back(std::move(function));
    }
    i += auxCount;
  }
  return true;
}

bool FindCoffSymbolRva(const std::vector<uint8_t>& file, const quor::TPeHeaders& headers, std::string_view name,
                       uint32_t& rva) {
  const uint64_t end = uint64_t(headers.SymbolTable) + uint64_t(headers.SymbolCount) * kEntrySize;
  if (headers.SymbolTable == 0 || end > file.size()) return false;
  for (uint32_t i = 0; i < headers.SymbolCount; i += 1 + file[headers.SymbolTable + uint64_t(i) * kEntrySize + 17]) {
    const uint8_t* entry = file.data() + headers.SymbolTable + uint64_t(i) * kEntrySize;
    const int16_t section = int16_t(entry[12] | entry[13] << 8);
    if (entry[16] != kClassExternal || section < 1 || size_t(section) > headers.Sections.size() ||
        EntryName(file, headers, entry) != name)
      continue;
    rva = headers.Sections[section - 1].VirtualAddress + quor::LoadLe32(entry + 8);
    return true;
  }
  return false;
}

}  // namespace sym
