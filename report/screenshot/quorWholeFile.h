// Whole files of screenshots (BMP, PNG) read and written in one piece.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quor {

// The file's bytes; none when it cannot be opened or read whole, or when it
// is larger than `maxBytes`.
[[nodiscard]] std::optional<std::string> ReadWholeFile(const std::string& fileName, uint64_t maxBytes);

// Creates or overwrites the file with the bytes. True when every byte was
// written; a file cut short is deleted again.
[[nodiscard]] bool WriteWholeFile(const std::string& fileName, std::string_view bytes);

}  // namespace quor
