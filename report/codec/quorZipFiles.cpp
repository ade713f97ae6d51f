#include "report/codec/quorZipFiles.h"

#include "report/codec/quorZipArchive.h"

#include <windows.h>

#include "base/WinHandle.h"

#include <exception>
#include <optional>

namespace quor {

namespace {

struct FileForZip {
  std::string data;
  DosTimestamp modified{};
  uint32_t attributes = 0;
};

// Reads a whole file with its last-write time (as local DOS time) and its
// attributes; nothing when it cannot be opened or read completely. Others
// may keep the file open for writing, as a log file usually is.
std::optional<FileForZip> ReadFileForZip(const std::string& path) {
  base::FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file.get(), &info) || info.nFileSizeHigh != 0 || info.nFileSizeLow > 0x7FFFFFFFu)
    return std::nullopt;
  FileForZip result;
  result.attributes = info.dwFileAttributes;
  FILETIME local;
  if (!FileTimeToLocalFileTime(&info.ftLastWriteTime, &local) ||
      !FileTimeToDosDateTime(&local, &result.modified.date, &result.modified.time))
    return std::nullopt;
  try {
    result.data.resize(info.nFileSizeLow);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  DWORD done = 0;
  while (done < info.nFileSizeLow) {
    DWORD got = 0;
    if (!ReadFile(file.get(), result.data.data() + done, info.nFileSizeLow - done, &got, nullptr) || got == 0)
      return std::nullopt;
    done += got;
  }
  return result;
}

bool PackFiles(HANDLE archive, const std::vector<std::string>& files, int lastIndex,
               const std::vector<std::string>& sendAsNames) {
  ZipArchiveWriter writer([archive](const void* data, size_t length) {
    DWORD written = 0;
    return length <= MAXDWORD && WriteFile(archive, data, DWORD(length), &written, nullptr) && written == length;
  });
  for (size_t i = 0; int64_t(i) <= lastIndex && i < files.size(); ++i) {
    const std::optional<FileForZip> file = ReadFileForZip(files[i]);
    if (!file) continue;
    const std::string sendAs = i < sendAsNames.size() ? sendAsNames[i] : std::string();
    if (!writer.AddEntry(ZipEntryName(files[i], sendAs), file->data, file->modified, file->attributes)) return false;
  }
  return writer.Finish();
}

}  // namespace

bool WriteZipArchive(const std::string& archive, const std::vector<std::string>& files, int lastIndex,
                     const std::vector<std::string>& sendAsNames) {
  base::FileHandle file(
      CreateFileA(archive.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const bool ok = PackFiles(file.get(), files, lastIndex, sendAsNames);
  file.reset();  // a file still open cannot be deleted
  if (!ok) DeleteFileA(archive.c_str());
  return ok;
}

}  // namespace quor
