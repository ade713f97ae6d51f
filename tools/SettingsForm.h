// Turns the text form of a report settings resource into the stored form the
// reporter reads: every integer as a 32-bit integer, every text as a
// 32-bit-length string, and the SMTP and HTTP passwords scrambled with the
// account and server of the same protocol, so the source keeps them readable.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace settingsform {

// Raises tk::EConvertError for a source that is not one object of simple
// properties or has an integer beyond 32 bits.
std::vector<uint8_t> Compile(const std::string& text, const std::string& baseDir);

}  // namespace settingsform
