// A small antialiased painter for the reporter's icons: shapes are tested at
// 4 x 4 points per pixel, so their edges get partial opacity; layers are
// laid over each other with straight (not premultiplied) alpha.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace icons {

struct Rgb {
  uint8_t r, g, b;
};

struct Point {
  double x, y;
};

// A shape: true for the points (in pixel units, 0..size) it covers.
using Shape = std::function<bool(double x, double y)>;

Shape Rect(double x0, double y0, double x1, double y1);
Shape RoundRect(double x0, double y0, double x1, double y1, double radius);
Shape Circle(double cx, double cy, double r);
Shape Ring(double cx, double cy, double inner, double outer);
// Part of a ring, from `from` to `to` degrees (0 = right, counter-clockwise, y up).
Shape Arc(double cx, double cy, double inner, double outer, double from, double to);
Shape Polygon(std::vector<Point> points);
Shape Line(Point a, Point b, double width);  // a bar with round ends
Shape Minus(Shape a, Shape b);
Shape Union(Shape a, Shape b);

class Canvas {
public:
  explicit Canvas(int32_t size);
  // Lays the shape in `color` over what is there.
  void Fill(const Shape& shape, Rgb color);
  // The same with a colour running from `top` at y0 to `bottom` at y1.
  void FillGradient(const Shape& shape, Rgb top, Rgb bottom, double y0, double y1);
  int32_t Size() const { return size_; }
  // The raw resource: a 40-byte bitmap-information header (32 bits per
  // pixel, rows bottom-up) and the pixels as blue, green, red, opacity.
  std::string Resource() const;

private:
  struct Pixel {
    double r = 0, g = 0, b = 0, a = 0;
  };
  void Lay(int32_t x, int32_t y, double r, double g, double b, double a);
  int32_t size_;
  std::vector<Pixel> pixels_;
};

}  // namespace icons
