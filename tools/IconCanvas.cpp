#include "tools/IconCanvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace icons {
namespace {

constexpr int32_t kSamples = 4;  // per pixel and direction
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint16_t kBitsPerPixel = 32;

void Put16(std::string& out, uint32_t v) {
  out += char(v & 0xFF);
  out += char((v >> 8) & 0xFF);
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

Shape Rect(double x0, double y0, double x1, double y1) {
  return [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}

Shape RoundRect(double x0, double y0, double x1, double y1, double radius) {
  return [=](double x, double y) {
    if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
    const double dx = std::max({x0 + radius - x, 0.0, x - (x1 - radius)});
    const double dy = std::max({y0 + radius - y, 0.0, y - (y1 - radius)});
    return dx * dx + dy * dy <= radius * radius;
  };
}

Shape Circle(double cx, double cy, double r) {
  return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Shape Ring(double cx, double cy, double inner, double outer) {
  return Minus(Circle(cx, cy, outer), Circle(cx, cy, inner));
}

Shape Arc(double cx, double cy, double inner, double outer, double from, double to) {
  const Shape ring = Ring(cx, cy, inner, outer);
  return [=](double x, double y) {
    if (!ring(x, y)) return false;
    double angle = std::atan2(cy - y, x - cx) * 180.0 / std::numbers::pi;
    while (angle < from) angle += 360.0;
    return angle <= to;
  };
}

Shape Polygon(std::vector<Point> points) {
  return [points = std::move(points)](double x, double y) {
    bool inside = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const Point a = points[i], b = points[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
  };
}

Shape Line(Point a, Point b, double width) {
  return [=](double x, double y) {
    const double vx = b.x - a.x, vy = b.y - a.y;
    const double length2 = vx * vx + vy * vy;
    double t = length2 > 0 ? ((x - a.x) * vx + (y - a.y) * vy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double dx = x - (a.x + t * vx), dy = y - (a.y + t * vy);
    return dx * dx + dy * dy <= width * width / 4;
  };
}

Shape Minus(Shape a, Shape b) {
  return [=](double x, double y) { return a(x, y) && !b(x, y); };
}

Shape Union(Shape a, Shape b) {
  return [=](double x, double y) { return a(x, y) || b(x, y); };
}

Canvas::Canvas(int32_t size) : size_(size), pixels_(size_t(size) * size_t(size)) {}

void Canvas::Fill(const Shape& shape, Rgb color) { FillGradient(shape, color, color, 0, 1); }

void Canvas::FillGradient(const Shape& shape, Rgb top, Rgb bottom, double y0, double y1) {
  for (int32_t y = 0; y < size_; ++y)
    for (int32_t x = 0; x < size_; ++x) {
      int32_t hits = 0;
      for (int32_t sy = 0; sy < kSamples; ++sy)
        for (int32_t sx = 0; sx < kSamples; ++sx)
          hits += shape(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples);
      if (hits == 0) continue;
      const double t = std::clamp((y + 0.5 - y0) / (y1 - y0), 0.0, 1.0);
      const auto mix = [t](uint8_t a, uint8_t b) { return (a + (b - a) * t) / 255.0; };
      Lay(x, y, mix(top.r, bottom.r), mix(top.g, bottom.g), mix(top.b, bottom.b),
          double(hits) / (kSamples * kSamples));
    }
}

void Canvas::Lay(int32_t x, int32_t y, double r, double g, double b, double a) {
  Pixel& p = pixels_[size_t(y) * size_t(size_) + size_t(x)];
  const double out = a + p.a * (1 - a);
  const auto channel = [&](double src, double dst) { return (src * a + dst * p.a * (1 - a)) / out; };
  p = {channel(r, p.r), channel(g, p.g), channel(b, p.b), out};
}

std::string Canvas::Resource() const {
  std::string out;
  Put32(out, kInfoHeaderSize);
  Put32(out, uint32_t(size_));
  Put32(out, uint32_t(size_));
  Put16(out, 1);  // planes
  Put16(out, kBitsPerPixel);
  for (int i = 0; i < 6; ++i) Put32(out, 0);  // BI_RGB, image size, resolution, colours
  const auto byte = [](double v) { return char(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
  for (int32_t y = size_ - 1; y >= 0; --y)
    for (int32_t x = 0; x < size_; ++x) {
      const Pixel& p = pixels_[size_t(y) * size_t(size_) + size_t(x)];
      out += byte(p.b);
      out += byte(p.g);
      out += byte(p.r);
      out += byte(p.a);
    }
  return out;
}

}  // namespace icons
