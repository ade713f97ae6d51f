// Real threads of this program with known call chains (recursion, a call
// through a function pointer, a thread started by the C++ library) are
// suspended where they wait and traced; their stacks must name the chain in
// order. The program's functions get symbols from their own addresses.
#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "report/disasm/quorMemoryWin.h"
#include "report/stacktrace/quorStackTraceWin.h"

namespace {

HANDLE waiting, release;
std::atomic<int> sink{0};
std::atomic<uint32_t> workerId{0};

extern "C" {
__attribute__((noinline)) void ChainLeaf() {
  SetEvent(waiting);
  WaitForSingleObject(release, INFINITE);
  sink++;
}
__attribute__((noinline)) void ChainIndirect() {
  ChainLeaf();
  sink++;
}
void (*volatile chainPointer)() = ChainIndirect;
__attribute__((noinline)) void ChainRecurse(int depth) {
  if (depth > 0)
    ChainRecurse(depth - 1);
  else
    chainPointer();
  sink++;
}
__attribute__((noinline)) void ChainThreadBody() {
  workerId = GetCurrentThreadId();
  ChainRecurse(3);
  sink++;
}
}

// Symbols: the public that holds an address is the nearest known function
// below it, within 256 bytes.
struct TOwnSymbols : quor::IStackSymbols {
  struct Fn {
    uint32_t Start;
    const char* Name;
  };
  std::vector<Fn> Functions;
  TOwnSymbols() {
    Functions = {{uint32_t(uintptr_t(&ChainLeaf)), "ChainLeaf"},
                 {uint32_t(uintptr_t(&ChainIndirect)), "ChainIndirect"},
                 {uint32_t(uintptr_t(&ChainRecurse)), "ChainRecurse"},
                 {uint32_t(uintptr_t(&ChainThreadBody)), "ChainThreadBody"}};
  }
  bool PublicAt(uint32_t a, std::string& name, uint32_t& start) const override {
    const Fn* best = nullptr;
    for (const Fn& f : Functions)
      if (f.Start <= a && a - f.Start < 256 && (!best || f.Start > best->Start)) best = &f;
    if (best) name = best->Name, start = best->Start;
    return best;
  }
  std::string UnitAt(uint32_t a) const override { return "chains.cpp"; }
  int32_t LineAt(uint32_t a) const override {
    std::string name;
    uint32_t start;
    return PublicAt(a, name, start) ? 100 : 0;
  }
};

std::shared_ptr<const quor::IStackSymbols> OwnSymbols(uint32_t module) {
  static const auto symbols = std::make_shared<TOwnSymbols>();
  return module == uint32_t(uintptr_t(GetModuleHandleA(nullptr))) ? symbols : nullptr;
}

// The known names of a trace, in order, each once per run of equal names.
std::vector<std::string> ChainNames(const quor::TStackTrace& trace) {
  std::vector<std::string> names;
  for (const quor::TStackItem& i : trace)
    if (i.FunctionName.rfind("Chain", 0) == 0 && (names.empty() || names.back() != i.FunctionName))
      names.push_back(i.FunctionName);
  return names;
}

TEST(TraceThreadStack, SuspendedThreadsShowTheirCallChains) {
  quor::SetStackSymbolsProvider(OwnSymbols);
  waiting = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread worker(ChainThreadBody);
  ASSERT_EQ(WaitForSingleObject(waiting, 10000), WAIT_OBJECT_0);
  Sleep(50);  // let it reach its wait

  quor::TMemorySnapshot snapshot;
  ASSERT_TRUE(quor::TakeProcessSnapshot(snapshot));
  quor::TThreadState state;
  const uint32_t id = workerId;
  ASSERT_TRUE(quor::ReadThreadState(id, state));
  EXPECT_GT(state.StackTop, state.Esp);
  // The copy of its stack: the words from the stack pointer up, as they still are.
  EXPECT_EQ(state.StackAt, state.Esp & ~3u);
  ASSERT_EQ(state.Stack.size(), state.StackTop - state.StackAt);
  EXPECT_EQ(
      std::memcmp(state.Stack.data(), reinterpret_cast<const void*>(uintptr_t(state.StackAt)), state.Stack.size()), 0);
  quor::TDAPreStackItem preparedItems;
  EXPECT_GE(quor::PrepareStackItems(state.Ebp, state.StackTop, state.Esp, preparedItems, false, 0, snapshot), 0);

  for (bool prepared : {false, true}) {
    quor::TTraceRequest r;
    r.StackBottom = state.Esp, r.StackTop = state.StackTop, r.FramePointer = state.Ebp, r.Current = state.Eip;
    if (prepared) r.Prepared = &preparedItems;
    r.Memory = &snapshot, r.Describer = &quor::WinModuleDescriber();
    // The thread is still waiting, so its stack is as read.
    const quor::TTraceResult t = quor::TraceThreadStack(r);
    ASSERT_TRUE(t.Completed) << t.Text;
    EXPECT_EQ(ChainNames(t.Items),
              (std::vector<std::string>{"ChainLeaf", "ChainIndirect", "ChainRecurse", "ChainThreadBody"}))
        << t.Text;
    EXPECT_NE(t.Text.find("ChainLeaf"), std::string::npos);
  }
  SetEvent(release);
  worker.join();
  quor::SetStackSymbolsProvider(nullptr);
}

TEST(ReadThreadState, RefusesTheCallingThreadAndUnknownThreads) {
  quor::TThreadState state;
  EXPECT_FALSE(quor::ReadThreadState(GetCurrentThreadId(), state));
  EXPECT_FALSE(quor::ReadThreadState(0xFFFFFFF0u, state));
}

}  // namespace
