// The text of one decoded instruction (mnemonic, operands, number
// formats). The function's disassembly text is in quorFunctionText.cpp.
#include <cstdio>
#include <cstring>

#include "report/disasm/quorDisAsm.h"
#include "report/disasm/quorDisAsmTables.h"

namespace quor {

using namespace tables;

std::string NumberText(uint32_t value) {
  if (value <= 9) return std::string(1, char('0' + value));
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%x", value);
  return buf;
}

namespace {

std::string SignedText(int32_t v) {
  if (v < 0) return "-" + NumberText(0u - uint32_t(v));
  return NumberText(uint32_t(v));
}

const char* SizeName(int size) {
  switch (size) {
    case 1:
      return "byte";
    case 2:
      return "word";
    case 4:
      return "dword";
    case 8:
      return "qword";
    case 10:
      return "tbyte";
    case 16:
      return "oword";
    case 32:
      return "yword";
    default:
      return nullptr;
  }
}

std::string MemoryText(const TDecoded& d) {
  std::string s;
  if (d.Segment != kNoSegment) {
    s += kSegRegs[d.Segment];
    s += ':';
  }
  s += '[';
  const char* const* names = d.Addr16Form ? kReg16 : kReg32;
  bool any = false;
  if (d.Base != kNoReg) {
    s += names[d.Base];
    any = true;
  }
  if (d.Index != kNoReg) {
    if (any) s += '+';
    s += names[d.Index];
    if (d.Scale > 1) {
      s += '*';
      s += char('0' + d.Scale);
    }
    any = true;
  }
  if (!any) {
    s += NumberText(d.MemoryRef);
  } else if (d.DispSize && d.Disp != 0) {
    s += d.Disp < 0 ? '-' : '+';
    s += NumberText(d.Disp < 0 ? 0u - uint32_t(d.Disp) : uint32_t(d.Disp));
  }
  s += ']';
  return s;
}

struct Operand {
  std::string text;
  int regSize = 0;   // size of a register operand
  int memSize = -1;  // size of a memory operand (0: none given), -1: not memory
};

std::string StReg(int i) {
  if (i == 0) return "st";
  return "st(" + std::to_string(i) + ")";
}

Operand FormatOperand(const TDecoded& d, const char* tok, size_t len, const ILabelSource* labels) {
  Operand o;
  auto is = [&](const char* t) { return std::strlen(t) == len && std::strncmp(tok, t, len) == 0; };
  const bool mem = d.HasModRm && d.Mod != 3;
  const int v = d.OpSize16 ? 2 : 4;
  auto gen = [&](int reg, int size) {
    o.regSize = size;
    o.text = size == 1 ? kReg8[reg & 7] : size == 2 ? kReg16[reg & 7] : kReg32[reg & 7];
  };
  auto memOp = [&](int size) {
    o.memSize = size;
    o.text = MemoryText(d);
  };
  auto mmx = [&](int reg) {
    o.regSize = 8;
    o.text = "mm" + std::to_string(reg & 7);
  };
  auto xmm = [&](int reg) {
    o.regSize = 16;
    o.text = "xmm" + std::to_string(reg & 7);
  };
  // VEX.L: ymm registers and 32-byte operands
  auto vec = [&](int reg) {
    if (!d.VexL) return xmm(reg);
    o.regSize = 32;
    o.text = "ymm" + std::to_string(reg & 7);
  };
  const int vecSize = d.VexL ? 32 : 16;
  const bool sse66 = d.OpSize16;
  if (is("Eb"))
    mem ? memOp(1) : gen(d.Rm, 1);
  else if (is("Ew"))
    mem ? memOp(2) : gen(d.Rm, 2);
  else if (is("Ed"))
    mem ? memOp(4) : gen(d.Rm, 4);
  else if (is("Ev"))
    mem ? memOp(v) : gen(d.Rm, v);
  else if (is("Gb"))
    gen(d.Reg, 1);
  else if (is("Gw"))
    gen(d.Reg, 2);
  else if (is("Gd"))
    gen(d.Reg, 4);
  else if (is("Gv"))
    gen(d.Reg, v);
  else if (is("M"))
    memOp(0);
  else if (is("Mp"))
    memOp(d.OpSize16 ? 4 : 0);  // a far pointer: 16:16 is a dword, 16:32 has no name
  else if (is("Ma"))
    memOp(2 * v);  // bound: a pair of operand-size bounds
  else if (is("Mb"))
    memOp(1);
  else if (is("Mw"))
    memOp(2);
  else if (is("Md"))
    memOp(4);
  else if (is("Mq"))
    memOp(8);
  else if (is("Mt"))
    memOp(10);
  else if (is("Mo"))
    memOp(16);
  else if (is("Rd"))
    gen(d.Rm, 4);
  else if (is("Sw")) {
    o.text = kSegRegs[d.Reg] ? kSegRegs[d.Reg] : "?";
    o.regSize = 2;
  } else if (is("Cd")) {
    o.text = "cr" + std::to_string(d.Reg);
    o.regSize = 4;
  } else if (is("Dd")) {
    o.text = "dr" + std::to_string(d.Reg);
    o.regSize = 4;
  } else if (is("Pq"))
    mmx(d.Reg);
  else if (is("Px"))
    sse66 ? xmm(d.Reg) : mmx(d.Reg);
  else if (is("Qq"))
    mem ? memOp(8) : mmx(d.Rm);
  else if (is("Qd"))
    mem ? memOp(4) : mmx(d.Rm);
  else if (is("Qx"))
    sse66 ? (mem ? memOp(16) : xmm(d.Rm)) : (mem ? memOp(8) : mmx(d.Rm));
  else if (is("Nq"))
    mmx(d.Rm);
  else if (is("Vx"))
    xmm(d.Reg);
  else if (is("Ux"))
    xmm(d.Rm);
  else if (is("Wx"))
    mem ? memOp(d.Prefix == kPrefixF3 ? 4 : d.Prefix == kPrefixF2 ? 8 : 16) : xmm(d.Rm);
  else if (is("Wo"))
    mem ? memOp(16) : xmm(d.Rm);
  else if (is("Wq"))
    mem ? memOp(8) : xmm(d.Rm);
  else if (is("Wd"))
    mem ? memOp(4) : xmm(d.Rm);
  else if (is("Ww"))
    mem ? memOp(2) : xmm(d.Rm);
  else if (is("Ib") || is("Iw") || is("Iz"))
    o.text = NumberText(d.Imm);
  else if (is("Ibs"))
    o.text = SignedText(int8_t(d.Imm));
  else if (is("I2"))
    o.text = NumberText(d.Imm2);
  else if (is("Jb") || is("Jz")) {
    std::string label;
    if (labels && d.Info.HasRelTarget && labels->LabelFor(d.Info.Target, label)) {
      o.text = label;
    } else {
      const int32_t rel = d.ImmSize == 1 ? int8_t(d.Imm) : d.ImmSize == 2 ? int16_t(d.Imm) : int32_t(d.Imm);
      const uint32_t target = d.Info.HasRelTarget ? d.Info.Target : d.Info.Next + uint32_t(rel);
      o.text = SignedText(rel) + " (" + NumberText(target) + ")";
    }
  } else if (is("Ap"))
    o.text = NumberText(d.Imm2) + ":" + NumberText(d.Imm);
  else if (is("Ob") || is("Ov")) {
    o.memSize = is("Ob") ? 1 : v;
    std::string s;
    if (d.Segment != kNoSegment) s = std::string(kSegRegs[d.Segment]) + ":";
    o.text = s + "[" + NumberText(d.Imm) + "]";
  } else if (is("AL"))
    gen(kEax, 1);
  else if (is("CL"))
    gen(kEcx, 1);
  else if (is("DX"))
    gen(kEdx, 2);
  else if (is("eAX"))
    gen(kEax, v);
  else if (is("Zb"))
    gen(d.OpByte & 7, 1);
  else if (is("Zv"))
    gen(d.OpByte & 7, v);
  else if (is("1"))
    o.text = "1";
  else if (is("ES"))
    o.text = "es";
  else if (is("CS"))
    o.text = "cs";
  else if (is("SS"))
    o.text = "ss";
  else if (is("DS"))
    o.text = "ds";
  else if (is("FS"))
    o.text = "fs";
  else if (is("GS"))
    o.text = "gs";
  else if (is("x870i"))
    o.text = "st, " + StReg(d.Rm);
  else if (is("x87i0"))
    o.text = StReg(d.Rm) + ", st";
  else if (is("x87i"))
    o.text = StReg(d.Rm);
  else if (is("x87ax"))
    o.text = "ax";
  // VEX forms and the implicit xmm0 of sha256rnds2, after the common tokens
  else if (is("X0"))
    xmm(0);
  else if (is("Vy"))
    vec(d.Reg);
  else if (is("Hy"))
    vec(d.VexV);
  else if (is("Hd"))
    gen(d.VexV, 4);
  else if (is("Hx"))
    xmm(d.VexV);
  else if (is("Wy"))
    mem ? memOp(vecSize) : vec(d.Rm);
  else if (is("Uy"))
    vec(d.Rm);
  else if (is("My"))
    memOp(vecSize);
  else if (is("Ly"))
    vec((d.Imm >> 4) & 7);  // the register in the immediate's top bits
  else if (is("Wh"))
    mem ? memOp(vecSize / 2) : xmm(d.Rm);
  else if (is("Wf"))
    mem ? memOp(vecSize / 4) : xmm(d.Rm);
  else if (is("We"))
    mem ? memOp(vecSize / 8) : xmm(d.Rm);
  else if (is("Wb"))
    mem ? memOp(1) : xmm(d.Rm);
  else
    o.text = std::string(tok, len);
  return o;
}

}  // namespace

std::string InstructionText(const TDecoded& d, const ILabelSource* labels) {
  if (!d.Info.Valid) return std::string();
  std::string s;
  if (d.Lock) s += "lock ";
  if (!d.PrefixUsed) {
    if (d.RepNe && (!d.Rep || d.Prefix == kPrefixF2))
      s += "repne ";
    else if (d.Rep)
      s += "rep ";
  }
  s += d.Mnemonic;
  // operands
  Operand ops[4];
  int n = 0;
  const char* p = d.Operands;
  while (*p && n < 4) {
    const char* q = p;
    while (*q && *q != ',') ++q;
    // the 3DNow! and 0x0F 0x3A suffix byte is part of the opcode
    ops[n++] = FormatOperand(d, p, size_t(q - p), labels);
    p = *q ? q + 1 : q;
  }
  if (n == 0) return s;
  // a memory size is written where no register operand of that size implies it
  for (int i = 0; i < n; ++i) {
    if (ops[i].memSize <= 0) continue;
    bool implied = false;
    for (int j = 0; j < n; ++j)
      if (j != i && ops[j].regSize == ops[i].memSize) implied = true;
    if (!implied) {
      if (const char* sn = SizeName(ops[i].memSize)) ops[i].text = std::string(sn) + " ptr " + ops[i].text;
    }
  }
  s += ' ';
  while (s.size() < 8) s += ' ';
  for (int i = 0; i < n; ++i) {
    if (i) s += ", ";
    s += ops[i].text;
  }
  return s;
}

std::string DecodeInstructionText(uint32_t address, const TMemorySnapshot* snapshot, TRegState* regs,
                                  InstructionInfo& info) {
  TDecoded d;
  DecodeInstructionFull(address, snapshot, regs, d);
  info = d.Info;
  std::string line = Hex8(address) + "   ";
  if (!d.Info.Valid) {
    uint8_t b = 0;
    if (snapshot && snapshot->Read(address, &b, 1)) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "db $%02x", b);
      return line + buf;
    }
    return line + "db ??";
  }
  return line + InstructionText(d);
}

}  // namespace quor
