// Building the report of an exception object: the header, the section
// placeholders, and the background thread that fills the sections from the
// stack traces.
#include <windows.h>

#include <algorithm>
#include <memory>

#include "base/ScopeExit.h"
#include "report/codec/quorZip.h"
#include "report/disasm/quorMemoryWin.h"
#include "report/handling/quorExceptHeader.h"
#include "report/handling/quorExceptObject.h"
#include "report/handling/quorExceptStacks.h"
#include "report/handling/quorHandlingThreads.h"
#include "report/intercept/quorExceptThreads.h"
#include "report/intercept/quorProcessBlocked.h"
#include "report/lists/quorReportPlugins.h"
#include "report/stacktrace/quorStackTraceSections.h"
#include "report/stacktrace/quorStackTraceWin.h"
#include "report/symbols/quorSymbolCache.h"
#include "report/text/quorInternalErrors.h"
#include "report/text/quorReportSections.h"
#include "report/text/quorTextFormat.h"

namespace quor {

namespace {

constexpr const char* kCpuSection = "cpu registers";
constexpr const char* kDumpSection = "stack dump";
constexpr const char* kDisAsmSection = "disassembling";
constexpr const char* kInternalErrorsSection = "internal errors";

struct TLineSettings {
  bool ShowRelAddrs = false, ShowRelLines = false;
};

// The item line of one address, read from the report's snapshot (nullptr:
// none could be taken); never from inside a trace (both take the tables'
// lock).
std::string ItemLine(uint32_t address, const TLineSettings& s, const TMemorySnapshot* process) {
  if (!process) return Hex8(address);
  return StackItemLine(address, s.ShowRelAddrs, s.ShowRelLines, *process, ProcessTraceTables(), &WinModuleDescriber());
}

std::string InternalError(const char* step, uint32_t address, const TLineSettings& s, const TMemorySnapshot* process) {
  std::string text = std::string(">> internal error in ") + step;
  if (address) {
    text += ":\r\n";
    try {
      text += ItemLine(address, s, process);
    } catch (...) {
      text += Hex8(address);
    }
  }
  return text;
}

// A plug-in's text; a plug-in that fails gives the internal-error text. Its
// producer may need the loader lock (module names, process lists): while
// another thread holds it the list is left out rather than the report hung.
std::string PluginText(const ReportPlugin& plugin, TIQuorException* e, uint32_t address, const TLineSettings& s,
                       const TMemorySnapshot* process) {
  if (ProcessBlocked(0)) return ">> not listed: the process is blocked";
  try {
    return plugin.produce(e);
  } catch (...) {
    return InternalError("plugin", address, s, process);
  }
}

// Check sum 2 takes in another thread's second check sum.
uint32_t FoldCrc(uint32_t crc, uint32_t value) {
  uint8_t bytes[4];
  for (int b = 0; b < 4; ++b) bytes[b] = static_cast<uint8_t>(value >> (8 * b));
  return Crc32Update(crc, bytes, 4);
}

// ">> created by <creator thread> at:" before the trace's last line, which is
// the creator's code address.
std::string WithCreatorLine(const std::string& text, uint32_t creatorThreadId) {
  const size_t last = text.rfind("\r\n");
  const std::string line = ">> created by " + ThreadDisplayName(creatorThreadId, false) + " at:\r\n";
  return last == std::string::npos ? line + text : text.substr(0, last + 2) + line + text.substr(last + 2);
}

// A thread's trace moves the wait window's bar inside that thread's area.
class TWaitProgress final : public ITraceProgress {
public:
  explicit TWaitProgress(IProgressAlert* wait) : wait_(wait) {}
  void Progress(int permille) override {
    if (wait_) wait_->SetPosition(permille);
  }

private:
  IProgressAlert* wait_;
};

// Each traced thread weighs 100 x the bytes of its stack in use.
constexpr uint64_t kStackByteWeight = 100;
// The wait window's icon resource.
constexpr char kWaitIcon[] = "QUORIPLWAIT";

}  // namespace

void TIQuorException::StartReport(bool synchronous) {
  if (started_ || !createBugReport_) return;
  started_ = true;
  std::vector<TThreadStack> stacks;
  // The plug-ins chosen once: the placeholders and the built sections match.
  const std::vector<ReportPlugin> plugins = ReportPluginsFor(TextValue("Plugins"));
  const TLineSettings lineSettings{BoolValue("ShowRelAddrs"), BoolValue("ShowRelLines")};
  // One snapshot of the process serves the whole report: taking one walks
  // the address space and lists the modules, and drops the kept code pages.
  auto snapshot = std::make_shared<TMemorySnapshot>();
  if (!TakeProcessSnapshot(*snapshot)) snapshot.reset();
  const TMemorySnapshot* process = snapshot.get();
  BeginUpdate();
  try {
    TReportFields header = BuildReportHeader(*this);
    for (const ReportPlugin& p : plugins)
      if (!p.ownSection) header.push_back({p.name, PluginText(p, this, params_.Address, lineSettings, process)});
    stacks = PrepareThreadStacks(params_, BoolValue("ListThreads"), process);
    if (BoolValue("PlWaitBox")) {
      wait_ = NewProgressAlert(TextValue("PlWaitTitle"), reinterpret_cast<HMODULE>(Module()), kWaitIcon);
      for (const auto& t : stacks)
        if (t.ContextRead) wait_->AddArea(TextValue("PlWaitText"), kStackByteWeight * (t.StackTop - t.Registers.Esp));
    }
    TReportFields sections;
    for (const auto& t : stacks) {
      std::string text = ">> stack not accessible";
      if (t.ContextRead)
        text = ItemLine(t.Current, lineSettings, process) + "\r\n>> stack " + std::string(kCrcPending);
      else if (t.IsExceptionThread && params_.Address)
        text += ", exception location:\r\n" + ItemLine(params_.Address, lineSettings, process);
      sections.push_back({t.SectionName, text});
    }
    for (const ReportPlugin& p : plugins)
      if (p.ownSection) sections.push_back({p.name, std::string(kSectionPending)});
    const bool hasContext = !stacks.empty() && stacks.front().ContextRead && params_.HasContext;
    if (BoolValue("CpuRegs") && hasContext) sections.push_back({kCpuSection, std::string(kSectionPending)});
    if (BoolValue("StackDump") && hasContext) sections.push_back({kDumpSection, std::string(kSectionPending)});
    if (BoolValue("ShowDisAsm") && !stacks.empty()) sections.push_back({kDisAsmSection, std::string(kSectionPending)});
    // The reporter's own failures since the last report.
    if (std::string errors = TakeInternalErrors(); !errors.empty())
      sections.push_back({kInternalErrorsSection, std::move(errors)});
    for (const auto& f : header) (void)header_->Add(f.Name, f.Content);
    // Fields added later (assistants, the program) go before the last item
    // that precedes "callstack crc".
    const int32_t crcAt = header_->Find("callstack crc");
    if (crcAt > 0) header_->SetInsertPosition(crcAt - 1);
    for (const auto& f : sections) (void)sections_->Add(f.Name, f.Content);
  } catch (...) {
    (void)sections_->Add("report", InternalError("BuildReport", params_.Address, lineSettings, process));
  }
  EndUpdate();

  const auto build = [this, stacks = std::move(stacks), plugins, lineSettings, snapshot] {
    // Complete or aborted, the wait window goes at the end.
    const base::ScopeExit closeWait([this] {
      if (wait_) wait_->Close();
    });
    TWaitProgress progress(wait_.get());
    const TMemorySnapshot* process = snapshot.get();
    const bool listThreads = BoolValue("ListThreads");
    const bool hasContext = !stacks.empty() && stacks.front().ContextRead && params_.HasContext;
    uint32_t crc0 = 0, crc1 = 0, crc2 = 0;
    std::vector<std::string> minDebugInfos;
    for (size_t i = 0; i < stacks.size() && !abort_; ++i) {
      const TThreadStack& t = stacks[i];
      // Each thread with a readable context has its area in the wait window.
      const base::ScopeExit nextArea([&t, this] {
        if (wait_ && t.ContextRead) wait_->NextArea();
      });
      if (i > 0 && !listThreads && t.ThreadId != MainThreadId()) continue;
      TTraceResult trace;
      std::string text;
      try {
        if (!t.ContextRead) {
          text = ">> stack not accessible";
          if (t.IsExceptionThread && params_.Address)
            text += ", exception location:\r\n" + ItemLine(params_.Address, lineSettings, process);
        } else {
          const TThreadMemory memory(t, process);
          TTraceRequest r;
          r.StackBottom = t.Registers.Esp;
          r.StackTop = t.StackTop;
          r.FramePointer = t.Registers.Ebp;
          r.Current = t.Current;
          r.IsException = t.IsExceptionThread;
          r.IsPlatformException = t.IsPlatformException;
          r.AbnormalTermination = t.IsAbnormalTermination;
          r.Creator = t.Creator;
          r.Prepared = &t.Prepared;
          r.HideUglyItems = BoolValue("HideUglyItems");
          r.ShowRelAddrs = lineSettings.ShowRelAddrs;
          r.ShowRelLines = lineSettings.ShowRelLines;
          r.Memory = &memory.Snapshot();
          r.Describer = &WinModuleDescriber();
          r.Abort = &abort_;
          r.ProgressTo = &progress;
          trace = TraceThreadStack(r);
          text = t.Creator && t.CreatorThreadId ? WithCreatorLine(trace.Text, t.CreatorThreadId) : trace.Text;
          for (const auto& info : trace.MinDebugInfos)
            if (std::find(minDebugInfos.begin(), minDebugInfos.end(), info) == minDebugInfos.end())
              minDebugInfos.push_back(info);
          if (i == 0)
            crc0 = trace.Crc1, crc1 = crc2 = trace.Crc2;
          else if (trace.HasLineNumbers)
            crc2 = FoldCrc(crc2, trace.Crc2);
        }
      } catch (...) {
        text = InternalError("GetThreadReport", params_.Address, lineSettings, process);
      }
      SetSection(t.SectionName, text);
      if (i != 0) continue;
      if (BoolValue("CpuRegs") && hasContext) {
        std::string regs;
        try {
          regs = CpuRegistersText(t.Registers);
        } catch (...) {
          regs = InternalError("GetCpuRegisters", params_.Address, lineSettings, process);
        }
        SetSection(kCpuSection, regs);
      }
      if (BoolValue("StackDump") && hasContext) {
        std::string dump;
        try {
          const TThreadMemory memory(t, process);
          dump = StackDumpSection(t.Registers.Esp, t.StackTop, memory.Snapshot());
        } catch (...) {
          dump = InternalError("GetStackDump", params_.Address, lineSettings, process);
        }
        SetSection(kDumpSection, dump);
      }
      if (BoolValue("ShowDisAsm")) {
        std::string disasm;
        try {
          const TThreadMemory memory(t, process);
          const TSymbolDisAsmNames names;
          disasm = DisAsmSection(trace, memory.Snapshot(), &names, BoolValue("FormatDisAsm"), IntValue("LimitDisAsm"));
        } catch (...) {
          disasm = InternalError("GetCleartextDisAsm", params_.Address, lineSettings, process);
        }
        SetSection(kDisAsmSection, disasm);
      }
      // The section plug-ins, in the order of the setting Plugins.
      for (const ReportPlugin& p : plugins)
        if (p.ownSection && !abort_) SetSection(p.name, PluginText(p, this, params_.Address, lineSettings, process));
    }
    if (abort_) return;
    SetCrcs(crc0, crc1, crc2);
    for (const std::string& info : minDebugInfos) {
      const size_t bar = info.find('|');
      if (bar != std::string::npos) (void)header_->Add(info.substr(0, bar) + ".quor", info.substr(bar + 1));
    }
    // The check sums and the complete flag change together, so a text
    // taken as complete always carries them; the change is announced after.
    BeginUpdate();
    {
      std::lock_guard<std::recursive_mutex> hold(lock_);
      SetHeaderField("callstack crc", CallstackCrcText(crc0, crc1, crc2));
      complete_ = true;
    }
    EndUpdate();
  };
  if (synchronous) {
    // Built right here: the wait window shows first, unless another thread
    // holds a lock that creating a window may need.
    if (wait_ && !ProcessBlocked(0)) wait_->Show(nullptr, false);
    build();
  } else {
    std::lock_guard<std::mutex> hold(builderLock_);
    auto ended = std::make_shared<std::promise<void>>();
    builderEnd_ = ended->get_future().share();
    builder_ = std::thread([build, ended] {
      const base::ScopeExit done([&ended] { ended->set_value(); });
      MarkHandlingThread();
      SetThreadName(GetCurrentThreadId(), kLibraryThreadName);
      SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_ABOVE_NORMAL);
      build();
    });
  }
}

}  // namespace quor
