// Reads arbitrary text as a skin file: every section's general data and
// every image value. Errors must be exceptions, never faults.
#include <cstddef>
#include <cstdint>
#include <string>

#include "skin/sImageValues.h"
#include "skin/sIniFiles.h"
#include "skin/sSkinLoader.h"
#include "toolkit/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const skin::TsIniFile ini(std::string_view(reinterpret_cast<const char*>(data), size));
  skin::TsSkinTables tables;
  try {
    skin::ReadExternalSections(ini, tables, [](skin::TColor c) { return c & 0xFFFFFFu; });
  } catch (const tk::Exception&) {
  }
  for (const auto& section : ini.Sections())
    for (const auto& [key, value] : section.Keys) {
      try {
        (void)skin::ParseImageValue(section.Name, key, value);
      } catch (const tk::Exception&) {
      }
    }
  return 0;
}
