// quorsym: the build step that gives the program its own symbols.
//
//   quorsym write IMAGE OUT.sym [OUT.map]
//       reads the functions and line numbers of a linked image and writes
//       the compact symbol form (and the text map for people);
//   quorsym verify FIRST FINAL SYM
//       checks that the final link, which carries SYM as its "EXCEPT"
//       resource, has the same code and data at the same addresses as the
//       first link the symbols were read from, and that its resource holds
//       exactly the symbols of its own code;
//   quorsym lookup IMAGE ADDRESS...
//       reads the image's "EXCEPT" resource back and prints, per
//       hexadecimal address, a line of address, unit, line and function
//       separated by tabs.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "report/codec/quorZip.h"
#include "report/symbols/quorCompactSymbols.h"
#include "report/symbols/quorMapText.h"
#include "tools/ImageSymbols.h"
#include "tools/PeResources.h"

namespace {

bool ReadFile(const char* path, std::vector<uint8_t>& data) {
  std::ifstream in(path, std::ios::binary);
  data.assign(std::istreambuf_iterator<char>(in), {});
  return bool(in) || in.eof();
}

bool WriteFile(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary);
  out.write(data.data(), std::streamsize(data.size()));
  return bool(out);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "quorsym: %s\n", message.c_str());
  return 1;
}

// The compact form of an image's symbols; its two identifying words are
// the CRC-32 and the length of the code, which both links share.
bool CompactForm(const std::vector<uint8_t>& image, std::string& form, quor::TMapFile& map, std::string& error) {
  if (!sym::ReadImageSymbols(image, map, error)) return false;
  quor::TPeHeaders headers;
  (void)quor::ReadPeHeaders(image.data(), image.size(), headers);
  const quor::TPeSection& code = headers.Sections.at(0);
  const size_t size = std::min<size_t>(code.RawSize, image.size() - std::min<size_t>(code.RawOffset, image.size()));
  quor::TCompactOptions options;
  options.Id1 = ~quor::Crc32Update(0xFFFFFFFFu, image.data() + std::min<size_t>(code.RawOffset, image.size()), size);
  options.Id2 = code.VirtualSize;
  form = quor::WriteCompactSymbols(map, map.CodeStart, options);
  if (form.empty()) error = "compression failed";
  return !form.empty();
}

int Write(const char* imagePath, const char* symPath, const char* mapPath) {
  std::vector<uint8_t> image;
  if (!ReadFile(imagePath, image)) return Fail(std::string("cannot read ") + imagePath);
  std::string form, error;
  quor::TMapFile map;
  if (!CompactForm(image, form, map, error)) return Fail(std::string(imagePath) + ": " + error);
  if (!WriteFile(symPath, form)) return Fail(std::string("cannot write ") + symPath);
  if (mapPath && !WriteFile(mapPath, quor::WriteMapText(map, map.CodeStart)))
    return Fail(std::string("cannot write ") + mapPath);
  std::printf("quorsym: %zu units, %zu functions, %zu lines, %zu bytes\n", map.Segments.size(), map.Publics.size(),
              map.Lines.size(), form.size());
  return 0;
}

// The bytes of a section as it lies in the file.
std::string_view Contents(const std::vector<uint8_t>& image, const quor::TPeSection& section) {
  if (section.RawOffset > image.size()) return {};
  const size_t size = std::min<size_t>(section.RawSize, image.size() - section.RawOffset);
  return std::string_view(reinterpret_cast<const char*>(image.data() + section.RawOffset), size);
}

int Verify(const char* firstPath, const char* finalPath, const char* symPath) {
  std::vector<uint8_t> first, final, sym;
  if (!ReadFile(firstPath, first) || !ReadFile(finalPath, final) || !ReadFile(symPath, sym))
    return Fail("cannot read the images or the symbols");
  quor::TPeHeaders a, b;
  if (!quor::ReadPeHeaders(first.data(), first.size(), a) || !quor::ReadPeHeaders(final.data(), final.size(), b))
    return Fail("not a 32-bit PE image");
  if (a.ImageBase != b.ImageBase || a.EntryPoint != b.EntryPoint) return Fail("image base or entry point moved");
  // Every section up to the resources must be the same in place and content.
  size_t compared = 0;
  // (The first link may have no resources at all.)
  for (size_t i = 0; i < a.Sections.size() && a.Sections[i].VirtualAddress < b.ResourceRva; ++i, ++compared) {
    if (i >= b.Sections.size()) return Fail("sections missing in the final image");
    const quor::TPeSection& x = a.Sections[i];
    const quor::TPeSection& y = b.Sections[i];
    if (x.Name != y.Name || x.VirtualAddress != y.VirtualAddress || x.VirtualSize != y.VirtualSize ||
        Contents(first, x) != Contents(final, y))
      return Fail("section " + x.Name + " differs between the links: code or data moved");
  }
  if (compared == 0 || (a.ResourceRva && a.ResourceRva != b.ResourceRva))
    return Fail("the resources do not follow the code");
  std::string embedded;
  if (!sym::FindPeResource(final, b, "QUOR", "EXCEPT", embedded)) return Fail("no EXCEPT resource of type QUOR");
  if (embedded != std::string(sym.begin(), sym.end())) return Fail("the EXCEPT resource is not the symbol file");
  std::string form, error;
  quor::TMapFile map;
  if (!CompactForm(final, form, map, error)) return Fail(error);
  if (form != embedded) return Fail("the embedded symbols differ from the final image's own");
  std::printf("quorsym: %zu sections unchanged, symbols match the final image\n", compared);
  return 0;
}

int Lookup(const char* imagePath, char** addresses, int count) {
  std::vector<uint8_t> image;
  quor::TPeHeaders headers;
  if (!ReadFile(imagePath, image) || !quor::ReadPeHeaders(image.data(), image.size(), headers))
    return Fail(std::string("cannot read ") + imagePath);
  std::string form;
  if (!sym::FindPeResource(image, headers, "QUOR", "EXCEPT", form)) return Fail("no EXCEPT resource of type QUOR");
  quor::TMapFile map;
  const quor::TModuleRanges ranges = quor::ModuleRanges(headers);
  map.CodeEnd = headers.ImageBase + ranges.CodeEnd;
  if (!quor::ReadCompactSymbols(form, headers.ImageBase + ranges.CodeBegin, map)) return Fail("unreadable symbols");
  for (int i = 0; i < count; ++i) {
    const uint32_t address = uint32_t(std::stoul(addresses[i], nullptr, 16));
    const quor::TMfSegment* segment = map.FindSegment(address);
    const quor::TMfPublic* symbol = map.FindPublic(address);
    std::printf("%08x\t%s\t%d\t%s\n", address, segment ? segment->UnitName.c_str() : "???", map.FindLine(address).Line,
                symbol ? symbol->Name.c_str() : "???");
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "write" && (argc == 4 || argc == 5)) return Write(argv[2], argv[3], argc == 5 ? argv[4] : nullptr);
  if (command == "verify" && argc == 5) return Verify(argv[2], argv[3], argv[4]);
  if (command == "lookup" && argc >= 4) return Lookup(argv[2], argv + 3, argc - 3);
  std::fprintf(stderr,
               "usage: quorsym write IMAGE OUT.sym [OUT.map]\n"
               "       quorsym verify FIRST FINAL SYM\n"
               "       quorsym lookup IMAGE ADDRESS...\n");
  return 2;
}
