// The function parser and the disassembly text on small
// hand-assembled functions.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "report/disasm/quorDisAsm.h"

namespace {

constexpr uint32_t kBase = 0x00401000;

std::string Pad(std::string s, size_t width) {
  s.resize(std::max(s.size(), width), ' ');
  return s;
}

struct Code {
  quor::TBufferReader reader;
  quor::TMemorySnapshot snapshot;
  explicit Code(std::vector<uint8_t> bytes) : reader(kBase, std::move(bytes)), snapshot(quor::BufferSnapshot(reader)) {}
};

// switch (x) { case 0: return 1; case 1: return 2; default: return 0; } with a
// jump table of three entries after a range check.
std::vector<uint8_t> SwitchFunction() {
  std::vector<uint8_t> c = {
      0x55,                                      // 00 push ebp
      0x8B, 0xEC,                                // 01 mov ebp, esp
      0x8B, 0x45, 0x08,                          // 03 mov eax, [ebp+8]
      0x83, 0xF8, 0x02,                          // 06 cmp eax, 2
      0x77, 0x15,                                // 09 ja 20
      0xFF, 0x24, 0x85, 0x30, 0x10, 0x40, 0x00,  // 0B jmp [eax*4+$401030]
      0xB8, 0x01, 0x00, 0x00, 0x00,              // 12 mov eax, 1
      0xEB, 0x0C,                                // 17 jmp 25
      0xB8, 0x02, 0x00, 0x00, 0x00,              // 19 mov eax, 2
      0xEB, 0x05,                                // 1E jmp 25
      0x33, 0xC0,                                // 20 xor eax, eax
      0x90, 0x90, 0x90,                          // 22 nop
      0x5D,                                      // 25 pop ebp
      0xC3,                                      // 26 ret
  };
  c.resize(0x30, 0xCC);
  for (uint32_t t : {0x401012u, 0x401019u, 0x401020u})
    for (int k = 0; k < 4; ++k) c.push_back(uint8_t(t >> (8 * k)));
  c.resize(0x60, 0xCC);
  return c;
}

TEST(ParseFunction, CaseTableJumpsAndInterceptable) {
  Code c(SwitchFunction());
  const quor::TFunctionInfo f = quor::ParseFunction(kBase, &c.snapshot);
  ASSERT_TRUE(f.IsValid) << f.LastErrorStr;
  EXPECT_EQ(f.EntryPoint, kBase);
  EXPECT_EQ(f.CodeBegin, kBase);
  EXPECT_EQ(f.CodeLen, 0x3Cu);
  EXPECT_TRUE(f.Interceptable);
  int tables = 0;
  for (const quor::TCodeArea& a : f.CodeAreas) {
    if (a.CaseTable) {
      ++tables;
      EXPECT_EQ(a.Begin, kBase + 0x30);
      EXPECT_EQ(a.End, kBase + 0x3B);
      EXPECT_EQ(a.FirstJumpFrom, kBase + 0x0B);
    }
  }
  EXPECT_EQ(tables, 1);
  EXPECT_TRUE(f.UnknownTargets.empty());
  EXPECT_TRUE(f.FarCalls.empty());
  // every case and the range check's target start areas
  for (uint32_t t : {0x12u, 0x19u, 0x20u, 0x25u}) {
    bool found = false;
    for (const quor::TCodeArea& a : f.CodeAreas) found |= a.Begin == kBase + t;
    EXPECT_TRUE(found) << std::hex << t;
  }
}

TEST(ParseFunction, FarCallsUnknownTargetsAndNotInterceptable) {
  Code c({
      0xE8, 0xFB, 0x0F, 0x10, 0x00,  // 00 call $502000 (outside)
      0xFF, 0xD0,                    // 05 call eax (unknown)
      0x85, 0xC0,                    // 07 test eax, eax
      0x74, 0x01,                    // 09 jz 0C
      0xC3,                          // 0B ret
      0xFF, 0xE1,                    // 0C jmp ecx (unknown)
  });
  const quor::TFunctionInfo f = quor::ParseFunction(kBase, &c.snapshot);
  ASSERT_TRUE(f.IsValid);
  ASSERT_EQ(f.FarCalls.size(), 1u);
  EXPECT_TRUE(f.FarCalls[0].IsCall);
  EXPECT_EQ(f.FarCalls[0].CodeAddr, kBase);
  EXPECT_EQ(f.FarCalls[0].NextAddr, kBase + 5);
  EXPECT_EQ(f.FarCalls[0].Target, 0x502000u);
  EXPECT_EQ(f.FarCalls[0].PTarget, kBase + 1);
  ASSERT_EQ(f.UnknownTargets.size(), 2u);
  EXPECT_EQ(f.UnknownTargets[0].CodeAddr, kBase + 5);
  EXPECT_EQ(f.UnknownTargets[0].NextAddr, kBase + 7);
  EXPECT_EQ(f.UnknownTargets[1].CodeAddr, kBase + 0x0C);
  EXPECT_FALSE(f.Interceptable);  // a relative call in the first 6 bytes
  EXPECT_EQ(f.CodeLen, 0x0Eu);
}

TEST(ParseFunction, ShortFunctionIsNotInterceptable) {
  Code c({0x33, 0xC0, 0xC3, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC});
  const quor::TFunctionInfo f = quor::ParseFunction(kBase, &c.snapshot);
  ASSERT_TRUE(f.IsValid);
  EXPECT_EQ(f.CodeLen, 3u);
  EXPECT_FALSE(f.Interceptable);
}

TEST(ParseFunction, UnmappedEntryGivesError87) {
  Code c({0xC3});
  const quor::TFunctionInfo f = quor::ParseFunction(0x10000, &c.snapshot);
  EXPECT_FALSE(f.IsValid);
  EXPECT_EQ(f.LastErrorNo, 87u);
  EXPECT_EQ(f.LastErrorAddr, 0x10000u);
  EXPECT_EQ(f.LastErrorStr, "The parameter is incorrect.");
  std::string text = "x";
  quor::TFunctionInfo info;
  EXPECT_FALSE(quor::DisAsmFunction(0x10000, &c.snapshot, nullptr, {}, text, info));
  EXPECT_EQ(text, "");
  EXPECT_EQ(info.LastErrorNo, 87u);
}

TEST(ParseFunction, InvalidCode) {
  Code c({0x55, 0x8D, 0xC0, 0xC3});
  const quor::TFunctionInfo f = quor::ParseFunction(kBase, &c.snapshot);
  EXPECT_FALSE(f.IsValid);
  EXPECT_EQ(f.LastErrorNo, 0x770001u);
  EXPECT_EQ(f.LastErrorStr, "Invalid code!");
  EXPECT_EQ(f.LastErrorAddr, kBase + 1);
  // code that runs off the end of mapped memory
  Code cut({0x55, 0x8B});
  EXPECT_EQ(quor::ParseFunction(kBase, &cut.snapshot).LastErrorNo, 0x770001u);
}

// An undecodable instruction in a branch ends only that branch's area: the
// function, its other areas and its text stay.
TEST(ParseFunction, InvalidCodeInABranchEndsOnlyItsArea) {
  Code c({
      0x55,        // 00 push ebp
      0x85, 0xC0,  // 01 test eax, eax
      0x74, 0x06,  // 03 jz 0B
      0x33, 0xC0,  // 05 xor eax, eax
      0x5D,        // 07 pop ebp
      0xC3,        // 08 ret
      0xCC, 0xCC,  // 09 padding
      0x40,        // 0B inc eax
      0x8D, 0xC0,  // 0C lea with a register operand: undecodable
      0xC3,        // 0E ret, not reached
  });
  std::string text;
  quor::TFunctionInfo f;
  ASSERT_TRUE(quor::DisAsmFunction(kBase, &c.snapshot, nullptr, {}, text, f)) << f.LastErrorStr;
  EXPECT_TRUE(f.IsValid);
  ASSERT_EQ(f.CodeAreas.size(), 2u);
  EXPECT_EQ(f.CodeAreas[0].Begin, kBase);
  EXPECT_EQ(f.CodeAreas[0].End, kBase + 8);
  EXPECT_FALSE(f.CodeAreas[0].Invalid);
  EXPECT_EQ(f.CodeAreas[1].Begin, kBase + 0x0B);
  EXPECT_EQ(f.CodeAreas[1].End, kBase + 0x0C);
  EXPECT_TRUE(f.CodeAreas[1].Invalid);
  EXPECT_EQ(f.CodeLen, 0x0Du);
  const std::string expected = "sub_00401000\r\n" + Pad("sub_00401000:", 31) +
                               "  ; function entry point\r\n"
                               "00401000   push    ebp\r\n"
                               "00401001   test    eax, eax\r\n"
                               "00401003   jz      loc_0040100b\r\n"
                               "00401005   xor     eax, eax\r\n"
                               "00401007   pop     ebp\r\n"
                               "00401008   ret\r\n"
                               "loc_0040100b:\r\n"
                               "0040100b   inc     eax\r\n"
                               "0040100c   db $8d";
  EXPECT_EQ(text, expected);
  // the same bytes at the entry point make the function invalid
  const quor::TFunctionInfo bad = quor::ParseFunction(kBase + 0x0B, &c.snapshot);
  EXPECT_FALSE(bad.IsValid);
  EXPECT_EQ(bad.LastErrorAddr, kBase + 0x0C);
}

TEST(ParseFunction, OnExceptionTable) {
  // push ebp; jmp HandleOnException; dd 2; dd class, handler; dd 0, handler2
  std::vector<uint8_t> c = {0x55, 0xE9, 0xFA, 0x0F, 0x00, 0x00};  // jmp $402000
  for (uint32_t v : {2u, 0x405000u, 0x401020u, 0u, 0x401022u})
    for (int k = 0; k < 4; ++k) c.push_back(uint8_t(v >> (8 * k)));
  c.resize(0x20, 0xCC);
  c.insert(c.end(), {0xC3, 0xCC, 0x33, 0xC0, 0xC3});
  Code code(c);
  quor::TSpecialRoutines sp;
  sp.HandleOnException = 0x402000;
  const quor::TFunctionInfo f = quor::ParseFunction(kBase, &code.snapshot, &sp);
  ASSERT_TRUE(f.IsValid) << f.LastErrorStr;
  bool table = false;
  for (const quor::TCodeArea& a : f.CodeAreas)
    if (a.ExceptTable) table = a.Begin == kBase + 6 && a.End == kBase + 6 + 20 - 1;
  EXPECT_TRUE(table);
  struct Names : quor::IDisAsmSymbols {
    bool ClassName(uint32_t cls, std::string& name) const override {
      if (cls != 0x405000) return false;
      name = "EAccessViolation";
      return true;
    }
  } names;
  quor::TDisAsmOptions o;
  o.Special = &sp;
  std::string text;
  ASSERT_TRUE(quor::FunctionText(f, &code.snapshot, &names, o, text));
  EXPECT_NE(text.find("  on EAccessViolation do loc_00401020"), std::string::npos) << text;
  EXPECT_NE(text.find("  else loc_00401022"), std::string::npos) << text;
}

class FakeSymbols : public quor::IDisAsmSymbols {
public:
  bool FunctionName(uint32_t address, uint32_t, std::string& name, std::string& module) const override {
    if (address == kBase) {
      name = "Unit1.Switch";
      module.clear();
      return true;
    }
    if (address == 0x77001000) {
      name = "MessageBoxA";
      module = "user32.dll";
      return true;
    }
    return false;
  }
  bool LineNumber(uint32_t address, uint32_t& line) const override {
    line = 100 + (address - kBase) / 0x10;
    return address >= kBase && address < kBase + 0x30;
  }
};

TEST(FunctionText, LabelsCaseTablePaddingAndMarker) {
  Code c(SwitchFunction());
  quor::TDisAsmOptions o;
  o.ExceptAddr = kBase + 0x19;
  std::string text;
  quor::TFunctionInfo f;
  ASSERT_TRUE(quor::DisAsmFunction(kBase, &c.snapshot, nullptr, o, text, f));
  const std::string expected = "sub_00401000\r\n" + Pad("sub_00401000:", 31) +
                               "  ; function entry point\r\n"
                               "00401000   push    ebp\r\n"
                               "00401001   mov     ebp, esp\r\n"
                               "00401003   mov     eax, [ebp+8]\r\n"
                               "00401006   cmp     eax, 2\r\n"
                               "00401009   ja      loc_00401020\r\n"
                               "0040100b   jmp     dword ptr [eax*4+$401030]\r\n"
                               "loc_00401012:\r\n"
                               "00401012   mov     eax, 1\r\n"
                               "00401017   jmp     loc_00401025\r\n"
                               "loc_00401019:\r\n"
                               "00401019 > mov     eax, 2\r\n"
                               "0040101e   jmp     loc_00401025\r\n"
                               "loc_00401020:\r\n"
                               "00401020   xor     eax, eax\r\n"
                               "00401022   nop\r\n"
                               "00401023   nop\r\n"
                               "00401024   nop\r\n"
                               "loc_00401025:\r\n"
                               "00401025   pop     ebp\r\n"
                               "00401026   ret\r\n" +
                               Pad("  dd loc_00401012", 31) +
                               "  ; case jump table\r\n"
                               "  dd loc_00401019\r\n"
                               "  dd loc_00401020";
  EXPECT_EQ(text, expected);
}

TEST(FunctionText, FormatSymbolsLinesAndAnnotations) {
  std::vector<uint8_t> code = {
      0x68, 0x20, 0x10, 0x40, 0x00,  // 00 push $401020 ('Hello world')
      0xE8, 0xF6, 0xFF, 0xBF, 0x76,  // 05 call $77001000
      0x85, 0xC0,                    // 0A test eax, eax
      0x75, 0x01,                    // 0C jnz 0F
      0xC3,                          // 0E ret
      0x33, 0xC0,                    // 0F xor eax, eax
      0xC3,                          // 11 ret
  };
  code.resize(0x20, 0xCC);
  for (char ch : std::string("Hello world")) code.push_back(uint8_t(ch));
  code.push_back(0);
  Code c(code);
  FakeSymbols symbols;
  quor::TDisAsmOptions o;
  o.FormatDisAsm = true;
  std::string text;
  quor::TFunctionInfo f;
  ASSERT_TRUE(quor::DisAsmFunction(kBase, &c.snapshot, &symbols, o, text, f));
  const std::string expected = "public Unit1.Switch\r\n" + Pad("Unit1.Switch:", 31) + "  ; function entry point\r\n" +
                               Pad("00401000   100 push    $401020", 44) + "  ; 'Hello world'\r\n" +
                               Pad("00401005       call    $76bffff6 ($77001000)", 44) +
                               "  ; MessageBoxA (user32.dll)\r\n"
                               "0040100a       test    eax, eax\r\n"
                               "0040100c       jnz     loc_0040100f\r\n"
                               "0040100e       ret\r\n"
                               "\r\n"
                               "loc_0040100f:\r\n"
                               "0040100f       xor     eax, eax\r\n"
                               "00401011   101 ret";
  EXPECT_EQ(text, expected);
}

TEST(LimitDisAsm, CutsAroundTheMarkedLine) {
  std::vector<std::string> lines;
  for (int k = 1; k <= 40; ++k) lines.push_back("line" + std::to_string(k));
  // 20 lines before the marked line 21: 5 before, 5 after, both cut
  EXPECT_EQ(quor::LimitDisAsmText(lines, 21, 5),
            "[...]\r\nline16\r\nline17\r\nline18\r\nline19\r\nline20\r\nline21\r\n"
            "line22\r\nline23\r\nline24\r\nline25\r\nline26\r\n[...]");
  // only 5 lines before: nothing is cut before
  EXPECT_EQ(quor::LimitDisAsmText(lines, 6, 5).rfind("line1\r\n", 0), 0u);
  // no limit: everything, no trailing break
  const std::string all = quor::LimitDisAsmText(lines, 21, 0);
  EXPECT_EQ(all.substr(all.size() - 6), "line40");
  // the marked line near the end: nothing is cut after
  const std::string end = quor::LimitDisAsmText(lines, 38, 5);
  EXPECT_EQ(end.substr(end.size() - 6), "line40");
}

}  // namespace
