// Loads a module's symbols from the first of its sources that yields them:
//   1. the module's own "EXCEPT" resource of type "QUOR" (compact form);
//   2. the text map file: the module's name with the extension ".map";
//   3. the compact form in a file with the extension ".quor".
// Borland ".tds" files and ".jdbg" files are not read.
// A compact form that asks for minimal symbols needs the module's
// MinDebugInfo setting: its identifying words must match the form's header;
// a full ".quor" file whose length and words give the same text is loaded
// instead, otherwise the minimal symbols with generated names are used.
#pragma once

#include <string>
#include <string_view>

#include "report/symbols/quorMapFile.h"

namespace quor {

// A module's symbol sources: the Win32 side reads the module's resource,
// its settings and files; tests answer from memory.
class ISymbolSources {
public:
  virtual ~ISymbolSources() = default;
  [[nodiscard]] virtual bool Resource(std::string& data) const = 0;
  [[nodiscard]] virtual bool ReadFile(const std::string& path, std::string& data) const = 0;
  // The MinDebugInfo setting of the module's settings resource ("" when none).
  [[nodiscard]] virtual std::string MinDebugInfo() const = 0;
};

// map.FileName and map.CodeStart must be set. Returns map.Valid.
bool LoadSymbols(TMapFile& map, const ISymbolSources& sources);

// `path` with its extension (the part from the last "." of the last path
// component) replaced by `extension`, or `extension` appended.
[[nodiscard]] std::string ChangeFileExtension(std::string_view path, std::string_view extension);

}  // namespace quor
