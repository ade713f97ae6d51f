// The disassembly text of a parsed function (labels, padding,
// annotations, case and exception tables, FormatDisAsm, line numbers, the
// ">" marker, LimitDisAsm).
#include <algorithm>
#include <cstdio>

#include "report/disasm/quorDisAsm.h"

namespace quor {

const char* const kInternalErrorText =
    "Internal error in ParseFunction while composing the disassembling string...  :-(";

namespace {

const char* const kSeparator = "; ---------------------------------------------------------";

void PadTo(std::string& s, size_t width) {
  if (s.size() < width) s.append(width - s.size(), ' ');
}

class AreaLabels : public ILabelSource {
public:
  AreaLabels(const TFunctionInfo& f, std::string entryName) : f_(f), entryName_(std::move(entryName)) {}
  bool LabelFor(uint32_t address, std::string& label) const override {
    if (address == f_.EntryPoint) {
      label = entryName_;
      return true;
    }
    for (const TCodeArea& a : f_.CodeAreas)
      if (a.Begin == address && !a.CaseTable && !a.ExceptTable) {
        label = "loc_" + Hex8(address);
        return true;
      }
    return false;
  }

private:
  const TFunctionInfo& f_;
  std::string entryName_;
};

// At least 4 characters that look like text.
bool LooksLikeText(const TMemorySnapshot* s, uint32_t address, std::string& text) {
  text.clear();
  uint8_t buf[100];
  uint32_t n = 0;
  for (; n < sizeof buf; ++n) {
    if (!s->Read(address + n, &buf[n], 1) || buf[n] < 0x20 || buf[n] == 0x7F) break;
  }
  if (n < 4) return false;
  uint32_t good = 0, punct = 0, signs = 0, other = 0;
  for (uint32_t i = 0; i < n; ++i) {
    const uint8_t c = buf[i];
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ')
      ++good;
    else if (c == '.' || c == ',')
      ++punct;
    else if (c < 0x7F)
      ++signs;
    else
      ++other;
  }
  if (good == 0 || punct * 5 >= good * 2 || signs * 8 >= good || other * 10 >= good) return false;
  text.assign(reinterpret_cast<const char*>(buf), n);
  return true;
}

std::string Annotation(const TDecoded& d, const TFunctionInfo& f, const TMemorySnapshot* s,
                       const IDisAsmSymbols* symbols) {
  std::string name, module;
  const InstructionInfo& i = d.Info;
  auto named = [&](uint32_t a) {
    return a && symbols && a != f.EntryPoint && symbols->FunctionName(a, f.EntryPoint, name, module);
  };
  auto result = [&]() { return "  ; " + name + (module.empty() ? "" : " (" + module + ")"); };
  if ((i.IsCall || i.IsJump) && named(i.Target)) return result();
  // 32-bit operands: an immediate, a constant memory address and its cell
  uint32_t candidates[3];
  int n = 0;
  if (d.ImmSize == 4 && !i.HasRelTarget) candidates[n++] = d.Imm;
  if (d.MemoryRefKnown) {
    candidates[n++] = d.MemoryRef;
    uint32_t cell;
    if (s->ReadDword(d.MemoryRef, cell)) candidates[n++] = cell;
  }
  std::string text;
  for (int k = 0; k < n; ++k) {
    if (!i.IsCall && !i.IsJump && named(candidates[k])) return result();
    if (s->ModuleOf(candidates[k]) && LooksLikeText(s, candidates[k], text)) return "  ; '" + text + "'";
  }
  return std::string();
}

bool IsUncondEnd(const TDecoded& d, const TSpecialRoutines* sp) {
  const uint16_t op = d.Info.Opcode;
  if (op == 0xC2 || op == 0xC3 || op == 0xCA || op == 0xCB || op == 0xCF) return true;
  if (op == 0xE9 || op == 0xEB || op == 0xEA || (op == 0xFF && (d.Reg == 4 || d.Reg == 5))) {
    if (sp && d.Info.Target &&
        (d.Info.Target == sp->HandleAnyException || d.Info.Target == sp->HandleFinally ||
         d.Info.Target == sp->HandleAutoException || d.Info.Target == sp->HandleOnException))
      return false;
    return true;
  }
  return false;
}

}  // namespace

std::string LimitDisAsmText(const std::vector<std::string>& lines, int exceptLine, int limit) {
  size_t first = 0, last = lines.size();
  bool cutBefore = false, cutAfter = false;
  if (limit > 0 && exceptLine > 0) {
    if (exceptLine > limit * 12 / 10) {
      first = size_t(exceptLine - 1 - limit);
      cutBefore = true;
    }
    if (size_t(exceptLine) + size_t(limit) < lines.size()) {
      last = size_t(exceptLine) + size_t(limit);
      cutAfter = true;
    }
  }
  std::string out;
  if (cutBefore) out += "[...]\r\n";
  for (size_t k = first; k < last; ++k) {
    out += lines[k];
    if (k + 1 < last || cutAfter) out += "\r\n";
  }
  if (cutAfter) out += "[...]";
  return out;
}

bool FunctionText(const TFunctionInfo& f, const TMemorySnapshot* s, const IDisAsmSymbols* symbols,
                  const TDisAsmOptions& o, std::string& text) {
  text.clear();
  if (!f.IsValid) return false;
  std::string fname, module;
  const bool known = symbols && symbols->FunctionName(f.EntryPoint, f.EntryPoint, fname, module);
  const std::string entryName = known ? fname : "sub_" + Hex8(f.EntryPoint);
  AreaLabels labels(f, entryName);

  // line-number column width
  size_t lineWidth = 0;
  if (symbols) {
    for (const TCodeArea& a : f.CodeAreas) {
      if (a.CaseTable || a.ExceptTable) continue;
      uint32_t line;
      for (uint32_t p = a.Begin; p <= a.End;) {
        if (symbols->LineNumber(p, line)) lineWidth = std::max(lineWidth, std::to_string(line).size());
        const InstructionInfo i = DecodeInstruction(p, s);
        if (!i.Valid || i.Next <= p) break;
        p = i.Next;
      }
    }
  }
  const size_t extra = lineWidth ? lineWidth + 1 : 0;

  std::vector<std::string> lines;
  int exceptLine = 0;
  uint32_t lastLine = 0xFFFFFFFF;
  lines.push_back((known ? "public " : "") + entryName);
  const TCodeArea* prev = nullptr;
  for (const TCodeArea& a : f.CodeAreas) {
    if (a.End < a.Begin) continue;
    if (o.FormatDisAsm && prev && prev->End + 1 != a.Begin) lines.push_back(kSeparator);
    if (a.Begin == f.EntryPoint) {
      std::string l = entryName + ":";
      PadTo(l, 31);
      lines.push_back(l + "  ; function entry point");
    } else if (a.FirstJumpFrom && !a.CaseTable && !a.ExceptTable) {
      lines.push_back("loc_" + Hex8(a.Begin) + ":");
    }
    if (a.CaseTable) {
      for (uint32_t p = a.Begin; p + 3 <= a.End; p += 4) {
        uint32_t t;
        if (!s->ReadDword(p, t)) {
          text = kInternalErrorText;
          return true;
        }
        std::string l = "  dd loc_" + Hex8(t);
        if (p == a.Begin) {
          PadTo(l, 31);
          l += "  ; case jump table";
        }
        lines.push_back(l);
      }
    } else if (a.ExceptTable) {
      uint32_t count = 0;
      if (!s->ReadDword(a.Begin, count)) {
        text = kInternalErrorText;
        return true;
      }
      std::vector<std::pair<std::string, uint32_t>> entries;
      size_t width = 0;
      for (uint32_t k = 0; k < count && a.Begin + 4 + 8 * k + 7 <= a.End; ++k) {
        uint32_t cls = 0, handler = 0;
        if (!s->ReadDword(a.Begin + 4 + 8 * k, cls) || !s->ReadDword(a.Begin + 8 + 8 * k, handler)) break;
        std::string name;
        if (cls == 0)
          name.clear();
        else if (!symbols || !symbols->ClassName(cls, name) || name.empty())
          name = "EUnknown";
        width = std::max(width, name.size());
        entries.emplace_back(name, handler);
      }
      for (const auto& [name, handler] : entries) {
        std::string l;
        if (name.empty()) {
          l = "  else";
        } else {
          l = "  on " + name;
          PadTo(l, 5 + width);
          l += " do";
        }
        lines.push_back(l + " loc_" + Hex8(handler));
      }
    } else {
      TRegState regs = a.Regs;
      for (uint32_t p = a.Begin; p <= a.End;) {
        TDecoded d;
        DecodeInstructionFull(p, s, &regs, d);
        std::string l = Hex8(p) + "   ";
        if (lineWidth) {
          uint32_t line;
          std::string num;
          if (symbols->LineNumber(p, line) && line != lastLine) {
            num = std::to_string(line);
            lastLine = line;
          }
          // The width was measured along the decodable instructions; a line
          // found past an undecodable byte may be wider and is not padded.
          l += std::string(lineWidth - std::min(lineWidth, num.size()), ' ') + num + " ";
        }
        if (!d.Info.Valid) {
          uint8_t b = 0;
          if (!s->Read(p, &b, 1)) {
            text = kInternalErrorText;
            return true;
          }
          char buf[8];
          std::snprintf(buf, sizeof buf, "db $%02x", b);
          l += buf;
        } else {
          std::string ins = InstructionText(d, &labels);
          const size_t sp = ins.find(' ');
          l += ins;
          if (sp != std::string::npos) {
            // keep the operands at column 19 (plus the line-number column)
          }
          const std::string note = Annotation(d, f, s, symbols);
          if (!note.empty()) {
            PadTo(l, 40 + extra);
            l += note;
          }
        }
        if (o.ExceptAddr && o.ExceptAddr == p) {
          l[9] = '>';
          exceptLine = int(lines.size()) + 1;
        }
        lines.push_back(l);
        if (!d.Info.Valid) {
          ++p;
          continue;
        }
        if (o.FormatDisAsm && d.Info.Next <= a.End && IsUncondEnd(d, o.Special)) lines.push_back("");
        if (d.Info.Next <= p) break;
        p = d.Info.Next;
      }
    }
    if (o.FormatDisAsm) lines.push_back("");
    prev = &a;
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  text = LimitDisAsmText(lines, exceptLine, o.LimitDisAsm);
  return true;
}

bool DisAsmFunction(uint32_t entryPoint, const TMemorySnapshot* snapshot, const IDisAsmSymbols* symbols,
                    const TDisAsmOptions& options, std::string& text, TFunctionInfo& info) {
  text.clear();
  info = ParseFunction(entryPoint, snapshot, options.Special, options.ErrorMessage);
  if (!info.IsValid) return false;
  return FunctionText(info, snapshot, symbols, options, text);
}

}  // namespace quor
