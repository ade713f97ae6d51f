// The module cache and the function table shared by all traces.
#include "report/stacktrace/quorStackTraceTables.h"

#include <algorithm>

namespace quor {

namespace {

// Lists start with room for 16 entries and double when full.
template <typename T>
void Reserve(std::vector<T>& list) {
  if (list.size() == list.capacity()) list.reserve(std::max<size_t>(16, list.capacity() * 2));
}

// The runtime's handler routines that the parser treats specially, when the
// module's symbols name them.
TSpecialRoutines SpecialRoutinesOf(const TTraceModule& module) {
  TSpecialRoutines r;
  if (!module.Symbols) return r;
  const IStackSymbols& s = *module.Symbols;
  (void)s.PublicAddress("System", "@HandleAnyException", r.HandleAnyException);
  (void)s.PublicAddress("System", "@Halt0", r.Halt0);
  (void)s.PublicAddress("System", "@HandleFinally", r.HandleFinally);
  (void)s.PublicAddress("System", "@HandleAutoException", r.HandleAutoException);
  (void)s.PublicAddress("System", "@HandleOnException", r.HandleOnException);
  return r;
}

}  // namespace

int TTraceTables::ModuleFor(uint32_t address, const TMemorySnapshot& memory, const IModuleDescriber* describer) {
  const TModuleImage* image = memory.ModuleOf(address);
  if (!image) return -1;
  const auto known = moduleByBase_.find(image->Base);
  if (known != moduleByBase_.end()) return known->second;
  TTraceModule m;
  m.Handle = image->Base;
  m.CodeBegin = image->CodeBegin, m.CodeEnd = image->CodeEnd;
  m.DataBegin = image->DataBegin, m.DataEnd = image->DataEnd;
  if (describer && !describer->Describe(*image, memory, m)) return -1;
  std::sort(m.Exports.begin(), m.Exports.end(),
            [](const TExportSymbol& a, const TExportSymbol& b) { return a.Address < b.Address; });
  Reserve(modules_);
  modules_.push_back(std::move(m));
  const int index = int(modules_.size()) - 1;
  moduleByBase_[image->Base] = index;
  return index;
}

int TTraceTables::FindFunction(uint32_t entry) const {
  const auto it = functionByEntry_.find(entry);
  return it == functionByEntry_.end() ? -1 : it->second;
}

void TTraceTables::ClearTraceFlags() {
  for (TTraceFunction& f : functions_) f.Reached = f.Rejected = false;
}

int TTraceTables::EnterFunction(uint32_t entry, const std::string& name, int module, bool reached,
                                const TMemorySnapshot& memory) {
  int first = FindFunction(entry);
  // Entering walks the direct callees with a work list: a deep or cyclic
  // call graph costs one visit per function, never recursion.
  std::vector<int> work;
  if (first < 0) {
    if (functions_.size() >= kMaxFunctions) return -1;
    Reserve(functions_);
    TTraceFunction f;
    f.Module = module;
    f.Name = name;
    const TSpecialRoutines special = module >= 0 ? SpecialRoutinesOf(modules_[size_t(module)]) : TSpecialRoutines{};
    f.Info = ParseFunction(entry, &memory, &special);
    f.Reached = reached;
    functions_.push_back(std::move(f));
    first = int(functions_.size()) - 1;
    functionByEntry_[entry] = first;
    work.push_back(first);
  } else {
    // entered before as a callee, without a name
    TTraceFunction& known = functions_[size_t(first)];
    if (known.Name.empty()) known.Name = name;
    if (known.Module < 0) known.Module = module;
    if (reached && !known.Reached) {
      known.Reached = true;
      work.push_back(first);
    }
  }
  while (!work.empty()) {
    const int index = work.back();
    work.pop_back();
    std::vector<uint32_t> callees;
    for (const TFarCall& c : functions_[size_t(index)].Info.FarCalls)
      if (c.IsCall && c.Resolved) callees.push_back(c.Target);
    for (uint32_t target : callees) {
      int callee = FindFunction(target);
      if (callee < 0) {
        if (functions_.size() >= kMaxFunctions || !memory.ModuleOf(target)) continue;
        Reserve(functions_);
        TTraceFunction f;
        f.Module = module >= 0 && memory.ModuleOf(target) == memory.ModuleOf(entry) ? module : -1;
        f.Info = ParseFunction(target, &memory);
        f.Reached = reached;
        functions_.push_back(std::move(f));
        callee = int(functions_.size()) - 1;
        functionByEntry_[target] = callee;
        work.push_back(callee);
      } else if (reached && !functions_[size_t(callee)].Reached) {
        functions_[size_t(callee)].Reached = true;
        work.push_back(callee);
      }
    }
  }
  return first;
}

TTraceTables& ProcessTraceTables() {
  static TTraceTables tables;
  return tables;
}

}  // namespace quor
