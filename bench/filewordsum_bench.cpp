// Timing harness (run under Wine): FileWordSum on a 4 KiB file against a
// sparse 4 GiB file. The cost must not grow with the file's size.
//   wine filewordsum_bench.exe [calls]
#include <windows.h>
#include <winioctl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/BrisquelFileUtil.h"
#include "base/WinHandle.h"
#include "toolkit/WinText.h"

namespace {

std::wstring MakeFile(const wchar_t* name, long long size) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  const std::wstring path = std::wstring(dir) + name;
  const base::FileHandle h(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD ignored;
  DeviceIoControl(h.get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = size;
  SetFilePointerEx(h.get(), end, nullptr, FILE_BEGIN);
  SetEndOfFile(h.get());
  return path;
}

double MicrosecondsPerCall(const std::wstring& path, int calls) {
  const std::string name = tk::Narrow(path);
  LARGE_INTEGER freq, t0, t1;
  QueryPerformanceFrequency(&freq);
  volatile uint32_t sink = 0;
  QueryPerformanceCounter(&t0);
  for (int i = 0; i < calls; ++i) sink = sink + FileWordSum(name);
  QueryPerformanceCounter(&t1);
  return 1e6 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(freq.QuadPart) / calls;
}

}  // namespace

int main(int argc, char** argv) {
  const int calls = argc > 1 ? std::atoi(argv[1]) : 2000;
  const std::wstring small = MakeFile(L"fws_bench_4k.bin", 4096);
  const std::wstring huge = MakeFile(L"fws_bench_4g.bin", 4LL << 30);
  const double a = MicrosecondsPerCall(small, calls), b = MicrosecondsPerCall(huge, calls);
  std::printf("FileWordSum 4 KiB: %.1f us/call\nFileWordSum 4 GiB: %.1f us/call\nratio: %.2f\n", a, b, b / a);
  DeleteFileW(small.c_str());
  DeleteFileW(huge.c_str());
  return 0;
}
