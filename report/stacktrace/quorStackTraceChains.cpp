// Between two sure points (values from the frame chain, the current and the
// creator address) the candidates form a graph of possible calls; the chain
// with the best score survives and every other candidate there is dropped.
#include <algorithm>

#include "report/stacktrace/quorStackTraceItems.h"

namespace quor {

namespace {

constexpr uint64_t kHigh = 1ull << 32;
constexpr uint64_t kStart = 0x10000000ull * kHigh;
constexpr uint64_t kEndWithFunction = 0x70000000ull * kHigh;
constexpr uint64_t kEndWithout = 0x50000000ull * kHigh;
constexpr uint64_t kAllFunctionsBit = 1ull << (32 + 29);  // every link towards the end has a function

// Scores compare with the high half signed and the low half unsigned, which
// is the order of the value as a signed 64-bit number.
bool Better(uint64_t a, uint64_t b) { return int64_t(a) > int64_t(b); }

// Scores of the chains from `start` towards `end` (exclusive; end may be one
// past either end of the list) along one link direction. The state of an
// item is whether every link from the chain's start up to it has a function.
struct ChainScorer {
  TTraceRun& run;
  int start, end;
  bool down;  // towards newer items
  std::vector<uint64_t> score[2];
  std::vector<int> chosen[2];

  const std::vector<TItemLink>& Links(int k) const {
    return down ? run.Items[size_t(k)].Down : run.Items[size_t(k)].Up;
  }
  bool Between(int k) const { return down ? (k > start && k < end) : (k < start && k > end); }
  size_t Slot(int k) const { return size_t(down ? k - start : start - k); }

  bool HasLine(const TInternalStackItem& item) const {
    const TTraceModule& m = run.Tables.Module(item.Module);
    return m.Symbols && m.Symbols->LineAt(item.Value - 1) > 0;
  }

  uint64_t LinkScore(int k, const TItemLink& l, bool allSoFar) const {
    const bool hasFunction = l.Function >= 0;
    uint64_t rest =
        l.Item == end ? (hasFunction ? kEndWithFunction : kEndWithout) : score[allSoFar && hasFunction][Slot(l.Item)];
    int w = 0;
    if (hasFunction) {
      w = 14;
      if ((allSoFar && hasFunction) || (rest & kAllFunctionsBit)) w += 14;
      if (run.Tables.Function(l.Function).Reached) w += 14;
    } else {
      rest &= ~kAllFunctionsBit;
    }
    const TInternalStackItem& item = run.Items[size_t(k)];
    const bool linkedKnown = l.Item >= 0 && size_t(l.Item) < run.Items.size();
    if (item.Module >= 0 && linkedKnown && run.Items[size_t(l.Item)].Module >= 0 &&
        run.Tables.Module(item.Module).Symbols) {
      w += 3;
      if (HasLine(item)) {
        w += 3;
        const TInternalStackItem& other = run.Items[size_t(l.Item)];
        if (run.Tables.Module(other.Module).Symbols && HasLine(other)) w += 3;
      }
    }
    return rest + (1ull << w);
  }

  bool Usable(const TItemLink& l) const {
    return l.Item >= 0 && (l.Item == end || (Between(l.Item) && !run.Items[size_t(l.Item)].Invalid));
  }

  // Fills the scores from the end side back to the start: every link leads
  // towards the end, so its rest is known when its item is scored.
  void Run() {
    const size_t count = size_t(std::abs(end - start));
    for (int s = 0; s < 2; ++s) score[s].assign(count, kStart), chosen[s].assign(count, -1);
    for (size_t slot = count; slot-- > 0;) {
      const int k = down ? start + int(slot) : start - int(slot);
      for (int s = 0; s < 2; ++s) {
        const std::vector<TItemLink>& links = Links(k);
        for (size_t li = 0; li < links.size(); ++li) {
          if (!Usable(links[li])) continue;
          const uint64_t v = LinkScore(k, links[li], s != 0);
          if (chosen[s][slot] < 0 || Better(v, score[s][slot])) score[s][slot] = v, chosen[s][slot] = int(li);
        }
      }
    }
  }

  uint64_t Score() const { return score[1][0]; }

  // The items of the best chain from start; true when it reaches end.
  bool Follow(std::vector<int>& items) const {
    int k = start;
    bool all = true;
    for (;;) {
      const int li = chosen[all][Slot(k)];
      if (li < 0) return false;
      const TItemLink& l = Links(k)[size_t(li)];
      (down ? run.Items[size_t(k)].ChosenDown : run.Items[size_t(k)].ChosenUp) = li;
      all = all && l.Function >= 0;
      if (l.Item == end) return true;
      items.push_back(l.Item);
      k = l.Item;
    }
  }
};

void Keep(TTraceRun& run, int from, int to, const std::vector<int>& chain) {
  for (int k = from; k < to; ++k) run.Items[size_t(k)].Invalid = true;
  for (int k : chain) run.Items[size_t(k)].Invalid = false;
}

}  // namespace

void RealizeOptimalLinkChains(TTraceRun& run) {
  std::vector<int> sure;
  for (size_t i = 0; i < run.Items.size(); ++i)
    if (run.Items[i].Sure && !run.Items[i].Invalid) sure.push_back(int(i));
  const int count = int(run.Items.size());
  for (size_t s = sure.size(); s-- > 0;) {
    if (run.Aborted()) return;
    const int older = sure[s], newer = s + 1 < sure.size() ? sure[s + 1] : count;
    run.Progress(650 + int(350ll * (count - older) / std::max(count, 1)));
    if (newer - older < 2) continue;
    ChainScorer fromOlder{run, older, newer, true, {}, {}};
    fromOlder.Run();
    std::vector<int> chain;
    if (fromOlder.Follow(chain) || newer == count) {
      Keep(run, older + 1, newer, chain);
      continue;
    }
    ChainScorer fromNewer{run, newer, older, false, {}, {}};
    fromNewer.Run();
    std::vector<int> back;
    fromNewer.Follow(back);
    Keep(run, older + 1, newer, Better(fromOlder.Score(), fromNewer.Score()) ? chain : back);
  }
  if (!sure.empty() && sure.front() > 0) {
    ChainScorer toOldest{run, sure.front(), -1, false, {}, {}};
    toOldest.Run();
    std::vector<int> chain;
    toOldest.Follow(chain);
    Keep(run, 0, sure.front(), chain);
  }
}

}  // namespace quor
