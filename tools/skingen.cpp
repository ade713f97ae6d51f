// skingen: draws the artwork of the three internal skins and writes each as a
// skin folder: Options.dat, the 8-bit master bitmap Master.bmp and the own
// picture BUTTONHUGE.BMP.
//   skingen OUTPUT_FOLDER
// Every picture is drawn here from a handful of theme colours: rounded
// nine-part frames with fuchsia (transparent) corners, three-state buttons
// with masks, check boxes, radio buttons, caption-button icons and
// scroll-bar parts. The output is deterministic.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/sBmpFile.h"
#include "skin/sConst.h"
#include "skin/sMaskData.h"
#include "skin/sStretchMode.h"

namespace {

using skin::TColor;
constexpr TColor kKey = skin::clFuchsia;

TColor Rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }
int R(TColor c) { return c & 255; }
int G(TColor c) { return (c >> 8) & 255; }
int B(TColor c) { return (c >> 16) & 255; }
TColor Mix(TColor a, TColor b, double t) {
  const auto m = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return Rgb(m(R(a), R(b)), m(G(a), G(b)), m(B(a), B(b)));
}

// A 24-bit drawing surface, later reduced to 256 colours.
struct Canvas {
  int w, h;
  std::vector<TColor> px;
  Canvas(int width, int height) : w(width), h(height), px(static_cast<size_t>(width) * height, kKey) {}
  void Put(int x, int y, TColor c) {
    if (x >= 0 && y >= 0 && x < w && y < h) px[static_cast<size_t>(y) * w + x] = c;
  }
  void Fill(int x, int y, int cw, int ch, TColor c) {
    for (int j = 0; j < ch; ++j)
      for (int i = 0; i < cw; ++i) Put(x + i, y + j, c);
  }
};

// ------------------------------------------------------------------ themes

struct Faces {
  TColor top, bottom, border, light;
};

struct Theme {
  const char* name;
  int masterW, masterH;
  const char* author;
  const char* description;
  TColor shadow1;
  int shadow1Blur;
  int radius;     // corner radius of buttons
  bool glossy;    // upper half lighter, with a sharp band
  TColor window;  // form and dialog background
  TColor panel;   // panel colour
  TColor text, hotText, titleText;
  TColor edit, editBorder;
  Faces normal, hot, down, title, bar, tab, frame;
  TColor accent;            // check marks, arrows, icons
  int extraSectionsToDrop;  // which optional sections the skin leaves out
};

const Theme kThemes[] = {
    {.name = "GrayPlastic",
     .masterW = 192,
     .masterH = 256,
     .author = "Sorvenal team",
     .description = "Glossy grey plastic.",
     .shadow1 = Rgb(0, 0, 0),
     .shadow1Blur = 2,
     .radius = 3,
     .glossy = true,
     .window = Rgb(226, 226, 226),
     .panel = Rgb(214, 214, 214),
     .text = Rgb(20, 20, 20),
     .hotText = Rgb(0, 0, 0),
     .titleText = Rgb(255, 255, 255),
     .edit = Rgb(255, 255, 255),
     .editBorder = Rgb(130, 130, 130),
     .normal = {Rgb(250, 250, 250), Rgb(196, 196, 196), Rgb(112, 112, 112), Rgb(255, 255, 255)},
     .hot = {Rgb(255, 255, 255), Rgb(214, 222, 230), Rgb(90, 104, 122), Rgb(255, 255, 255)},
     .down = {Rgb(170, 170, 170), Rgb(214, 214, 214), Rgb(80, 80, 80), Rgb(150, 150, 150)},
     .title = {Rgb(150, 150, 150), Rgb(80, 80, 80), Rgb(50, 50, 50), Rgb(190, 190, 190)},
     .bar = {Rgb(240, 240, 240), Rgb(200, 200, 200), Rgb(140, 140, 140), Rgb(255, 255, 255)},
     .tab = {Rgb(246, 246, 246), Rgb(214, 214, 214), Rgb(128, 128, 128), Rgb(255, 255, 255)},
     .frame = {Rgb(120, 120, 120), Rgb(70, 70, 70), Rgb(40, 40, 40), Rgb(160, 160, 160)},
     .accent = Rgb(40, 40, 40),
     .extraSectionsToDrop = 1},
    {.name = "Neutral",
     .masterW = 198,
     .masterH = 372,
     .author = "Sorvenal team",
     .description = "Flat and calm.",
     .shadow1 = Rgb(0, 0, 0),
     .shadow1Blur = 1,
     .radius = 2,
     .glossy = false,
     .window = Rgb(238, 236, 232),
     .panel = Rgb(230, 228, 223),
     .text = Rgb(48, 48, 48),
     .hotText = Rgb(0, 0, 0),
     .titleText = Rgb(48, 48, 48),
     .edit = Rgb(255, 255, 255),
     .editBorder = Rgb(176, 172, 166),
     .normal = {Rgb(244, 243, 240), Rgb(232, 230, 226), Rgb(168, 164, 158), Rgb(252, 252, 250)},
     .hot = {Rgb(236, 241, 246), Rgb(224, 232, 240), Rgb(126, 150, 176), Rgb(248, 250, 252)},
     .down = {Rgb(214, 220, 226), Rgb(222, 228, 234), Rgb(120, 140, 160), Rgb(206, 212, 218)},
     .title = {Rgb(228, 226, 222), Rgb(220, 218, 213), Rgb(170, 166, 160), Rgb(240, 238, 235)},
     .bar = {Rgb(236, 234, 230), Rgb(226, 224, 219), Rgb(190, 186, 180), Rgb(248, 247, 245)},
     .tab = {Rgb(246, 245, 242), Rgb(236, 234, 230), Rgb(176, 172, 166), Rgb(255, 255, 255)},
     .frame = {Rgb(220, 218, 213), Rgb(210, 208, 203), Rgb(160, 156, 150), Rgb(236, 234, 230)},
     .accent = Rgb(80, 96, 112),
     .extraSectionsToDrop = 2},
    {.name = "Office12Style",
     .masterW = 348,
     .masterH = 207,
     .author = "Sorvenal team",
     .description = "MS Office 12 like skin for serious applications.",
     .shadow1 = Rgb(59, 78, 100),
     .shadow1Blur = 3,
     .radius = 3,
     .glossy = true,
     .window = Rgb(255, 255, 255),
     .panel = Rgb(236, 233, 216),
     .text = Rgb(21, 66, 139),
     .hotText = Rgb(21, 66, 139),
     .titleText = Rgb(128, 128, 128),
     .edit = Rgb(255, 252, 249),
     .editBorder = Rgb(171, 193, 222),
     .normal = {Rgb(253, 254, 255), Rgb(209, 215, 231), Rgb(131, 155, 191), Rgb(255, 255, 255)},
     .hot = {Rgb(255, 251, 228), Rgb(255, 215, 120), Rgb(219, 174, 90), Rgb(255, 255, 240)},
     .down = {Rgb(251, 183, 110), Rgb(254, 221, 150), Rgb(194, 139, 75), Rgb(242, 170, 100)},
     .title = {Rgb(227, 239, 255), Rgb(199, 218, 243), Rgb(111, 157, 217), Rgb(255, 255, 255)},
     .bar = {Rgb(227, 239, 255), Rgb(175, 210, 255), Rgb(111, 157, 217), Rgb(255, 255, 255)},
     .tab = {Rgb(253, 254, 255), Rgb(216, 228, 244), Rgb(141, 178, 227), Rgb(255, 255, 255)},
     .frame = {Rgb(213, 228, 242), Rgb(191, 219, 255), Rgb(111, 157, 217), Rgb(235, 243, 252)},
     .accent = Rgb(21, 66, 139),
     .extraSectionsToDrop = 3},
};

// ------------------------------------------------------------------ drawing

// Coverage (0..1) of pixel (i, j) inside a w x h rectangle with corners of
// radius r: 1 inside, 0 outside, partial along the rounded edge.
double Coverage(int i, int j, int w, int h, int r) {
  if (r == 0) return 1;
  const double cx = i < r ? r - 0.5 : i >= w - r ? w - r - 0.5 : i + 0.5;
  const double cy = j < r ? r - 0.5 : j >= h - r ? h - r - 0.5 : j + 0.5;
  const double dx = i + 0.5 - cx, dy = j + 0.5 - cy;
  const double d = std::sqrt(dx * dx + dy * dy);
  return std::clamp(r + 0.5 - d, 0.0, 1.0);
}

// Distance in whole pixels from the rounded outline (0 = the outline).
int Ring(int i, int j, int w, int h, int r) {
  const int edge = std::min({i, j, w - 1 - i, h - 1 - j});
  if (r == 0) return edge;
  const double cx = i < r ? r - 0.5 : i >= w - r ? w - r - 0.5 : i + 0.5;
  const double cy = j < r ? r - 0.5 : j >= h - r ? h - r - 0.5 : j + 0.5;
  const double dx = i + 0.5 - cx, dy = j + 0.5 - cy;
  const int round = static_cast<int>(r - std::sqrt(dx * dx + dy * dy));
  return std::min(edge, std::max(round, 0));
}

struct Shape {
  int radius = 3;
  bool glossy = false;
  bool fill = true;       // paint the middle
  bool edgeLight = true;  // a light inner ring
  // Rows of the vertical gradient kept at the top and bottom; when either is
  // set, the rows between them all take the gradient's centre colour. Masked
  // pictures have their middle rows tiled, so those rows must be alike for the
  // picture to look the same at any height.
  int gradientTop = 0, gradientBottom = 0;
};

// Position (0..1) of row j in the vertical gradient of an h-row frame.
double GradientPos(int j, int h, const Shape& s) {
  if (s.gradientTop == 0 && s.gradientBottom == 0) return h > 1 ? static_cast<double>(j) / (h - 1) : 0;
  // The middle rows collapse into one row between the two gradient bands.
  const int rows = s.gradientTop + s.gradientBottom + 1;
  const int row = j < s.gradientTop           ? j
                  : j >= h - s.gradientBottom ? j - (h - s.gradientBottom) + s.gradientTop + 1
                                              : s.gradientTop;
  return static_cast<double>(row) / (rows - 1);
}

// One state of a frame: an outline, a light inner ring and a vertical fill.
// With maskY >= 0 the mask band is drawn there (black = picture, white =
// transparent, greys along the rounded edge); otherwise pixels outside the
// shape are fuchsia.
void Frame(Canvas& c, int x, int y, int w, int h, const Faces& f, const Shape& s, int maskY = -1) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const double cover = Coverage(i, j, w, h, s.radius);
      const int ring = Ring(i, j, w, h, s.radius);
      const double t = GradientPos(j, h, s);
      TColor fill = Mix(f.top, f.bottom, t);
      if (s.glossy) fill = j < h / 2 ? Mix(f.light, f.top, t * 2) : Mix(f.top, f.bottom, (t - 0.5) * 2);
      if (!s.fill && ring > 1) fill = kKey;
      TColor p = ring == 0 ? f.border : (ring == 1 && s.edgeLight) ? Mix(f.light, fill, 0.35) : fill;
      if (maskY < 0) {
        if (cover < 0.5)
          p = kKey;
        else if (cover < 1 && p != kKey)
          p = Mix(f.border, f.top, 0.5);
        c.Put(x + i, y + j, p);
      } else {
        c.Put(x + i, y + j, cover <= 0 ? f.border : p);
        const int m = static_cast<int>(std::lround(255 * (1 - cover)));
        c.Put(x + i, maskY + j, Rgb(m, m, m));
      }
    }
}

void Line(Canvas& c, double x0, double y0, double x1, double y1, TColor col, double width = 1.2) {
  const int steps = static_cast<int>(std::max(std::abs(x1 - x0), std::abs(y1 - y0)) * 4) + 1;
  for (int k = 0; k <= steps; ++k) {
    const double x = x0 + (x1 - x0) * k / steps, y = y0 + (y1 - y0) * k / steps;
    for (double dy = -width / 2; dy <= width / 2; dy += 0.5)
      for (double dx = -width / 2; dx <= width / 2; dx += 0.5)
        c.Put(static_cast<int>(std::floor(x + dx)), static_cast<int>(std::floor(y + dy)), col);
  }
}

enum class Icon { Close, Max, Min, Norm, Help, ArrowUp, ArrowDown, ArrowLeft, ArrowRight, Check, Grip, TickH, TickV };

void DrawIcon(Canvas& c, int x, int y, int w, int h, Icon icon, TColor col) {
  const double l = x + w * 0.25, r = x + w * 0.75 - 1, t = y + h * 0.25, b = y + h * 0.75 - 1;
  const double mx = x + (w - 1) / 2.0, my = y + (h - 1) / 2.0;
  // Caption glyphs are set pixel by pixel: a square of `side` pixels inside a
  // margin, so they stay crisp at 8 and 11 pixels.
  const int margin = w >= 10 ? 2 : 1, side = std::min(w, h) - 2 * margin;
  const int gl = x + margin, gt = y + margin, gr = gl + side - 1, gb = gt + side - 1;
  switch (icon) {
    case Icon::Close:
      // Two-pixel diagonals: row k has columns k, k + 1 and their mirrors.
      for (int k = 0; k < side - 1; ++k) {
        c.Fill(gl + k, gt + k, 2, 1, col);
        c.Fill(gr - k - 1, gt + k, 2, 1, col);
      }
      break;
    case Icon::Max:
      c.Fill(gl, gt, side, 2, col);
      c.Fill(gl, gt, 1, side, col);
      c.Fill(gr, gt, 1, side, col);
      c.Fill(gl, gb, side, 1, col);
      break;
    case Icon::Min:
      c.Fill(gl, gb - 1, side - 1, 2, col);
      break;
    case Icon::Norm:
      // The window behind: its top and right edges.
      c.Fill(gl + 2, gt, side - 2, 1, col);
      c.Fill(gr, gt, 1, side - 2, col);
      // The window in front.
      c.Fill(gl, gt + 2, side - 2, 2, col);
      c.Fill(gl, gt + 2, 1, side - 2, col);
      c.Fill(gr - 2, gt + 2, 1, side - 2, col);
      c.Fill(gl, gb, side - 2, 1, col);
      break;
    case Icon::Help:
      Line(c, l + 1, t + 1, mx, t, col, 1);
      Line(c, mx, t, r, t + 1.5, col, 1);
      Line(c, r, t + 1.5, mx, my + 1, col, 1);
      c.Put(static_cast<int>(mx), static_cast<int>(b), col);
      break;
    case Icon::ArrowUp:
    case Icon::ArrowDown:
      for (int k = 0; k < 3; ++k) {
        const int yy = static_cast<int>(my) + (icon == Icon::ArrowUp ? k - 1 : 1 - k);
        c.Fill(static_cast<int>(mx) - k, yy, 2 * k + 1, 1, col);
      }
      break;
    case Icon::ArrowLeft:
    case Icon::ArrowRight:
      for (int k = 0; k < 3; ++k) {
        const int xx = static_cast<int>(mx) + (icon == Icon::ArrowLeft ? k - 1 : 1 - k);
        c.Fill(xx, static_cast<int>(my) - k, 1, 2 * k + 1, col);
      }
      break;
    case Icon::Check:
      Line(c, l - 1, my, mx - 1, b, col, 1.6);
      Line(c, mx - 1, b, r + 1, t - 1, col, 1.6);
      break;
    case Icon::Grip:
      for (int k = 0; k < 3; ++k)
        for (int m = 0; m <= k; ++m) {
          c.Put(x + w - 3 - 3 * m, y + h - 3 - 3 * (k - m), col);
          c.Put(x + w - 2 - 3 * m, y + h - 2 - 3 * (k - m), Rgb(255, 255, 255));
        }
      break;
    case Icon::TickH:
      c.Fill(x + w / 2, y, 1, h, col);
      break;
    case Icon::TickV:
      c.Fill(x, y + h / 2, w, 1, col);
      break;
  }
}

// ------------------------------------------------------------------ images

enum class Kind { Border, Glyph, Texture, Own };
enum class Art {
  Button,
  Frame,
  Title,
  Flat,
  Edit,
  Tab,
  Check,
  Radio,
  Small,
  Icon,
  SmallIcon,
  Channel,
  Thumb,
  Texture,
  Corner,
  Progress,
  ArrowButton
};

struct Image {
  const char* section;
  const char* role;
  Kind kind;
  Art art;
  int sw, sh;       // one state
  int count, mask;  // states, mask band
  skin::TsStretchMode stretch = skin::smStretch;
  int borderWidth = 0;
  int wl = 0, wt = 0, wr = 0, wb = 0;
  Icon icon = Icon::Close;
  skin::TRect fixed{};  // a rectangle the skin must keep
  skin::TRect placed{};
};

std::vector<Image> ImagesOf(const Theme& th, bool office) {
  const int b = 14;  // a general border state
  // Two lines a row: what the image is, then how it is drawn.
  // clang-format off
  std::vector<Image> v = {
      {.section = "GLOBALINFO", .role = "BOXCHECKED", .kind = Kind::Glyph, .art = Art::Check,
       .sw = 13, .sh = 13, .count = 3, .mask = 0},
      {.section = "GLOBALINFO", .role = "BOXUNCHECKED", .kind = Kind::Glyph, .art = Art::Check,
       .sw = 13, .sh = 13, .count = 3, .mask = 0},
      {.section = "GLOBALINFO", .role = "BOXGRAYED", .kind = Kind::Glyph, .art = Art::Check,
       .sw = 13, .sh = 13, .count = 3, .mask = 0},
      {.section = "GLOBALINFO", .role = "RADIOCHECKED", .kind = Kind::Glyph, .art = Art::Radio,
       .sw = 13, .sh = 13, .count = 3, .mask = 0},
      {.section = "GLOBALINFO", .role = "RADIOUNCHECKED", .kind = Kind::Glyph, .art = Art::Radio,
       .sw = 13, .sh = 13, .count = 3, .mask = 0},
      {.section = "GLOBALINFO", .role = "RADIOGRAYED", .kind = Kind::Glyph, .art = Art::Radio,
       .sw = 13, .sh = 13, .count = 3, .mask = 0},
      {.section = "GLOBALINFO", .role = "SMALLCHECKED", .kind = Kind::Glyph, .art = Art::Small,
       .sw = 9, .sh = 9, .count = 3, .mask = 0},
      {.section = "GLOBALINFO", .role = "SMALLUNCHECKED", .kind = Kind::Glyph, .art = Art::Small,
       .sw = 9, .sh = 9, .count = 3, .mask = 0},
      {.section = "GLOBALINFO", .role = "SMALLGRAYED", .kind = Kind::Glyph, .art = Art::Small,
       .sw = 9, .sh = 9, .count = 3, .mask = 0},
      {.section = "GLOBALINFO", .role = "CHECK", .kind = Kind::Glyph, .art = Art::Icon,
       .sw = 9, .sh = 9, .count = 1, .mask = 0, .icon = Icon::Check},
      {.section = "GLOBALINFO", .role = "BICONCLOSE", .kind = Kind::Glyph, .art = Art::Icon,
       .sw = 11, .sh = 11, .count = 3, .mask = 0},
      {.section = "GLOBALINFO", .role = "BICONMAX", .kind = Kind::Glyph, .art = Art::Icon,
       .sw = 11, .sh = 11, .count = 3, .mask = 0, .icon = Icon::Max},
      {.section = "GLOBALINFO", .role = "BICONMIN", .kind = Kind::Glyph, .art = Art::Icon,
       .sw = 11, .sh = 11, .count = 3, .mask = 0, .icon = Icon::Min},
      {.section = "GLOBALINFO", .role = "BICONNORM", .kind = Kind::Glyph, .art = Art::Icon,
       .sw = 11, .sh = 11, .count = 3, .mask = 0, .icon = Icon::Norm},
      {.section = "GLOBALINFO", .role = "BICONHELP", .kind = Kind::Glyph, .art = Art::Icon,
       .sw = 11, .sh = 11, .count = 3, .mask = 0, .icon = Icon::Help},
      {.section = "GLOBALINFO", .role = "SICONCLOSE", .kind = Kind::Glyph, .art = Art::SmallIcon,
       .sw = 8, .sh = 8, .count = 3, .mask = 0},
      {.section = "GLOBALINFO", .role = "SICONMAX", .kind = Kind::Glyph, .art = Art::SmallIcon,
       .sw = 8, .sh = 8, .count = 3, .mask = 0, .icon = Icon::Max},
      {.section = "GLOBALINFO", .role = "SICONMIN", .kind = Kind::Glyph, .art = Art::SmallIcon,
       .sw = 8, .sh = 8, .count = 3, .mask = 0, .icon = Icon::Min},
      {.section = "GLOBALINFO", .role = "SICONNORM", .kind = Kind::Glyph, .art = Art::SmallIcon,
       .sw = 8, .sh = 8, .count = 3, .mask = 0, .icon = Icon::Norm},
      {.section = "GLOBALINFO", .role = "SICONHELP", .kind = Kind::Glyph, .art = Art::SmallIcon,
       .sw = 8, .sh = 8, .count = 3, .mask = 0, .icon = Icon::Help},
      {.section = "GLOBALINFO", .role = "TITLEBUTTON", .kind = Kind::Border, .art = Art::Button,
       .sw = 17, .sh = 17, .count = 3, .mask = 1, .wl = 5, .wt = 5, .wr = 5, .wb = 5},
      {.section = "GLOBALINFO", .role = "GRIPIMAGE", .kind = Kind::Glyph, .art = Art::Icon,
       .sw = 12, .sh = 12, .count = 1, .mask = 0, .icon = Icon::Grip},
      {.section = "GLOBALINFO", .role = "TICKHORZ", .kind = Kind::Glyph, .art = Art::Icon,
       .sw = 3, .sh = 4, .count = 1, .mask = 0, .icon = Icon::TickH},
      {.section = "GLOBALINFO", .role = "TICKVERT", .kind = Kind::Glyph, .art = Art::Icon,
       .sw = 4, .sh = 3, .count = 1, .mask = 0, .icon = Icon::TickV},
      {.section = "FORM", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Frame,
       .sw = 45, .sh = 45, .count = 2, .mask = 0, .borderWidth = 4},
      {.section = "FORM", .role = "IMGTOPLEFT", .kind = Kind::Glyph, .art = Art::Corner,
       .sw = 6, .sh = 6, .count = 1, .mask = 0},
      {.section = "FORM", .role = "IMGTOPRIGHT", .kind = Kind::Glyph, .art = Art::Corner,
       .sw = 6, .sh = 6, .count = 1, .mask = 0},
      {.section = "FORM", .role = "IMGBTMLEFT", .kind = Kind::Glyph, .art = Art::Corner,
       .sw = 6, .sh = 6, .count = 1, .mask = 0},
      {.section = "FORM", .role = "IMGBTMRIGHT", .kind = Kind::Glyph, .art = Art::Corner,
       .sw = 6, .sh = 6, .count = 1, .mask = 0},
      {.section = "FORMTITLE", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Title,
       .sw = 54, .sh = 24, .count = 2, .mask = 1, .wl = 18, .wt = 8, .wr = 18, .wb = 8},
      {.section = "DIALOG", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Frame,
       .sw = 15, .sh = 15, .count = 2, .mask = 0, .borderWidth = 4},
      {.section = "BUTTON", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Button,
       .sw = 21, .sh = 24, .count = 3, .mask = 1, .wl = 7, .wt = 8, .wr = 7, .wb = 8},
      {.section = "BUTTON_BIG", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Button,
       .sw = 24, .sh = 26, .count = 3, .mask = 1, .wl = 8, .wt = 8, .wr = 8, .wb = 8},
      {.section = "BUTTON_HUGE", .role = "BORDERSMASK", .kind = Kind::Own, .art = Art::Button,
       .sw = 96, .sh = 96, .count = 3, .mask = 1, .wl = 32, .wt = 32, .wr = 32, .wb = 32},
      {.section = "SPEEDBUTTON", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Button,
       .sw = b, .sh = b, .count = 3, .mask = 1},
      {.section = "SPEEDBUTTON_SMALL", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Button,
       .sw = 12, .sh = 12, .count = 3, .mask = 1},
      {.section = "PANEL", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Flat,
       .sw = 24, .sh = 24, .count = 1, .mask = 0, .wl = 2, .wt = 2, .wr = 2, .wb = 2},
      {.section = "PANEL_LOW", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Flat,
       .sw = 12, .sh = 12, .count = 1, .mask = 0, .wl = 2, .wt = 2, .wr = 2, .wb = 2},
      {.section = "EDIT", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Edit,
       .sw = 39, .sh = 39, .count = 1, .mask = 0, .wl = 1, .wt = 1, .wr = 1, .wb = 1},
      {.section = "COMBOBOX", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Edit,
       .sw = 12, .sh = 12, .count = 1, .mask = 0, .wl = 1, .wt = 1, .wr = 1, .wb = 1},
      {.section = "COMBOBOX", .role = "GLYPHMASK", .kind = Kind::Glyph, .art = Art::Icon,
       .sw = 9, .sh = 9, .count = 3, .mask = 0, .icon = Icon::ArrowDown},
      {.section = "GROUPBOX", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Flat,
       .sw = 12, .sh = 12, .count = 1, .mask = 0, .wl = 3, .wt = 3, .wr = 3, .wb = 3},
      {.section = "PAGECONTROL", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Flat,
       .sw = 12, .sh = 12, .count = 1, .mask = 0, .wl = 2, .wt = 2, .wr = 2, .wb = 2},
      {.section = "TABCONTROL", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Flat,
       .sw = 12, .sh = 12, .count = 1, .mask = 0, .wl = 2, .wt = 2, .wr = 2, .wb = 2},
      {.section = "TABTOP", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Tab,
       .sw = 16, .sh = 16, .count = 3, .mask = 1},
      {.section = "TABBOTTOM", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Tab,
       .sw = 16, .sh = 16, .count = 3, .mask = 1},
      {.section = "TABLEFT", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Tab,
       .sw = 16, .sh = 16, .count = 3, .mask = 1},
      {.section = "TABRIGHT", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Tab,
       .sw = 16, .sh = 16, .count = 3, .mask = 1},
      {.section = "TABSHEET", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Flat,
       .sw = 9, .sh = 9, .count = 1, .mask = 0, .wl = 1, .wt = 1, .wr = 1, .wb = 1},
      {.section = "SCROLLBTNTOP", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::ArrowButton,
       .sw = 13, .sh = 13, .count = 3, .mask = 1},
      {.section = "SCROLLBTNBOTTOM", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::ArrowButton,
       .sw = 13, .sh = 13, .count = 3, .mask = 1},
      {.section = "SCROLLBTNLEFT", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::ArrowButton,
       .sw = 13, .sh = 13, .count = 3, .mask = 1},
      {.section = "SCROLLBTNRIGHT", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::ArrowButton,
       .sw = 13, .sh = 13, .count = 3, .mask = 1},
      {.section = "SCROLLBTNTOP", .role = "GLYPHMASK", .kind = Kind::Glyph, .art = Art::Icon,
       .sw = 7, .sh = 7, .count = 3, .mask = 0, .icon = Icon::ArrowUp},
      {.section = "SCROLLBTNBOTTOM", .role = "GLYPHMASK", .kind = Kind::Glyph, .art = Art::Icon,
       .sw = 7, .sh = 7, .count = 3, .mask = 0, .icon = Icon::ArrowDown},
      {.section = "SCROLLBTNLEFT", .role = "GLYPHMASK", .kind = Kind::Glyph, .art = Art::Icon,
       .sw = 7, .sh = 7, .count = 3, .mask = 0, .icon = Icon::ArrowLeft},
      {.section = "SCROLLBTNRIGHT", .role = "GLYPHMASK", .kind = Kind::Glyph, .art = Art::Icon,
       .sw = 7, .sh = 7, .count = 3, .mask = 0, .icon = Icon::ArrowRight},
      {.section = "SCROLLSLIDERH", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Thumb,
       .sw = 13, .sh = 13, .count = 3, .mask = 1},
      {.section = "SCROLLSLIDERV", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Thumb,
       .sw = 13, .sh = 13, .count = 3, .mask = 1},
      {.section = "SCROLLSLIDERH", .role = "GLYPHMASK", .kind = Kind::Glyph, .art = Art::Icon,
       .sw = 7, .sh = 7, .count = 3, .mask = 0, .icon = Icon::TickH},
      {.section = "SCROLLSLIDERV", .role = "GLYPHMASK", .kind = Kind::Glyph, .art = Art::Icon,
       .sw = 7, .sh = 7, .count = 3, .mask = 0, .icon = Icon::TickV},
      {.section = "SCROLLBAR1H", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Channel,
       .sw = 9, .sh = 9, .count = 1, .mask = 0, .wl = 2, .wt = 2, .wr = 2, .wb = 2},
      {.section = "SCROLLBAR1V", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Channel,
       .sw = 9, .sh = 9, .count = 1, .mask = 0, .wl = 2, .wt = 2, .wr = 2, .wb = 2},
      {.section = "SCROLLBAR2H", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Channel,
       .sw = 9, .sh = 9, .count = 1, .mask = 0, .wl = 2, .wt = 2, .wr = 2, .wb = 2},
      {.section = "SCROLLBAR2V", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Channel,
       .sw = 9, .sh = 9, .count = 1, .mask = 0, .wl = 2, .wt = 2, .wr = 2, .wb = 2},
      {.section = "PROGRESSH", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Progress,
       .sw = 12, .sh = 12, .count = 1, .mask = 0, .wl = 3, .wt = 3, .wr = 3, .wb = 3},
      {.section = "PROGRESSV", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Progress,
       .sw = 12, .sh = 12, .count = 1, .mask = 0, .wl = 3, .wt = 3, .wr = 3, .wb = 3},
      {.section = "GAUGE", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Channel,
       .sw = 9, .sh = 9, .count = 1, .mask = 0, .wl = 2, .wt = 2, .wr = 2, .wb = 2},
      {.section = "HINT", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Flat,
       .sw = 9, .sh = 9, .count = 1, .mask = 0, .wl = 2, .wt = 2, .wr = 2, .wb = 2},
      {.section = "MENUITEM", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Button,
       .sw = 12, .sh = 12, .count = 3, .mask = 1},
      {.section = "STATUSBAR", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Flat,
       .sw = 9, .sh = 9, .count = 1, .mask = 0, .wl = 2, .wt = 2, .wr = 2, .wb = 2},
      {.section = "TOOLBAR", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Flat,
       .sw = 9, .sh = 9, .count = 1, .mask = 0, .wl = 2, .wt = 2, .wr = 2, .wb = 2},
      {.section = "TRACKBAR", .role = "SLIDERCHANNEL", .kind = Kind::Border, .art = Art::Channel,
       .sw = 9, .sh = 6, .count = 1, .mask = 0, .wl = 2, .wt = 2, .wr = 2, .wb = 2},
      {.section = "TRACKBAR", .role = "SLIDERMASK", .kind = Kind::Glyph, .art = Art::Thumb,
       .sw = 11, .sh = 16, .count = 3, .mask = 1},
      {.section = "TRACKBAR", .role = "SLIDERVMASK", .kind = Kind::Glyph, .art = Art::Thumb,
       .sw = 16, .sh = 11, .count = 3, .mask = 1},
  };
  const std::vector<Image> extras = {
      {.section = "BARTITLE", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Flat,
       .sw = 9, .sh = 9, .count = 1, .mask = 0, .wl = 2, .wt = 2, .wr = 2, .wb = 2},
      {.section = "MAINMENU", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Flat,
       .sw = 9, .sh = 9, .count = 1, .mask = 0, .wl = 2, .wt = 2, .wr = 2, .wb = 2},
      {.section = "DRAGBAR", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Flat,
       .sw = 9, .sh = 9, .count = 1, .mask = 0, .wl = 2, .wt = 2, .wr = 2, .wb = 2},
      {.section = "MENULINE", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Flat,
       .sw = 9, .sh = 9, .count = 1, .mask = 0, .wl = 2, .wt = 2, .wr = 2, .wb = 2},
      {.section = "EXTRALINE", .role = "BORDERSMASK", .kind = Kind::Border, .art = Art::Flat,
       .sw = 9, .sh = 9, .count = 1, .mask = 0, .wl = 2, .wt = 2, .wr = 2, .wb = 2},
      {.section = "GRIPH", .role = "PATTERN", .kind = Kind::Texture, .art = Art::Texture,
       .sw = 8, .sh = 8, .count = 1, .mask = 0},
      {.section = "BARPANEL", .role = "PATTERN", .kind = Kind::Texture, .art = Art::Texture,
       .sw = 8, .sh = 8, .count = 1, .mask = 0},
  };
  // clang-format on
  const size_t extraCount = office ? 7 : th.extraSectionsToDrop == 1 ? 2 : 0;
  v.insert(v.end(), extras.begin(), extras.begin() + static_cast<long>(extraCount));
  // Every skin gives its pop-up menus a border of their own: the frame of
  // "MAINMENU" (the second of the extras).
  constexpr size_t kMainMenuExtra = 1;
  if (extraCount <= kMainMenuExtra) v.push_back(extras[kMainMenuExtra]);
  if (!office) {
    // The smaller master bitmaps hold smaller frames.
    for (Image& i : v) {
      const std::string s = i.section;
      if (s == "FORM" && i.art == Art::Frame) i.sw = i.sh = 16;
      if (s == "FORMTITLE") i.sw = 36, i.sh = 20, i.wl = i.wr = 12, i.wt = i.wb = 6;
      if (s == "BUTTON_BIG") i.sw = 18, i.sh = 20, i.wl = i.wr = 6, i.wt = i.wb = 6;
      if (s == "BUTTON") i.sw = 18, i.sh = 20, i.wl = i.wr = 6, i.wt = i.wb = 7;
      if (s == "EDIT") i.sw = i.sh = 12;
    }
  }
  // A masked frame is painted in nine parts with its middle and edges tiled,
  // never stretched: frames drawn without margins get margins that leave a
  // middle one or two pixels across, so the outline stays at the control's
  // edge at any size. Arrow buttons keep no margins: their arrow lies in the
  // middle.
  for (Image& i : v)
    if (i.mask && i.kind == Kind::Border && i.art != Art::ArrowButton && i.wl + i.wt + i.wr + i.wb == 0)
      i.wl = i.wr = (i.sw - 1) / 2, i.wt = i.wb = (i.sh - 1) / 2;
  if (office) {
    // The rectangles this skin keeps: form and edit share one picture.
    for (Image& i : v) {
      const std::string s = i.section;
      if (i.role != std::string("BORDERSMASK")) continue;
      if (s == "FORM") i.fixed = {0, 102, 90, 147};
      if (s == "FORMTITLE") i.fixed = {240, 0, 348, 48};
      if (s == "PANEL") i.fixed = {210, 78, 234, 102};
      if (s == "BUTTON") i.fixed = {0, 44, 63, 92};
      if (s == "EDIT") i.fixed = {3, 105, 42, 144};
    }
  }
  return v;
}

Faces StateFaces(const Theme& th, const Faces& base, int state) {
  if (state == 1) return th.hot;
  if (state == 2) return th.down;
  return base;
}

// Menu items paint only their hot look; at rest they are transparent.
bool IsMenuItem(const std::string& section) { return section == "MENUITEM"; }

void DrawImage(Canvas& c, const Theme& th, const Image& im, int x0, int y0) {
  const int maskY = im.mask ? y0 + im.sh : -1;
  for (int s = 0; s < im.count; ++s) {
    const int x = x0 + s * im.sw, y = y0;
    Shape shape;
    shape.radius = th.radius;
    shape.glossy = th.glossy;
    if (im.mask && im.kind != Kind::Glyph) shape.gradientTop = im.wt, shape.gradientBottom = im.wb;
    switch (im.art) {
      case Art::Button:
      case Art::ArrowButton:
        if (IsMenuItem(im.section) && s == 0 && maskY >= 0) {
          // A menu item at rest shows the menu's own background: its
          // picture is masked out whole.
          c.Fill(x, maskY, im.sw, im.sh, Rgb(255, 255, 255));
          break;
        }
        shape.radius = std::min(th.radius, im.sw / 4);
        Frame(c, x, y, im.sw, im.sh, StateFaces(th, th.normal, s), shape, maskY < 0 ? -1 : maskY);
        break;
      case Art::Thumb:
        shape.radius = std::min(th.radius, 3);
        Frame(c, x, y, im.sw, im.sh, StateFaces(th, th.bar, s), shape, maskY);
        break;
      case Art::Tab: {
        Faces f = s == 0 ? th.bar : s == 1 ? th.hot : th.tab;
        Frame(c, x, y, im.sw, im.sh, f, shape, maskY);
        break;
      }
      case Art::Title: {
        shape.radius = 0;
        shape.edgeLight = true;
        Faces f = th.title;
        if (s == 1)
          f = {Mix(th.title.top, th.window, 0.5), Mix(th.title.bottom, th.window, 0.5), th.title.border,
               th.title.light};
        Frame(c, x, y, im.sw, im.sh, f, shape, maskY);
        break;
      }
      case Art::Frame: {
        shape.radius = 0;
        shape.glossy = false;
        Faces f = th.frame;
        if (s == 1)
          f = {Mix(f.top, th.window, 0.5), Mix(f.bottom, th.window, 0.5), Mix(f.border, th.window, 0.4), f.light};
        Frame(c, x, y, im.sw, im.sh, f, shape);
        // The inner 1-pixel frame doubles as the edit box's border.
        if (s == 0 && im.sw > 10) {
          Frame(c, x + 3, y + 3, im.sw - 6, im.sh - 6, {th.edit, th.edit, th.editBorder, th.edit},
                Shape{0, false, true, false});
        }
        break;
      }
      case Art::Flat:
        shape.radius = 0;
        shape.glossy = false;
        Frame(c, x, y, im.sw, im.sh, {th.panel, th.panel, Mix(th.normal.border, th.panel, 0.3), th.normal.light},
              shape);
        break;
      case Art::Edit:
        Frame(c, x, y, im.sw, im.sh, {th.edit, th.edit, th.editBorder, th.edit}, Shape{0, false, true, false});
        break;
      case Art::Channel:
      case Art::Progress: {
        shape.radius = std::min(2, th.radius);
        shape.glossy = false;
        const Faces f = im.art == Art::Progress ? th.hot
                                                : Faces{Mix(th.bar.bottom, th.window, 0.3),
                                                        Mix(th.bar.top, th.window, 0.3), th.bar.border, th.bar.bottom};
        Frame(c, x, y, im.sw, im.sh, f, shape);
        break;
      }
      case Art::Check:
      case Art::Radio:
      case Art::Small: {
        shape.radius = im.art == Art::Radio ? im.sw / 2 : 1;
        shape.glossy = false;
        const Faces box = s == 1   ? th.hot
                          : s == 2 ? th.down
                                   : Faces{th.edit, Mix(th.edit, th.normal.bottom, 0.6), th.editBorder, th.edit};
        Frame(c, x, y, im.sw, im.sh, box, shape);
        const std::string role = im.role;
        const TColor mark = role.find("GRAYED") != std::string::npos ? Mix(th.accent, th.edit, 0.55) : th.accent;
        if (role.find("UNCHECKED") != std::string::npos) break;
        if (im.art == Art::Radio) {
          Frame(c, x + 4, y + 4, im.sw - 8, im.sh - 8, {mark, mark, mark, mark}, Shape{2, false, true, false});
        } else {
          DrawIcon(c, x, y, im.sw, im.sh, Icon::Check, mark);
        }
        break;
      }
      case Art::Icon:
      case Art::SmallIcon: {
        const TColor col = s == 1 ? Mix(th.accent, th.hot.border, 0.5) : s == 2 ? th.down.border : th.accent;
        DrawIcon(c, x, y, im.sw, im.sh, im.icon, im.icon == Icon::Close && s > 0 ? Rgb(200, 40, 40) : col);
        break;
      }
      case Art::Corner:
        c.Fill(x, y, im.sw, im.sh, th.frame.border);
        break;
      case Art::Texture:
        for (int j = 0; j < im.sh; ++j)
          for (int i = 0; i < im.sw; ++i) c.Put(x + i, y + j, (i + j) % 4 == 0 ? th.bar.border : th.bar.top);
        break;
    }
    // Arrow buttons carry their arrow in the picture, masks untouched.
    if (im.art == Art::ArrowButton) {
      const std::string s2 = im.section;
      const Icon arrow = s2 == "SCROLLBTNTOP"      ? Icon::ArrowUp
                         : s2 == "SCROLLBTNBOTTOM" ? Icon::ArrowDown
                         : s2 == "SCROLLBTNLEFT"   ? Icon::ArrowLeft
                                                   : Icon::ArrowRight;
      DrawIcon(c, x, y, im.sw, im.sh, arrow, th.accent);
    }
  }
}

// ------------------------------------------------------------------ packing

// Finds room for a w x h rectangle in the free cells, scanning rows top down.
bool Place(std::vector<uint8_t>& used, int W, int H, int w, int h, skin::TRect& out) {
  for (int y = 0; y + h <= H; ++y)
    for (int x = 0; x + w <= W; ++x) {
      bool free = true;
      for (int j = 0; j < h && free; ++j)
        for (int i = 0; i < w && free; ++i) free = !used[static_cast<size_t>(y + j) * W + x + i];
      if (!free) continue;
      out = {x, y, x + w, y + h};
      return true;
    }
  return false;
}

void Mark(std::vector<uint8_t>& used, int W, const skin::TRect& r) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) used[static_cast<size_t>(y) * W + x] = 1;
}

// ------------------------------------------------------------------ output

// Reduces a picture to at most 256 colours: fuchsia stays exact; the other
// colours lose low bits until they fit.
skin::TsBitmap8 ToPalette(const Canvas& c) {
  for (int shift = 0; shift < 8; ++shift) {
    std::map<TColor, uint8_t> index = {{kKey, 0}};
    skin::TsBitmap8 b;
    b.Width = c.w;
    b.Height = c.h;
    b.Palette = {kKey};
    bool fits = true;
    for (TColor p : c.px) {
      TColor q = p;
      if (p != kKey && shift) {
        const int m = ~((1 << shift) - 1) & 255, half = (1 << shift) / 2;
        q = Rgb(std::min(255, (R(p) & m) + half), std::min(255, (G(p) & m) + half), std::min(255, (B(p) & m) + half));
        if (q == kKey) q = Rgb(254, 0, 254);
      }
      auto it = index.find(q);
      if (it == index.end()) {
        if (b.Palette.size() == 256) {
          fits = false;
          break;
        }
        it = index.emplace(q, static_cast<uint8_t>(b.Palette.size())).first;
        b.Palette.push_back(q);
      }
      b.Pixels.push_back(it->second);
    }
    if (fits) return b;
  }
  throw std::runtime_error("too many colours");
}

std::string Fixed4(int v) {
  char s[8];
  std::snprintf(s, sizeof s, "%4d", v);
  return s;
}

std::string RectColumns(const skin::TRect& r) {
  return Fixed4(r.Left) + "," + Fixed4(r.Top) + "," + Fixed4(r.Right) + "," + Fixed4(r.Bottom);
}

std::string ImageValue(const Image& im) {
  switch (im.kind) {
    case Kind::Border:
      return "^" + RectColumns(im.placed) + "," + Fixed4(im.wl) + "," + Fixed4(im.wt) + "," + Fixed4(im.wr) + "," +
             Fixed4(im.wb) + "," + std::to_string(im.count) + "," + std::to_string(im.mask) + "," +
             std::to_string(im.stretch) + "," + std::to_string(im.borderWidth);
    case Kind::Glyph:
      return "@" + RectColumns(im.placed) + "," + std::to_string(im.count) + "," + std::to_string(im.mask);
    case Kind::Texture: {
      char s[4];
      std::snprintf(s, sizeof s, "%2d", im.stretch);
      return "~" + RectColumns(im.placed) + "," + s + "," + std::to_string(im.mask);
    }
    case Kind::Own:
      return "!BUTTONHUGE.BMP!" + std::to_string(im.count) + "!" + std::to_string(im.mask) + "!0!" +
             std::to_string(im.wl) + "!" + std::to_string(im.wt) + "!" + std::to_string(im.wr) + "!" +
             std::to_string(im.wb);
  }
  return {};
}

std::string Gradient(TColor a, TColor b, int split, int mode = 0) {
  const auto n = [](TColor c) { return std::to_string(c); };
  return n(a) + ";" + n(b) + ";" + std::to_string(split) + ";" + std::to_string(mode) + ";0;" + n(b) + ";" + n(a) +
         ";" + std::to_string(100 - split) + ";" + std::to_string(mode) + ";0";
}

struct Section {
  std::map<std::string, std::string> keys;
};

// The general data of one section, from the theme.
std::vector<std::pair<std::string, std::string>> GeneralData(const Theme& th, const std::string& s, bool office) {
  const auto n = [](auto v) { return std::to_string(v); };
  const bool buttonLike = s.find("BUTTON") != std::string::npos || s == "ROUNDTBN" || s.rfind("SCROLLBTN", 0) == 0 ||
                          s.rfind("SCROLLSLIDER", 0) == 0 || s.rfind("TAB", 0) == 0 || s == "MENUITEM";
  const bool editLike = s.find("EDIT") != std::string::npos || s.find("COMBOBOX") != std::string::npos || s == "HINT";
  const bool formLike = s == "FORM" || s == "DIALOG" || s == "GLOBALINFO" || s == "MDIAREA";
  TColor color = editLike ? th.edit : formLike ? th.window : buttonLike ? th.normal.bottom : th.panel;
  TColor hot = buttonLike ? th.hot.bottom : color;
  std::string grad = " ", hotGrad = " ";
  int gp = 0, hgp = 0;
  std::string font = n(th.text) + " -1 -1 -1 -1", hotFont = n(th.hotText) + " -1 -1 -1 -1";
  bool fading = false;
  int fadeIn = 5, fadeOut = 5, fadeIter = 5;
  if (buttonLike) {
    grad = Gradient(th.normal.top, th.normal.bottom, 50);
    hotGrad = Gradient(th.hot.top, th.hot.bottom, 50);
    gp = hgp = 100;
    fading = true;
    fadeIn = 30;
  }
  if (s == "FORMTITLE" || s == "BARTITLE") {
    font = n(th.titleText) + " -1 -1 -1 -1";
    grad = Gradient(th.title.top, th.title.bottom, 50);
    gp = 100;
  }
  if (office) {
    // The rows this skin is known by.
    if (s == "FORM")
      color = 0xFFFFFF, gp = 100, grad = "14996948;16250871;52;1;0;16250871;14996948;48;1;0;14996948;14996948;0;1;0";
    if (s == "FORMTITLE")
      color = 0xFFFFFF, gp = 100, font = "8421504 -1 -1 -1 -1",
      grad = "16770273;16777215;49;1;0;16777215;16770273;51;1;0;16770273;16770273;0;1;0";
    if (s == "PANEL")
      color = 14215660, gp = 100,
      grad =
          "16776182;14930127;50;0;0;14930127;13940918;6;0;0;13940918;15126980;45;0;0;"
          "15126980;15126980;0;0;0";
    if (s == "BUTTON")
      color = 15724527, gp = 100, fading = true, fadeIn = 30, fadeOut = 5, fadeIter = 5,
      grad =
          "16382717;16382717;40;0;0;16382717;15194065;18;0;0;15194065;15194065;42;0;0;"
          "15194065;15194065;0;0;0";
    if (s == "EDIT") color = 16776441, gp = 0, grad = " ";
  }
  std::vector<std::pair<std::string, std::string>> k;
  if (s == "TOOLBUTTON") k.push_back({"PARENTCLASS", "SPEEDBUTTON"});
  if (s == "COMBOBTN" || s == "ALPHACOMBOBOX") k.push_back({"PARENTCLASS", "COMBOBOX"});
  if (s == "ALPHAEDIT") k.push_back({"PARENTCLASS", "EDIT"});
  k.insert(k.end(), {{"COLOR", n(color)},
                     {"BEVEL", "0"},
                     {"SHADOWBLUR", "3"},
                     {"SHADOWOFFSET", "1"},
                     {"SHADOWCOLOR", "0"},
                     {"SHADOWTRANSPARENCY", "50"},
                     {"SHADOWENABLED", "FALSE"},
                     {"RESERVEDBOOLEAN", formLike && s != "GLOBALINFO" ? "TRUE" : "FALSE"}});
  const auto split = [&](const std::string& prefix, const std::string& text) {
    std::vector<std::string> w;
    size_t p = 0;
    while (p <= text.size()) {
      const size_t e = text.find(' ', p);
      w.push_back(text.substr(p, e == std::string::npos ? std::string::npos : e - p));
      if (e == std::string::npos) break;
      p = e + 1;
    }
    const char* names[] = {"FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM"};
    for (int i = 0; i < 5; ++i) k.push_back({prefix + (i == 0 ? names[0] : std::string(names[i])), w[i]});
  };
  split("", font);
  split("HOT", hotFont);
  k.insert(k.end(), {{"TRANSPARENCY", s == "CHECKBOX" || s == "RADIOBUTTON" || s == "GROUPBOX" || IsMenuItem(s) ? "100" : "0"},
                     {"GRADIENTPERCENT", n(gp)},
                     {"IMAGEPERCENT", "0"},
                     {"GRADIENTDATA", grad},
                     {"SHOWFOCUS", buttonLike ? "TRUE" : "FALSE"},
                     {"FADINGENABLED", fading ? "TRUE" : "FALSE"},
                     {"FADINGINTERVALIN", n(fadeIn)},
                     {"FADINGINTERVALOUT", n(fadeOut)},
                     {"FADINGITERATIONS", n(fadeIter)},
                     {"HOTCOLOR", n(hot)},
                     {"HOTTRANSPARENCY", "0"},
                     {"HOTBEVEL", "0"},
                     {"HOTGRADIENTPERCENT", n(hgp)},
                     {"HOTGRADIENTDATA", hotGrad},
                     {"HOTIMAGEPERCENT", "0"},
                     {"BORDERCOLOR1", n(th.normal.border)},
                     {"BORDERCOLOR2", n(th.normal.light)}});
  return k;
}

std::vector<std::string> SectionsOf(const Theme& th) {
  const std::vector<std::string> drop =
      th.extraSectionsToDrop == 1   ? std::vector<std::string>{"ALPHACOMBOBOX", "WEBBUTTON"}
      : th.extraSectionsToDrop == 2 ? std::vector<std::string>{"ALPHAEDIT", "CALCPANEL", "ROUNDTBN"}
                                    : std::vector<std::string>{"ALPHACOMBOBOX", "ALPHAEDIT", "CALCPANEL"};
  std::vector<std::string> out = {"GLOBALINFO"};
  for (const char* s : skin::kSkinSections)
    if (std::string(s) != "GLOBALINFO" && std::find(drop.begin(), drop.end(), s) == drop.end()) out.push_back(s);
  return out;
}

void WriteFile(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + p.string());
}

void WriteSkin(const Theme& th, const std::filesystem::path& root) {
  const bool office = std::string(th.name) == "Office12Style";
  std::vector<Image> images = ImagesOf(th, office);
  Canvas master(th.masterW, th.masterH);
  std::vector<uint8_t> used(static_cast<size_t>(th.masterW) * th.masterH, 0);
  for (Image& im : images) {
    if (im.kind == Kind::Own || im.fixed.Right == 0) continue;
    im.placed = im.fixed;
    if (std::string(im.section) != "EDIT") Mark(used, th.masterW, im.placed);
  }
  // Tallest first: the free space fills row by row with little waste.
  std::vector<Image*> order;
  for (Image& im : images) order.push_back(&im);
  std::stable_sort(order.begin(), order.end(),
                   [](const Image* a, const Image* b) { return a->sh * (a->mask + 1) > b->sh * (b->mask + 1); });
  for (Image* p : order) {
    Image& im = *p;
    if (im.kind == Kind::Own || im.fixed.Right != 0) continue;
    const int w = im.sw * im.count, h = im.sh * (im.mask + 1);
    if (!Place(used, th.masterW, th.masterH, w + 1, h + 1, im.placed))
      throw std::runtime_error(std::string(th.name) + ": no room for " + im.section + " " + im.role);
    im.placed.Right -= 1;
    im.placed.Bottom -= 1;
    Mark(used, th.masterW, {im.placed.Left, im.placed.Top, im.placed.Right + 1, im.placed.Bottom + 1});
  }
  for (const Image& im : images)
    // A fixed edit rectangle lies inside the form's picture, which draws it.
    if (im.kind != Kind::Own && !(office && std::string(im.section) == "EDIT"))
      DrawImage(master, th, im, im.placed.Left, im.placed.Top);
  const std::filesystem::path dir = root / th.name;
  std::filesystem::create_directories(dir);
  WriteFile(dir / "Master.bmp", skin::WriteBmp8(ToPalette(master)));
  for (const Image& im : images)
    if (im.kind == Kind::Own) {
      Canvas own(im.sw * im.count, im.sh * 2);
      Image big = im;
      DrawImage(own, th, big, 0, 0);
      WriteFile(dir / "BUTTONHUGE.BMP", skin::WriteBmp8(ToPalette(own)));
    }

  std::string ini = "; " + std::string(th.name) + ": generated by skingen\r\n";
  for (const std::string& s : SectionsOf(th)) {
    ini += "[" + s + "]\r\n";
    if (s == "GLOBALINFO") {
      ini += "VERSION=4.81\r\nAUTHOR=" + std::string(th.author) + "\r\nDESCRIPTION=" + th.description +
             "\r\nSHADOW1COLOR=" + std::to_string(th.shadow1) +
             "\r\nSHADOW1OFFSET=1\r\nSHADOW1BLUR=" + std::to_string(th.shadow1Blur) +
             "\r\nSHADOW1TRANSPARENCY=50\r\nBORDERCOLOR=" + std::to_string(th.normal.border) +
             "\r\nMASTERBITMAP=Master.bmp\r\n";
    }
    // A value of one blank (no gradient) cannot survive INI trimming; the
    // key's default is that blank.
    for (const auto& [key, value] : GeneralData(th, s, office))
      if (value != " ") ini += key + "=" + value + "\r\n";
    for (const Image& im : images)
      if (im.section == s) ini += std::string(im.role) + "=" + ImageValue(im) + "\r\n";
  }
  ini += "[]\r\n";
  WriteFile(dir / "Options.dat", ini);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: skingen OUTPUT_FOLDER\n");
    return 2;
  }
  try {
    for (const Theme& th : kThemes) WriteSkin(th, argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skingen: %s\n", e.what());
    return 1;
  }
  return 0;
}
