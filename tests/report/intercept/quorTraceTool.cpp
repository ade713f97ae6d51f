// An outside tool that asks a process for its current-state report, as a
// developer's tool would: it creates the shared memory block (filled with
// 'x'), finds quorTraceProcess in the process's executable through the
// module base and the export directory in the process's memory, starts a
// thread there with the limit and waits for it. It writes the thread's id
// (4 bytes) and then the whole block to the output file.
//   quorTraceTool <process id> <limit> <block size> <block name> <output file>
// Exit codes: 0 the report was delivered, 1 the call said it was not,
// 2 usage, 3 the block or the process cannot be had, 4 no export, 5 the
// thread failed, 6 the output cannot be written.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

bool ReadRemote(HANDLE process, uintptr_t address, void* out, size_t size) {
  SIZE_T read = 0;
  return ReadProcessMemory(process, reinterpret_cast<const void*>(address), out, size, &read) && read == size;
}

uintptr_t ExecutableBase(DWORD pid) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
  if (snap == INVALID_HANDLE_VALUE) return 0;
  MODULEENTRY32 me;
  me.dwSize = sizeof me;
  const uintptr_t base = Module32First(snap, &me) ? reinterpret_cast<uintptr_t>(me.modBaseAddr) : 0;
  CloseHandle(snap);
  return base;
}

// The address of the named export in the process's executable, or 0.
uintptr_t RemoteExport(HANDLE process, uintptr_t base, const char* wanted) {
  IMAGE_DOS_HEADER dos;
  IMAGE_NT_HEADERS32 nt;
  if (!ReadRemote(process, base, &dos, sizeof dos) || !ReadRemote(process, base + dos.e_lfanew, &nt, sizeof nt))
    return 0;
  const IMAGE_DATA_DIRECTORY& dir = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  IMAGE_EXPORT_DIRECTORY exports;
  if (!dir.VirtualAddress || !ReadRemote(process, base + dir.VirtualAddress, &exports, sizeof exports)) return 0;
  std::vector<DWORD> names(exports.NumberOfNames);
  std::vector<WORD> ordinals(exports.NumberOfNames);
  std::vector<DWORD> functions(exports.NumberOfFunctions);
  if (!ReadRemote(process, base + exports.AddressOfNames, names.data(), names.size() * 4) ||
      !ReadRemote(process, base + exports.AddressOfNameOrdinals, ordinals.data(), ordinals.size() * 2) ||
      !ReadRemote(process, base + exports.AddressOfFunctions, functions.data(), functions.size() * 4))
    return 0;
  for (size_t i = 0; i < names.size(); ++i) {
    char name[64] = {};
    if (ReadRemote(process, base + names[i], name, std::strlen(wanted) + 1) && std::strcmp(name, wanted) == 0 &&
        ordinals[i] < functions.size())
      return base + functions[ordinals[i]];
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) return 2;
  const DWORD pid = std::strtoul(argv[1], nullptr, 10);
  const long limit = std::strtol(argv[2], nullptr, 10);
  const DWORD size = std::strtoul(argv[3], nullptr, 10);
  HANDLE map = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, argv[4]);
  char* view = map ? static_cast<char*>(MapViewOfFile(map, FILE_MAP_ALL_ACCESS, 0, 0, size)) : nullptr;
  HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
  if (!view || !process) return 3;
  std::memset(view, 'x', size);
  const uintptr_t start = RemoteExport(process, ExecutableBase(pid), "quorTraceProcess");
  if (!start) return 4;
  DWORD threadId = 0;
  HANDLE thread = CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(start),
                                     reinterpret_cast<void*>(limit), 0, &threadId);
  if (!thread || WaitForSingleObject(thread, 120000) != WAIT_OBJECT_0) return 5;
  DWORD delivered = 0;
  GetExitCodeThread(thread, &delivered);
  FILE* out = std::fopen(argv[5], "wb");
  if (!out) return 6;
  std::fwrite(&threadId, 4, 1, out);
  std::fwrite(view, 1, size, out);
  std::fclose(out);
  return delivered == 1 ? 0 : 1;
}
