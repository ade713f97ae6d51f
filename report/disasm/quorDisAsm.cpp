// Guarded reads over the address-space snapshot and the decoding of
// one instruction, step by step: prefixes, opcode, ModR/M and SIB (16-bit
// addressing too), names and operand forms with the validity rules,
// immediates, branch targets, register state. No allocation while decoding.
#include "report/disasm/quorDisAsm.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "report/disasm/quorDisAsmTables.h"

namespace quor {

using namespace tables;

// ---------------------------------------------------------------------------
// Snapshot

void TMemorySnapshot::AddRange(const TMemoryRange& range) {
  auto it = std::upper_bound(ranges_.begin(), ranges_.end(), range.Begin,
                             [](uint32_t a, const TMemoryRange& r) { return a < r.Begin; });
  ranges_.insert(it, range);
}

const TMemoryRange* TMemorySnapshot::Find(uint32_t address) const {
  auto it = std::upper_bound(ranges_.begin(), ranges_.end(), address,
                             [](uint32_t a, const TMemoryRange& r) { return a < r.Begin; });
  if (it == ranges_.begin()) return nullptr;
  --it;
  if (uint64_t(address) - it->Begin < it->Size) return &*it;
  return nullptr;
}

bool TMemorySnapshot::IsCommitted(uint32_t address) const {
  const TMemoryRange* r = Find(address);
  return r && r->Committed;
}

bool TMemorySnapshot::IsReadable(uint32_t address, uint32_t size) const {
  uint64_t a = address;
  const uint64_t end = a + size;
  while (a < end) {
    const TMemoryRange* r = Find(static_cast<uint32_t>(a));
    if (!r || !r->Readable) return false;
    a = uint64_t(r->Begin) + r->Size;
  }
  return true;
}

bool TMemorySnapshot::Read(uint32_t address, void* out, uint32_t size) const {
  if (size == 0) return true;
  if (!reader_ || uint64_t(address) + size > 0x100000000ull) return false;
  if (!IsReadable(address, size)) return false;
  return reader_->ReadRaw(address, out, size);
}

bool TMemorySnapshot::ReadDword(uint32_t address, uint32_t& value) const {
  uint8_t b[4];
  if (!Read(address, b, 4)) return false;
  value = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
  return true;
}

const TModuleImage* TMemorySnapshot::ModuleOf(uint32_t address) const {
  for (const TModuleImage& m : modules_)
    if (uint64_t(address) - m.Base < m.Size) return &m;
  return nullptr;
}

bool TBufferReader::ReadRaw(uint32_t address, void* out, uint32_t size) const {
  if (address < base_) return false;
  const uint64_t off = uint64_t(address) - base_;
  if (off + size > bytes_.size()) return false;
  std::memcpy(out, bytes_.data() + off, size);
  return true;
}

TMemorySnapshot BufferSnapshot(const TBufferReader& reader, bool asModule) {
  TMemorySnapshot s(&reader);
  TMemoryRange r;
  r.Begin = reader.Base();
  r.Size = reader.Size();
  r.Committed = r.Readable = true;
  if (r.Size) s.AddRange(r);
  if (asModule && r.Size) {
    TModuleImage m;
    m.Base = reader.Base();
    m.Size = reader.Size();
    m.CodeBegin = m.Base;
    m.CodeEnd = m.Base + m.Size;
    s.AddModule(m);
  }
  return s;
}

// ---------------------------------------------------------------------------
// Variant syntax of the mnemonic list and operand descriptors

namespace {

// Finds part number `index` of [s, e) split at `sep`; false when there are
// fewer parts. count gets the number of parts.
bool Part(const char*& s, const char*& e, char sep, int index, int* count = nullptr) {
  int n = 1;
  for (const char* p = s; p < e; ++p) n += *p == sep;
  if (count) *count = n;
  if (n == 1) return index == 0 || count;  // no variants: the whole string
  if (index >= n) return false;
  const char* p = s;
  for (int i = 0; i < index; ++i) {
    while (*p != sep) ++p;
    ++p;
  }
  const char* q = p;
  while (q < e && *q != sep) ++q;
  s = p;
  e = q;
  return true;
}

struct Resolve {
  uint8_t prefix;  // TDecoded::Prefix
  bool has66;
  uint8_t mod, reg, rm;
};

// Selects the variant of a mnemonic or operand string. usedPrefix tells
// whether a prefix chose a variant (then it is a mandatory prefix).
void SelectVariant(const char* str, const Resolve& r, const char*& s, const char*& e, bool* usedPrefix) {
  // one pass finds the end and which separators occur
  int slashes = 0, bars = 0, dashes = 0, colons = 0;
  const char* p = str;
  for (; *p; ++p) {
    switch (*p) {
      case '/':
        ++slashes;
        break;
      case '|':
        ++bars;
        break;
      case '-':
        ++dashes;
        break;
      case ':':
        ++colons;
        break;
      default:
        break;
    }
  }
  s = str;
  e = p;
  if (slashes + bars + dashes + colons == 0) return;
  if (slashes) {
    const int n = slashes + 1;
    int idx = r.prefix;
    if (idx >= n || (idx >= 2 && n <= 2)) idx = r.has66 ? 1 : 0;
    Part(s, e, '/', idx);
    if (usedPrefix) *usedPrefix = idx != 0 || (n > 2 && r.prefix >= 2);
  }
  int cnt = 1;
  if (bars) {
    for (const char* q = s; q < e; ++q) cnt += *q == '|';
    if (cnt > 1) Part(s, e, '|', (cnt == 16 && r.mod == 3) ? r.reg + 8 : r.reg);
  }
  if (dashes) {
    cnt = 1;
    for (const char* q = s; q < e; ++q) cnt += *q == '-';
    if (cnt > 1) Part(s, e, '-', r.rm);
  }
  if (colons) {
    cnt = 1;
    for (const char* q = s; q < e; ++q) cnt += *q == ':';
    if (cnt > 1) Part(s, e, ':', r.mod == 3 ? 1 : 0);
  }
}

bool OpsHave(const char* s, const char* e, bool (*pred)(const char*)) {
  const char* p = s;
  while (p < e) {
    if (pred(p)) return true;
    while (p < e && *p != ',') ++p;
    if (p < e) ++p;
  }
  return false;
}
bool IsMemTok(const char* p) { return p[0] == 'M'; }
bool IsRegTok(const char* p) { return (p[0] == 'N' && p[1] == 'q') || p[0] == 'U' || (p[0] == 'R' && p[1] == 'd'); }

// Bytes of the instruction, read once with a guarded read.
struct Bytes {
  uint8_t b[16];
  int n = 0;
  int pos = 0;
  bool fault = false;
  uint8_t Next() {
    if (pos >= n) {
      fault = true;
      return 0;
    }
    return b[pos++];
  }
  uint32_t Get(int size) {
    uint32_t v = 0;
    for (int i = 0; i < size; ++i) v |= uint32_t(Next()) << (8 * i);
    return v;
  }
};

void Fetch(uint32_t address, const TMemorySnapshot* s, Bytes& bytes) {
  bytes.n = 0;
  if (!s) return;
  // The readable bytes from address on, at most 15 (the longest instruction).
  int n = 0;
  uint64_t a = address;
  while (n < 15) {
    const TMemoryRange* r = s->Find(static_cast<uint32_t>(a));
    if (!r || !r->Readable) break;
    const uint64_t end = uint64_t(r->Begin) + r->Size;
    n = static_cast<int>(std::min<uint64_t>(15, end - address));
    a = end;
    if (a > 0xFFFFFFFFull) break;
  }
  if (n > 0 && s->Read(address, bytes.b, static_cast<uint32_t>(n))) bytes.n = n;
}

void SetOps(TDecoded& d, const char* s) { std::snprintf(d.Operands, sizeof d.Operands, "%s", s); }
void SetName(TDecoded& d, const char* s) { std::snprintf(d.Mnemonic, sizeof d.Mnemonic, "%s", s); }

// Registers written by instructions that the register state tracks loosely.
constexpr uint8_t kAllRegsButEsp = uint8_t(~(1u << kEsp));
// Registers a called function may change.
constexpr uint8_t kCallerSaved = uint8_t(1u << kEax | 1u << kEcx | 1u << kEdx);

void ForgetWritten(const TDecoded& d, TRegState& regs) {
  const uint16_t op = d.Info.Opcode;
  const char* ops = d.Operands;
  // Destination: the first operand when it is a general register.
  if (ops[0] == 'G' || ops[0] == 'Z') {
    regs.Forget(ops[0] == 'Z' ? (d.OpByte & 7) : d.Reg);
  } else if ((ops[0] == 'E' || ops[0] == 'R') && d.Mod == 3 && d.HasModRm) {
    regs.Forget(d.Rm);
  } else if (ops[0] == 'e' || (ops[0] == 'A' && ops[1] == 'L')) {
    regs.Forget(kEax);
  }
  if (std::strncmp(ops, "Zv,eAX", 6) == 0) regs.Forget(kEax);  // xchg
  // BMI: vvvv is a destination (blsr, blsi, blsmsk; mulx's second)
  if (d.Vex && (ops[0] == 'H' || std::strncmp(ops, "Gd,Hd", 5) == 0)) regs.Forget(d.VexV);
  if ((op == 0x86 || op == 0x87 || op == 0x0FC0 || op == 0x0FC1) && d.HasModRm) regs.Forget(d.Reg);
  if (op == 0x0FB0 || op == 0x0FB1) regs.Forget(kEax);
  if (op >= 0x0F80 && op <= 0x0F8F) return;
  if (d.Info.IsCall) regs.Known &= uint8_t(~kCallerSaved);
  switch (op) {
    case 0x60:
    case 0x61:
    case 0x0FA2:
    case 0x0F31:
    case 0x0F32:
    case 0x0F33:
    case 0x0FC7:
      regs.Known &= ~kAllRegsButEsp;
      break;
    case 0x98:
    case 0x99:
    case 0xF6:
    case 0xF7:
    case 0x69:
    case 0x6B:
    case 0x0FAF:
    case 0xD4:
    case 0xD5:
    case 0xD7:
    case 0x27:
    case 0x2F:
    case 0x37:
    case 0x3F:
    case 0x9F:
    case 0xE4:
    case 0xE5:
    case 0xEC:
    case 0xED:
      regs.Forget(kEax);
      regs.Forget(kEdx);
      break;
    case 0xA4:
    case 0xA5:
    case 0xA6:
    case 0xA7:
    case 0xAA:
    case 0xAB:
    case 0xAC:
    case 0xAD:
    case 0xAE:
    case 0xAF:
    case 0x6C:
    case 0x6D:
    case 0x6E:
    case 0x6F:
      regs.Forget(kEax);
      regs.Forget(kEcx);
      regs.Forget(kEsi);
      regs.Forget(kEdi);
      break;
    case 0xE0:
    case 0xE1:
    case 0xE2:
      regs.Forget(kEcx);
      break;
    case 0xC9:
      regs.Forget(kEbp);
      break;
    default:
      break;
  }
  if (op >= 0xD8 && op <= 0xDF && d.Mod == kModRegister && d.Reg == 4) regs.Forget(kEax);  // fnstsw ax
  regs.Forget(kEsp);  // esp changes too often to be worth tracking
}

}  // namespace

// ---------------------------------------------------------------------------
// Decoding

namespace {

// One instruction while it is decoded: where it is, its bytes, the table
// entry chosen so far and the decoding being filled. Each step below reads
// its part of the instruction and returns false when the bytes are no valid
// instruction.
struct TDecodeState {
  TDecodeState(uint32_t address, const TMemorySnapshot* snapshot, TRegState* regs, TDecoded& d, bool strictTargets,
               bool names)
      : Address(address), Snapshot(snapshot), Regs(regs), D(d), StrictTargets(strictTargets), Names(names) {}

  uint32_t Address;
  const TMemorySnapshot* Snapshot;
  TRegState* Regs;
  TDecoded& D;
  bool StrictTargets;
  bool Names;  // write the mnemonic (only the text needs it)
  Bytes Code;  // left uninitialised: Fetch fills what it reads
  const OpDef* Def = nullptr;
  uint16_t Flags = 0;
  const char* MapName = nullptr;  // the mnemonic from a three-byte map

  bool OneByte(uint8_t op) const { return !D.TwoByte && D.OpByte == op; }
  bool OneByteIn(uint8_t first, uint8_t last) const { return !D.TwoByte && D.OpByte >= first && D.OpByte <= last; }
  bool TwoByte(uint8_t op) const { return D.TwoByte && !D.Map3 && !D.Vex && D.OpByte == op; }
  // The address the next byte of the instruction is at.
  uint32_t Here() const { return Address + uint32_t(Code.pos); }
};

// 3DNow! (0x0F 0x0F): the name comes from the suffix byte after the operands.
constexpr uint8_t kAmd3DNow = 0x0F;

// Prefix bytes: operand and address size, lock, repeats, segment overrides.
// The last repeat prefix or else 0x66 selects the variant of SSE forms.
bool ReadPrefixes(TDecodeState& s, uint8_t& op) {
  TDecoded& d = s.D;
  uint8_t lastRep = 0;
  for (;;) {
    op = s.Code.Next();
    if (s.Code.fault) return false;
    switch (op) {
      case 0x66:
        d.OpSize16 = 1;
        continue;
      case 0x67:
        d.AddrSize16 = 1;
        continue;
      case 0xF0:
        d.Lock = 1;
        continue;
      case 0xF2:
        d.RepNe = 1;
        lastRep = kPrefixF2;
        continue;
      case 0xF3:
        d.Rep = 1;
        lastRep = kPrefixF3;
        continue;
      case 0x26:
        d.Segment = kEs;
        continue;
      case 0x2E:
        d.Segment = kCs;
        continue;
      case 0x36:
        d.Segment = kSs;
        continue;
      case 0x3E:
        d.Segment = kDs;
        continue;
      case 0x64:
        d.Segment = kFs;
        continue;
      case 0x65:
        d.Segment = kGs;
        continue;
      default:
        break;
    }
    break;
  }
  d.Prefix = lastRep ? lastRep : (d.OpSize16 ? kPrefix66 : kPrefixNone);
  return true;
}

// 0xC4 and 0xC5 are a VEX prefix when the next byte has its top two bits
// set (a register operand, which les and lds cannot have).
constexpr uint8_t kVex3 = 0xC4, kVex2 = 0xC5;
bool VexFollows(const TDecodeState& s, uint8_t op) {
  return (op == kVex3 || op == kVex2) && s.Code.pos < s.Code.n && (s.Code.b[s.Code.pos] & 0xC0) == 0xC0;
}

// The VEX prefix and the opcode after it. The prefix carries what the
// legacy prefixes and escapes said: the map (0x0F, 0x0F 0x38, 0x0F 0x3A),
// the mandatory prefix, W, the extra register vvvv (inverted) and L. A
// 0x66, 0xF2, 0xF3 or lock before it makes the instruction undefined.
bool ReadVex(TDecodeState& s, uint8_t op) {
  static constexpr uint8_t kPrefixOfPp[4] = {kPrefixNone, kPrefix66, kPrefixF3, kPrefixF2};
  static constexpr uint8_t kMaps[4] = {0, 0, 0x38, 0x3A};
  TDecoded& d = s.D;
  if (d.OpSize16 || d.Rep || d.RepNe || d.Lock) return false;
  uint8_t map = 1, last = s.Code.Next();
  if (op == kVex3) {
    map = last & 0x1F;  // R, X, B are inverted; B names no register in 32-bit mode
    if (map < 1 || map > 3) return false;
    last = s.Code.Next();
    d.VexW = last >> 7;
  }
  const uint8_t vvvv = uint8_t(~last >> 3) & 15;
  d.Vex = 1;
  d.VexL = (last >> 2) & 1;
  d.VexV = vvvv & 7;
  d.VexVUnused = vvvv == 0;
  d.Prefix = kPrefixOfPp[last & 3];
  d.TwoByte = 1;
  d.Map3 = kMaps[map];
  const uint8_t opcode = s.Code.Next();
  if (s.Code.fault) return false;
  d.OpByte = opcode;
  d.Info.Opcode = uint16_t(0x0F00 | (d.Map3 ? d.Map3 : opcode));
  static const OpDef kVexDef = Op("", "", kModRm);
  static const OpDef kVexNoModRmDef = Op("", "");
  constexpr uint8_t kVzero = 0x77;  // vzeroupper and vzeroall have no ModR/M
  s.Def = map == 1 && opcode == kVzero ? &kVexNoModRmDef : &kVexDef;
  s.Flags = s.Def->Flags;
  return true;
}

// The opcode after the prefixes: one byte, 0x0F and a second byte, or a
// three-byte map (0x0F 0x38, 0x0F 0x3A) whose names come from their own
// tables. Chooses the table entry.
bool ReadOpcode(TDecodeState& s, uint8_t op) {
  TDecoded& d = s.D;
  if (VexFollows(s, op)) return ReadVex(s, op);
  if (op == 0x0F) {
    d.TwoByte = 1;
    op = s.Code.Next();
    if (s.Code.fault) return false;
    d.Info.Opcode = uint16_t(0x0F00 | op);
    s.Def = &kTwoByte[op];
    if (op == 0x38 || op == 0x3A) d.Map3 = op;
  } else {
    d.Info.Opcode = op;
    s.Def = &kOneByte[op];
  }
  d.OpByte = op;
  if (d.Map3) {
    static const OpDef kMap38Def = Op("", "Vx,Wo", kDir);
    static const OpDef kMap3ADef = Op("", "Vx,Wo,Ib", kDir);
    const uint8_t op3 = s.Code.Next();
    if (s.Code.fault) return false;
    d.OpByte = op3;
    s.MapName = d.Map3 == 0x38 ? Map38Name(op3, d.Prefix) : Map3AName(op3, d.Prefix);
    if (!s.MapName) return false;
    s.Def = d.Map3 == 0x38 ? &kMap38Def : &kMap3ADef;
    // F2 selects crc32 from movbe; 0x66 before movbe is the operand size
    d.PrefixUsed = d.Prefix == kPrefixF2 || (d.Prefix != kPrefixNone && op3 != 0xF0 && op3 != 0xF1);
  }
  s.Flags = s.Def->Flags;
  return s.Flags != kInvalid;
}

void ReadDisplacement(TDecodeState& s, uint8_t size) {
  TDecoded& d = s.D;
  d.DispAt = s.Here();
  d.DispSize = size;
  d.Disp = size == 1 ? int8_t(s.Code.Next()) : size == 2 ? int16_t(s.Code.Get(2)) : int32_t(s.Code.Get(4));
}

// 16-bit addressing: r/m selects a base and index pair.
void ReadAddress16(TDecodeState& s) {
  static const TX86Reg kBase16[8] = {kEbx, kEbx, kEbp, kEbp, kEsi, kEdi, kEbp, kEbx};  // bx bx bp bp si di bp bx
  static const TX86Reg kIndex16[8] = {kEsi, kEdi, kEsi, kEdi, kNoReg, kNoReg, kNoReg, kNoReg};
  TDecoded& d = s.D;
  d.Addr16Form = 1;
  if (d.Mod == 0 && d.Rm == kRm16Disp16) return ReadDisplacement(s, 2);
  d.Base = kBase16[d.Rm];
  d.Index = kIndex16[d.Rm];
  if (d.Mod == 1) ReadDisplacement(s, 1);
  if (d.Mod == 2) ReadDisplacement(s, 2);
}

// 32-bit addressing: a base register, or a SIB byte with base, scaled
// index and displacement.
void ReadAddress32(TDecodeState& s) {
  TDecoded& d = s.D;
  bool noBase = false;
  if (d.Rm == kRmSib) {
    const uint8_t sib = s.Code.Next();
    d.HasSib = 1;
    d.Scale = uint8_t(1u << (sib >> 6));
    const uint8_t index = (sib >> 3) & 7;
    d.Index = index == kSibNoIndex ? kNoReg : TX86Reg(index);
    d.Base = TX86Reg(sib & 7);
    if (d.Base == kSibNoBase && d.Mod == 0) {
      d.Base = kNoReg;
      noBase = true;
    }
  } else if (d.Rm == kRmDisp32 && d.Mod == 0) {
    noBase = true;
  } else {
    d.Base = TX86Reg(d.Rm);
  }
  if (noBase || d.Mod == 2)
    ReadDisplacement(s, 4);
  else if (d.Mod == 1)
    ReadDisplacement(s, 1);
}

// The ModR/M byte when the opcode has one, the group entry it selects, and
// the memory operand's address (SIB, displacement).
bool ReadModRm(TDecodeState& s) {
  TDecoded& d = s.D;
  const uint16_t kind = s.Flags & kModRmMask;
  if (!kind) return true;
  const uint8_t m = s.Code.Next();
  if (s.Code.fault) return false;
  d.Info.ModRm = m;
  d.HasModRm = 1;
  d.Mod = m >> 6;
  d.Reg = (m >> 3) & 7;
  d.Rm = m & 7;
  // mov to and from control and debug registers: the operand is always a
  // register, whatever mod says.
  if (d.Info.Opcode >= 0x0F20 && d.Info.Opcode <= 0x0F23 && !d.Vex) d.Mod = kModRegister;
  if (kind == kGroup) {
    if (const GroupDef* g = FindGroup(d.Info.Opcode)) {
      s.Def = d.Mod == kModRegister ? &g->Reg[d.Reg] : &g->Mem[d.Reg];
      if (s.Def->Flags == kInvalid) return false;
      s.Flags = uint16_t((s.Def->Flags & ~kModRmMask) | kGroup);
    }
  }
  if (d.Mod == kModRegister) return true;
  if (d.AddrSize16)
    ReadAddress16(s);
  else
    ReadAddress32(s);
  if (s.Code.fault) return false;
  if (d.Base == kNoReg && d.Index == kNoReg) {
    d.MemoryRef = static_cast<uint32_t>(d.Disp) & (d.AddrSize16 ? 0xFFFFu : 0xFFFFFFFFu);
    d.MemoryRefKnown = 1;
  }
  return true;
}

// x87 escapes 0xD8-0xDF: memory forms by reg, register forms by reg and r/m.
bool X87Form(TDecodeState& s) {
  TDecoded& d = s.D;
  const uint8_t esc = d.OpByte & 7;
  if (d.Mod != kModRegister) {
    const X87Mem& xm = kX87Mem[esc][d.Reg];
    if (!xm.Name) return false;
    if (s.Names) std::snprintf(d.Mnemonic, sizeof d.Mnemonic, "f%s", xm.Name);
    SetOps(d, xm.Size == 0 ? "M" : xm.Size == 2 ? "Mw" : xm.Size == 4 ? "Md" : xm.Size == 8 ? "Mq" : "Mt");
    return true;
  }
  const X87Reg* xr = X87RegForm(esc, d.Reg, d.Rm);
  if (!xr) return false;
  const char* b = xr->Name;
  const char* e = b + std::strlen(b);
  int cnt = 1;
  for (const char* p = b; p < e; ++p) cnt += *p == '-';
  if (cnt > 1) Part(b, e, '-', d.Rm);
  if (b == e) return false;
  if (s.Names) std::snprintf(d.Mnemonic, sizeof d.Mnemonic, "f%.*s", int(e - b), b);
  SetOps(d, xr->Form[0] == 'a' ? "x87ax" : "");
  if (std::strcmp(xr->Form, "0i") == 0)
    SetOps(d, "x870i");
  else if (std::strcmp(xr->Form, "i0") == 0)
    SetOps(d, "x87i0");
  else if (std::strcmp(xr->Form, "i") == 0)
    SetOps(d, "x87i");
  return true;
}

// The three-byte maps: the name was found with the opcode; the operands
// are the xmm form, the mmx form without prefix, the forms of their own
// (SHA, ADX, sizes), or movbe/crc32.
bool Map3Form(TDecodeState& s) {
  TDecoded& d = s.D;
  if (s.Names) SetName(d, s.MapName);
  SetOps(d, d.Map3 == 0x3A ? "Vx,Wo,Ib" : "Vx,Wo");
  if (d.Map3 == 0x38 && (d.OpByte == 0xF0 || d.OpByte == 0xF1)) {
    const bool crc32 = d.Prefix == kPrefixF2;
    SetOps(d, d.OpByte == 0xF0 ? (crc32 ? "Gd,Eb" : "Gv,M") : (crc32 ? "Gd,Ev" : "M,Gv"));
    return crc32 || d.Mod != kModRegister;
  }
  if (const char* ops = Map3Operands(d.Map3, d.OpByte)) {
    const char* colon = std::strchr(ops, ':');
    if (!colon)
      SetOps(d, ops);
    else if (d.Mod == kModRegister)
      SetOps(d, colon + 1);
    else
      std::snprintf(d.Operands, sizeof d.Operands, "%.*s", int(colon - ops), ops);
  } else if (d.Prefix == kPrefixNone) {
    SetOps(d, d.Map3 == 0x38 ? "Pq,Qq" : "Pq,Qq,Ib");
  }
  return true;
}

// The VEX forms: the table row that map, opcode, mandatory prefix, reg, W
// and L select. vvvv must be 1111 where the form has no register for it.
// An opcode the tables do not know keeps its length (ModR/M, and the
// immediate of the 0x0F 0x3A map), so that a sweep stays in step, and is
// named "vex".
bool VexForm(TDecodeState& s) {
  TDecoded& d = s.D;
  const uint8_t map = d.Map3 == 0x38 ? 2 : d.Map3 == 0x3A ? 3 : 1;
  const VexDef* def = nullptr;
  const VexMatch match = FindVex(map, d.OpByte, d.Prefix, d.Reg, d.VexW, d.VexL, def);
  const bool memory = d.HasModRm && d.Mod != kModRegister;
  const char* name = nullptr;
  const char* ops = nullptr;
  char fma[24];
  if (match == VexMatch::Found) {
    name = def->Name;
    ops = def->Ops;
    if (def->Reg != kVexNoGroup && memory) return false;
  } else if (map == 2 && d.Prefix == kPrefix66 && FmaName(d.OpByte, d.VexW, fma, sizeof fma)) {
    name = fma;
    const bool scalar = (d.OpByte & 15) >= 8 && (d.OpByte & 1);
    ops = !scalar ? "Vy,Hy,Wy" : d.VexW ? "Vx,Hx,Wq" : "Vx,Hx,Wd";
  } else if (match == VexMatch::Unknown) {
    name = "vex";
    ops = map == 3 ? "Vy,Hy,Wy,Ib" : "Vy,Hy,Wy";
  } else {
    return false;
  }
  // memory form before ':', register form after it
  const char *ns = name, *ne = name + std::strlen(name), *os = ops, *oe = ops + std::strlen(ops);
  if (const char* colon = std::strchr(name, ':')) memory ? void(ne = colon) : void(ns = colon + 1);
  if (const char* colon = std::strchr(ops, ':')) memory ? void(oe = colon) : void(os = colon + 1);
  if (memory && OpsHave(os, oe, IsRegTok)) return false;
  if (!memory && d.HasModRm && OpsHave(os, oe, IsMemTok)) return false;
  const bool usesV = OpsHave(os, oe, [](const char* p) { return p[0] == 'H'; });
  if (!usesV && !d.VexVUnused) return false;
  if (OpsHave(os, oe, [](const char* p) { return (p[0] == 'I' && p[1] == 'b') || (p[0] == 'L' && p[1] == 'y'); }))
    s.Flags |= kImm8;
  if (s.Names) std::snprintf(d.Mnemonic, sizeof d.Mnemonic, "%.*s", int(ne - ns), ns);
  std::snprintf(d.Operands, sizeof d.Operands, "%.*s", int(oe - os), os);
  d.PrefixUsed = 1;
  return true;
}

// The mnemonic with its condition code and SSE suffix filled in.
void WriteMnemonic(TDecodeState& s, const char* ms, const char* me) {
  TDecoded& d = s.D;
  char* out = d.Mnemonic;
  char* const outEnd = d.Mnemonic + sizeof d.Mnemonic - 4;
  for (const char* p = ms; p < me && out < outEnd; ++p) {
    if (*p == '%' && p + 2 < me && p[1] == 'c' && p[2] == 'c') {
      for (const char* c = kCondCodes[d.OpByte & 15]; *c && out < outEnd; ++c) *out++ = *c;
      p += 2;
    } else if (*p == 'P' && p + 1 < me && p[1] == 'S') {
      static const char* const sfx[4] = {"ps", "pd", "sd", "ss"};
      const char* c = sfx[d.Prefix];
      *out++ = c[0];
      *out++ = c[1];
      d.PrefixUsed = d.Prefix != kPrefixNone;
      ++p;
    } else {
      *out++ = *p;
    }
  }
  *out = 0;
}

// The one- and two-byte tables: the variant of the mnemonic and operands
// that prefix, reg, r/m and mod select; register-only and memory-only
// operands must match mod.
bool TableForm(TDecodeState& s) {
  TDecoded& d = s.D;
  const OpDef& def = *s.Def;
  const Resolve r{d.Prefix, d.OpSize16 != 0, d.Mod, d.Reg, d.Rm};
  const char *ms, *me, *os, *oe;
  bool used = false;
  // most table entries have one form: taken whole, without a scan
  if (def.MnemPlain)
    ms = def.Mnem, me = def.Mnem + def.MnemLen;
  else
    SelectVariant(def.Mnem, r, ms, me, &used);
  if (ms == me) return false;
  if (def.OpsPlain)
    os = def.Ops, oe = def.Ops + def.OpsLen;
  else
    SelectVariant(def.Ops, r, os, oe, nullptr);
  d.PrefixUsed = used;
  if (s.Names) WriteMnemonic(s, ms, me);
  const size_t n = std::min<size_t>(size_t(oe - os), sizeof d.Operands - 1);
  std::memcpy(d.Operands, os, n);
  d.Operands[n] = 0;
  if (d.HasModRm) {
    if (d.Mod == kModRegister && OpsHave(os, oe, IsMemTok)) return false;
    if (d.Mod != kModRegister && OpsHave(os, oe, IsRegTok)) return false;
  }
  return true;
}

// Names and operand forms, by the table the opcode belongs to, then the
// validity rules beyond the tables.
bool ResolveForm(TDecodeState& s) {
  TDecoded& d = s.D;
  bool ok = true;
  if (d.Vex)
    ok = VexForm(s);
  else if (s.OneByteIn(0xD8, 0xDF))
    ok = X87Form(s);
  else if (d.Map3)
    ok = Map3Form(s);
  else if (!s.TwoByte(kAmd3DNow))
    ok = TableForm(s);
  if (!ok) return false;
  d.Flags = s.Flags;
  // mov to and from segment registers: there are six of them
  const uint16_t opc = d.Info.Opcode;
  return !((opc == 0x8C || opc == 0x8E) && d.Reg > kGs);
}

// Immediate bytes after the ModR/M operand: sized by the table's flag, with
// the opcodes whose size the flag does not tell.
int ImmediateSize(const TDecodeState& s) {
  const TDecoded& d = s.D;
  if (s.OneByte(0x9A) || s.OneByte(0xEA)) return (d.OpSize16 ? 2 : 4) + 2;  // far pointer
  if (s.OneByteIn(0xA0, 0xA3)) return d.AddrSize16 ? 2 : 4;                 // memory offset
  if (s.TwoByte(kAmd3DNow) || d.Map3 == 0x3A) return 1;
  switch (s.Flags & kImmMask) {
    case kImm8:
      return 1;
    case kImm16:
      return 2;
    case kImmV:
      return d.OpSize16 ? 2 : 4;
    default:
      return 0;
  }
}

// extrq/insertq with immediates (0x66 or 0xF2 0x0F 0x78): two bytes
bool IsSse4aImmediate(const TDecodeState& s) {
  return s.TwoByte(0x78) && (s.D.Prefix == kPrefix66 || s.D.Prefix == kPrefixF2);
}

bool ReadImmediates(TDecodeState& s) {
  TDecoded& d = s.D;
  const bool sse4a = IsSse4aImmediate(s);
  const int size = sse4a ? 1 : ImmediateSize(s);
  d.ImmAt = s.Here();
  if (s.OneByte(0x9A) || s.OneByte(0xEA)) {
    d.ImmSize = uint8_t(size - 2);
    d.Imm = s.Code.Get(d.ImmSize);
    d.Imm2 = s.Code.Get(2);
    d.Imm2Size = 2;
  } else {
    d.ImmSize = uint8_t(size);
    d.Imm = s.Code.Get(size);
    if (s.OneByte(0xC8) || sse4a) {  // enter: frame size, then nesting level
      d.Imm2 = s.Code.Next();
      d.Imm2Size = 1;
    }
  }
  if (s.Code.fault) return false;
  if (s.TwoByte(kAmd3DNow)) {
    const char* name = Amd3DNowName(uint8_t(d.Imm));
    if (!name) return false;
    if (s.Names) SetName(d, name);
    SetOps(d, "Pq,Qq");
  }
  if (s.OneByteIn(0xA0, 0xA3)) {
    d.MemoryRef = d.Imm;
    d.MemoryRefKnown = 1;
  }
  d.Info.Next = s.Here();
  d.Info.Valid = 1;
  return true;
}

// The address of the memory operand when the registers it uses are known.
bool KnownAddress(const TDecoded& d, const TRegState& regs, uint32_t& address) {
  if (d.Addr16Form) return false;
  if ((d.Base != kNoReg && !regs.IsKnown(d.Base)) || (d.Index != kNoReg && !regs.IsKnown(d.Index))) return false;
  address = uint32_t(d.Disp) + (d.Base != kNoReg ? regs.Value[d.Base] : 0) +
            (d.Index != kNoReg ? regs.Value[d.Index] * d.Scale : 0);
  return true;
}

// Group 5 (0xFF) reg field: near and far call, near and far jump.
constexpr uint8_t kFfCallNear = 2, kFfCallFar = 3, kFfJumpNear = 4, kFfJumpFar = 5;

void RelativeTarget(TDecodeState& s) {
  TDecoded& d = s.D;
  InstructionInfo& info = d.Info;
  const int32_t rel = d.ImmSize == 1 ? int8_t(d.Imm) : d.ImmSize == 2 ? int16_t(d.Imm) : int32_t(d.Imm);
  uint32_t target = info.Next + uint32_t(rel);
  if (d.OpSize16 && d.ImmSize == 2) target &= 0xFFFF;
  info.HasRelTarget = 1;
  info.Target = target;
  info.PTarget = d.ImmAt;
  info.TargetSize = d.ImmSize;
  if (s.OneByte(0xE8)) {
    info.IsCall = 1;
  } else {
    info.IsJump = 1;  // in a group: xbegin
    // loop, loope, loopne and jecxz have no longer form
    info.Enlargeable = !(s.Flags & kGroup) && !s.OneByteIn(0xE0, 0xE3);
  }
}

// call and jmp through a register or a memory cell (0xFF /2../5): the
// target when the register state or the cell tells it.
bool IndirectTarget(TDecodeState& s) {
  TDecoded& d = s.D;
  InstructionInfo& info = d.Info;
  info.IsCall = d.Reg <= kFfCallFar;
  info.IsJump = d.Reg >= kFfJumpNear;
  info.TargetSize = d.OpSize16 ? 2 : 4;
  if (d.Mod == kModRegister) {
    if (s.Regs && s.Regs->IsKnown(d.Rm)) info.Target = s.Regs->Value[d.Rm];
    return true;
  }
  uint32_t cell = 0;
  if (d.MemoryRefKnown)
    cell = d.MemoryRef;
  else if (!s.Regs || !KnownAddress(d, *s.Regs, cell))
    return true;
  info.PPTarget = cell;
  info.PTarget = cell;
  if (d.Reg == kFfCallFar || d.Reg == kFfJumpFar) return true;
  uint32_t v = 0;
  if (s.Snapshot->ReadDword(cell, v))
    info.Target = d.OpSize16 ? (v & 0xFFFF) : v;
  else if (s.StrictTargets)
    return false;
  return true;
}

// Calls and jumps: their kind and target. A call or jump to the next
// instruction is neither.
bool FindTargets(TDecodeState& s) {
  TDecoded& d = s.D;
  InstructionInfo& info = d.Info;
  if (s.Flags & kRel) {
    RelativeTarget(s);
  } else if (s.OneByte(0xFF) && d.Reg >= kFfCallNear && d.Reg <= kFfJumpFar) {
    if (!IndirectTarget(s)) return false;
  } else if (s.OneByte(0x9A) || s.OneByte(0xEA)) {
    info.IsCall = s.OneByte(0x9A);
    info.IsJump = s.OneByte(0xEA);
    info.TargetSize = d.ImmSize + 2u;
  }
  if ((info.IsCall || info.IsJump) && info.Target == info.Next && info.Target != 0) {
    info.IsCall = info.IsJump = info.HasRelTarget = 0;
    info.Target = info.PTarget = info.PPTarget = 0;
    info.TargetSize = 0;
    info.Enlargeable = 0;
  }
  return true;
}

// The register state after the instruction: the moves of constants,
// addresses and registers that it follows, or else the registers the
// instruction writes forgotten.
void UpdateRegisters(TDecodeState& s) {
  const TDecoded& d = s.D;
  TRegState& regs = *s.Regs;
  const uint8_t op = d.OpByte;
  const bool dword = !d.TwoByte && !d.OpSize16;
  const bool registers = d.Mod == kModRegister;
  int dest = kNoReg;
  uint32_t value = 0;
  bool known = false;
  if (dword && op >= 0xB8 && op <= 0xBF) {  // mov reg, imm32
    dest = op & 7;
    value = d.Imm;
    known = true;
  } else if (dword && (op == 0x8B || op == 0x8D) && !registers && !d.Addr16Form) {  // mov reg, [m]; lea
    dest = d.Reg;
    uint32_t address = 0;
    if (KnownAddress(d, regs, address)) {
      value = address;
      known = op == 0x8D || s.Snapshot->ReadDword(address, value);
    }
  } else if (dword && (op == 0x89 || op == 0x8B) && registers) {  // mov reg, reg
    dest = op == 0x89 ? d.Rm : d.Reg;
    const int src = op == 0x89 ? d.Reg : d.Rm;
    if (regs.IsKnown(src)) {
      value = regs.Value[src];
      known = true;
    }
  } else if (dword && (op == 0x31 || op == 0x33 || op == 0x29 || op == 0x2B) && registers && d.Reg == d.Rm) {
    dest = d.Reg;  // xor or sub of a register with itself
    known = true;
  }
  if (dest == kNoReg)
    ForgetWritten(d, regs);
  else if (known)
    regs.Set(dest, value);
  else
    regs.Forget(dest);
}

// The decoding into a fresh TDecoded; names: write the mnemonic (only the
// text needs it, the summary of DecodeInstruction does not).
void Decode(uint32_t address, const TMemorySnapshot* snapshot, TRegState* regs, TDecoded& d, bool strictTargets,
            bool names) {
  InstructionInfo& info = d.Info;
  info.This = address;
  info.Next = address + 1;
  TDecodeState s(address, snapshot, regs, d, strictTargets, names);
  Fetch(address, snapshot, s.Code);
  if (s.Code.n == 0) return;
  uint8_t op = 0;
  if (ReadPrefixes(s, op) && ReadOpcode(s, op) && ReadModRm(s) && ResolveForm(s) && ReadImmediates(s) &&
      FindTargets(s)) {
    if (regs) UpdateRegisters(s);
    return;
  }
  // Not an instruction: one byte long, and nothing is known of the registers.
  info = InstructionInfo{};
  info.This = address;
  info.Next = address + 1;
  d.Mnemonic[0] = 0;
  d.Operands[0] = 0;
  if (regs) regs->Clear();
}

}  // namespace

void DecodeInstructionFull(uint32_t address, const TMemorySnapshot* snapshot, TRegState* regs, TDecoded& d,
                           bool strictTargets) {
  d = TDecoded{};
  Decode(address, snapshot, regs, d, strictTargets, true);
}

InstructionInfo DecodeInstruction(uint32_t address, const TMemorySnapshot* snapshot, TRegState* regs) {
  TDecoded d;
  Decode(address, snapshot, regs, d, true, false);
  return d.Info;
}

}  // namespace quor
