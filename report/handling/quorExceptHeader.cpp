#include "report/handling/quorExceptHeader.h"

#include <windows.h>

#include <atomic>
#include <functional>

#include "report/handling/quorExceptModules.h"
#include "report/handling/quorExceptObject.h"
#include "report/lists/quorTools.h"
#include "report/settings/quorModulePath.h"
#include "report/settings/quorModuleVersion.h"
#include "report/settings/quorSettingsResource.h"
#include "report/text/quorInternalErrors.h"
#include "report/text/quorTextFormat.h"
#include "report/text/quorToolsText.h"

namespace quor {

namespace {

std::atomic<uint64_t> g_exceptionNumber{0};

constexpr const char* kCompiledWith = "GCC " __VERSION__ " (mingw-w64, i686)";
constexpr const char* kQuorExceptVersion = "3.0e";

std::string FileName(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

TLocalTime ToLocal(const SYSTEMTIME& t) {
  return TLocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

std::string FileTimeText(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  FILETIME local;
  SYSTEMTIME t;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &t))
    return {};
  return FileDateTimeText(ToLocal(t));
}

std::string CommandLineParameters() {
  const std::string line = GetCommandLineA();
  size_t at = 0;
  if (!line.empty() && line[0] == '"')
    at = line.find('"', 1);
  else
    at = line.find(' ');
  if (at == std::string::npos) return {};
  const size_t rest = line.find_first_not_of(' ', at + 1);
  return rest == std::string::npos ? std::string() : line;
}

}  // namespace

uint64_t ExceptionNumber() { return g_exceptionNumber.load(); }

TReportFields BuildReportHeader(TIQuorException& e) {
  TReportFields header;
  const auto item = [&](const char* name, const std::function<std::string()>& value) {
    try {
      std::string text = value();
      if (!text.empty()) header.push_back({name, std::move(text)});
    } catch (...) {
      // An item that cannot be computed is left out.
      RecordCaughtInternalError(name);
    }
  };
  const std::string exe = ModulePath(0);
  const std::string module = ModulePath(OwnModule());
  const bool inExe = module == exe;

  item("date/time", [] {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return ReportDateTimeText(ToLocal(t));
  });
  item("computer name", ComputerNameText);
  item("wts client name", RemoteClientName);
  item("user name", [] { return UserNameText() + (RunsAsAdministrator() ? "  <admin>" : ""); });
  item("registered owner", RegisteredOwnerText);
  item("operating system", SystemVersionText);
  item("system language", SystemLanguageText);
  item("system up time", SystemUptimeText);
  item("program up time", ProgramUptimeText);
  const int processors = ProcessorCount();
  item(processors == 1 ? "processor" : "processors", [&] { return ProcessorsText(processors, ProcessorNameText()); });
  item("physical memory", [] { return PhysicalMemoryText(); });
  item("free disk space", FreeDiskSpaceText);
  item("display mode", [] { return ScreenModeText(); });
  item("process id", [] { return DollarHex(GetCurrentProcessId()); });
  item("allocated memory", CommittedMemoryText);
  item("command line", CommandLineParameters);
  item("executable", [&] { return FileName(exe); });
  if (!inExe) item("current module", [&] { return FileName(module); });
  item(inExe ? "exec. date/time" : "module date/time", [&] { return FileTimeText(module); });
  item("version", [&] {
    const std::string version = e.Version();
    return version.empty() ? FileVersionOfPath(module) : version;
  });
  item("compiled with", [] { return std::string(kCompiledWith); });
  item("QuorExcept version", [] { return std::string(kQuorExceptVersion); });
  header.push_back({"callstack crc", std::string(kCrcPending)});
  header.push_back({"exception number", std::to_string(++g_exceptionNumber)});
  if (e.Params().Kind == kKindFreeze) {
    header.push_back({"exception message", e.TextValue("FrozenMsg")});
  } else {
    header.push_back({"exception class", e.ExceptionClass()});
    if (e.ExceptionMessage() != e.ExceptionClass())
      header.push_back({"exception message", HeaderExceptionMessage(e.ExceptionMessage())});
  }
  return header;
}

}  // namespace quor
