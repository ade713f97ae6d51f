// Writes a zip archive (PKWARE application note, version 2.0 features only)
// entry by entry to a byte sink: for each entry a 30-byte local header, the
// name and the raw deflate data; then one 46-byte central directory record
// per entry and the 22-byte end record. No data descriptors, extra fields,
// comments or zip64: an archive of more than 65535 entries or 4 GB fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quor {

// Receives the archive bytes in order; returns false when it could not take
// all of them.
using ZipSink = std::function<bool(const void* data, size_t length)>;

// An MS-DOS time and date as zip stores them (local time; two-second steps).
struct DosTimestamp {
  uint16_t time;  // hour << 11 | minute << 5 | second / 2
  uint16_t date;  // (year - 1980) << 9 | month << 5 | day
};

class ZipArchiveWriter {
public:
  explicit ZipArchiveWriter(ZipSink sink) : sink_(std::move(sink)) {}

  // Compresses `data` and writes its local header, name and deflate data.
  // `attributes` are the file's Windows attributes (the central directory's
  // external attributes). False when compression or a write failed or a
  // limit of the format was reached; the archive is then unusable.
  [[nodiscard]] bool AddEntry(std::string_view name, std::string_view data, DosTimestamp modified, uint32_t attributes);

  // Writes the central directory and the end record. False when no entry was
  // added, an earlier step failed or a write failed.
  [[nodiscard]] bool Finish();

  size_t EntryCount() const { return entries_; }

private:
  bool Fail();
  bool Write(std::string_view bytes);

  ZipSink sink_;
  std::string directory_;  // central directory records collected so far
  uint64_t offset_ = 0;    // bytes written so far
  size_t entries_ = 0;
  bool failed_ = false;
};

// The name an entry is stored under: `sendAs` when it is not empty, else the
// file name of `path` without its folder (after the last "\", "/" or ":").
[[nodiscard]] std::string ZipEntryName(std::string_view path, std::string_view sendAs);

}  // namespace quor
