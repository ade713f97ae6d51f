#include "report/delivery/quorFileSource.h"

#include <windows.h>

#include <algorithm>

namespace quor {

FileSource::FileSource(const std::string& path)
    : file_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {
  LARGE_INTEGER size{};
  if (file_ && GetFileSizeEx(file_.get(), &size)) size_ = static_cast<uint64_t>(size.QuadPart);
}

bool FileSource::Read(char* buffer, size_t capacity, size_t& got) {
  got = 0;
  if (!file_) return false;
  DWORD read = 0;
  const DWORD want = static_cast<DWORD>(std::min<size_t>(capacity, MAXDWORD));
  if (!ReadFile(file_.get(), buffer, want, &read, nullptr)) return false;
  got = read;
  return true;
}

}  // namespace quor
