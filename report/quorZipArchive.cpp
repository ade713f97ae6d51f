#include "report/quorZipArchive.h"

#include "report/quorZip.h"

#include <exception>

namespace quor {

namespace {

constexpr uint32_t kLocalHeaderSignature = 0x04034B50;
constexpr uint32_t kDirectorySignature = 0x02014B50;
constexpr uint32_t kEndSignature = 0x06054B50;
constexpr uint16_t kVersion = 20;  // 2.0: deflate, MS-DOS attributes
constexpr uint16_t kMethodDeflate = 8;
constexpr uint64_t kMaxOffset = UINT32_MAX;
constexpr size_t kMaxEntries = UINT16_MAX;

void Put16(std::string& out, uint16_t v) {
  out += char(v & 0xFF);
  out += char(v >> 8);
}

void Put32(std::string& out, uint32_t v) {
  Put16(out, uint16_t(v & 0xFFFF));
  Put16(out, uint16_t(v >> 16));
}

}  // namespace

bool ZipArchiveWriter::Fail() {
  failed_ = true;
  return false;
}

bool ZipArchiveWriter::Write(std::string_view bytes) {
  if (failed_ || offset_ + bytes.size() > kMaxOffset || !sink_(bytes.data(), bytes.size()))
    return Fail();
  offset_ += bytes.size();
  return true;
}

bool ZipArchiveWriter::AddEntry(std::string_view name, std::string_view data,
                                DosTimestamp modified, uint32_t attributes) {
  if (failed_ || entries_ >= kMaxEntries || name.size() > UINT16_MAX || data.size() > UINT32_MAX)
    return Fail();
  const uint32_t capacity = DeflateCapacity(uint32_t(data.size()));
  std::string packed;
  try {
    packed.resize(capacity);
  } catch (const std::exception&) {
    return Fail();
  }
  const int packedSize = capacity ? DeflateBuffer(data.data(), packed.data(), uint32_t(data.size()), capacity) : -1;
  if (packedSize <= 0) return Fail();
  packed.resize(size_t(packedSize));

  // The fields from "version needed" to "name length", shared by the local
  // header and the central directory record.
  std::string common;
  Put16(common, kVersion);
  Put16(common, 0);  // flags
  Put16(common, kMethodDeflate);
  Put16(common, modified.time);
  Put16(common, modified.date);
  Put32(common, ~Crc32Update(0xFFFFFFFFu, data.data(), data.size()));
  Put32(common, uint32_t(packed.size()));
  Put32(common, uint32_t(data.size()));
  Put16(common, uint16_t(name.size()));

  const uint32_t headerOffset = uint32_t(offset_);
  std::string header;
  Put32(header, kLocalHeaderSignature);
  header += common;
  Put16(header, 0);  // extra field length
  if (!Write(header) || !Write(name) || !Write(packed)) return false;

  Put32(directory_, kDirectorySignature);
  Put16(directory_, kVersion);  // made by: MS-DOS host, version 2.0
  directory_ += common;
  Put16(directory_, 0);  // extra field length
  Put16(directory_, 0);  // comment length
  Put16(directory_, 0);  // disk number
  Put16(directory_, 0);  // internal attributes
  Put32(directory_, attributes);
  Put32(directory_, headerOffset);
  directory_ += name;
  ++entries_;
  return true;
}

bool ZipArchiveWriter::Finish() {
  if (failed_ || entries_ == 0) return false;
  const uint32_t directoryOffset = uint32_t(offset_);
  std::string end;
  Put32(end, kEndSignature);
  Put16(end, 0);  // this disk
  Put16(end, 0);  // disk of the central directory
  Put16(end, uint16_t(entries_));
  Put16(end, uint16_t(entries_));
  Put32(end, uint32_t(directory_.size()));
  Put32(end, directoryOffset);
  Put16(end, 0);  // comment length
  return Write(directory_) && Write(end);
}

std::string ZipEntryName(std::string_view path, std::string_view sendAs) {
  if (!sendAs.empty()) return std::string(sendAs);
  const size_t slash = path.find_last_of("\\/:");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace quor
