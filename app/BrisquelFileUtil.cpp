#include "app/BrisquelFileUtil.h"

#include <windows.h>

#include <algorithm>

#include "base/WinHandle.h"
#include "toolkit/SysUtils.h"
#include "toolkit/WinText.h"

namespace {

constexpr int64_t kMaxWords = 500;

[[noreturn]] void RaiseLastOSError() { throw tk::EInOutError(static_cast<int>(GetLastError())); }

int64_t RecordCount(HANDLE h) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h, &size)) RaiseLastOSError();
  return size.QuadPart / 4;
}

}  // namespace

uint32_t FileWordSum(const std::string& fileName) {
  base::FileHandle file(CreateFileW(tk::Wide(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) RaiseLastOSError();

  const int64_t records = RecordCount(file.get());
  const int64_t start = records / 2;
  LARGE_INTEGER offset, position;
  offset.QuadPart = start * 4;
  if (!SetFilePointerEx(file.get(), offset, &position, FILE_BEGIN)) RaiseLastOSError();
  const int64_t recordsAgain = RecordCount(file.get());
  const int64_t current = position.QuadPart / 4;

  const int64_t count = std::min(recordsAgain - 1 - current, kMaxWords);
  if (count < 0) tk::RaiseRangeError();

  uint32_t words[kMaxWords];
  const DWORD wanted = static_cast<DWORD>(count * 4);
  DWORD got = 0;
  if (count > 0) {
    if (!ReadFile(file.get(), words, wanted, &got, nullptr)) RaiseLastOSError();
    if (got < wanted) throw tk::EInOutError(100);
  }
  // Closed on every path; a failure to close is an error only when nothing
  // else failed first.
  if (!CloseHandle(file.release())) RaiseLastOSError();

  uint32_t sum = 0;
  for (int64_t i = 0; i < count; ++i) sum += words[i];  // little-endian target: the words as stored
  return sum;
}
