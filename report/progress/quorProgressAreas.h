// The plan of a progress display: a list of weighted areas (steps), the
// current one, the position inside it in thousandths, and the bar value that
// follows from them. Platform-free; not locked (the window's owner locks).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quor {

// The bar runs from 0 to kBarRange; positions inside an area are counted in
// the same thousandths.
inline constexpr int32_t kBarRange = 1000;

struct TProgressArea {
  uint64_t Start = 0;  // sum of the weights of all earlier areas
  uint64_t Weight = 0;
  std::string Text;
};

class TProgressAreas {
public:
  // An empty text repeats the previous area's text. A weight that would
  // carry the total past 64 bits is cut to what is left.
  void Add(const std::string& text, uint64_t weight);
  // Forgets every area; the current area, the total and the position start
  // again at 0.
  void Clear();

  // Ignored when `index` is the current one, negative, beyond one past the
  // last, or when there are no areas. One past the last completes the last
  // area (position 1000); any other index starts that area at position 0.
  void SetCurrent(int32_t index);
  void Next() { SetCurrent(current_ + 1); }
  [[nodiscard]] int32_t Current() const { return current_; }

  // Thousandths inside the current area, kept within 0..1000.
  void SetPosition(int32_t permille);
  [[nodiscard]] int32_t Position() const { return position_; }

  // ((start + weight x position / 1000) x 1000) / total of the current
  // area, in 0..1000. With a total of 0 the bar stays empty until the last
  // area is complete, then it is full.
  [[nodiscard]] int32_t BarValue() const;

  [[nodiscard]] const std::vector<TProgressArea>& Areas() const { return areas_; }
  [[nodiscard]] uint64_t Total() const { return total_; }
  // The current area's text (empty without areas).
  [[nodiscard]] std::string CurrentText() const;

private:
  std::vector<TProgressArea> areas_;
  uint64_t total_ = 0;
  int32_t current_ = 0;
  int32_t position_ = 0;
};

}  // namespace quor
