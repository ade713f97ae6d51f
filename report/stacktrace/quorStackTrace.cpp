// The full trace of one thread: the phases in order, each guarded; a phase
// that fails ends the trace with an internal-error line naming it.
#include <exception>

#include "report/stacktrace/quorStackTraceItems.h"

namespace quor {

namespace {

template <typename Step>
bool Phase(const char* name, TTraceResult& result, Step step) {
  try {
    step();
    return true;
  } catch (const std::exception&) {
  }
  if (!result.Text.empty()) result.Text += "\r\n";
  result.Text += std::string(">> internal error in ") + name;
  return false;
}

}  // namespace

TTraceResult TraceThreadStack(const TTraceRequest& request) {
  TTraceResult result;
  if (!request.Memory) return result;
  TTraceTables& tables = request.Tables ? *request.Tables : ProcessTraceTables();
  std::lock_guard<std::mutex> hold(tables.Lock);
  tables.ClearTraceFlags();
  TTraceRun run{request, *request.Memory, tables, {}, -1};
  TTraceResult partial;
  const bool done = Phase("CollectPossibleStackItems", partial, [&] { CollectPossibleStackItems(run); }) &&
                    Phase("RemoveRecursiveStackAreas", partial, [&] { RemoveRecursion(run, true); }) &&
                    Phase("InDeepChecks", partial, [&] { InDeepChecks(run); }) &&
                    Phase("RealizeOptimalLinkChains", partial,
                          [&] {
                            if (!request.SimpleTrace) RealizeOptimalLinkChains(run);
                          }) &&
                    Phase("RemoveRecursiveAreas", partial, [&] { RemoveRecursion(run, false); }) &&
                    Phase("FillFinalOutput", result, [&] { FillFinalOutput(run, result); }) &&
                    Phase("ComposeResult", result, [&] { ComposeResult(run, result); });
  if (!done) {
    result.Text += partial.Text;
    return result;
  }
  result.Completed = !run.Aborted();
  run.Progress(1000);
  return result;
}

}  // namespace quor
