// The stack tracer on synthetic stacks: hand-assembled functions in a code
// buffer with their symbols, and a stack buffer with frames built as the
// calls would have built them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "report/codec/quorZip.h"
#include "report/stacktrace/quorStackTrace.h"
#include "report/stacktrace/quorStackTraceSections.h"

namespace {

using quor::TTraceRequest;
using quor::TTraceResult;

constexpr uint32_t kCode = 0x00401000, kLib = 0x10001000, kStackBottom = 0x00120000, kStackTop = 0x00121000;

// Several buffers at their bases.
class TBuffers : public quor::IMemoryReader {
public:
  std::map<uint32_t, std::vector<uint8_t>> Blocks;
  bool ReadRaw(uint32_t address, void* out, uint32_t size) const override {
    for (const auto& [base, bytes] : Blocks)
      if (address >= base && uint64_t(address) + size <= base + bytes.size()) {
        std::memcpy(out, bytes.data() + (address - base), size);
        return true;
      }
    return false;
  }
};

struct TTestSymbols : quor::IStackSymbols {
  struct Fn {
    uint32_t Start, End;
    std::string Name;
    int32_t FirstLine;
  };
  std::vector<Fn> Functions;
  std::vector<uint32_t> Unnumbered;  // addresses inside a function without a line
  const Fn* At(uint32_t a) const {
    for (const Fn& f : Functions)
      if (a >= f.Start && a < f.End) return &f;
    return nullptr;
  }
  bool PublicAt(uint32_t a, std::string& name, uint32_t& start) const override {
    const Fn* f = At(a);
    if (f) name = f->Name, start = f->Start;
    return f;
  }
  std::string UnitAt(uint32_t a) const override { return At(a) ? "unit1.cpp" : ""; }
  // the entry has the first line, every later byte the line after it
  int32_t LineAt(uint32_t a) const override {
    const Fn* f = At(a);
    if (std::find(Unnumbered.begin(), Unnumbered.end(), a) != Unnumbered.end()) return 0;
    return !f ? 0 : a == f->Start ? f->FirstLine : f->FirstLine + 1;
  }
};

struct TTestDescriber : quor::IModuleDescriber {
  std::shared_ptr<TTestSymbols> Symbols = std::make_shared<TTestSymbols>();
  bool Describe(const quor::TModuleImage& image, const quor::TMemorySnapshot&, quor::TTraceModule& m) const override {
    if (image.Base == kCode) {
      m.FileName = "app.exe", m.IsExecutable = true, m.Symbols = Symbols;
    } else {
      m.FileName = "lib.dll";
      m.Exports = {{kLib, "LibEntry"}};
    }
    return true;
  }
};

// A process: code (with symbols), a library without symbols, and a stack.
struct TProcess {
  TBuffers memory;
  quor::TMemorySnapshot snapshot{&memory};
  TTestDescriber describer;
  quor::TTraceTables tables;
  std::vector<uint8_t> code = std::vector<uint8_t>(0x400, 0xCC);
  std::vector<uint8_t> lib = std::vector<uint8_t>(0x100, 0xCC);
  std::vector<uint8_t> stack = std::vector<uint8_t>(kStackTop - kStackBottom, 0);
  uint32_t sp = kStackTop - 8;  // room for the oldest frame's saved ebp
  uint32_t fp = 0;

  // At `at`: push ebp; mov ebp, esp; then `body`; pop ebp; ret.
  void Function(uint32_t at, const char* name, int32_t line, std::vector<uint8_t> body, uint32_t base = kCode) {
    std::vector<uint8_t> bytes = {0x55, 0x8B, 0xEC};
    bytes.insert(bytes.end(), body.begin(), body.end());
    bytes.insert(bytes.end(), {0x5D, 0xC3});
    std::vector<uint8_t>& target = base == kCode ? code : lib;
    std::copy(bytes.begin(), bytes.end(), target.begin() + (at - base));
    if (name) describer.Symbols->Functions.push_back({at, at + uint32_t(bytes.size()), name, line});
  }
  static std::vector<uint8_t> CallRel(uint32_t from, uint32_t to) {
    const uint32_t rel = to - (from + 5);
    return {0xE8, uint8_t(rel), uint8_t(rel >> 8), uint8_t(rel >> 16), uint8_t(rel >> 24)};
  }
  void Put(uint32_t at, uint32_t value) { std::memcpy(&stack[at - kStackBottom], &value, 4); }
  // A call's return address and the callee's saved frame pointer.
  void Frame(uint32_t returnAddress) {
    Put(sp -= 4, returnAddress);
    Put(sp -= 4, fp);
    fp = sp;
  }
  void Finish() {
    memory.Blocks = {{kCode, code}, {kLib, lib}, {kStackBottom, stack}};
    snapshot.AddRange({kCode, uint32_t(code.size()), true, true});
    snapshot.AddRange({kLib, uint32_t(lib.size()), true, true});
    snapshot.AddRange({kStackBottom, uint32_t(stack.size()), true, true});
    snapshot.AddModule({kCode, uint32_t(code.size()), kCode, kCode + uint32_t(code.size()), 0, 0});
    snapshot.AddModule({kLib, uint32_t(lib.size()), kLib, kLib + uint32_t(lib.size()), 0, 0});
  }
  TTraceResult Trace(uint32_t current, bool hideUgly = false, bool relAddrs = false, bool relLines = false) {
    TTraceRequest r;
    r.StackBottom = sp, r.StackTop = kStackTop, r.FramePointer = fp, r.Current = current;
    r.IsException = true, r.IsPlatformException = true;
    r.HideUglyItems = hideUgly, r.ShowRelAddrs = relAddrs, r.ShowRelLines = relLines;
    r.Memory = &snapshot, r.Tables = &tables, r.Describer = &describer;
    return quor::TraceThreadStack(r);
  }
};

std::vector<std::string> Names(const TTraceResult& t) {
  std::vector<std::string> names;
  for (const quor::TStackItem& i : t.Items) names.push_back(i.FunctionName);
  return names;
}

// main -> a -> b -(through a pointer)-> c, which faults at c + 3.
struct TChain : TProcess {
  uint32_t main = kCode, a = kCode + 0x20, b = kCode + 0x40, c = kCode + 0x60, pointer = kCode + 0x200;
  TChain() {
    Function(main, "main", 10, CallRel(main + 3, a));
    Function(a, "a", 20, CallRel(a + 3, b));
    Function(b, "b", 30,
             {0xFF, 0x15, uint8_t(pointer), uint8_t(pointer >> 8), uint8_t(pointer >> 16), uint8_t(pointer >> 24)});
    Function(c, "c", 40, {0xA1, 0, 0, 0, 0});  // mov eax, [0]
    std::memcpy(&code[pointer - kCode], &c, 4);
    Frame(main + 8);  // main's own caller: not a call, dropped
    Frame(main + 8);
    Frame(a + 8);
    Put(sp -= 4, a + 8);  // a stale copy in a local of b
    Frame(b + 9);
    sp -= 8;
    Finish();
  }
};

TEST(TraceThreadStack, CallChainThroughDirectAndPointerCalls) {
  TChain p;
  const TTraceResult t = p.Trace(p.c + 3);
  ASSERT_TRUE(t.Completed) << t.Text;
  EXPECT_EQ(Names(t), (std::vector<std::string>{"c", "b", "a", "main"})) << t.Text;
  ASSERT_EQ(t.Items.size(), 4u);
  EXPECT_EQ(t.Items[0].Address, p.c + 3);
  EXPECT_EQ(t.Items[1].Address, p.b + 3);  // the call instruction
  EXPECT_EQ(t.Items[3].Address, p.main + 3);
  EXPECT_EQ(t.Items[1].Line, 31);
  EXPECT_EQ(t.Text,
            "00401063 app.exe unit1.cpp 41 c\r\n"
            "00401043 app.exe unit1.cpp 31 b\r\n"
            "00401023 app.exe unit1.cpp 21 a\r\n"
            "00401003 app.exe unit1.cpp 11 main");
  EXPECT_TRUE(t.HasLineNumbers);
  EXPECT_EQ(t.CurrentAddress, p.c + 3);
  EXPECT_EQ(t.FunctionStart, p.c);
  EXPECT_EQ(t.FunctionAddress, p.c + 3);
}

TEST(TraceThreadStack, RelativeAddressAndLineColumns) {
  TChain p;
  const TTraceResult t = p.Trace(p.c + 3, false, true, true);
  EXPECT_EQ(t.Text,
            "00401063 +3 app.exe unit1.cpp 41 +1 c\r\n"
            "00401043 +3 app.exe unit1.cpp 31 +1 b\r\n"
            "00401023 +3 app.exe unit1.cpp 21 +1 a\r\n"
            "00401003 +3 app.exe unit1.cpp 11 +1 main");
  EXPECT_EQ(t.FunctionStart, p.c);
}

TEST(TraceThreadStack, CheckSumsFollowNamesAndOffsets) {
  TChain p;
  const TTraceResult t = p.Trace(p.c + 3);
  const auto itemCrc = [](uint32_t offset, const std::string& fn) {
    uint32_t crc = offset;
    for (const std::string& s : {std::string("app.exe"), std::string("unit1.cpp"), fn})
      crc = quor::Crc32Update(crc, s.data(), s.size());
    return crc;
  };
  EXPECT_EQ(t.Crc1, itemCrc(3, "c"));
  uint32_t second = t.Crc1;
  for (const char* fn : {"b", "a", "main"}) {
    const uint32_t v = itemCrc(3, fn);
    const uint8_t bytes[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    second = quor::Crc32Update(second, bytes, 4);
  }
  EXPECT_EQ(t.Crc2, second);
}

// The function table outlives a trace, the verdicts on its functions do
// not: whatever an earlier trace marked reached or rejected, the next trace
// of the same stack gives the same result.
TEST(TraceThreadStack, EarlierTracesVerdictsDoNotCarryOver) {
  TChain p;
  const TTraceResult first = p.Trace(p.c + 3);
  ASSERT_GT(p.tables.FunctionCount(), 0u);
  for (bool reached : {false, true}) {
    for (size_t f = 0; f < p.tables.FunctionCount(); ++f) {
      p.tables.Function(int(f)).Rejected = true;
      p.tables.Function(int(f)).Reached = reached;
    }
    const TTraceResult next = p.Trace(p.c + 3);
    EXPECT_EQ(next.Text, first.Text) << "reached " << reached;
    EXPECT_EQ(next.Crc2, first.Crc2) << "reached " << reached;
  }
}

TEST(TraceThreadStack, RecursionLeavesOneCopyOfTheRepeatedBlock) {
  TProcess p;
  const uint32_t main = kCode, r = kCode + 0x20, leaf = kCode + 0x60;
  p.Function(main, "main", 10, TProcess::CallRel(main + 3, r));
  // r: test eax, eax; jz +5; call r; call leaf
  std::vector<uint8_t> body = {0x85, 0xC0, 0x74, 0x05};
  auto self = TProcess::CallRel(r + 7, r), toLeaf = TProcess::CallRel(r + 12, leaf);
  body.insert(body.end(), self.begin(), self.end());
  body.insert(body.end(), toLeaf.begin(), toLeaf.end());
  p.Function(r, "r", 20, body);
  p.Function(leaf, "leaf", 40, {0x90, 0x90});
  p.Frame(main + 8);
  p.Frame(main + 8);
  for (int depth = 0; depth < 4; ++depth) p.Frame(r + 12);
  p.Frame(r + 17);
  p.sp -= 8;
  p.Finish();
  const TTraceResult t = p.Trace(leaf + 3);
  EXPECT_EQ(Names(t), (std::vector<std::string>{"leaf", "r", "r", "main"})) << t.Text;
}

// A C++ throw in a function that never returns: the call to the throw entry
// is its last instruction, so the raise address (the call's return address)
// is the first byte of the next function. The trace names the thrower.
TEST(TraceThreadStack, ThrowAsLastInstructionNamesTheThrower) {
  for (const char* entry : {"__cxa_throw", "__wrap___cxa_throw"}) {
    SCOPED_TRACE(entry);
    TProcess p;
    const uint32_t main = kCode, thrower = kCode + 0x20, next = thrower + 8, raise = kCode + 0x60;
    p.Function(main, "main", 10, TProcess::CallRel(main + 3, thrower));
    // push ebp; mov ebp, esp; call raise -- and nothing after it
    std::vector<uint8_t> bytes = {0x55, 0x8B, 0xEC};
    const std::vector<uint8_t> call = TProcess::CallRel(thrower + 3, raise);
    bytes.insert(bytes.end(), call.begin(), call.end());
    std::copy(bytes.begin(), bytes.end(), p.code.begin() + (thrower - kCode));
    p.describer.Symbols->Functions.push_back({thrower, next, "thrower", 20});
    p.Function(next, "next", 30, {0x90});
    p.Function(raise, entry, 40, {0x90});
    p.Frame(main + 8);
    p.Frame(main + 8);
    p.Put(p.sp -= 4, next);  // the throw's return address
    p.sp -= 8;
    p.Finish();
    TTraceRequest r;
    r.StackBottom = p.sp, r.StackTop = kStackTop, r.FramePointer = p.fp, r.Current = next;
    r.IsException = true;  // a language exception: the address follows the raising call
    r.Memory = &p.snapshot, r.Tables = &p.tables, r.Describer = &p.describer;
    const TTraceResult t = quor::TraceThreadStack(r);
    ASSERT_TRUE(t.Completed) << t.Text;
    EXPECT_EQ(Names(t), (std::vector<std::string>{"thrower", "main"})) << t.Text;
    EXPECT_EQ(t.Items[0].Address, thrower + 3) << t.Text;  // the throwing call
  }
}

TEST(TraceThreadStack, LibraryWithoutSymbolsUsesItsExportsUnlessHidden) {
  TProcess p;
  const uint32_t main = kCode, entry = kLib, leaf = kCode + 0x60;
  p.Function(main, "main", 10, TProcess::CallRel(main + 3, entry));
  p.Function(entry, nullptr, 0, TProcess::CallRel(entry + 3, leaf), kLib);
  p.Function(leaf, "leaf", 40, {0x90, 0x90});
  p.Frame(main + 8);
  p.Frame(main + 8);
  p.Frame(entry + 8);
  p.sp -= 8;
  p.Finish();
  const TTraceResult shown = p.Trace(leaf + 3);
  EXPECT_EQ(Names(shown), (std::vector<std::string>{"leaf", "LibEntry", "main"})) << shown.Text;
  EXPECT_EQ(shown.Items[1].ModuleName, "lib.dll");
  EXPECT_EQ(shown.Items[1].Line, 0);
  const TTraceResult hidden = p.Trace(leaf + 3, true);
  EXPECT_EQ(Names(hidden), (std::vector<std::string>{"leaf", "main"})) << hidden.Text;
}

TEST(TraceThreadStack, BadStacksGiveNoFault) {
  struct Case {
    const char* name;
    uint32_t bottom, top, fp;
  } cases[] = {
      {"unreadable stack", 0x00800000, 0x00801000, 0x00800100},
      {"reversed bounds", kStackTop, kStackBottom, 0},
      {"huge bounds", 0, 0xFFFFFFF0, 0},
      {"frame pointer outside", kStackTop - 0x100, kStackTop, 0xFFFFFFF0},
  };
  for (const Case& c : cases) {
    TProcess p;
    // a cyclic frame chain: each saved frame pointer points to itself
    for (uint32_t a = kStackTop - 0x100; a < kStackTop; a += 4) p.Put(a, a);
    p.Finish();
    TTraceRequest r;
    r.StackBottom = c.bottom, r.StackTop = c.top, r.FramePointer = c.fp, r.Current = 0x00999999;
    r.Memory = &p.snapshot, r.Tables = &p.tables, r.Describer = &p.describer;
    const TTraceResult t = quor::TraceThreadStack(r);
    EXPECT_TRUE(t.Completed) << c.name;
    ASSERT_EQ(t.Items.size(), 1u) << c.name;  // the current address, forced
    EXPECT_EQ(t.Items[0].ModuleName, "???") << c.name;
    EXPECT_EQ(t.Text, "00999999 ???  ") << c.name;
  }
}

TEST(FollowsCall, CallFormsBeforeTheValue) {
  struct Case {
    std::vector<uint8_t> bytes;  // the 8 bytes before the value
    bool follows;
  } cases[] = {
      {{0x90, 0x90, 0x90, 0xE8, 1, 2, 3, 4}, true},               // call rel32
      {{0x90, 0x9A, 1, 2, 3, 4, 5, 6}, true},                     // call far ptr16:32
      {{0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0xFF, 0xD0}, true},   // call eax
      {{0x90, 0x90, 0x90, 0x90, 0x90, 0xFF, 0x55, 0x08}, true},   // call [ebp+8]
      {{0x90, 0x90, 0xFF, 0x25, 1, 2, 3, 4}, false},              // jmp [abs]
      {{0x90, 0x90, 0xFF, 0x15, 1, 2, 3, 4}, true},               // call [abs]
      {{0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0xFF, 0xE0}, false},  // jmp eax
      {{0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0xC3}, false},
  };
  for (const Case& c : cases) {
    quor::TBufferReader reader(kCode, c.bytes);
    const quor::TMemorySnapshot s = quor::BufferSnapshot(reader);
    EXPECT_EQ(quor::FollowsCall(kCode + 8, s), c.follows) << int(c.bytes[6]) << " " << int(c.bytes[7]);
  }
  quor::TBufferReader reader(kCode, {0xE8, 0, 0, 0, 0});
  EXPECT_FALSE(quor::FollowsCall(kCode + 5, quor::BufferSnapshot(reader)));  // unreadable before
}

TEST(PrepareStackItems, FrameSlotsAreSure) {
  TChain p;
  quor::TDAPreStackItem items;
  const int last = quor::PrepareStackItems(p.fp, kStackTop, p.sp, items, false, 0, p.snapshot);
  ASSERT_EQ(last, int(items.size()) - 1);
  std::vector<std::pair<int, uint32_t>> got;
  for (const quor::TPreStackItem& i : items) got.push_back({i.Sure, i.Address});
  EXPECT_EQ(got, (std::vector<std::pair<int, uint32_t>>{
                     {1, p.main + 8}, {1, p.main + 8}, {1, p.a + 8}, {0, p.a + 8}, {1, p.b + 9}}));
  // the walk of an exception stops at the slot that holds its address
  EXPECT_EQ(quor::PrepareStackItems(p.fp, kStackTop, p.sp, items, true, p.a + 8, p.snapshot), 1);
  EXPECT_EQ(quor::PrepareStackItems(p.fp, kStackTop + 0x1000, p.sp, items, false, 0, p.snapshot), -1);
}

TEST(StackItemLine, Forms) {
  TChain p;
  p.describer.Symbols->Unnumbered = {kCode + 0x44};
  struct Case {
    uint32_t address;
    bool relAddrs, relLines;
    const char* line;
  } cases[] = {
      {kCode + 0x43, false, false, "00401043 app.exe unit1.cpp 31 b"},
      {kCode + 0x43, true, true, "00401043 +3 app.exe unit1.cpp 31 +1 b"},
      {kCode + 0x40, true, true, "00401040 +0 app.exe unit1.cpp 30 +0 b"},
      {kCode + 0x44, true, true, "00401044 +4 app.exe unit1.cpp +0 b"},
      {kCode + 0x44, false, false, "00401044 app.exe unit1.cpp b"},
      {0x00999999, true, false, "00999999 +0 ???"},
      {0x00999999, false, false, "00999999 ???"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(quor::StackItemLine(c.address, c.relAddrs, c.relLines, p.snapshot, p.tables, &p.describer), c.line);
}

TEST(Sections, StackDumpStopsAtTheStackEndAndDisAsmMarksTheAddress) {
  TChain p;
  const std::string dump = quor::StackDumpSection(kStackTop - 20, kStackTop, p.snapshot);
  EXPECT_EQ(dump.substr(0, 10), "00120fec  ");
  EXPECT_EQ(std::count(dump.begin(), dump.end(), '\n'), 1);  // 20 bytes: two lines
  const TTraceResult t = p.Trace(p.c + 3);
  const std::string text = quor::DisAsmSection(t, p.snapshot, nullptr, false, 0);
  EXPECT_NE(text.find("00401063 >"), std::string::npos) << text;
  EXPECT_EQ(quor::DisAsmSection(TTraceResult{}, p.snapshot, nullptr, false, 0), "");
}

}  // namespace
