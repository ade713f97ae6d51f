// Recursion removal: a block of calls that repeats the block right below it
// on the stack is a deeper copy of the same recursion; only one copy stays.
#include <unordered_map>

#include "report/stacktrace/quorStackTraceItems.h"

namespace quor {

namespace {

// One pass; true when it removed a copy. Positions are over the valid items
// (oldest first); after a removal the pass goes on below the older copy,
// whose surroundings the removal did not touch.
bool RemovePass(TTraceRun& run, bool deleteLinks) {
  std::vector<int> valid;
  for (size_t i = 0; i < run.Items.size(); ++i)
    if (!run.Items[i].Invalid) valid.push_back(int(i));
  // nearest older valid position with the same value
  std::vector<int> previous(valid.size(), -1);
  std::unordered_map<uint32_t, int> last;
  for (size_t p = 0; p < valid.size(); ++p) {
    const uint32_t v = run.Items[size_t(valid[p])].Value;
    const auto it = last.find(v);
    if (it != last.end()) previous[p] = it->second;
    last[v] = int(p);
  }
  const auto value = [&](int p) { return run.Items[size_t(valid[size_t(p)])].Value; };
  bool changed = false;
  for (int p = int(valid.size()) - 1; p >= 1; --p) {
    const int q = previous[size_t(p)];
    if (q < 0) continue;
    const int j = p - q - 1;
    if (q < j) continue;
    bool same = true;
    for (int k = 0; k < j && same; ++k) same = value(q - j + k) == value(q + 1 + k);
    if (!same) continue;
    for (int k = q + 1; k <= p; ++k) {
      TInternalStackItem& item = run.Items[size_t(valid[size_t(k)])];
      item.Sure = false;
      item.Invalid = true;
      // Before the deep checks no link points to another item yet, so
      // clearing the item's own links deletes all of them.
      if (deleteLinks) item.Down.clear(), item.Up.clear();
    }
    changed = true;
    p = q + 1;  // the loop's decrement continues at q
  }
  return changed;
}

}  // namespace

void RemoveRecursion(TTraceRun& run, bool deleteLinks) {
  while (!run.Aborted() && RemovePass(run, deleteLinks)) {
  }
}

}  // namespace quor
