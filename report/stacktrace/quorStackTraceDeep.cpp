// The deep checks: each candidate is tested against the functions known to
// be on the call path, and its call is linked to the newer candidates that
// the called function can have returned to.
#include <algorithm>

#include "report/stacktrace/quorStackTraceItems.h"

namespace quor {

namespace {

struct TItemCall {
  uint32_t CallAddr = 0, Target = 0;
  int Function = -1;
  bool FoundBackwards = false;
};

struct DeepChecker {
  TTraceRun& run;

  bool Reached(int function) const { return function >= 0 && run.Tables.Function(function).Reached; }

  void DeleteRejectedLinks() {
    for (TInternalStackItem& item : run.Items)
      for (std::vector<TItemLink>* list : {&item.Down, &item.Up})
        list->erase(std::remove_if(list->begin(), list->end(),
                                   [&](const TItemLink& l) {
                                     return l.Function >= 0 && run.Tables.Function(l.Function).Rejected;
                                   }),
                    list->end());
  }

  const TItemLink* ReachedLink(const TInternalStackItem& item) const {
    for (const std::vector<TItemLink>* list : {&item.Down, &item.Up})
      for (const TItemLink& l : *list)
        if (Reached(l.Function)) return &l;
    return nullptr;
  }

  // The calls that end at value, found by decoding from 7 to 2 bytes before.
  std::vector<TItemCall> CallsBefore(uint32_t value) const {
    std::vector<TItemCall> calls;
    const TMemoryRange* range = run.Memory.Find(value - 1);
    if (!range || value < 7) return calls;
    for (uint32_t start = std::max(value - 7, range->Begin); start <= value - 2; ++start) {
      const InstructionInfo i = DecodeInstruction(start, &run.Memory);
      if (i.Valid && i.IsCall && i.Next == value) calls.push_back({i.This, i.Target, -1, true});
    }
    return calls;
  }

  // The newer valid items an item's call may lead to: up to and including
  // the next sure item.
  template <typename Visit>
  void NewerUpToSure(size_t i, Visit visit) {
    for (size_t k = i + 1; k < run.Items.size(); ++k) {
      if (run.Items[k].Invalid) continue;
      visit(k);
      if (run.Items[k].Sure) break;
    }
  }

  void LinkKnown(size_t i, const TItemCall& call, bool reached) {
    const int target = run.Tables.EnterFunction(call.Target, "", -1, reached, run.Memory);
    if (target < 0) return;
    NewerUpToSure(i, [&](size_t k) {
      TLinkMatch m;
      if (!run.LinkTest(target, run.Items[k].Value, run.Items[k].Forced, run.LanguageCurrent(run.Items[k]), m)) return;
      run.Items[i].Down.push_back({int(k), call.Function, call.CallAddr, false, call.Target});
      run.Items[k].Up.push_back({int(i), target, m.CallAddr, m.Indirect, m.Target});
    });
    if (!run.Tables.Function(target).Info.UnknownTargets.empty()) LinkUnknown(i, call);
  }

  void LinkUnknown(size_t i, const TItemCall& call) {
    for (const std::vector<TItemLink>* list : {&run.Items[i].Down, &run.Items[i].Up})
      for (const TItemLink& l : *list)
        if (l.Function < 0) return;
    NewerUpToSure(i, [&](size_t k) {
      if (call.FoundBackwards)
        for (const TItemLink& l : run.Items[k].Up)
          if (l.Item >= 0 && Reached(l.Function) && l.CallAddr != call.CallAddr) return;
      run.Items[i].Down.push_back({int(k), call.Function, call.CallAddr, true, 0});
      run.Items[k].Up.push_back({int(i), -1, 0, true, 0});
    });
  }

  void Check(size_t i) {
    TInternalStackItem& item = run.Items[i];
    std::vector<TItemCall> calls;
    if (const TItemLink* standing = ReachedLink(item)) {
      const TItemLink keep = *standing;
      bool rejected = false;
      for (const std::vector<TItemLink>* list : {&item.Down, &item.Up})
        for (const TItemLink& l : *list)
          if (l.Function >= 0 && l.Function != keep.Function && l.Target != keep.Target &&
              !run.Tables.Function(l.Function).Rejected) {
            run.Tables.Function(l.Function).Rejected = true;
            rejected = true;
          }
      if (rejected) DeleteRejectedLinks();
      calls.push_back({keep.CallAddr, keep.Target, keep.Function, false});
    } else {
      bool contained = false;
      for (size_t f = 0; f < run.Tables.FunctionCount() && !contained; ++f) {
        const TTraceFunction& fn = run.Tables.Function(int(f));
        const TFunctionInfo& info = fn.Info;
        if (!fn.Reached || !info.IsValid || item.Value - 1 < info.CodeBegin ||
            item.Value - 1 - info.CodeBegin >= info.CodeLen)
          continue;
        if (!std::any_of(info.CodeAreas.begin(), info.CodeAreas.end(), [&](const TCodeArea& a) {
              return !a.CaseTable && !a.ExceptTable && item.Value - 1 >= a.Begin && item.Value - 1 <= a.End;
            }))
          continue;
        contained = true;
        TLinkMatch m;
        if (run.LinkTest(int(f), item.Value, item.Forced, run.LanguageCurrent(item), m)) {
          item.Down.push_back({-1, int(f), m.CallAddr, m.Indirect, m.Target});
          calls.push_back({m.CallAddr, m.Target, int(f), false});
        } else if (!item.Sure) {
          item.Invalid = true;
          item.Down.clear();
          item.Up.clear();
          return;
        }
      }
      if (!contained) {
        for (const std::vector<TItemLink>* list : {&item.Down, &item.Up})
          for (const TItemLink& l : *list)
            if (l.Function >= 0) calls.push_back({l.CallAddr, l.Target, l.Function, false});
        for (const TItemCall& c : CallsBefore(item.Value))
          if (std::none_of(calls.begin(), calls.end(), [&](const TItemCall& o) { return o.CallAddr == c.CallAddr; }))
            calls.push_back(c);
      }
    }
    const TItemLink* own = ReachedLink(run.Items[i]);
    for (const TItemCall& call : calls) {
      if (call.Target)
        LinkKnown(i, call, own != nullptr);
      else
        LinkUnknown(i, call);
    }
  }
};

}  // namespace

void InDeepChecks(TTraceRun& run) {
  DeepChecker d{run};
  const size_t count = run.Items.size();
  for (size_t i = 0; i < count; ++i) {
    if (run.Aborted()) return;
    run.Progress(25 + int(625 * i / std::max<size_t>(count, 1)));
    if (run.Items[i].Invalid || int(i) == run.CreatorItem) continue;
    d.Check(i);
  }
}

}  // namespace quor
