#include "report/progress/quorProgressAreas.h"

#include <algorithm>
#include <limits>

namespace quor {

namespace {

constexpr uint64_t kMaxTotal = std::numeric_limits<uint64_t>::max();

// weight x permille / 1000 without an overflowing product.
uint64_t PartOf(uint64_t weight, int32_t permille) {
  const auto p = static_cast<uint64_t>(permille);
  return weight / kBarRange * p + weight % kBarRange * p / kBarRange;
}

// done x 1000 div total for done <= total, exact for every 64-bit total:
// three decimal digits of long division, each ten times the remainder taken
// by adding, so that nothing overflows.
int32_t Thousandths(uint64_t done, uint64_t total) {
  if (done >= total) return kBarRange;
  int32_t value = 0;
  uint64_t rest = done;  // always below total
  for (int digit = 0; digit < 3; ++digit) {
    uint64_t next = 0;
    int32_t d = 0;
    for (int i = 0; i < 10; ++i) {
      if (next >= total - rest) {
        next -= total - rest;
        ++d;
      } else {
        next += rest;
      }
    }
    value = value * 10 + d;
    rest = next;
  }
  return value;
}

}  // namespace

void TProgressAreas::Add(const std::string& text, uint64_t weight) {
  weight = std::min(weight, kMaxTotal - total_);
  const std::string& shown = text.empty() && !areas_.empty() ? areas_.back().Text : text;
  areas_.push_back({total_, weight, shown});
  total_ += weight;
}

void TProgressAreas::Clear() {
  areas_.clear();
  total_ = 0;
  current_ = 0;
  position_ = 0;
}

void TProgressAreas::SetCurrent(int32_t index) {
  const auto count = static_cast<int32_t>(areas_.size());
  if (count == 0 || index == current_ || index < 0 || index > count) return;
  if (index == count) {
    current_ = count - 1;
    position_ = kBarRange;
  } else {
    current_ = index;
    position_ = 0;
  }
}

void TProgressAreas::SetPosition(int32_t permille) { position_ = std::clamp(permille, 0, kBarRange); }

int32_t TProgressAreas::BarValue() const {
  if (areas_.empty()) return 0;
  const TProgressArea& area = areas_[static_cast<size_t>(current_)];
  if (total_ == 0) {
    const bool lastComplete = current_ + 1 == static_cast<int32_t>(areas_.size()) && position_ == kBarRange;
    return lastComplete ? kBarRange : 0;
  }
  return Thousandths(area.Start + PartOf(area.Weight, position_), total_);
}

std::string TProgressAreas::CurrentText() const {
  return areas_.empty() ? std::string() : areas_[static_cast<size_t>(current_)].Text;
}

}  // namespace quor
