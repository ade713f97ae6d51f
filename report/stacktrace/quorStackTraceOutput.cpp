// The final output of a trace: names, units and lines of the kept items,
// the aligned text, the two check sums and the single item line.
#include <algorithm>
#include <cctype>
#include <cstdio>

#include "report/codec/quorZip.h"
#include "report/stacktrace/quorStackTraceItems.h"

namespace quor {

namespace {

std::string HexText(uint32_t v, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*x", digits, v);
  return buffer;
}

std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string PadRight(std::string s, size_t width) {
  s.resize(std::max(s.size(), width), ' ');
  return s;
}

std::string PadLeft(const std::string& s, size_t width) {
  return std::string(width - std::min(width, s.size()), ' ') + s;
}

}  // namespace

bool IsShown(const TInternalStackItem& item, bool hideUglyItems) {
  if (item.Invalid) return false;
  if (item.Forced) return true;
  return !item.FunctionName.empty() && (item.Line > 0 || !hideUglyItems);
}

void FillFinalOutput(TTraceRun& run, TTraceResult& result) {
  const TTraceRequest& r = run.Req;
  bool first = true;
  for (size_t n = run.Items.size(); n-- > 0;) {
    if (run.Aborted()) return;
    TInternalStackItem& item = run.Items[n];
    if (item.Invalid) continue;
    const TItemLink* named = nullptr;
    const TItemLink* any = nullptr;
    for (const std::vector<TItemLink>* list : {&item.Down, &item.Up})
      for (const TItemLink& l : *list) {
        if (!named && l.Function >= 0 && run.Tables.Function(l.Function).Reached && l.CallAddr) named = &l;
        if (!any && l.CallAddr) any = &l;
      }
    if (named) {
      item.Display = named->CallAddr;
      const TTraceFunction& f = run.Tables.Function(named->Function);
      item.FunctionName = f.Name;
      item.FunctionStart = f.Info.EntryPoint;
    } else if (any) {
      item.Display = any->CallAddr;
    } else if (!item.Forced) {
      item.Display = item.Value;
    }
    const TTraceModule* module = item.Module >= 0 ? &run.Tables.Module(item.Module) : nullptr;
    const IStackSymbols* symbols = module ? module->Symbols.get() : nullptr;
    if (item.FunctionName.empty()) {
      std::string name;
      uint32_t start = 0;
      if (symbols && symbols->PublicAt(item.Display, name, start))
        item.FunctionName = name, item.FunctionStart = start;
      else if (any && any->Function >= 0 && !run.Tables.Function(any->Function).Name.empty())
        item.FunctionName = run.Tables.Function(any->Function).Name,
        item.FunctionStart = run.Tables.Function(any->Function).Info.EntryPoint;
    }
    item.ModuleName = module ? module->FileName : "???";
    if (symbols) {
      item.UnitName = symbols->UnitAt(item.Display);
      item.Line = std::max(0, symbols->LineAt(item.Display));
      if (r.ShowRelLines && item.Line > 0 && item.FunctionStart) {
        const int32_t startLine = symbols->LineAt(item.FunctionStart);
        if (startLine > 0) item.RelLine = item.Line - startLine, item.HasRelLine = true;
      }
      const std::string minimal = symbols->MinDebugInfo();
      const std::string entry = module->FileName + "|" + minimal;
      if (!minimal.empty() &&
          std::find(result.MinDebugInfos.begin(), result.MinDebugInfos.end(), entry) == result.MinDebugInfos.end())
        result.MinDebugInfos.push_back(entry);
    }
    if (first) result.CurrentAddress = item.Display, first = false;
  }
}

void ComposeResult(TTraceRun& run, TTraceResult& result) {
  const TTraceRequest& r = run.Req;
  std::vector<const TInternalStackItem*> shown;
  for (size_t n = run.Items.size(); n-- > 0;) {
    const TInternalStackItem& item = run.Items[n];
    if (!IsShown(item, r.HideUglyItems)) continue;
    if (!shown.empty() && shown.back()->Display == item.Display) continue;
    shown.push_back(&item);
  }
  // column widths
  size_t moduleWidth = 0, unitWidth = 0, absWidth = 0, lineWidth = 0;
  uint32_t widestOffset = 0;
  bool anyStart = false;
  for (const TInternalStackItem* i : shown) {
    moduleWidth = std::max(moduleWidth, i->ModuleName.size());
    unitWidth = std::max(unitWidth, i->UnitName.size());
    if (i->FunctionStart) anyStart = true, widestOffset = std::max(widestOffset, i->Display - i->FunctionStart);
    if (i->HasRelLine) {
      absWidth = std::max(absWidth, std::to_string(i->Line).size());
      lineWidth = std::max(lineWidth, ("+" + std::to_string(i->RelLine)).size());
    } else if (i->Line > 0) {
      lineWidth = std::max(lineWidth, std::to_string(i->Line).size());
    }
  }
  const int offsetDigits = int(HexText(widestOffset, 1).size());
  std::string text;
  for (const TInternalStackItem* i : shown) {
    std::string line = HexText(i->Display, 8) + " ";
    if (r.ShowRelAddrs && anyStart)
      line += "+" + HexText(i->FunctionStart ? i->Display - i->FunctionStart : 0, offsetDigits) + " ";
    line += PadRight(i->ModuleName, moduleWidth + 1) + PadRight(i->UnitName, unitWidth + 1);
    if (absWidth) line += PadLeft(i->HasRelLine ? std::to_string(i->Line) : "", absWidth) + " ";
    if (lineWidth) {
      const std::string l = i->HasRelLine ? "+" + std::to_string(i->RelLine)
                            : i->Line > 0 ? std::to_string(i->Line)
                                          : std::string();
      line += PadLeft(l, lineWidth) + " ";
    }
    line += i->FunctionName;
    if (!text.empty()) text += "\r\n";
    text += line;

    TStackItem out;
    out.Address = i->Display;
    out.Offset = i->FunctionStart ? i->Display - i->FunctionStart : 0;
    out.ModuleName = i->ModuleName;
    out.UnitName = i->UnitName;
    out.Line = i->Line;
    out.RelLine = i->RelLine;
    out.FunctionName = i->FunctionName;
    result.Items.push_back(out);

    uint32_t crc = i->Display;
    if (i->FunctionStart && !i->ModuleName.empty() && !i->FunctionName.empty()) {
      crc = i->Display - i->FunctionStart;
      for (const std::string& s : {Lower(i->ModuleName), Lower(i->UnitName), Lower(i->FunctionName)})
        crc = Crc32Update(crc, s.data(), s.size());
    }
    if (result.Items.size() == 1) {
      result.Crc1 = result.Crc2 = crc;
    } else {
      const uint8_t bytes[4] = {uint8_t(crc), uint8_t(crc >> 8), uint8_t(crc >> 16), uint8_t(crc >> 24)};
      result.Crc2 = Crc32Update(result.Crc2, bytes, 4);
    }
    if (i->Line > 0) result.HasLineNumbers = true;
  }
  const auto marked = std::find_if(shown.begin(), shown.end(),
                                   [](const TInternalStackItem* i) { return i->FunctionStart && i->HasRelLine; });
  const auto started =
      std::find_if(shown.begin(), shown.end(), [](const TInternalStackItem* i) { return i->FunctionStart != 0; });
  const auto pick = marked != shown.end() ? marked : started;
  if (pick != shown.end()) result.FunctionStart = (*pick)->FunctionStart, result.FunctionAddress = (*pick)->Display;
  result.Text = text;
}

std::string StackItemLine(uint32_t address, bool showRelAddrs, bool showRelLines, const TMemorySnapshot& memory,
                          TTraceTables& tables, const IModuleDescriber* describer) {
  std::lock_guard<std::mutex> hold(tables.Lock);
  std::string line = HexText(address, 8);
  const int module = tables.ModuleFor(address, memory, describer);
  const IStackSymbols* symbols = module >= 0 ? tables.Module(module).Symbols.get() : nullptr;
  std::string name;
  uint32_t start = 0;
  if (!symbols || !symbols->PublicAt(address, name, start)) return line + (showRelAddrs ? " +0" : "") + " ???";
  if (showRelAddrs) line += " +" + HexText(address - start, 1);
  line += " " + tables.Module(module).FileName + " " + symbols->UnitAt(address) + " ";
  const int32_t number = symbols->LineAt(address);
  if (number > 0) line += std::to_string(number) + " ";
  if (showRelLines) {
    const int32_t startLine = symbols->LineAt(start);
    // Without a line of its own an address lies at the function's start line.
    line += startLine < 0 || number <= 0 ? "+0 " : "+" + std::to_string(number - startLine) + " ";
  }
  return line + name;
}

}  // namespace quor
