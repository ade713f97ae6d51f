#include "report/codec/quorZipArchive.h"

#include "report/codec/quorZip.h"
#include "report/text/quorLittleEndian.h"

namespace quor {

namespace {

constexpr uint32_t kLocalHeaderSignature = 0x04034B50;
constexpr uint32_t kDirectorySignature = 0x02014B50;
constexpr uint32_t kEndSignature = 0x06054B50;
constexpr uint16_t kVersion = 20;  // 2.0: deflate, MS-DOS attributes
constexpr uint16_t kMethodDeflate = 8;
constexpr uint64_t kMaxOffset = UINT32_MAX;
constexpr size_t kMaxEntries = UINT16_MAX;

}  // namespace

bool ZipArchiveWriter::Fail() {
  failed_ = true;
  return false;
}

bool ZipArchiveWriter::Write(std::string_view bytes) {
  if (failed_ || offset_ + bytes.size() > kMaxOffset || !sink_(bytes.data(), bytes.size())) return Fail();
  offset_ += bytes.size();
  return true;
}

bool ZipArchiveWriter::AddEntry(std::string_view name, std::string_view data, DosTimestamp modified,
                                uint32_t attributes) {
  if (failed_ || entries_ >= kMaxEntries || name.size() > UINT16_MAX || data.size() > UINT32_MAX) return Fail();
  const std::string packed = DeflateString(data);
  if (packed.empty()) return Fail();

  // The fields from "version needed" to "name length", shared by the local
  // header and the central directory record.
  std::string common;
  AppendLe16(common, kVersion);
  AppendLe16(common, 0);  // flags
  AppendLe16(common, kMethodDeflate);
  AppendLe16(common, modified.time);
  AppendLe16(common, modified.date);
  AppendLe32(common, ~Crc32Update(0xFFFFFFFFu, data.data(), data.size()));
  AppendLe32(common, uint32_t(packed.size()));
  AppendLe32(common, uint32_t(data.size()));
  AppendLe16(common, uint16_t(name.size()));

  const uint32_t headerOffset = uint32_t(offset_);
  std::string header;
  AppendLe32(header, kLocalHeaderSignature);
  header += common;
  AppendLe16(header, 0);  // extra field length
  if (!Write(header) || !Write(name) || !Write(packed)) return false;

  AppendLe32(directory_, kDirectorySignature);
  AppendLe16(directory_, kVersion);  // made by: MS-DOS host, version 2.0
  directory_ += common;
  AppendLe16(directory_, 0);  // extra field length
  AppendLe16(directory_, 0);  // comment length
  AppendLe16(directory_, 0);  // disk number
  AppendLe16(directory_, 0);  // internal attributes
  AppendLe32(directory_, attributes);
  AppendLe32(directory_, headerOffset);
  directory_ += name;
  ++entries_;
  return true;
}

bool ZipArchiveWriter::Finish() {
  if (failed_ || entries_ == 0) return false;
  const uint32_t directoryOffset = uint32_t(offset_);
  std::string end;
  AppendLe32(end, kEndSignature);
  AppendLe16(end, 0);  // this disk
  AppendLe16(end, 0);  // disk of the central directory
  AppendLe16(end, uint16_t(entries_));
  AppendLe16(end, uint16_t(entries_));
  AppendLe32(end, uint32_t(directory_.size()));
  AppendLe32(end, directoryOffset);
  AppendLe16(end, 0);  // comment length
  return Write(directory_) && Write(end);
}

std::string ZipEntryName(std::string_view path, std::string_view sendAs) {
  if (!sendAs.empty()) return std::string(sendAs);
  const size_t slash = path.find_last_of("\\/:");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace quor
