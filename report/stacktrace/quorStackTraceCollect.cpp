// Collecting the candidates: every stack value that may be a return address,
// with its module, its function and the call of that function it follows.
#include <algorithm>
#include <iterator>

#include "report/stacktrace/quorStackTraceItems.h"

namespace quor {

namespace {

// The raise entries of the runtimes: the original runtime's, and the C++
// throw (and the throw capture that wraps it, --wrap=__cxa_throw).
constexpr const char* kRaiseEntries[] = {"@RaiseExcept", "Error", "__cxa_throw", "__wrap___cxa_throw"};

const TCodeArea* AreaHolding(const TFunctionInfo& info, uint32_t a) {
  for (const TCodeArea& area : info.CodeAreas)
    if (!area.CaseTable && !area.ExceptTable && a >= area.Begin && a <= area.End) return &area;
  return nullptr;
}

struct Collector {
  TTraceRun& run;

  // The function of value (its table index): the public symbol holding
  // value - 1, or without symbols the nearest export or entry point below it
  // when value lies in that function's code. -1: none.
  int FunctionOf(int module, uint32_t value, bool sure, std::string* publicName, uint32_t* publicStart) {
    if (module < 0) return -1;
    const TTraceModule& m = run.Tables.Module(module);
    std::string name;
    uint32_t start = 0;
    if (m.Symbols) {
      if (!m.Symbols->PublicAt(value - 1, name, start)) return -1;
      if (publicName) *publicName = name, *publicStart = start;
      return run.Tables.EnterFunction(start, name, module, sure, run.Memory);
    }
    if (m.IsExecutable) return -1;
    const auto it = std::upper_bound(m.Exports.begin(), m.Exports.end(), value - 1,
                                     [](uint32_t a, const TExportSymbol& e) { return a < e.Address; });
    if (it != m.Exports.begin()) start = std::prev(it)->Address, name = std::prev(it)->Name;
    if (m.EntryPoint && m.EntryPoint < value && m.EntryPoint > start) start = m.EntryPoint, name = "EntryPoint";
    if (!start) return -1;
    const int f = run.Tables.EnterFunction(start, name, module, sure, run.Memory);
    if (f < 0 || !AreaHolding(run.Tables.Function(f).Info, value - 1)) return -1;
    return f;
  }

  // A language exception's address is the return address of the call that
  // raised it; that call may be the last instruction of its function (a
  // throw in a function that never returns), and the address then already
  // belongs to the next function. The item takes the raising function.
  bool RaisedBy(TInternalStackItem& item, int& function, TLinkMatch& match) {
    const uint32_t current = item.Display;
    const int module = run.ModuleFor(current - 1);
    const int raiser = FunctionOf(module, current, item.Sure, nullptr, nullptr);
    if (raiser < 0 || !run.RaiseLink(raiser, match)) return false;
    item.Value = current, item.Module = module, function = raiser;
    return true;
  }

  void Add(uint32_t value, bool sure, bool forced, bool isCurrent) {
    TInternalStackItem item;
    item.Display = value;
    item.Forced = forced;
    item.Sure = sure || forced;
    item.IsCurrent = isCurrent;
    bool unreadable = false;
    if (forced) {
      const InstructionInfo i = DecodeInstruction(value, &run.Memory);
      if (i.Valid)
        value = i.Next;
      else
        unreadable = !run.Memory.IsReadable(value);
    } else {
      if (!FollowsCall(value, run.Memory) || !run.Memory.IsCommitted(value - 1)) return;
      const TModuleImage* image = run.Memory.ModuleOf(value - 1);
      if (image) {
        const bool code = value >= image->CodeBegin && value < image->CodeEnd;
        const bool data = value >= image->DataBegin && value < image->DataEnd;
        if (!code && !data) return;
      }
    }
    item.Value = value;
    item.Module = run.ModuleFor(forced ? item.Display : value - 1);
    const bool languageCurrent = run.LanguageCurrent(item);
    std::string publicName;
    uint32_t publicStart = 0;
    TLinkMatch match;
    int function = -1;
    bool linked = languageCurrent && RaisedBy(item, function, match);
    if (linked) value = item.Value;
    if (!linked) function = FunctionOf(item.Module, value, item.Sure, &publicName, &publicStart);
    if (!linked) linked = function >= 0 && run.LinkTest(function, value, forced, languageCurrent, match);
    if (function >= 0 && !linked && !publicName.empty()) {
      // Code of the public that the parser did not reach from its entry:
      // the function's jumps out of its range that stay inside the public.
      const std::vector<TFarCall> calls = run.Tables.Function(function).Info.FarCalls;
      const uint32_t codeBegin = run.Tables.Function(function).Info.CodeBegin;
      for (const TFarCall& c : calls) {
        if (!c.Resolved || c.Target <= codeBegin) continue;
        std::string owner;
        uint32_t ownerStart = 0;
        const TTraceModule& m = run.Tables.Module(item.Module);
        if (!m.Symbols->PublicAt(c.Target, owner, ownerStart) || ownerStart != publicStart) continue;
        const int part = run.Tables.EnterFunction(c.Target, publicName + ".@label", item.Module, item.Sure, run.Memory);
        if (part >= 0 && run.LinkTest(part, value, forced, languageCurrent, match)) {
          function = part, linked = true;
          break;
        }
      }
    }
    if (forced && !linked && unreadable) {
      // A jump into nowhere: a function without code keeps the item shown.
      value = item.Display;
      item.Value = value;
      function = run.Tables.EnterFunction(value, "", item.Module, false, run.Memory);
      linked = function >= 0 && run.LinkTest(function, value, true, false, match);
    }
    if (linked) {
      item.Down.push_back({-1, function, match.CallAddr, match.Indirect, match.Target});
      if (forced && match.Display) item.Display = match.Display;
    }
    run.Items.push_back(std::move(item));
  }
};

}  // namespace

bool TTraceRun::LinkTest(int function, uint32_t value, bool forced, bool currentOfLanguageException,
                         TLinkMatch& match) const {
  const TTraceFunction& f = Tables.Function(function);
  if (f.Rejected) return false;
  match = TLinkMatch{};
  if (!forced) {
    for (const TUnknownTarget& u : f.Info.UnknownTargets)
      if (u.NextAddr == value) {
        match.CallAddr = u.CodeAddr, match.Indirect = true;
        return true;
      }
    for (const TFarCall& c : f.Info.FarCalls)
      if (c.IsCall && c.NextAddr == value) {
        match.CallAddr = c.CodeAddr, match.Target = c.Target;
        return true;
      }
    return false;
  }
  if (!f.Info.IsValid) return value == f.Info.EntryPoint;
  if (currentOfLanguageException && RaiseLink(function, match)) return true;
  const TCodeArea* area = AreaHolding(f.Info, value - 1);
  if (!area) return false;
  for (uint32_t a = area->Begin; a < value;) {
    const InstructionInfo i = DecodeInstruction(a, &Memory);
    if (!i.Valid) return false;
    if (i.Next == value) {
      match.CallAddr = i.This, match.Display = i.This;
      return true;
    }
    a = i.Next;
  }
  return false;
}

bool TTraceRun::RaiseLink(int function, TLinkMatch& match) const {
  const TTraceFunction& f = Tables.Function(function);
  if (f.Rejected || !f.Info.IsValid) return false;
  for (const TFarCall& c : f.Info.FarCalls) {
    if (!c.IsCall || c.NextAddr != Req.Current) continue;
    const int target = Tables.FindFunction(c.Target);
    std::string name = target >= 0 ? Tables.Function(target).Name : std::string();
    uint32_t start = 0;
    // A callee entered with its caller has no name yet: its public's.
    const IStackSymbols* symbols = f.Module >= 0 ? Tables.Module(f.Module).Symbols.get() : nullptr;
    if (name.empty() && symbols && (!symbols->PublicAt(c.Target, name, start) || start != c.Target)) name.clear();
    if (std::any_of(std::begin(kRaiseEntries), std::end(kRaiseEntries),
                    [&](const char* entry) { return name.find(entry) != std::string::npos; })) {
      match.CallAddr = c.CodeAddr, match.Target = c.Target;
      return true;
    }
  }
  return false;
}

void CollectPossibleStackItems(TTraceRun& run) {
  const TTraceRequest& r = run.Req;
  Collector c{run};
  if (r.Creator) {
    c.Add(r.Creator, true, true, false);
    if (!run.Items.empty()) run.CreatorItem = 0;
  }
  bool endedAtCurrent = false;
  if (r.Prepared) {
    for (const TPreStackItem& p : *r.Prepared) {
      if (run.Aborted()) return;
      c.Add(p.Address, p.Sure != 0, false, false);
    }
  } else {
    const uint32_t bottom = r.StackBottom & ~3u;
    std::vector<uint32_t> words;
    if (ReadStackWords(bottom, r.StackTop, run.Memory, words)) {
      const std::vector<uint32_t> slots = FrameSlots(r.FramePointer, bottom, r.StackTop, run.Memory);
      for (size_t k = words.size(); k-- > 0;) {
        if (run.Aborted()) return;
        const uint32_t slot = bottom + uint32_t(k) * 4, value = words[k];
        if (r.IsException && value == r.Current) {
          c.Add(value, true, true, true);
          endedAtCurrent = true;
          break;
        }
        const bool sure = IsFrameSlot(slots, slot);
        c.Add(value, sure, false, false);
        if (sure && k > 0) --k;
      }
    }
  }
  if (!r.LeaveOutCurrent && !endedAtCurrent && r.Current) c.Add(r.Current, true, true, true);
  run.Progress(25);
}

}  // namespace quor
