// Finding a named resource of a named type in a PE image file (the first
// language), as the platform's FindResource does in a loaded module.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/symbols/quorPeImage.h"

namespace sym {

// The resource bytes, or false when the image has no such resource or its
// resource directory does not lie inside the file.
[[nodiscard]] bool FindPeResource(const std::vector<uint8_t>& file, const quor::TPeHeaders& headers,
                                  std::string_view type, std::string_view name, std::string& data);

// Where the resource bytes lie in the file (for rewriting them in place).
[[nodiscard]] bool FindPeResourceData(const std::vector<uint8_t>& file, const quor::TPeHeaders& headers,
                                      std::string_view type, std::string_view name, uint32_t& fileOffset,
                                      uint32_t& size);

// The file offset of an RVA, or false when no section holds it.
[[nodiscard]] bool RvaToFileOffset(const quor::TPeHeaders& headers, uint32_t rva, uint32_t size, uint32_t& offset);

}  // namespace sym
