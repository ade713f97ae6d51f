// Internal: the opcode tables of the decoder, derived from the
// published IA-32 opcode map. Only quorDisAsm*.cpp include this.
#pragma once

#include <cstdint>

namespace quor::tables {

// Flag word of an opcode (0xFFFF: invalid).
//   0x0038  ModR/M: 0 none, 0x08 group table, 0x10 any operand,
//           0x18 memory only, 0x20 register only, 0x28 always register
//           (mov cr/dr: mod is ignored)
//   0x0C00  immediate: 0x400 one byte, 0x800 two bytes, 0xC00 operand size
//   0x1000  relative target
//   0x0001  byte-sized operands        0x0002 direction (reg operand first)
constexpr uint16_t kInvalid = 0xFFFF;
constexpr uint16_t kModRmMask = 0x38;
constexpr uint16_t kGroup = 0x08, kModRm = 0x10, kMemOnly = 0x18, kRegOnly = 0x20, kAlwaysReg = 0x28;
constexpr uint16_t kImmMask = 0xC00, kImm8 = 0x400, kImm16 = 0x800, kImmV = 0xC00;
constexpr uint16_t kRel = 0x1000;
constexpr uint16_t kByte = 0x0001, kDir = 0x0002;

// Operand descriptors use the opcode map's notation, comma separated:
//   Eb Ew Ed Ev  general register or memory by r/m      Gb Gw Gd Gv  register by reg
//   M Mb Mw Md Mq Mt Mo Mp Ma  memory only              Rd  32-bit register by r/m
//   Sw segment register  Cd Dd control/debug register  Pq mmx  Px mmx, xmm with 0x66
//   Qq Qd mmx or memory  Qx like Qq, xmm/oword with 0x66  Nq mmx by r/m
//   Vx xmm  Wx xmm or memory sized by the prefix (none/66 oword, F3 dword, F2 qword)
//   Wo Wq Wd Ww xmm or memory of that size  Ux xmm by r/m
//   Ib Iw Iz Ibs (sign-extended) I2 second immediate byte  Jb Jz  Ap far pointer  Ob Ov memory offset
//   AL CL DX eAX  Zb Zv register by the low opcode bits  1  ES CS SS DS FS GS
// Mnemonic variant syntax: "/" by prefix (none, 66, F2, F3),
// "|" by reg (a second group of eight for register operands), "-" by r/m,
// ":" memory and register forms, "%cc" condition code, "PS" the SSE suffix.
// Operand strings may use "/" and ":" the same way.
struct OpDef {
  uint16_t Flags;
  const char* Mnem;
  const char* Ops;
  // lengths, and whether the string has no variant separators (the decoder
  // then takes it whole without scanning it)
  uint8_t MnemLen, OpsLen;
  bool MnemPlain, OpsPlain;
};

constexpr uint8_t Len(const char* s) {
  uint8_t n = 0;
  while (s[n]) ++n;
  return n;
}
constexpr bool Plain(const char* s) {
  for (; *s; ++s)
    if (*s == '/' || *s == '|' || *s == '-' || *s == ':') return false;
  return true;
}

constexpr bool IsTok(const char* s, const char* t) {
  while (*t) {
    if (*s != *t) return false;
    ++s, ++t;
  }
  return *s == 0 || *s == ',' || *s == '/' || *s == ':';
}

// Flags from the operand descriptor (the first variant decides: variants of
// one opcode never differ in length).
constexpr uint16_t FlagsOf(const char* ops, uint16_t extra) {
  uint16_t f = extra;
  bool modrm = false, mem = false, regOnly = false, both = false;
  for (const char* q = ops; *q; ++q) both = both || *q == ':';
  const char* p = ops;
  while (*p == '/') ++p;
  while (*p && *p != '/' && *p != ':') {
    const char c = p[0];
    if (IsTok(p, "Ib") || IsTok(p, "Ibs"))
      f |= kImm8;
    else if (IsTok(p, "Iw"))
      f |= kImm16;
    else if (IsTok(p, "Iz"))
      f |= kImmV;
    else if (IsTok(p, "Jb"))
      f |= kImm8 | kRel;
    else if (IsTok(p, "Jz"))
      f |= kImmV | kRel;
    else if (IsTok(p, "Ob") || IsTok(p, "Ov") || IsTok(p, "Ap") || IsTok(p, "AL") || IsTok(p, "CL") || IsTok(p, "CS") ||
             IsTok(p, "DS") || IsTok(p, "ES") || IsTok(p, "SS") || IsTok(p, "FS") || IsTok(p, "GS") || IsTok(p, "DX")) {
    } else if (c == 'M') {
      modrm = true;
      mem = true;
    } else if (IsTok(p, "Nq") || IsTok(p, "Ux") || IsTok(p, "Rd")) {
      modrm = true;
      regOnly = true;
    } else if (c == 'E' || c == 'G' || c == 'S' || c == 'C' || c == 'D' || c == 'P' || c == 'Q' || c == 'V' || c == 'W')
      modrm = true;
    while (*p && *p != ',' && *p != '/' && *p != ':') ++p;
    if (*p == ',') ++p;
  }
  if (modrm && (extra & kModRmMask) == 0) f |= both ? kModRm : mem ? kMemOnly : regOnly ? kRegOnly : kModRm;
  return f;
}

constexpr OpDef Op(const char* m, const char* ops = "", uint16_t extra = 0) {
  return OpDef{FlagsOf(ops, extra), m, ops, Len(m), Len(ops), Plain(m), Plain(ops)};
}
constexpr OpDef kBad{kInvalid, nullptr, nullptr, 0, 0, false, false};

// Group entry: flags and names by reg, memory forms then register forms.
struct GroupDef {
  uint16_t Opcode;  // one-byte opcode, or 0x0F00 + second byte
  OpDef Mem[8];
  OpDef Reg[8];
};

extern const OpDef kOneByte[256];
extern const OpDef kTwoByte[256];
extern const GroupDef kGroups[];
extern const int kGroupCount;
const GroupDef* FindGroup(uint16_t opcode);

// Three-byte maps 0x0F 0x38 (ModR/M) and 0x0F 0x3A (ModR/M + imm8).
const char* Map38Name(uint8_t op, uint8_t prefix);
const char* Map3AName(uint8_t op, uint8_t prefix);
// Operands of the forms of those maps whose memory operand is not an oword,
// whose operands differ from "Vx,Wo" ("Vx,Wo,Ib"), or that are xmm forms
// without a prefix (SHA); nullptr for the rest. X0 is an implicit xmm0.
const char* Map3Operands(uint8_t map, uint8_t op);

// x87 escapes 0xD8-0xDF, without the leading "f".
struct X87Mem {
  const char* Name;  // nullptr: invalid
  uint8_t Size;      // 0 none, 2 word, 4 dword, 8 qword, 10 tbyte
};
extern const X87Mem kX87Mem[8][8];
// Register forms: name and operand form ("" none, "i" st(i), "0i" st, st(i),
// "i0" st(i), st, "ax"); nullptr invalid.
struct X87Reg {
  const char* Name;
  const char* Form;
};
const X87Reg* X87RegForm(uint8_t escape, uint8_t reg, uint8_t rm);

// 3DNow! suffix byte -> mnemonic (nullptr: invalid).
const char* Amd3DNowName(uint8_t suffix);

extern const char* const kCondCodes[16];
extern const char* const kReg8[8];
extern const char* const kReg16[8];
extern const char* const kReg32[8];
extern const char* const kSegRegs[8];

// VEX-encoded forms (AVX, AVX2, FMA3, F16C, VAES, BMI). Operand tokens beyond the
// legacy ones: Vy Hy Wy Uy My Ly xmm or ymm by VEX.L (reg, vvvv, r/m, r/m
// memory only, register in imm8[7:4]); Hx xmm by vvvv; Wh Wf We xmm or
// memory of a half, a quarter, an eighth of VEX.L's width; Wb byte-sized;
// Hd the general register vvvv.
// Operands with ':' give the memory form, then the register form.
constexpr uint8_t kVexL0 = 1, kVexL1 = 2, kVexW0 = 4, kVexW1 = 8;
constexpr uint8_t kVexNoGroup = 8;
struct VexDef {
  uint8_t Map;  // 1: 0x0F, 2: 0x0F 0x38, 3: 0x0F 0x3A
  uint8_t Op;
  uint8_t Prefix;  // kPrefixNone/66/F2/F3 of quorDisAsm.h, by value: 0, 1, 2, 3
  uint8_t Reg;     // ModR/M reg of a group form, or kVexNoGroup
  uint8_t Form;    // kVexL0, kVexL1 (only that length), kVexW0, kVexW1
  const char* Name;
  const char* Ops;
};
enum class VexMatch { Found, WrongForm, Unknown };
// The form of (map, opcode) that prefix, reg, W and L select; WrongForm when
// the opcode exists but not with these, Unknown when the map has no such opcode.
VexMatch FindVex(uint8_t map, uint8_t op, uint8_t prefix, uint8_t reg, bool w, bool l, const VexDef*& def);
// FMA3 (0x0F 0x38 0x96-0x9F, 0xA6-0xAF, 0xB6-0xBF): the name, or nullptr.
bool FmaName(uint8_t op, bool w, char* out, int size);

}  // namespace quor::tables
