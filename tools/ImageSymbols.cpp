#include "tools/ImageSymbols.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "tools/CoffSymbols.h"
#include "tools/DwarfLines.h"

namespace sym {

namespace {

// Cuts a trailing parameter list and the qualifiers after it.
std::string WithoutQualifiedParameters(std::string name) {
  for (;;) {
    bool cut = false;
    for (std::string_view suffix : {" const", " volatile", " &&", " &"}) {
      if (name.size() > suffix.size() && name.ends_with(suffix)) {
        name.resize(name.size() - suffix.size());
        cut = true;
      }
    }
    if (!cut) break;
  }
  if (name.empty() || name.back() != ')') return name;
  int depth = 0;
  for (size_t i = name.size(); i-- > 0;) {
    if (name[i] == ')') ++depth;
    if (name[i] == '(' && --depth == 0) return i > 0 ? name.substr(0, i) : name;
  }
  return name;
}

// Cuts a trailing parameter list and the qualifiers after it; the
// compiler's clone suffixes (" [clone .cold]") stay as ".cold".
std::string WithoutParameters(std::string name) {
  std::string clones;
  for (size_t at; name.ends_with("]") && (at = name.rfind(" [clone ")) != std::string::npos;) {
    clones = name.substr(at + 8, name.size() - at - 9) + clones;
    name.resize(at);
  }
  return WithoutQualifiedParameters(std::move(name)) + clones;
}

std::string_view SectionData(const std::vector<uint8_t>& file, const quor::TPeSection& section) {
  if (section.RawOffset >= file.size()) return {};
  const size_t size = std::min<size_t>(
      {section.RawSize, section.VirtualSize ? section.VirtualSize : section.RawSize, file.size() - section.RawOffset});
  return std::string_view(reinterpret_cast<const char*>(file.data() + section.RawOffset), size);
}

}  // namespace

std::string BaseName(std::string_view path) {
  const size_t folder = path.find_last_of("/\\");
  return std::string(folder == std::string_view::npos ? path : path.substr(folder + 1));
}

std::string ReadableName(std::string_view stored) {
  std::string name(stored);
  if (name.size() > 1 && (name[0] == '_' || name[0] == '@')) name.erase(0, 1);
  // stdcall and fastcall names, C++ ones included, end in "@" and the
  // argument size.
  const size_t at = name.rfind('@');
  if (at != std::string::npos && at > 0 && at + 1 < name.size() &&
      std::all_of(name.begin() + at + 1, name.end(), [](char c) { return c >= '0' && c <= '9'; }))
    name.resize(at);
  if (name.starts_with("_Z")) {
    int status = 0;
    char* demangled = abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &status);
    if (status == 0 && demangled) {
      std::string readable = WithoutParameters(demangled);
      std::free(demangled);
      return readable;
    }
    std::free(demangled);
  }
  return name;
}

bool ReadImageSymbols(const std::vector<uint8_t>& file, quor::TMapFile& map, std::string& error) {
  quor::TPeHeaders headers;
  if (!quor::ReadPeHeaders(file.data(), file.size(), headers)) {
    error = "not a 32-bit PE image";
    return false;
  }
  const quor::TModuleRanges ranges = quor::ModuleRanges(headers);
  map.CodeStart = headers.ImageBase + ranges.CodeBegin;
  map.CodeEnd = headers.ImageBase + ranges.CodeEnd;
  map.EntryPoint = headers.ImageBase + headers.EntryPoint;

  std::vector<TCoffFunction> functions;
  if (!ReadCoffFunctions(file, headers, functions) || functions.empty()) {
    error = "the image has no COFF symbol table (linked with -s?)";
    return false;
  }
  std::string_view debugLine, debugLineStr, debugStr;
  for (const quor::TPeSection& section : headers.Sections) {
    const std::string name = SectionName(file, headers, section);
    if (name == ".debug_line") debugLine = SectionData(file, section);
    if (name == ".debug_line_str") debugLineStr = SectionData(file, section);
    if (name == ".debug_str") debugStr = SectionData(file, section);
  }
  TLineTable table;
  if (!ReadDwarfLines(debugLine, debugLineStr, debugStr, table)) {
    error = "malformed .debug_line";
    return false;
  }

  // The rows inside the code, the last one of each address.
  std::map<uint32_t, TLineRow> rows;
  for (const TLineRow& row : table.Rows)
    if (!row.EndSequence && row.Line != 0 && row.Address >= map.CodeStart && row.Address < map.CodeEnd)
      rows[row.Address] = row;

  // One public per function address (the first name), in address order.
  std::stable_sort(functions.begin(), functions.end(),
                   [](const TCoffFunction& a, const TCoffFunction& b) { return a.Address < b.Address; });
  std::vector<std::string> units;
  for (const TCoffFunction& function : functions) {
    if (function.Address < map.CodeStart || function.Address >= map.CodeEnd) continue;
    if (!map.Publics.empty() && map.Publics.back().Address == function.Address) continue;
    map.Publics.push_back({1, 1, ReadableName(function.Name), function.Address});
    // The unit: the source file of the function's first line, else the
    // object's ".file" name.
    auto row = rows.find(function.Address);
    units.push_back(BaseName(row != rows.end() ? table.Files[row->second.File] : function.ObjectFile));
  }

  // Neighbouring functions of one unit form one segment; each segment
  // keeps the line numbers of its own source file.
  for (size_t i = 0; i < map.Publics.size(); ++i) {
    const uint32_t start = map.Publics[i].Address;
    const uint32_t end = i + 1 < map.Publics.size() ? map.Publics[i + 1].Address : map.CodeEnd;
    if (!map.Segments.empty() && map.Segments.back().UnitName == units[i] && map.Segments.back().End() == start)
      map.Segments.back().Length = end - map.Segments.back().Start;
    else if (!units[i].empty())
      map.Segments.push_back({1, 1, start, end - start, units[i], 0});
    else
      continue;
    for (auto row = rows.lower_bound(start); row != rows.end() && row->first < end; ++row)
      if (BaseName(table.Files[row->second.File]) == units[i]) map.Lines.push_back({row->second.Line, row->first});
  }
  map.Sort();
  map.Valid = true;
  return true;
}

}  // namespace sym
