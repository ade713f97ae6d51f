#include "report/screenshot/quorWuQuantizer.h"

#include <vector>

namespace quor {

namespace {

// The histogram counts colours by the top 5 bits of each component; index 0
// of every axis stays zero so that the cumulative moments need no special
// case at a box's lower edge.
constexpr uint32_t kComponentShift = 3;
constexpr int kSide = 33;
constexpr int kCells = kSide * kSide * kSide;
constexpr int kLastCell = kSide - 1;

// Moments of the pixels in one histogram cell, later of the whole box from
// the origin to that cell.
struct TMoments {
  int64_t weight = 0;
  int64_t red = 0, green = 0, blue = 0;
  double squares = 0;  // sum of r*r + g*g + b*b

  void Add(const TMoments& m) {
    weight += m.weight, red += m.red, green += m.green, blue += m.blue, squares += m.squares;
  }
  void Subtract(const TMoments& m) {
    weight -= m.weight, red -= m.red, green -= m.green, blue -= m.blue, squares -= m.squares;
  }
  double Distance() const {
    return double(red) * double(red) + double(green) * double(green) + double(blue) * double(blue);
  }
};

constexpr int Cell(int r, int g, int b) { return (r * kSide + g) * kSide + b; }

enum Axis { kRed, kGreen, kBlue, kAxes };

// A box of the cube: lower bounds exclusive, upper bounds inclusive.
struct TBox {
  int lo[kAxes] = {0, 0, 0};
  int hi[kAxes] = {kLastCell, kLastCell, kLastCell};

  int Volume() const { return (hi[kRed] - lo[kRed]) * (hi[kGreen] - lo[kGreen]) * (hi[kBlue] - lo[kBlue]); }
};

class TWuCube {
public:
  explicit TWuCube(const NVPixelView& pixels) : moments_(kCells) {
    Histogram(pixels);
    Accumulate();
  }

  // The moments of the pixels inside the box.
  TMoments Sum(const TBox& box) const {
    TMoments m = At(box.hi[kRed], box.hi[kGreen], box.hi[kBlue]);
    m.Subtract(At(box.hi[kRed], box.hi[kGreen], box.lo[kBlue]));
    m.Subtract(At(box.hi[kRed], box.lo[kGreen], box.hi[kBlue]));
    m.Add(At(box.hi[kRed], box.lo[kGreen], box.lo[kBlue]));
    m.Subtract(At(box.lo[kRed], box.hi[kGreen], box.hi[kBlue]));
    m.Add(At(box.lo[kRed], box.hi[kGreen], box.lo[kBlue]));
    m.Add(At(box.lo[kRed], box.lo[kGreen], box.hi[kBlue]));
    m.Subtract(At(box.lo[kRed], box.lo[kGreen], box.lo[kBlue]));
    return m;
  }

  // The sum of squared distances of the box's pixels from their mean.
  double Variance(const TBox& box) const {
    const TMoments m = Sum(box);
    return m.weight == 0 ? 0 : m.squares - m.Distance() / double(m.weight);
  }

  // Cuts `box` where the two halves have the largest between-box variance,
  // leaving the lower half in `box` and the upper in `upper`. False when no
  // cut leaves pixels on both sides.
  bool Cut(TBox& box, TBox& upper) const {
    const TMoments whole = Sum(box);
    double best = 0;
    int bestAxis = -1, bestCut = 0;
    for (int axis = kRed; axis < kAxes; ++axis) {
      TBox lower = box;
      for (int cut = box.lo[axis] + 1; cut < box.hi[axis]; ++cut) {
        lower.hi[axis] = cut;
        const TMoments low = Sum(lower);
        if (low.weight == 0) continue;  // never cut off an empty half
        TMoments high = whole;
        high.Subtract(low);
        if (high.weight == 0) continue;
        const double between = low.Distance() / double(low.weight) + high.Distance() / double(high.weight);
        if (between > best) best = between, bestAxis = axis, bestCut = cut;
      }
    }
    if (bestAxis < 0) return false;
    upper = box;
    upper.lo[bestAxis] = bestCut;
    box.hi[bestAxis] = bestCut;
    return true;
  }

private:
  const TMoments& At(int r, int g, int b) const { return moments_[Cell(r, g, b)]; }

  void Histogram(const NVPixelView& pixels) {
    const size_t count = size_t(pixels.width) * pixels.height;
    const uint8_t* p = pixels.bits;
    // Screenshots are mostly runs of one colour: a run is added at once.
    size_t run = 0;
    uint32_t runColor = 0;
    for (size_t i = 0; i < count; ++i, p += kNVBytesPerPixel) {
      const uint32_t color = uint32_t(p[kNVRed]) << 16 | uint32_t(p[kNVGreen]) << 8 | p[kNVBlue];
      if (run != 0 && color == runColor) {
        ++run;
        continue;
      }
      AddRun(runColor, run);
      runColor = color, run = 1;
    }
    AddRun(runColor, run);
  }

  void AddRun(uint32_t color, size_t run) {
    if (run == 0) return;
    const int64_t r = color >> 16, g = (color >> 8) & 0xFF, b = color & 0xFF, n = int64_t(run);
    TMoments& m =
        moments_[Cell(int(r >> kComponentShift) + 1, int(g >> kComponentShift) + 1, int(b >> kComponentShift) + 1)];
    m.weight += n;
    m.red += r * n, m.green += g * n, m.blue += b * n;
    m.squares += double(r * r + g * g + b * b) * double(n);
  }

  // Turns cell moments into moments of the box from the origin to each cell.
  void Accumulate() {
    for (int r = 1; r < kSide; ++r) {
      TMoments area[kSide];
      for (int g = 1; g < kSide; ++g) {
        TMoments line;
        for (int b = 1; b < kSide; ++b) {
          TMoments& m = moments_[Cell(r, g, b)];
          line.Add(m);
          area[b].Add(line);
          m = moments_[Cell(r - 1, g, b)];
          m.Add(area[b]);
        }
      }
    }
  }

  std::vector<TMoments> moments_;
};

TRgb MeanColor(const TMoments& m) {
  if (m.weight == 0) return {};  // only the whole cube of a picture without pixels
  return {uint8_t(m.red / m.weight), uint8_t(m.green / m.weight), uint8_t(m.blue / m.weight)};
}

}  // namespace

TWuPalette WuPalette(const NVPixelView& pixels) {
  const TWuCube cube(pixels);
  std::vector<TBox> boxes(1);
  // The variance of each box; 0 for a box that is not to be cut again.
  std::vector<double> variance(1, 0);
  const auto varianceOf = [&](const TBox& box) { return box.Volume() > 1 ? cube.Variance(box) : 0; };
  variance[0] = varianceOf(boxes[0]);
  size_t next = 0;
  while (boxes.size() < kMaxPaletteColors) {
    TBox upper;
    if (cube.Cut(boxes[next], upper)) {
      boxes.push_back(upper);
      variance[next] = varianceOf(boxes[next]);
      variance.push_back(varianceOf(upper));
    } else {
      variance[next] = 0;
    }
    next = 0;
    for (size_t k = 1; k < boxes.size(); ++k)
      if (variance[k] > variance[next]) next = k;
    if (variance[next] <= 0) break;
  }
  TWuPalette palette;
  palette.count = cube.Sum(boxes[0]).weight == 0 ? 0 : uint32_t(boxes.size());
  for (uint32_t i = 0; i < palette.count; ++i) palette.colors[i] = MeanColor(cube.Sum(boxes[i]));
  return palette;
}

}  // namespace quor
