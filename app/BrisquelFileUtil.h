// The maker's file utilities.
#pragma once

#include <cstdint>
#include <string>

// The file's check value: the wrapping 32-bit sum of at most 500
// little-endian 32-bit words from the file's middle. Reads at most 2,000
// bytes with one open, two length queries, one seek and one read.
//
// Raises tk::ERangeError ("Range check error") for a file shorter than
// 4 bytes and tk::EInOutError with the system's error code for any failure
// of the system (100 when the file shrank before the read). The file is
// opened read-only, sharing reading and writing, and closed on every path.
//
// Files of 4 GiB and more are measured with their full 64-bit length, so
// they get the sum of 500 words from their real middle; for every shorter
// file this is the same as a 32-bit byte count.
uint32_t FileWordSum(const std::string& fileName);  // fileName in UTF-8
