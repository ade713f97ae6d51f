// Skinned labels on the main window: the effect label's shadow against an
// independent run of the blur on the text mask GDI produced, its margins,
// disabled looks, the sticky label and its control moving each other.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "skin/sLabelFX.h"
#include "skin/sMaskEdit.h"
#include "skin/sStickyLabel.h"
#include "tests/app/MainFormFixture.h"
#include "toolkit/Graphics.h"

namespace {

// A label painted alone into a 32-bit bitmap of its size.
std::vector<COLORREF> PaintAlone(tk::TGraphicControl& label) {
  tk::TBitmap bmp(label.Width(), label.Height(), 32);
  label.Paint(bmp.Canvas());
  GdiFlush();
  std::vector<COLORREF> px;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) {
      const uint8_t* p = bmp.ScanLine(y) + x * 4;
      px.push_back(RGB(p[2], p[1], p[0]));
    }
  return px;
}

// The text in white on black as GDI draws it: 1 where the blue byte is set.
std::vector<uint8_t> TextMask(const tk::TFont& font, const std::wstring& text, int w, int h, RECT r) {
  tk::TBitmap bmp(w, h, 32);
  const base::Selection selected(bmp.Canvas(), font.Handle());
  SetBkMode(bmp.Canvas(), TRANSPARENT);
  SetTextColor(bmp.Canvas(), RGB(255, 255, 255));
  DrawTextW(bmp.Canvas(), text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_SINGLELINE);
  GdiFlush();
  std::vector<uint8_t> mask;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) mask.push_back(bmp.ScanLine(y)[x * 4] != 0);
  return mask;
}

// The blur written out plainly over a frame of zeros: each pass sets text
// cells to 255, then replaces every inner cell in reading order by the
// integer mean of its four neighbours as they stand at that moment.
std::vector<int> ReferenceBlur(const std::vector<uint8_t>& mask, int w, int h, int passes) {
  const int W = w + 2;
  std::vector<int> a(static_cast<size_t>(W) * (h + 2), 0);
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (mask[y * w + x]) a[(y + 1) * W + x + 1] = 255;
    for (int y = 1; y <= h; ++y)
      for (int x = 1; x <= w; ++x)
        a[y * W + x] = (a[(y - 1) * W + x] + a[(y + 1) * W + x] + a[y * W + x - 1] + a[y * W + x + 1]) / 4;
  }
  std::vector<int> out;
  for (int y = 1; y <= h; ++y)
    for (int x = 1; x <= w; ++x) out.push_back(a[y * W + x]);
  return out;
}

class LabelsTest : public testing::Test, protected MainFormFixture {
protected:
  static void SetUpTestSuite() { RegisterClasses(); }
  void SetUp() override { ShowForm(); }
  void TearDown() override { delete app_; }

  skin::TsLabelFX* OpaqueLabel(COLORREF back) {
    auto* l = new skin::TsLabelFX(form_);
    l->Font().Name = "Arial";
    l->Font().Height = -16;
    l->Transparent = false;
    l->SetColor(back);
    l->SetParent(form_->sPanel2);
    l->SetCaption("A1F3");
    return l;
  }
};

TEST_F(LabelsTest, ShadowPixelsMatchTheBlurOfTheTextMask) {
  const COLORREF back = RGB(200, 220, 240);
  struct Case {
    tk::TColor shadow;
    int blur, distance;
  } cases[] = {{tk::clBlack, 4, 1}, {RGB(0, 0, 255), 2, 3}, {RGB(40, 80, 0), 6, -2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.blur);
    skin::TsLabelFX* l = OpaqueLabel(back);
    l->Kind.SetKindType(skin::TsKindType::ktCustom);
    l->Kind.SetColor(RGB(255, 255, 0));
    l->Shadow.SetColor(c.shadow);
    l->Shadow.SetBlurCount(c.blur);
    l->Shadow.SetDistance(c.distance);
    l->AdjustBounds();
    const int m1 = std::min(0, c.distance - c.blur), m2 = std::max(0, c.distance + c.blur);
    const int w = l->Width(), h = l->Height();
    const RECT text = {-m1, -m1, w - m2, h - m2};
    RECT shifted = text;
    OffsetRect(&shifted, c.distance, c.distance);
    const std::vector<uint8_t> shadowMask = TextMask(l->Font(), L"A1F3", w, h, shifted);
    const std::vector<uint8_t> textMask = TextMask(l->Font(), L"A1F3", w, h, text);
    const std::vector<int> alpha = ReferenceBlur(shadowMask, w, h, c.blur);
    const std::vector<COLORREF> got = PaintAlone(*l);
    const COLORREF s = tk::ColorToRGB(c.shadow);
    int checked = 0, shaded = 0;
    for (int i = 0; i < w * h; ++i) {
      if (textMask[i]) {
        EXPECT_EQ(got[i], RGB(255, 255, 0)) << "text pixel " << i % w << "," << i / w;
        continue;
      }
      const int a = alpha[i];
      auto mix = [a](int sc, int bc) { return (a * sc + (255 - a) * bc) / 256; };
      const COLORREF want = RGB(mix(GetRValue(s), GetRValue(back)), mix(GetGValue(s), GetGValue(back)),
                                mix(GetBValue(s), GetBValue(back)));
      ASSERT_EQ(got[i], want) << "pixel " << i % w << "," << i / w << " strength " << a;
      ++checked;
      shaded += a > 0;
    }
    EXPECT_GT(shaded, 20);
    EXPECT_GT(checked, shaded);
    delete l;
  }
}

TEST_F(LabelsTest, DefaultLabelGrowsByItsShadowMarginsAndWithoutShadowDrawsPlainText) {
  skin::TsLabelFX* l = OpaqueLabel(RGB(255, 255, 255));
  l->Shadow.SetBlurCount(0);
  l->AdjustBounds();
  const int plainW = l->Width(), plainH = l->Height();
  l->Shadow.SetBlurCount(4);  // the default: distance 1, margins -3 and 5
  l->AdjustBounds();
  EXPECT_EQ(l->Width(), plainW + 8);
  EXPECT_EQ(l->Height(), plainH + 8);
  EXPECT_EQ(l->Margins().Before, -3);
  EXPECT_EQ(l->Margins().After, 5);
  // No shadow colour: plain text in the Kind colour over the label's colour.
  l->Shadow.SetColor(tk::clNone);
  l->Kind.SetKindType(skin::TsKindType::ktCustom);
  l->Kind.SetColor(RGB(0, 0, 255));
  for (COLORREF c : PaintAlone(*l)) EXPECT_TRUE(c == RGB(255, 255, 255) || c == RGB(0, 0, 255)) << std::hex << c;
}

TEST_F(LabelsTest, DisabledLooks) {
  // The effect label embosses: highlight one pixel down-right, shadow colour in place.
  skin::TsLabelFX* fx = OpaqueLabel(RGB(255, 255, 255));
  fx->SetEnabled(false);
  std::vector<COLORREF> px = PaintAlone(*fx);
  const COLORREF hi = GetSysColor(COLOR_BTNHIGHLIGHT), lo = GetSysColor(COLOR_BTNSHADOW);
  bool sawLo = false;
  for (COLORREF c : px) {
    EXPECT_TRUE(c == RGB(255, 255, 255) || c == hi || c == lo) << std::hex << c;
    sawLo |= c == lo;
  }
  EXPECT_TRUE(sawLo);
  // A plain skinned label: 40 % font colour, 60 % the parent's colour.
  auto* l = new skin::TsLabel(form_);
  l->UseSkinColor = false;
  l->Font().Color = RGB(0, 0, 0);
  l->Transparent = false;
  l->SetColor(RGB(255, 255, 255));
  l->SetParent(form_->sPanel2);
  l->SetCaption("Disabled");
  l->SetEnabled(false);
  const COLORREF parent = skin::AskColor(form_->sPanel2);
  const COLORREF want = RGB((GetRValue(parent) * 6 + 5) / 10, (GetGValue(parent) * 6 + 5) / 10,
                            (GetBValue(parent) * 6 + 5) / 10);
  bool sawText = false;
  for (COLORREF c : PaintAlone(*l)) {
    EXPECT_TRUE(c == RGB(255, 255, 255) || c == want) << std::hex << c << " want " << want;
    sawText |= c == want;
  }
  EXPECT_TRUE(sawText);
}

TEST_F(LabelsTest, EmptyLabelsDrawNothing) {
  skin::TsLabelFX* l = OpaqueLabel(RGB(255, 255, 255));
  l->AutoSize = false;
  for (SIZE s : {SIZE{0, 0}, SIZE{0, 20}, SIZE{20, 0}}) {
    l->SetBounds(0, 0, s.cx, s.cy);
    tk::TBitmap bmp(4, 4, 32);
    EXPECT_NO_THROW(l->Paint(bmp.Canvas()));
  }
}

TEST_F(LabelsTest, StickyLabelAndItsControlMoveEachOther) {
  auto* edit = Place<tk::TEdit>(form_->sPanel2, {19, 40, 19 + 100, 40 + 21});
  auto* l = new skin::TsStickyLabel(form_);
  l->SetParent(form_->sPanel2);
  l->SetCaption("Select a file name");
  l->SetAlignTo(skin::TAlignTo::altTop);
  l->SetAttachTo(edit);
  app_->ProcessMessages();
  EXPECT_EQ(l->Left(), 19);
  EXPECT_EQ(l->Top() + l->Height() + 2, 40);
  // The label moved: the control follows to the opposite side.
  l->SetBounds(l->Left() + 10, l->Top(), l->Width(), l->Height());
  EXPECT_EQ(edit->Left(), 29);
  EXPECT_EQ(edit->Top(), 40);
  // The control moved by its window, as a user's drag would: the label follows.
  MoveWindow(edit->Handle(), 50, 60, 100, 21, TRUE);
  app_->ProcessMessages();
  EXPECT_EQ(edit->Left(), 50);
  EXPECT_EQ(l->Left(), 50);
  EXPECT_EQ(l->Top() + l->Height() + 2, 60);
  // Hidden and disabled with it.
  edit->SetEnabled(false);
  edit->SetVisible(false);
  EXPECT_FALSE(l->Enabled());
  EXPECT_FALSE(l->Visible());
  // Left side, then detached: the control moves alone.
  edit->SetVisible(true);
  l->SetAlignTo(skin::TAlignTo::altLeft);
  EXPECT_EQ(l->Left() + l->Width() + 2, 50);
  EXPECT_EQ(l->Top(), 60 + (21 - l->Height()) / 2);
  l->SetAttachTo(nullptr);
  const int left = l->Left();
  edit->SetBounds(200, 60, 100, 21);
  EXPECT_EQ(l->Left(), left);
  // Destroying the control first leaves the label detached, not dangling.
  l->SetAttachTo(edit);
  delete edit;
  EXPECT_EQ(l->AttachTo(), nullptr);
}

}  // namespace

namespace {

class BoundLabelTest : public testing::Test, protected MainFormFixture {
protected:
  static void SetUpTestSuite() { RegisterClasses(); }
  void SetUp() override { ShowForm(); }
  void TearDown() override { delete app_; }
};

TEST_F(BoundLabelTest, PlacedByLayoutAndFollowingItsEdit) {
  auto* edit = Place<skin::TsMaskEdit>(form_->sPanel2, {19, 40, 19 + 200, 40 + 21});
  edit->SetName("Probe");
  skin::TsBoundLabel& b = edit->BoundLabel;
  b.SetCaption("Select a file name");
  b.SetActive(true);
  skin::TsEditLabel* l = b.Label();
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->Name(), "ProbeLabel");
  EXPECT_EQ(l->FocusControl(), edit);
  const int w = l->Width(), h = l->Height();
  const struct {
    skin::TsCaptionLayout layout;
    int left, top;
  } cases[] = {
      {skin::TsCaptionLayout::sclLeft, 19 - w - 4, 40 + (21 - h) / 2 - 1},
      {skin::TsCaptionLayout::sclTopLeft, 19, 40 - h},
      {skin::TsCaptionLayout::sclTopCenter, 19 + (200 - w) / 2, 40 - h},
      {skin::TsCaptionLayout::sclTopRight, 219 - w, 40 - h},
  };
  for (const auto& c : cases) {
    b.SetLayout(c.layout);
    EXPECT_EQ(l->Left(), c.left);
    EXPECT_EQ(l->Top(), c.top);
  }
  // The edit moves, hides and is disabled: the label goes along.
  b.SetLayout(skin::TsCaptionLayout::sclTopLeft);
  edit->SetBounds(60, 70, 200, 21);
  app_->ProcessMessages();
  EXPECT_EQ(l->Left(), 60);
  EXPECT_EQ(l->Top(), 70 - h);
  edit->SetEnabled(false);
  edit->SetVisible(false);
  app_->ProcessMessages();
  EXPECT_FALSE(l->Enabled());
  EXPECT_FALSE(l->Visible());
  // Freed with Active off, and by the edit with it.
  b.SetActive(false);
  EXPECT_EQ(b.Label(), nullptr);
  b.SetActive(true);
  delete edit;
}

}  // namespace
