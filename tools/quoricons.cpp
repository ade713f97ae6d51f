// quoricons: draws the exception box's icons and writes each as the raw
// bitmap resource the box reads (40-byte header, 32-bit pixels with
// opacity): the 16 x 16 button icons, the 32 x 32 error sign beside the
// message, and the 32 x 32 wait and send pictures of the progress windows.
// Usage: quoricons <output folder>
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/IconCanvas.h"

namespace icons {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kInk{40, 70, 130};        // outlines of the blue pictures
constexpr Rgb kPaperShade{205, 220, 245};

void Envelope(Canvas& c, double x0, double y0, double x1, double y1, double flap) {
  c.Fill(Rect(x0, y0, x1, y1), kInk);
  c.FillGradient(Rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1), kWhite, kPaperShade, y0, y1);
  const double middle = (x0 + x1) / 2, fold = y0 + (y1 - y0) * 0.55;
  c.Fill(Line({x0 + 1.5, y0 + 1.5}, {middle, fold}, flap), kInk);
  c.Fill(Line({x1 - 1.5, y0 + 1.5}, {middle, fold}, flap), kInk);
}

void Send(Canvas& c) { Envelope(c, 1, 3, 15, 13, 1.3); }

void Save(Canvas& c) {
  c.Fill(RoundRect(1, 1, 15, 15, 1.5), {30, 60, 120});
  c.FillGradient(Rect(2, 2, 14, 14), {80, 130, 210}, {40, 85, 160}, 2, 14);
  c.Fill(Rect(4, 2, 12, 8), {248, 248, 248});
  c.Fill(Rect(5, 4, 11, 5), {170, 180, 205});
  c.Fill(Rect(5, 6, 11, 7), {170, 180, 205});
  c.Fill(Rect(5, 10, 11, 15), {205, 210, 220});
  c.Fill(Rect(8, 11, 10, 14), {60, 70, 90});
}

void Print(Canvas& c) {
  const Rgb frame{85, 85, 90};
  c.Fill(Rect(4, 1, 12, 6), frame);
  c.Fill(Rect(5, 2, 11, 6), kWhite);
  c.Fill(RoundRect(1, 5, 15, 12, 1.5), frame);
  c.FillGradient(RoundRect(2, 6, 14, 11, 1), {235, 235, 235}, {165, 165, 170}, 6, 11);
  c.Fill(Circle(12.2, 7.8, 0.9), {40, 190, 40});
  c.Fill(Rect(4, 9, 12, 15), frame);
  c.Fill(Rect(5, 10, 11, 14), kWhite);
  c.Fill(Rect(6, 11, 10, 12), {150, 160, 180});
  c.Fill(Rect(6, 13, 9, 14), {150, 160, 180});
}

void Show(Canvas& c) {
  c.Fill(Rect(1, 1, 11, 15), {100, 100, 115});
  c.Fill(Rect(2, 2, 10, 14), kWhite);
  for (double y : {4.0, 6.0, 8.0, 10.0}) c.Fill(Rect(3, y, y < 9 ? 9 : 6, y + 1), {150, 160, 185});
  c.Fill(Circle(10, 9.5, 3.9), {200, 225, 255});
  c.Fill(Ring(10, 9.5, 2.7, 4.0), {35, 55, 105});
  c.Fill(Line({12.9, 12.4}, {14.9, 14.4}, 2.3), {35, 55, 105});
}

void Play(Canvas& c, Rgb rim, Rgb light, Rgb dark) {
  c.Fill(Circle(8, 8, 7.5), rim);
  c.FillGradient(Circle(8, 8, 6.5), light, dark, 1.5, 14.5);
  c.Fill(Polygon({{6, 4.5}, {6, 11.5}, {11.8, 8}}), kWhite);
}

void Continue(Canvas& c) { Play(c, {20, 100, 20}, {120, 210, 100}, {40, 140, 40}); }

void Restart(Canvas& c) {
  const Rgb light{80, 150, 235}, dark{30, 80, 170};
  c.FillGradient(Arc(8, 8.5, 3.6, 5.9, 100, 380), light, dark, 2, 15);
  c.FillGradient(Polygon({{11.4, 3.9}, {7.0, 0.4}, {7.0, 7.4}}), light, dark, 2, 15);
}

void Close(Canvas& c) {
  const Rgb light{225, 60, 50}, dark{150, 20, 20};
  c.FillGradient(Arc(8, 8.5, 4.1, 6.3, 125, 415), light, dark, 2, 15);
  c.FillGradient(Line({8, 1.6}, {8, 7.8}, 2.2), light, dark, 2, 15);
}

void CantContinue(Canvas& c) {
  Play(c, {110, 110, 110}, {200, 200, 200}, {150, 150, 150});
  const Rgb red{205, 30, 30};
  c.Fill(Ring(8, 8, 5.9, 7.6), red);
  c.Fill(Line({3.6, 12.4}, {12.4, 3.6}, 1.9), red);
}

void Big(Canvas& c) {
  c.Fill(Circle(16, 16, 15), {140, 20, 20});
  c.FillGradient(Circle(16, 16, 13.8), {240, 95, 85}, {185, 30, 30}, 2, 30);
  c.Fill(Line({10.5, 10.5}, {21.5, 21.5}, 4.2), kWhite);
  c.Fill(Line({21.5, 10.5}, {10.5, 21.5}, 4.2), kWhite);
}

void Wait(Canvas& c) {
  const Rgb wood{125, 80, 40}, sand{225, 170, 60};
  c.Fill(Polygon({{9, 6}, {23, 6}, {17.3, 16}, {23, 26}, {9, 26}, {14.7, 16}}), {90, 110, 145});
  c.Fill(Polygon({{10.6, 7}, {21.4, 7}, {16.1, 16}, {21.4, 25}, {10.6, 25}, {15.9, 16}}), {228, 238, 252});
  c.Fill(Polygon({{12.6, 10.5}, {19.4, 10.5}, {16, 15.6}}), sand);
  c.Fill(Polygon({{16, 19}, {20.6, 25}, {11.4, 25}}), sand);
  c.Fill(Line({16, 15}, {16, 22}, 1.0), sand);
  c.FillGradient(RoundRect(6, 2, 26, 6.5, 1.5), {170, 115, 60}, wood, 2, 6.5);
  c.FillGradient(RoundRect(6, 25.5, 26, 30, 1.5), {170, 115, 60}, wood, 25.5, 30);
}

void Send32(Canvas& c) {
  Envelope(c, 2, 6, 30, 26, 1.8);
  c.Fill(Line({3.5, 24.5}, {12, 16.5}, 1.2), {150, 170, 210});
  c.Fill(Line({28.5, 24.5}, {20, 16.5}, 1.2), {150, 170, 210});
}

struct IconArt {
  const char* name;
  int32_t size;
  void (*draw)(Canvas&);
};

constexpr IconArt kIcons[] = {
    {"QUORISEND", 16, Send},       {"QUORISAVE", 16, Save},         {"QUORIPRINT", 16, Print},
    {"QUORISHOW", 16, Show},       {"QUORICONTINUE", 16, Continue}, {"QUORIRESTART", 16, Restart},
    {"QUORICLOSE", 16, Close},     {"QUORICANTCONTINUE", 16, CantContinue},
    {"QUORIBIG", 32, Big},         {"QUORIPLWAIT", 32, Wait},       {"QUORISEND32", 32, Send32},
};

}  // namespace
}  // namespace icons

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quoricons <output folder>\n");
    return 2;
  }
  for (const auto& icon : icons::kIcons) {
    icons::Canvas canvas(icon.size);
    icon.draw(canvas);
    const std::string path = std::string(argv[1]) + "/" + icon.name + ".bin";
    std::ofstream out(path, std::ios::binary);
    const std::string bytes = canvas.Resource();
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) {
      std::fprintf(stderr, "quoricons: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
