// The skinned bitmap button ("BUTTON"): its glyph and caption are placed
// together and drawn over the section. Unskinned it is the plain
// owner-drawn glyph button.
#pragma once

#include "skin/sButtonLayout.h"
#include "skin/sButtonSkin.h"
#include "skin/sCommonData.h"
#include "skin/sGraphUtils.h"
#include "skin/sImageGlyph.h"
#include "toolkit/Buttons.h"

namespace skin {

class TsBitBtn : public TsListGlyphButton<tk::TBitBtn> {
public:
  explicit TsBitBtn(tk::TComponent* owner);
  const char* ClassName() const override { return "TsBitBtn"; }

  TsCommonData SkinData{this, true};
  TsButtonSkin Skin{*this, SkinData, &PaintContent};
  int32_t Blend = 0;  // 0..100
  bool Grayed = false;
  bool ShowCaption = true;
  tk::TAlignment Alignment = tk::TAlignment::taCenter;
  // How the caption's lines are aligned within its rectangle.
  tk::TAlignment TextAlignment = tk::TAlignment::taCenter;
  // Moves the caption right by this many pixels.
  int32_t TextOffset = 0;
  void SetBlend(int32_t value);

  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  void Loaded() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // Top-left of the glyph for a state (moved by one pixel when pressed).
  TPoint GlyphPos(int32_t textWidth, int32_t textHeight, int32_t state) const;
  // Where the caption goes for a state, by the button layout rule.
  RECT CaptionRect(int32_t state) const;

protected:
  void ListChanged() override;

private:
  static void PaintContent(tk::TButton& button, TsBitmap24& cache, int32_t state);
  TsButtonBox Box(int32_t textWidth, int32_t textHeight) const;
  UINT TextFlags() const;
};

}  // namespace skin
