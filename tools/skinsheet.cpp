// skinsheet: a contact sheet comparing skins. Every section of the skins is
// painted as a control by the skin painters, one row per section, in each
// state (normal, hot, pressed, disabled), the skins side by side, each on a
// strip painted with its PANEL section like the control's parent. Sections a
// skin lacks say "(NONE)".
//   skinsheet SKINS_FOLDER OUTPUT.bmp SKIN_NAME...
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "skin/sAlphaGraph.h"
#include "skin/sGraphUtils.h"
#include "skin/sSkinLoader.h"
#include "toolkit/SysUtils.h"
#include "tools/skinsheetFont.h"

namespace {

using skin::TColor;
using skin::TsBitmap24;
using skin::TsSkinTables;

constexpr int32_t kCellW = 88, kCellH = 30, kGap = 6, kNameW = 140, kHeadH = 34, kScale = 2;
const char* const kStates[] = {"NORMAL", "HOT", "PRESSED", "DISABLED"};
constexpr int32_t kStateCount = 4;
constexpr int32_t kGroupW = kStateCount * (kCellW + kGap) + kGap;
constexpr int32_t kRowH = kCellH + 2 * kGap;
constexpr TColor kSheet = 0xF0F0F0, kInk = 0x202020;

void Put(std::string& out, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string Bmp24(const TsBitmap24& b) {
  const uint32_t size = static_cast<uint32_t>(b.Stride()) * b.Height();
  std::string out = "BM";
  for (uint32_t v : {54 + size, 0u, 54u, 40u, static_cast<uint32_t>(b.Width())}) Put(out, v, 4);
  Put(out, static_cast<uint32_t>(-b.Height()), 4);  // top-down rows
  Put(out, 1, 2);
  Put(out, 24, 2);
  for (uint32_t v : {0u, size, 2835u, 2835u, 0u, 0u}) Put(out, v, 4);
  out.append(reinterpret_cast<const char*>(b.Bits()), size);
  return out;
}

// Panels paint their sections without the border image's middle; every
// other control fills its face with it.
bool PaintsAsPanel(const std::string& section) { return section == "PANEL" || section == "PANEL_LOW"; }

// One row of one skin: a strip painted as the controls' parent, and the
// section painted over it as a control in each state.
TsBitmap24 Row(const TsSkinTables& t, const std::string& name) {
  TsBitmap24 strip(kGroupW, kRowH);
  const int32_t panel = t.GetSkinIndex("PANEL");
  skin::FillRect24(strip, {0, 0, kGroupW, kRowH}, panel >= 0 ? t.gd[panel].Color : kSheet);
  skin::PaintSkinSection(strip, t, panel, {}, -1, -1, {0, 0}, {0, 0, kGroupW, kRowH}, 0, false);
  const int32_t section = t.GetSkinIndex(name);
  if (!t.ValidSection(section)) {
    skinsheet::DrawLabel(strip, kGap, (kRowH - skinsheet::kGlyphHeight * kScale) / 2, "(NONE)", kInk, kScale);
    return strip;
  }
  const skin::TCacheInfo parent{&strip, 0, 0, true};
  for (int32_t s = 0; s < kStateCount; ++s) {
    const bool disabled = s == kStateCount - 1;
    const skin::TPoint pos{kGap + s * (kCellW + kGap), kGap};
    TsBitmap24 control(kCellW, kCellH);
    const skin::TRect all{0, 0, kCellW, kCellH};
    skin::PaintSkinSection(control, t, section, parent, -1, -1, pos, all, disabled ? 0 : s, !PaintsAsPanel(name));
    skin::PaintCornerImages(control, t, section, all, disabled ? 0 : s);
    if (disabled) skin::PaintDisabled(control, skin::dkBlended, parent, pos.X, pos.Y, t.gd[section].Color);
    skin::CopyRect(strip, control, pos.X, pos.Y, all);
  }
  return strip;
}

// Every section name of the skins once, in the order they first appear.
std::vector<std::string> SectionNames(const std::vector<TsSkinTables>& skins) {
  std::vector<std::string> names;
  for (const TsSkinTables& t : skins)
    for (const skin::TsGeneralData& g : t.gd)
      if (!g.SectionName.empty() && g.SectionName != "GLOBALINFO" &&
          std::find(names.begin(), names.end(), g.SectionName) == names.end())
        names.push_back(g.SectionName);
  return names;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: skinsheet SKINS_FOLDER OUTPUT.bmp SKIN_NAME...\n");
    return 2;
  }
  try {
    std::vector<std::string> skinNames(argv + 3, argv + argc);
    std::vector<TsSkinTables> skins(skinNames.size());
    for (size_t i = 0; i < skins.size(); ++i) {
      skin::TsSkinLoadRequest r;
      r.SkinDirectory = std::string(argv[1]) + "/";
      r.SkinName = skinNames[i];
      if (skin::LoadSkinTables(r, skin::TsSkinFiles(), skins[i]) != skin::TsSkinSource::External) {
        std::fprintf(stderr, "skinsheet: no skin folder %s in %s\n", skinNames[i].c_str(), argv[1]);
        return 1;
      }
    }
    const std::vector<std::string> names = SectionNames(skins);
    const int32_t width = kNameW + static_cast<int32_t>(skins.size()) * (kGroupW + kGap);
    TsBitmap24 sheet(width, kHeadH + static_cast<int32_t>(names.size()) * (kRowH + kGap / 2));
    skin::FillRect24(sheet, {0, 0, sheet.Width(), sheet.Height()}, kSheet);
    for (size_t k = 0; k < skins.size(); ++k) {
      const int32_t x = kNameW + static_cast<int32_t>(k) * (kGroupW + kGap);
      skinsheet::DrawLabel(sheet, x + kGap, 4, skinNames[k], kInk, kScale);
      for (int32_t s = 0; s < kStateCount; ++s)
        skinsheet::DrawLabel(sheet, x + kGap + s * (kCellW + kGap), 20, kStates[s], kInk, kScale);
    }
    for (size_t row = 0; row < names.size(); ++row) {
      const int32_t y = kHeadH + static_cast<int32_t>(row) * (kRowH + kGap / 2);
      skinsheet::DrawLabel(sheet, 6, y + (kRowH - skinsheet::kGlyphHeight * kScale) / 2, names[row], kInk, kScale);
      for (size_t k = 0; k < skins.size(); ++k) {
        const TsBitmap24 strip = Row(skins[k], names[row]);
        skin::CopyRect(sheet, strip, kNameW + static_cast<int32_t>(k) * (kGroupW + kGap), y, {0, 0, kGroupW, kRowH});
      }
    }
    std::ofstream(argv[2], std::ios::binary) << Bmp24(sheet);
  } catch (const tk::Exception& e) {
    std::fprintf(stderr, "skinsheet: %s\n", e.Message().c_str());
    return 1;
  }
  return 0;
}
