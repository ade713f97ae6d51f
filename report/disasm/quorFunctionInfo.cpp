// The function parser. Follows the control flow from the entry
// point through code areas; records far calls, unknown targets, case and
// exception tables; decides whether the entry may be overwritten by a jump.
#include <algorithm>
#include <map>
#include <unordered_set>

#include "report/disasm/quorDisAsm.h"

namespace quor {

namespace {

// How far an unconditional jump may lead and still count as a jump inside
// the function: code before the entry (up to 1024 bytes) and
// a window after it. Jumps farther away are tail calls (far calls).
constexpr uint32_t kBeforeEntry = 1024;
constexpr uint32_t kAfterEntry = 0x10000;
constexpr size_t kMaxAreas = 4096;
constexpr uint32_t kMaxCaseEntries = 1024;

std::string DefaultMessage(uint32_t error) {
  if (error == kErrorInvalidParameter) return "The parameter is incorrect.";
  return "Error " + std::to_string(error);
}

bool IsConditional(uint16_t op) {
  return (op >= 0x70 && op <= 0x7F) || (op >= 0x0F80 && op <= 0x0F8F) || (op >= 0xE0 && op <= 0xE3);
}

bool IsReturn(uint16_t op) { return op == 0xC2 || op == 0xC3 || op == 0xCA || op == 0xCB || op == 0xCF; }

struct Parser {
  Parser(uint32_t entryPoint, const TMemorySnapshot* snapshot, const TSpecialRoutines& routines, TFunctionInfo& info)
      : entry(entryPoint), s(snapshot), special(routines), f(info) {}

  uint32_t entry;
  const TMemorySnapshot* s;
  TSpecialRoutines special;
  TFunctionInfo& f;
  uint32_t codeBegin = 0, codeEnd = 0;  // module code (and data) range

  bool InCode(uint32_t a) const { return codeEnd == 0 || (a >= codeBegin && a < codeEnd); }

  bool Inside(uint32_t target) const {
    return uint64_t(target) + kBeforeEntry >= entry && uint64_t(target) < uint64_t(entry) + kAfterEntry &&
           InCode(target) && target != special.HandleAnyException && target != special.Halt0 &&
           target != special.HandleFinally && target != special.HandleAutoException &&
           target != special.HandleOnException;
  }

  // Areas by start address, and an upper bound of every area's length: an
  // area that holds an address starts at most that far below it, so the
  // look-ups below only visit the areas in that window. Among several areas
  // that answer, the one added first decides, as in a scan in list order.
  std::multimap<uint32_t, size_t> byBegin;
  uint32_t maxSpan = 0;
  std::unordered_set<uint32_t> unknownAt;

  size_t Push(const TCodeArea& area) {
    f.CodeAreas.push_back(area);
    byBegin.emplace(area.Begin, f.CodeAreas.size() - 1);
    NoteEnd(area);
    return f.CodeAreas.size() - 1;
  }

  void NoteEnd(const TCodeArea& area) {
    if (area.End >= area.Begin) maxSpan = std::max(maxSpan, area.End - area.Begin);
  }

  // Calls visit(index) for every area whose start lies in [address - maxSpan,
  // address], in no particular order.
  template <typename Visit>
  void Near(uint32_t address, Visit visit) const {
    const uint32_t low = address > maxSpan ? address - maxSpan : 0;
    for (auto it = byBegin.lower_bound(low); it != byBegin.end() && it->first <= address; ++it) visit(it->second);
  }

  // Adds a code area at target (or notes the jump at an existing one); an
  // area that holds target in its middle is split there.
  void AddArea(uint32_t target, const TRegState& regs, uint32_t from) {
    size_t hit = SIZE_MAX;
    Near(target, [&](size_t i) {
      const TCodeArea& a = f.CodeAreas[i];
      const bool answers = a.Begin == target ||
                           (a.Done && !a.CaseTable && !a.ExceptTable && target > a.Begin && target <= a.End) ||
                           ((a.CaseTable || a.ExceptTable) && target >= a.Begin && target <= a.End);
      if (answers) hit = std::min(hit, i);
    });
    if (hit != SIZE_MAX) {
      TCodeArea& a = f.CodeAreas[hit];
      if (a.Begin == target) {
        if (!a.FirstJumpFrom) a.FirstJumpFrom = from;
      } else if (!a.CaseTable && !a.ExceptTable) {
        TCodeArea tail;
        tail.Begin = target;
        tail.End = a.End;
        tail.Done = true;
        tail.FirstJumpFrom = from;
        tail.Invalid = a.Invalid;  // the undecodable end goes with the tail
        a.Invalid = false;
        a.End = target - 1;
        Push(tail);
      }  // else: data of a table
      return;
    }
    if (f.CodeAreas.size() >= kMaxAreas || !s->IsReadable(target)) return;
    TCodeArea n;
    n.Begin = target;
    n.FirstJumpFrom = from;
    n.Regs = regs;
    Push(n);
  }

  void AddTable(uint32_t begin, uint32_t end, bool caseTable, uint32_t from) {
    TCodeArea t;
    t.Begin = begin;
    t.End = end;
    t.CaseTable = caseTable;
    t.ExceptTable = !caseTable;
    t.Done = true;
    t.FirstJumpFrom = from;
    Push(t);
  }

  // Another area that starts at a, or holds a: the current one stops there.
  bool Taken(uint32_t a, size_t self) const {
    bool taken = false;
    Near(a, [&](size_t i) {
      if (i == self) return;
      const TCodeArea& o = f.CodeAreas[i];
      if (o.Begin == a || ((o.Done || o.CaseTable || o.ExceptTable) && a > o.Begin && a <= o.End)) taken = true;
    });
    return taken;
  }

  void FarCall(const InstructionInfo& i, bool isCall) {
    TFarCall c;
    c.IsCall = isCall;
    c.CodeAddr = i.This;
    c.NextAddr = i.Next;
    c.Target = i.Target;
    c.PTarget = i.PTarget;
    c.Resolved = i.Target != 0;
    f.FarCalls.push_back(c);
  }

  void Unknown(const InstructionInfo& i) {
    if (!unknownAt.insert(i.This).second) return;
    TUnknownTarget u;
    u.CodeAddr = i.This;
    u.NextAddr = i.Next;
    f.UnknownTargets.push_back(u);
  }

  // A jump through [index*4 + table]: the table becomes a case-table area.
  bool CaseTable(const TDecoded& d, int boundReg, uint32_t bound, const TRegState& regs) {
    if (d.Addr16Form || d.Index == kNoReg || d.Scale != 4 || d.Base != kNoReg || d.DispSize != 4) return false;
    const uint32_t table = uint32_t(d.Disp);
    uint32_t count = 0;
    if (boundReg == d.Index && bound > 0 && bound <= kMaxCaseEntries) {
      count = bound;
    } else {
      // without a range check: entries while they point into the code
      uint32_t v;
      while (count < kMaxCaseEntries && s->ReadDword(table + 4 * count, v) && InCode(v) && v != 0 &&
             !(count > 0 && Taken(table + 4 * count, SIZE_MAX)))
        ++count;
    }
    if (count == 0) return false;
    std::vector<uint32_t> targets(count);
    for (uint32_t k = 0; k < count; ++k)
      if (!s->ReadDword(table + 4 * k, targets[k])) return false;
    AddTable(table, table + 4 * count - 1, true, d.Info.This);
    for (uint32_t t : targets) AddArea(t, regs, d.Info.This);
    return true;
  }

  // Decodes one area from its start; returns the end reason.
  void RunArea(size_t idx) {
    TRegState regs = f.CodeAreas[idx].Regs;
    uint32_t a = f.CodeAreas[idx].Begin;
    int cmpReg = kNoReg, boundReg = kNoReg;
    uint32_t cmpImm = 0, bound = 0;
    f.CodeAreas[idx].Done = true;
    for (;;) {
      if (a != f.CodeAreas[idx].Begin && Taken(a, idx)) break;
      if (uint64_t(a) >= uint64_t(entry) + kAfterEntry || !InCode(a)) break;
      TDecoded d;
      DecodeInstructionFull(a, s, &regs, d);
      const InstructionInfo& i = d.Info;
      if (!i.Valid) {
        // An undecodable instruction ends only its own area, which keeps it
        // as its last byte (the text shows it as "db"); the other areas of
        // the function stand.
        f.CodeAreas[idx].End = a;
        f.CodeAreas[idx].Invalid = true;
        NoteEnd(f.CodeAreas[idx]);
        break;
      }
      f.CodeAreas[idx].End = i.Next - 1;
      NoteEnd(f.CodeAreas[idx]);
      const uint16_t op = i.Opcode;
      // range check before a case jump: cmp reg, imm; ja / jae
      if ((op == 0x83 || op == 0x81) && d.Reg == 7 && d.Mod == 3 && !d.OpSize16) {
        cmpReg = d.Rm;
        cmpImm = op == 0x83 ? uint32_t(int32_t(int8_t(d.Imm))) : d.Imm;
      } else if (op == 0x3D && !d.OpSize16) {
        cmpReg = kEax;
        cmpImm = d.Imm;
      } else if (op == 0x77 || op == 0x0F87) {
        if (cmpReg != kNoReg) boundReg = cmpReg, bound = cmpImm + 1;
        cmpReg = kNoReg;
      } else if (op == 0x73 || op == 0x0F83) {
        if (cmpReg != kNoReg) boundReg = cmpReg, bound = cmpImm;
        cmpReg = kNoReg;
      } else if (!i.IsJump) {
        cmpReg = kNoReg;
      }

      if (i.IsJump) {
        if (IsConditional(op)) {
          if (i.Target && Inside(i.Target))
            AddArea(i.Target, regs, a);
          else if (i.Target)
            FarCall(i, false);
          a = i.Next;
          continue;
        }
        if (i.Target) {
          if (Inside(i.Target)) {
            AddArea(i.Target, regs, a);
          } else {
            FarCall(i, false);
            if (i.Target == special.HandleFinally || i.Target == special.HandleAnyException ||
                i.Target == special.HandleAutoException) {
              a = i.Next;  // the handler's code follows
              continue;
            }
            if (i.Target == special.HandleOnException && OnExceptionTable(i, regs)) break;
          }
        } else if (!(d.HasModRm && d.Mod != 3 && CaseTable(d, boundReg, bound, regs))) {
          Unknown(i);
        }
        break;
      }
      if (i.IsCall) {
        if (i.Target) {
          FarCall(i, true);
          if (i.Target == special.Halt0) break;
          if (i.Target == special.HandleOnException && OnExceptionTable(i, regs)) break;
        } else {
          Unknown(i);
        }
        a = i.Next;
        continue;
      }
      if (IsReturn(op) || op == 0x0F0B || op == 0xF4) break;
      a = i.Next;
    }
  }

  // After a jump to the on-exception handler: a count and (class, handler)
  // pairs; the table becomes an exception-table area.
  bool OnExceptionTable(const InstructionInfo& i, const TRegState& regs) {
    uint32_t count = 0;
    if (!s->ReadDword(i.Next, count) || count == 0 || count > 256) return false;
    std::vector<uint32_t> handlers;
    for (uint32_t k = 0; k < count; ++k) {
      uint32_t h;
      if (!s->ReadDword(i.Next + 4 + 8 * k + 4, h)) return false;
      handlers.push_back(h);
    }
    AddTable(i.Next, i.Next + 4 + 8 * count - 1, false, i.This);
    for (uint32_t h : handlers)
      if (Inside(h)) AddArea(h, regs, i.This);
    return true;
  }

  bool RunPending() {
    bool any = false;
    for (size_t k = 0; k < f.CodeAreas.size(); ++k) {
      if (!f.CodeAreas[k].Done) {
        RunArea(k);
        any = true;
      }
    }
    return any;
  }

  // Step 4: unknown targets inside known areas, decoded again with the
  // area's register state from its start.
  bool ResolveUnknown() {
    bool found = false;
    for (TUnknownTarget& u : f.UnknownTargets) {
      if (u.Resolved) continue;
      for (const TCodeArea& area : f.CodeAreas) {
        if (area.CaseTable || area.ExceptTable || u.CodeAddr < area.Begin || u.CodeAddr > area.End) continue;
        TRegState regs = area.Regs;
        uint32_t a = area.Begin;
        InstructionInfo i;
        while (a < u.CodeAddr) {
          i = DecodeInstruction(a, s, &regs);
          if (!i.Valid) break;
          a = i.Next;
        }
        if (a != u.CodeAddr) break;
        i = DecodeInstruction(a, s, &regs);
        if (i.Valid && i.Target) {
          u.Resolved = true;
          if (i.IsJump && Inside(i.Target)) {
            AddArea(i.Target, regs, i.This);
            found = true;
          } else {
            FarCall(i, i.IsCall);
          }
        }
        break;
      }
    }
    return found;
  }
};

}  // namespace

TFunctionInfo ParseFunction(uint32_t entryPoint, const TMemorySnapshot* snapshot, const TSpecialRoutines* special,
                            ErrorMessageFn errorMessage) {
  TFunctionInfo f;
  f.EntryPoint = entryPoint;
  if (!snapshot || !snapshot->IsCommitted(entryPoint)) {
    f.LastErrorAddr = entryPoint;
    f.LastErrorNo = kErrorInvalidParameter;
    f.LastErrorStr = (errorMessage ? errorMessage : DefaultMessage)(kErrorInvalidParameter);
    return f;
  }
  Parser p{entryPoint, snapshot, special ? *special : TSpecialRoutines{}, f};
  if (const TModuleImage* m = snapshot->ModuleOf(entryPoint)) {
    // the code range, widened by the data range
    p.codeBegin = m->CodeBegin;
    p.codeEnd = m->CodeEnd;
    if (m->DataEnd > m->DataBegin) {
      p.codeBegin = std::min(p.codeBegin, m->DataBegin);
      p.codeEnd = std::max(p.codeEnd, m->DataEnd);
    }
    if (p.codeEnd <= p.codeBegin) p.codeBegin = m->Base, p.codeEnd = m->Base + m->Size;
  }
  TCodeArea first;
  first.Begin = entryPoint;
  p.Push(first);
  for (int round = 0; round < 16; ++round) {
    while (p.RunPending()) {
    }
    if (!p.ResolveUnknown()) break;
  }
  std::sort(f.CodeAreas.begin(), f.CodeAreas.end(),
            [](const TCodeArea& a, const TCodeArea& b) { return a.Begin < b.Begin; });
  // The function is invalid when the code at its entry point, up to the
  // first jump or return, cannot be decoded; an undecodable instruction in
  // any other area ends only that area.
  const TCodeArea* entryArea = nullptr;
  for (const TCodeArea& a : f.CodeAreas)
    if (a.Begin == entryPoint && a.End >= a.Begin && !a.CaseTable && !a.ExceptTable) entryArea = &a;
  if (!entryArea || entryArea->Invalid) {
    f.LastErrorAddr = entryArea ? entryArea->End : entryPoint;
    f.LastErrorNo = kErrorInvalidCode;
    f.LastErrorStr = "Invalid code!";
    return f;
  }
  uint32_t lo = 0xFFFFFFFF;
  uint64_t hi = 0;
  for (const TCodeArea& a : f.CodeAreas) {
    lo = std::min(lo, a.Begin);
    hi = std::max<uint64_t>(hi, uint64_t(a.End) + 1);
  }
  f.CodeBegin = lo;
  f.CodeLen = static_cast<uint32_t>(hi - lo);
  // interceptable: the first continuous run of code is longer than 5 bytes
  // and its first 6 bytes hold no relative jump or call
  uint64_t runEnd = entryPoint;
  for (const TCodeArea& a : f.CodeAreas) {
    if (a.CaseTable || a.ExceptTable) continue;
    if (a.Begin <= runEnd && a.Begin >= entryPoint) runEnd = std::max<uint64_t>(runEnd, uint64_t(a.End) + 1);
  }
  bool plain = runEnd - entryPoint > 5;
  for (uint32_t a = entryPoint; plain && a < entryPoint + 6;) {
    const InstructionInfo i = DecodeInstruction(a, snapshot);
    if (!i.Valid || i.HasRelTarget || i.Next > runEnd) plain = false;
    a = i.Next;
  }
  f.Interceptable = plain;
  f.IsValid = true;
  return f;
}

}  // namespace quor
