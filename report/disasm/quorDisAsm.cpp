// Guarded reads over the address-space snapshot and the decoding of
// one instruction (prefixes, ModR/M and SIB, 16-bit addressing, immediates,
// validity, targets, register state). No allocation while decoding.
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
  uint8_t prefix;  // 0 none, 1 66, 2 F2, 3 F3
  bool has66;
  uint8_t mod, reg, rm;
  bool modrm;
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
bool IsRegTok(const char* p) {
  return (p[0] == 'N' && p[1] == 'q') || (p[0] == 'U' && p[1] == 'x') || (p[0] == 'R' && p[1] == 'd');
}

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

// The decoding into a fresh TDecoded; names: write the mnemonic (only the
// text needs it, the summary of DecodeInstruction does not).
void Decode(uint32_t address, const TMemorySnapshot* snapshot, TRegState* regs, TDecoded& d, bool strictTargets,
            bool names) {
  InstructionInfo& info = d.Info;
  info.This = address;
  info.Next = address + 1;
  Bytes bytes;
  Fetch(address, snapshot, bytes);
  if (bytes.n == 0) return;

  auto invalid = [&]() {
    info = InstructionInfo{};
    info.This = address;
    info.Next = address + 1;
    d.Mnemonic[0] = 0;
    d.Operands[0] = 0;
    if (regs) regs->Clear();
  };

  // 1. prefixes
  uint8_t op = 0;
  uint8_t lastRep = 0;
  for (;;) {
    op = bytes.Next();
    if (bytes.fault) return invalid();
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
        lastRep = 2;
        continue;
      case 0xF3:
        d.Rep = 1;
        lastRep = 3;
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
  d.Prefix = lastRep ? lastRep : (d.OpSize16 ? 1 : 0);

  // 2. opcode
  const OpDef* def;
  if (op == 0x0F) {
    d.TwoByte = 1;
    op = bytes.Next();
    if (bytes.fault) return invalid();
    info.Opcode = uint16_t(0x0F00 | op);
    def = &kTwoByte[op];
    if (op == 0x38 || op == 0x3A) d.Map3 = op;
  } else {
    info.Opcode = op;
    def = &kOneByte[op];
  }
  d.OpByte = op;
  static const OpDef kMap38Def = Op("", "Vx,Wo", kDir);
  static const OpDef kMap3ADef = Op("", "Vx,Wo,Ib", kDir);
  const char* mapName = nullptr;
  if (d.Map3) {
    const uint8_t op3 = bytes.Next();
    if (bytes.fault) return invalid();
    d.OpByte = op3;
    mapName = d.Map3 == 0x38 ? Map38Name(op3, d.Prefix) : Map3AName(op3, d.Prefix);
    if (!mapName) return invalid();
    def = d.Map3 == 0x38 ? &kMap38Def : &kMap3ADef;
    // F2 selects crc32 from movbe; 0x66 before movbe is the operand size
    d.PrefixUsed = d.Prefix == 2 || (d.Prefix != 0 && op3 != 0xF0 && op3 != 0xF1);
  }
  if (def->Flags == kInvalid) return invalid();
  uint16_t flags = def->Flags;

  // 3. ModR/M, SIB, displacement
  const uint16_t kind = flags & kModRmMask;
  if (kind) {
    const uint8_t m = bytes.Next();
    if (bytes.fault) return invalid();
    info.ModRm = m;
    d.HasModRm = 1;
    d.Mod = m >> 6;
    d.Reg = (m >> 3) & 7;
    d.Rm = m & 7;
    // mov to and from control and debug registers: the operand is always a
    // register, whatever mod says.
    if (info.Opcode >= 0x0F20 && info.Opcode <= 0x0F23) d.Mod = 3;
    if (kind == kGroup) {
      const GroupDef* g = FindGroup(info.Opcode);
      if (g) {
        def = d.Mod == 3 ? &g->Reg[d.Reg] : &g->Mem[d.Reg];
        if (def->Flags == kInvalid) return invalid();
        flags = uint16_t((def->Flags & ~kModRmMask) | kGroup);
      }
    }
    if (d.Mod != 3) {
      if (d.AddrSize16) {
        d.Addr16Form = 1;
        static const TX86Reg base16[8] = {kEbx, kEbx, kEbp, kEbp, kEsi, kEdi, kEbp, kEbx};  // bx bx bp bp si di bp bx
        static const TX86Reg index16[8] = {kEsi, kEdi, kEsi, kEdi, kNoReg, kNoReg, kNoReg, kNoReg};
        if (d.Mod == 0 && d.Rm == kRm16Disp16) {
          d.DispAt = address + bytes.pos;
          d.Disp = int16_t(bytes.Get(2));
          d.DispSize = 2;
        } else {
          d.Base = base16[d.Rm];
          d.Index = index16[d.Rm];
          if (d.Mod == 1) {
            d.DispAt = address + bytes.pos;
            d.Disp = int8_t(bytes.Next());
            d.DispSize = 1;
          } else if (d.Mod == 2) {
            d.DispAt = address + bytes.pos;
            d.Disp = int16_t(bytes.Get(2));
            d.DispSize = 2;
          }
        }
      } else {
        bool noBase = false;
        if (d.Rm == kRmSib) {
          const uint8_t sib = bytes.Next();
          d.HasSib = 1;
          d.Scale = uint8_t(1u << (sib >> 6));
          const uint8_t idx = (sib >> 3) & 7;
          d.Index = idx == kSibNoIndex ? kNoReg : TX86Reg(idx);
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
        if (noBase || d.Mod == 2) {
          d.DispAt = address + bytes.pos;
          d.Disp = int32_t(bytes.Get(4));
          d.DispSize = 4;
        } else if (d.Mod == 1) {
          d.DispAt = address + bytes.pos;
          d.Disp = int8_t(bytes.Next());
          d.DispSize = 1;
        }
      }
      if (bytes.fault) return invalid();
      if (d.Base == kNoReg && d.Index == kNoReg) {
        d.MemoryRef = static_cast<uint32_t>(d.Disp) & (d.AddrSize16 ? 0xFFFFu : 0xFFFFFFFFu);
        d.MemoryRefKnown = 1;
      }
    }
  }

  // Names and operand forms.
  Resolve r{d.Prefix, d.OpSize16 != 0, d.Mod, d.Reg, d.Rm, d.HasModRm != 0};
  const bool x87 = !d.TwoByte && op >= 0xD8 && op <= 0xDF;
  const bool amd = d.TwoByte && op == 0x0F;
  if (x87) {
    const uint8_t esc = op & 7;
    if (d.Mod != 3) {
      const X87Mem& xm = kX87Mem[esc][d.Reg];
      if (!xm.Name) return invalid();
      if (names) std::snprintf(d.Mnemonic, sizeof d.Mnemonic, "f%s", xm.Name);
      SetOps(d, xm.Size == 0 ? "M" : xm.Size == 2 ? "Mw" : xm.Size == 4 ? "Md" : xm.Size == 8 ? "Mq" : "Mt");
    } else {
      const X87Reg* xr = X87RegForm(esc, d.Reg, d.Rm);
      if (!xr) return invalid();
      const char* s = xr->Name;
      const char* e = s + std::strlen(s);
      int cnt = 1;
      for (const char* p = s; p < e; ++p) cnt += *p == '-';
      if (cnt > 1) Part(s, e, '-', d.Rm);
      if (s == e) return invalid();
      if (names) std::snprintf(d.Mnemonic, sizeof d.Mnemonic, "f%.*s", int(e - s), s);
      SetOps(d, xr->Form[0] == 'a' ? "x87ax" : "");
      if (std::strcmp(xr->Form, "0i") == 0)
        SetOps(d, "x870i");
      else if (std::strcmp(xr->Form, "i0") == 0)
        SetOps(d, "x87i0");
      else if (std::strcmp(xr->Form, "i") == 0)
        SetOps(d, "x87i");
    }
  } else if (d.Map3) {
    if (names) SetName(d, mapName);
    SetOps(d, d.Map3 == 0x3A ? "Vx,Wo,Ib" : "Vx,Wo");
    if (d.Map3 == 0x38 && (d.OpByte == 0xF0 || d.OpByte == 0xF1)) {
      SetOps(d, d.OpByte == 0xF0 ? (d.Prefix == 2 ? "Gd,Eb" : "Gv,M") : (d.Prefix == 2 ? "Gd,Ev" : "M,Gv"));
      if (d.Prefix != 2 && d.Mod == 3) return invalid();
    } else if (d.Prefix == 0) {
      SetOps(d, d.Map3 == 0x38 ? "Pq,Qq" : "Pq,Qq,Ib");
    } else if (const char* ops = Map3Operands(d.Map3, d.OpByte)) {
      const char* colon = std::strchr(ops, ':');
      if (!colon)
        SetOps(d, ops);
      else if (d.Mod == 3)
        SetOps(d, colon + 1);
      else
        std::snprintf(d.Operands, sizeof d.Operands, "%.*s", int(colon - ops), ops);
    }
  } else if (!amd) {
    const char *ms, *me, *os, *oe;
    bool used = false;
    // most table entries have one form: taken whole, without a scan
    if (def->MnemPlain)
      ms = def->Mnem, me = def->Mnem + def->MnemLen;
    else
      SelectVariant(def->Mnem, r, ms, me, &used);
    if (ms == me) return invalid();
    if (def->OpsPlain)
      os = def->Ops, oe = def->Ops + def->OpsLen;
    else
      SelectVariant(def->Ops, r, os, oe, nullptr);
    d.PrefixUsed = used;
    // the mnemonic: copy, with %cc and the SSE suffix "PS"
    char* out = d.Mnemonic;
    char* const outEnd = d.Mnemonic + sizeof d.Mnemonic - 4;
    for (const char* p = ms; names && p < me && out < outEnd; ++p) {
      if (*p == '%' && p + 2 < me && p[1] == 'c' && p[2] == 'c') {
        for (const char* c = kCondCodes[op & 15]; *c && out < outEnd; ++c) *out++ = *c;
        p += 2;
      } else if (*p == 'P' && p + 1 < me && p[1] == 'S') {
        static const char* const sfx[4] = {"ps", "pd", "sd", "ss"};
        const char* c = sfx[d.Prefix];
        *out++ = c[0];
        *out++ = c[1];
        d.PrefixUsed = d.Prefix != 0;
        ++p;
      } else {
        *out++ = *p;
      }
    }
    *out = 0;
    const size_t n = std::min<size_t>(size_t(oe - os), sizeof d.Operands - 1);
    std::memcpy(d.Operands, os, n);
    d.Operands[n] = 0;
    if (d.HasModRm) {
      if (d.Mod == 3 && OpsHave(os, oe, IsMemTok)) return invalid();
      if (d.Mod != 3 && OpsHave(os, oe, IsRegTok)) return invalid();
    }
  }
  d.Flags = flags;

  // 5. validity rules beyond the tables
  const uint16_t opc = info.Opcode;
  if ((opc == 0x8C || opc == 0x8E) && d.Reg >= 6) return invalid();

  // 4. immediates
  int immSize = 0;
  switch (flags & kImmMask) {
    case kImm8:
      immSize = 1;
      break;
    case kImm16:
      immSize = 2;
      break;
    case kImmV:
      immSize = d.OpSize16 ? 2 : 4;
      break;
    default:
      break;
  }
  if (!d.TwoByte) {
    if (op == 0x9A || op == 0xEA)
      immSize = (d.OpSize16 ? 2 : 4) + 2;
    else if (op >= 0xA0 && op <= 0xA3)
      immSize = d.AddrSize16 ? 2 : 4;
  }
  if (amd) immSize = 1;
  // extrq/insertq with immediates (0x66 or 0xF2 0x0F 0x78): two bytes
  const bool sse4aImm = d.TwoByte && op == 0x78 && (d.Prefix == 1 || d.Prefix == 2);
  if (sse4aImm) immSize = 1;
  if (d.Map3 == 0x3A) immSize = 1;
  d.ImmAt = address + bytes.pos;
  if (!d.TwoByte && (op == 0x9A || op == 0xEA)) {
    d.ImmSize = uint8_t(immSize - 2);
    d.Imm = bytes.Get(d.ImmSize);
    d.Imm2 = bytes.Get(2);
    d.Imm2Size = 2;
  } else {
    d.ImmSize = uint8_t(immSize);
    d.Imm = bytes.Get(immSize);
    if ((!d.TwoByte && op == 0xC8) || sse4aImm) {
      d.Imm2 = bytes.Next();
      d.Imm2Size = 1;
    }
  }
  if (bytes.fault) return invalid();
  if (amd) {
    const char* name = Amd3DNowName(uint8_t(d.Imm));
    if (!name) return invalid();
    if (names) SetName(d, name);
    SetOps(d, "Pq,Qq");
  }
  if (!d.TwoByte && op >= 0xA0 && op <= 0xA3) {
    d.MemoryRef = d.Imm;
    d.MemoryRefKnown = 1;
  }
  info.Next = address + bytes.pos;
  info.Valid = 1;

  // 6. targets
  if (flags & kRel) {
    int32_t rel = d.ImmSize == 1 ? int8_t(d.Imm) : d.ImmSize == 2 ? int16_t(d.Imm) : int32_t(d.Imm);
    uint32_t target = info.Next + uint32_t(rel);
    if (d.OpSize16 && d.ImmSize == 2) target &= 0xFFFF;
    info.HasRelTarget = 1;
    info.Target = target;
    info.PTarget = d.ImmAt;
    info.TargetSize = d.ImmSize;
    if (!d.TwoByte && op == 0xE8) {
      info.IsCall = 1;
    } else if (!(flags & kGroup)) {
      info.IsJump = 1;
      info.Enlargeable = !(!d.TwoByte && op >= 0xE0 && op <= 0xE3);
    } else {
      info.IsJump = 1;  // xbegin
    }
  } else if (!d.TwoByte && op == 0xFF && (d.Reg >= 2 && d.Reg <= 5)) {
    info.IsCall = d.Reg <= 3;
    info.IsJump = d.Reg >= 4;
    info.TargetSize = d.OpSize16 ? 2 : 4;
    const bool farForm = d.Reg == 3 || d.Reg == 5;
    if (d.Mod == 3) {
      if (regs && regs->IsKnown(d.Rm)) info.Target = regs->Value[d.Rm];
    } else {
      uint32_t cell = 0;
      bool known = false;
      if (d.MemoryRefKnown) {
        cell = d.MemoryRef;
        known = true;
      } else if (regs && !d.Addr16Form) {
        const bool baseOk = d.Base < 0 || regs->IsKnown(d.Base);
        const bool indexOk = d.Index < 0 || regs->IsKnown(d.Index);
        if (baseOk && indexOk) {
          cell = uint32_t(d.Disp) + (d.Base >= 0 ? regs->Value[d.Base] : 0) +
                 (d.Index >= 0 ? regs->Value[d.Index] * d.Scale : 0);
          known = true;
        }
      }
      if (known) {
        info.PPTarget = cell;
        info.PTarget = cell;
        uint32_t v = 0;
        if (!farForm) {
          if (snapshot->ReadDword(cell, v))
            info.Target = d.OpSize16 ? (v & 0xFFFF) : v;
          else if (strictTargets)
            return invalid();
        }
      }
    }
  } else if (!d.TwoByte && (op == 0x9A || op == 0xEA)) {
    info.IsCall = op == 0x9A;
    info.IsJump = op == 0xEA;
    info.TargetSize = d.ImmSize + 2u;
  }
  if ((info.IsCall || info.IsJump) && info.Target == info.Next && info.Target != 0) {
    info.IsCall = info.IsJump = info.HasRelTarget = 0;
    info.Target = info.PTarget = info.PPTarget = 0;
    info.TargetSize = 0;
    info.Enlargeable = 0;
  }

  // 7. register state
  if (regs) {
    const uint8_t before = regs->Known;
    uint32_t value = 0;
    int setReg = -1;
    bool setOk = false;
    if (!d.TwoByte && op >= 0xB8 && op <= 0xBF && !d.OpSize16) {
      setReg = op & 7;
      value = d.Imm;
      setOk = true;
    } else if (!d.TwoByte && (op == 0x8B || op == 0x8D) && !d.OpSize16 && d.Mod != 3 && !d.Addr16Form) {
      setReg = d.Reg;
      const bool baseOk = d.Base < 0 || regs->IsKnown(d.Base);
      const bool indexOk = d.Index < 0 || regs->IsKnown(d.Index);
      if (baseOk && indexOk) {
        const uint32_t a = uint32_t(d.Disp) + (d.Base >= 0 ? regs->Value[d.Base] : 0) +
                           (d.Index >= 0 ? regs->Value[d.Index] * d.Scale : 0);
        if (op == 0x8D) {
          value = a;
          setOk = true;
        } else {
          setOk = snapshot->ReadDword(a, value);
        }
      }
    } else if (!d.TwoByte && (op == 0x89 || op == 0x8B) && d.Mod == 3 && !d.OpSize16) {
      const int dst = op == 0x89 ? d.Rm : d.Reg;
      const int src = op == 0x89 ? d.Reg : d.Rm;
      setReg = dst;
      if (regs->IsKnown(src)) {
        value = regs->Value[src];
        setOk = true;
      }
    } else if (!d.TwoByte && (op == 0x31 || op == 0x33 || op == 0x29 || op == 0x2B) && d.Mod == 3 && d.Reg == d.Rm &&
               !d.OpSize16) {
      setReg = d.Reg;
      value = 0;
      setOk = true;
    }
    (void)before;
    if (setReg >= 0) {
      if (setOk)
        regs->Set(setReg, value);
      else
        regs->Forget(setReg);
      if (setReg != 4) {
        // nothing else is written by these moves
      }
    } else {
      ForgetWritten(d, *regs);
    }
  }
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
