#include "report/handling/quorStateReport.h"

#include <windows.h>

#include <cstring>

#include "base/WinHandle.h"
#include "base/WinMemory.h"
#include "report/handling/quorExceptPipeline.h"
#include "report/intercept/quorExceptThreads.h"
#include "report/intercept/quorFreezeWatchdog.h"
#include "report/storage/quorBugRepStore.h"

namespace quor {

namespace {

// The reporter's own threads appear in the report under their names.
void NameLibraryThreads(bool shown) {
  if (const uint32_t id = FreezeWatchdogThreadId()) SetThreadName(id, shown ? "AntiFreezeThread" : kLibraryThreadName);
  if (const uint32_t id = HandlerThreadId()) SetThreadName(id, shown ? "HandleExceptionThread" : kLibraryThreadName);
}

// The tool's block: the session-wide name first, then the local one. The
// view covers `limit` bytes, so a block smaller than the limit is not
// written past its end (the view cannot be made).
bool WriteToTraceMap(const std::string& text, uint32_t limit) {
  base::KernelHandle map(OpenFileMappingA(FILE_MAP_WRITE, FALSE, "Global\\quorTraceProcessMap"));
  if (!map) map.reset(OpenFileMappingA(FILE_MAP_WRITE, FALSE, "quorTraceProcessMap"));
  if (!map) return false;
  const base::MappedView view(MapViewOfFile(map.get(), FILE_MAP_WRITE, 0, 0, limit));
  if (!view) return false;
  char* block = static_cast<char*>(view.get());
  const size_t n = text.size() < limit - 1 ? text.size() : limit - 1;
  std::memcpy(block, text.data(), n);
  block[n] = 0;
  return true;
}

}  // namespace

std::string CurrentStateReport() {
  std::string text;
  THandleArgs a;
  a.Kind = 1;
  a.Source = kSourceExplicit;
  a.ReportOut = &text;
  HandleException(a);
  return text;
}

}  // namespace quor

uint32_t __stdcall quorTraceProcess(int32_t limit) {
  using namespace quor;
  const uint32_t self = GetCurrentThreadId();
  SetThreadName(self, kLibraryThreadName);
  NameLibraryThreads(true);
  const std::string report = CurrentStateReport();
  NameLibraryThreads(false);
  const bool delivered = limit < 1 ? CopyToClipboard(report) : WriteToTraceMap(report, uint32_t(limit));
  RemoveThreadRecord(self);
  return delivered ? 1 : 0;
}
