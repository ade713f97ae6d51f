// Guarded reads of this process's memory under the real memory manager.
#include "report/disasm/quorMemoryWin.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

uint32_t Addr(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }

__attribute__((noinline)) int KnownFunction(int x) { return x * 3 + 1; }

TEST(ProcessSnapshot, ReadsWhatIsMappedAndRefusesTheRest) {
  void* freed = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  void* guarded = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS);
  ASSERT_TRUE(VirtualFree(freed, 0, MEM_RELEASE));
  static const char text[] = "stack dump";
  quor::TMemorySnapshot s;
  ASSERT_TRUE(quor::TakeProcessSnapshot(s));

  char buf[11] = {};
  EXPECT_TRUE(s.Read(Addr(text), buf, sizeof(text)));
  EXPECT_STREQ(buf, "stack dump");
  uint32_t dword;
  const struct {
    const char* what;
    uint32_t address;
  } refused[] = {
      {"null page", 0x10},
      {"freed memory", Addr(freed)},
      {"no-access page", Addr(guarded)},
      {"top of the address space", 0xFFFFFFF0u},
  };
  for (const auto& r : refused) EXPECT_FALSE(s.ReadDword(r.address, dword)) << r.what;
  // A read that starts readable and runs into a no-access page fails whole.
  EXPECT_FALSE(s.Read(Addr(guarded) - 2, buf, 4));
  VirtualFree(guarded, 0, MEM_RELEASE);
}

TEST(ProcessSnapshot, KnowsTheModulesAndTheirCode) {
  quor::TMemorySnapshot s;
  ASSERT_TRUE(quor::TakeProcessSnapshot(s));
  const uint32_t fn = Addr(reinterpret_cast<const void*>(&KnownFunction));
  const quor::TModuleImage* m = s.ModuleOf(fn);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->Base, Addr(GetModuleHandleW(nullptr)));
  EXPECT_TRUE(fn >= m->CodeBegin && fn < m->CodeEnd);
  EXPECT_NE(s.ModuleOf(Addr(reinterpret_cast<const void*>(&GetTickCount))), nullptr);
  // Our own code decodes: frame set-up of a function built with frame pointers.
  const quor::InstructionInfo first = quor::DecodeInstruction(fn, &s);
  EXPECT_TRUE(first.Valid);
  EXPECT_GT(first.Length(), 0u);
}

// The snapshot of the modules holding some addresses knows those modules as
// the whole one does, and nothing outside them.
TEST(ModulesSnapshot, HoldsTheNamedModulesOnly) {
  const std::unique_ptr<int> heap = std::make_unique<int>(7);
  quor::TMemorySnapshot whole, part;
  ASSERT_TRUE(quor::TakeProcessSnapshot(whole));
  const uint32_t fn = Addr(reinterpret_cast<const void*>(&KnownFunction));
  const uint32_t system = Addr(reinterpret_cast<const void*>(&GetTickCount));
  ASSERT_TRUE(quor::TakeModulesSnapshot(part, {0, fn, system, fn, Addr(heap.get())}));
  ASSERT_EQ(part.Modules().size(), 2u);
  for (const uint32_t address : {fn, system}) {
    const quor::TModuleImage *expected = whole.ModuleOf(address), *got = part.ModuleOf(address);
    ASSERT_NE(expected, nullptr);
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(got->Base, expected->Base);
    EXPECT_EQ(got->CodeBegin, expected->CodeBegin);
    EXPECT_EQ(got->CodeEnd, expected->CodeEnd);
    EXPECT_TRUE(part.IsReadable(address));
  }
  EXPECT_EQ(quor::DecodeInstruction(fn, &part).Length(), quor::DecodeInstruction(fn, &whole).Length());
  int value = 0;
  EXPECT_FALSE(part.Read(Addr(heap.get()), &value, sizeof value));
  EXPECT_TRUE(whole.Read(Addr(heap.get()), &value, sizeof value));
  quor::TMemorySnapshot none;
  EXPECT_FALSE(quor::TakeModulesSnapshot(none, {0, Addr(heap.get())}));
}

}  // namespace
