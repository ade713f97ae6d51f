#include "report/screenshot/quorWholeFile.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "base/WinHandle.h"

namespace quor {

std::optional<std::string> ReadWholeFile(const std::string& fileName, uint64_t maxBytes) {
  const base::FileHandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || uint64_t(size.QuadPart) > maxBytes)
    return std::nullopt;
  std::string bytes;
  try {
    bytes.resize(size_t(size.QuadPart));
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD chunk = DWORD(std::min<size_t>(bytes.size() - done, MAXDWORD / 2));
    if (!ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr) || read == 0) return std::nullopt;
    done += read;
  }
  return bytes;
}

bool WriteWholeFile(const std::string& fileName, std::string_view bytes) {
  bool complete = false;
  {
    const base::FileHandle file(
        CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    size_t done = 0;
    while (done < bytes.size()) {
      DWORD written = 0;
      const DWORD chunk = DWORD(std::min<size_t>(bytes.size() - done, MAXDWORD / 2));
      if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) break;
      done += written;
    }
    complete = done == bytes.size();
  }
  if (!complete) DeleteFileA(fileName.c_str());
  return complete;
}

}  // namespace quor
