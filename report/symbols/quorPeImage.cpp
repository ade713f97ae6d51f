#include "report/symbols/quorPeImage.h"

#include "report/text/quorLittleEndian.h"

namespace quor {

namespace {

uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

}  // namespace

bool ReadPeHeaders(const uint8_t* data, size_t size, TPeHeaders& headers) {
  headers = {};
  if (size < 0x40 || data[0] != 'M' || data[1] != 'Z') return false;
  const uint32_t nt = LoadLe32(data + 0x3C);
  if (nt > size || size - nt < 24 + 96 || LoadLe32(data + nt) != 0x00004550) return false;
  const uint8_t* file = data + nt + 4;
  const uint32_t sectionCount = Le16(file + 2);
  const uint32_t optionalSize = Le16(file + 16);
  const uint8_t* optional = file + 20;
  if (Le16(optional) != 0x10B || optionalSize < 96) return false;  // PE32 only
  const uint64_t sectionTable = uint64_t(nt) + 24 + optionalSize;
  if (sectionTable + uint64_t(sectionCount) * 40 > size) return false;

  headers.NtOffset = nt;
  headers.SymbolTable = LoadLe32(file + 8);
  headers.SymbolCount = LoadLe32(file + 12);
  headers.SizeOfCode = LoadLe32(optional + 4);
  headers.SizeOfInitializedData = LoadLe32(optional + 8);
  headers.SizeOfUninitializedData = LoadLe32(optional + 12);
  headers.EntryPoint = LoadLe32(optional + 16);
  headers.BaseOfCode = LoadLe32(optional + 20);
  headers.BaseOfData = LoadLe32(optional + 24);
  headers.ImageBase = LoadLe32(optional + 28);
  headers.SizeOfImage = LoadLe32(optional + 56);
  const uint32_t directories = LoadLe32(optional + 92);
  if (directories > 2 && optionalSize >= 96 + 3 * 8) {
    headers.ResourceRva = LoadLe32(optional + 96 + 2 * 8);
    headers.ResourceSize = LoadLe32(optional + 96 + 2 * 8 + 4);
  }
  for (uint32_t i = 0; i < sectionCount; ++i) {
    const uint8_t* entry = data + sectionTable + i * 40;
    TPeSection section;
    size_t nameLength = 0;
    while (nameLength < 8 && entry[nameLength]) ++nameLength;
    section.Name.assign(reinterpret_cast<const char*>(entry), nameLength);
    section.VirtualSize = LoadLe32(entry + 8);
    section.VirtualAddress = LoadLe32(entry + 12);
    section.RawSize = LoadLe32(entry + 16);
    section.RawOffset = LoadLe32(entry + 20);
    section.Characteristics = LoadLe32(entry + 36);
    headers.Sections.push_back(std::move(section));
  }
  return true;
}

TModuleRanges ModuleRanges(const TPeHeaders& headers) {
  TModuleRanges ranges;
  const auto& sections = headers.Sections;
  if (!sections.empty() && sections[0].IsCode()) {
    ranges.CodeBegin = sections[0].VirtualAddress;
    ranges.CodeEnd = sections[0].VirtualAddress + sections[0].VirtualSize;
    if (sections.size() > 1 && sections[1].IsCode())
      ranges.CodeEnd = sections[1].VirtualAddress + sections[1].VirtualSize;
  } else {
    ranges.CodeBegin = headers.BaseOfCode;
    ranges.CodeEnd = headers.BaseOfCode + headers.SizeOfCode;
  }
  ranges.DataBegin = headers.BaseOfData;
  ranges.DataEnd = headers.BaseOfData + headers.SizeOfInitializedData + headers.SizeOfUninitializedData;
  return ranges;
}

}  // namespace quor
