#include "tools/PeResources.h"

#include "report/text/quorLittleEndian.h"

namespace sym {

namespace {

struct TResourceDirectory {
  const std::vector<uint8_t>& file;
  uint32_t base;  // file offset of the resource directory
  uint32_t size;

  bool Fits(uint32_t offset, uint32_t length) const { return offset <= size && size - offset >= length; }
  uint32_t Word(uint32_t offset) const { return quor::LoadLe32(file.data() + base + offset); }
  uint16_t Half(uint32_t offset) const { return uint16_t(file[base + offset] | file[base + offset + 1] << 8); }

  // The name of an entry as upper-case ASCII, compared like resource names.
  bool NameIs(uint32_t offset, std::string_view wanted) const {
    if (!Fits(offset, 2)) return false;
    const uint32_t length = Half(offset);
    if (length != wanted.size() || !Fits(offset + 2, length * 2)) return false;
    for (uint32_t i = 0; i < length; ++i) {
      uint16_t c = Half(offset + 2 + i * 2);
      if (c >= 'a' && c <= 'z') c = uint16_t(c - 'a' + 'A');
      if (c != uint8_t(wanted[i])) return false;
    }
    return true;
  }

  // The entry of the directory at `offset` with the given name (empty
  // name: the first entry); its target offset with the subdirectory bit.
  bool Find(uint32_t offset, std::string_view wanted, uint32_t& target) const {
    if (!Fits(offset, 16)) return false;
    const uint32_t count = uint32_t(Half(offset + 12)) + Half(offset + 14);
    for (uint32_t i = 0; i < count; ++i) {
      const uint32_t entry = offset + 16 + i * 8;
      if (!Fits(entry, 8)) return false;
      const uint32_t id = Word(entry);
      if (wanted.empty() || ((id & 0x80000000u) && NameIs(id & 0x7FFFFFFFu, wanted))) {
        target = Word(entry + 4);
        return true;
      }
    }
    return false;
  }
};

}  // namespace

bool RvaToFileOffset(const quor::TPeHeaders& headers, uint32_t rva, uint32_t size, uint32_t& offset) {
  for (const quor::TPeSection& section : headers.Sections) {
    if (rva >= section.VirtualAddress && rva - section.VirtualAddress < section.RawSize &&
        section.RawSize - (rva - section.VirtualAddress) >= size) {
      offset = section.RawOffset + (rva - section.VirtualAddress);
      return true;
    }
  }
  return false;
}

bool FindPeResourceData(const std::vector<uint8_t>& file, const quor::TPeHeaders& headers, std::string_view type,
                        std::string_view name, uint32_t& fileOffset, uint32_t& size) {
  uint32_t base;
  if (headers.ResourceRva == 0 || !RvaToFileOffset(headers, headers.ResourceRva, headers.ResourceSize, base) ||
      uint64_t(base) + headers.ResourceSize > file.size())
    return false;
  const TResourceDirectory directory{file, base, headers.ResourceSize};
  // Three levels: type, name, language; each but the last must be a directory.
  uint32_t offset = 0;
  for (std::string_view wanted : {type, name, std::string_view()}) {
    uint32_t target;
    if (!directory.Find(offset, wanted, target)) return false;
    const bool isDirectory = (target & 0x80000000u) != 0;
    if (isDirectory != !wanted.empty()) return false;
    offset = target & 0x7FFFFFFFu;
  }
  if (!directory.Fits(offset, 8)) return false;
  size = directory.Word(offset + 4);
  return RvaToFileOffset(headers, directory.Word(offset), size, fileOffset) &&
         uint64_t(fileOffset) + size <= file.size();
}

bool FindPeResource(const std::vector<uint8_t>& file, const quor::TPeHeaders& headers, std::string_view type,
                    std::string_view name, std::string& data) {
  uint32_t offset = 0, size = 0;
  if (!FindPeResourceData(file, headers, type, name, offset, size)) return false;
  data.assign(reinterpret_cast<const char*>(file.data() + offset), size);
  return true;
}

}  // namespace sym
