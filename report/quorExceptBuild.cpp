// Building the report of an exception object: the header, the section
// placeholders, and the background thread that fills the sections.
#include <windows.h>

#include "report/quorExceptHeader.h"
#include "report/quorExceptObject.h"
#include "report/quorExceptStacks.h"
#include "report/quorExceptThreads.h"
#include "report/quorReportSections.h"
#include "report/quorTextFormat.h"

namespace quor {

namespace {

constexpr const char* kCpuSection = "cpu registers";
constexpr const char* kDumpSection = "stack dump";

std::string ItemLine(uint32_t address) { return Hex8(address) + " +0 ???"; }

std::string InternalError(const char* step, uint32_t address) {
  std::string text = std::string(">> internal error in ") + step;
  if (address) text += ":\r\n" + ItemLine(address);
  return text;
}

std::string StackText(const TThreadStack& t) {
  if (!t.ContextRead) return ">> stack not accessible";
  return StackLinesText(t.Lines);
}

}  // namespace

void TIQuorException::StartReport(bool synchronous) {
  if (started_ || !createBugReport_) return;
  started_ = true;
  std::vector<TThreadStack> stacks;
  BeginUpdate();
  try {
    TReportFields header = BuildReportHeader(*this);
    stacks = PrepareThreadStacks(params_, BoolValue("ListThreads"));
    TReportFields sections;
    for (const auto& t : stacks) {
      std::string text = ">> stack not accessible";
      if (t.ContextRead) text = ItemLine(t.Lines.empty() ? t.Registers.Eip : t.Lines.front().Address) + "\r\n>> stack " + std::string(kCrcPending);
      sections.push_back({t.SectionName, text});
    }
    const bool hasContext = !stacks.empty() && stacks.front().ContextRead && params_.HasContext;
    if (BoolValue("CpuRegs") && hasContext) sections.push_back({kCpuSection, std::string(kSectionPending)});
    if (BoolValue("StackDump") && hasContext) sections.push_back({kDumpSection, std::string(kSectionPending)});
    for (const auto& f : header) (void)header_->Add(f.Name, f.Content);
    // Fields added later (assistants, the program) go before the last item
    // that precedes "callstack crc".
    const int32_t crcAt = header_->Find("callstack crc");
    if (crcAt > 0) header_->SetInsertPosition(crcAt - 1);
    for (const auto& f : sections) (void)sections_->Add(f.Name, f.Content);
  } catch (...) {
    (void)sections_->Add("report", InternalError("BuildReport", params_.Address));
  }
  EndUpdate();

  const auto build = [this, stacks] {
    bool listThreads = BoolValue("ListThreads");
    uint32_t crc0 = 0, crc1 = 0;
    for (size_t i = 0; i < stacks.size() && !abort_; ++i) {
      if (i > 0 && !listThreads && stacks[i].ThreadId != MainThreadId()) continue;
      std::string text;
      try {
        text = StackText(stacks[i]);
        if (i == 0) {
          const TStackCrcs crcs = StackCrcs(stacks[i].Lines);
          crc0 = crcs.First, crc1 = crcs.Second;
        }
      } catch (...) {
        text = InternalError("GetThreadReport", params_.Address);
      }
      SetSection(stacks[i].SectionName, text);
      if (i == 0 && !stacks.empty()) {
        const TThreadStack& first = stacks.front();
        if (BoolValue("CpuRegs") && first.ContextRead && params_.HasContext) {
          std::string regs;
          try {
            regs = CpuRegistersText(first.Registers);
          } catch (...) {
            regs = InternalError("GetCpuRegisters", params_.Address);
          }
          SetSection(kCpuSection, regs);
        }
        if (BoolValue("StackDump") && first.ContextRead && params_.HasContext) {
          std::string dump;
          try {
            dump = StackDumpText(first.Registers.Esp, first.StackBytes);
          } catch (...) {
            dump = InternalError("GetStackDump", params_.Address);
          }
          SetSection(kDumpSection, dump);
        }
      }
    }
    if (abort_) return;
    SetCrcs(crc0, crc1, crc1);
    complete_ = true;
    SetHeaderField("callstack crc", CallstackCrcText(crc0, crc1, crc1));
  };
  if (synchronous) {
    build();
  } else {
    builder_ = std::thread([build] {
      SetThreadName(GetCurrentThreadId(), kLibraryThreadName);
      SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_ABOVE_NORMAL);
      build();
    });
  }
}

}  // namespace quor
