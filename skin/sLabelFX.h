// The effect label: its text over a blurred drop shadow (sLabelShadow),
// in a colour taken from the skin, from its own Kind or from its Color.
#pragma once

#include "skin/sLabel.h"
#include "skin/sLabelShadow.h"

namespace skin {

enum class TsShadowMode : uint8_t { smNone, smCustom, smSkin1 };
enum class TsKindType : uint8_t { ktStandard, ktCustom, ktSkin };

// Each setter stores a changed value and repaints the label.
class TsShadow {
public:
  explicit TsShadow(tk::TControl& label) : label_(label) {}
  TsShadowMode Mode() const { return mode_; }
  void SetMode(TsShadowMode v) { Change(mode_, v); }
  tk::TColor Color() const { return color_; }
  void SetColor(tk::TColor v) { Change(color_, v); }
  int32_t BlurCount() const { return blurCount_; }
  void SetBlurCount(int32_t v) { Change(blurCount_, v); }
  int32_t Distance() const { return distance_; }
  void SetDistance(int32_t v) { Change(distance_, v); }

private:
  template <class T>
  void Change(T& field, T value) {
    if (field == value) return;
    field = value;
    label_.Invalidate();
  }
  tk::TControl& label_;
  TsShadowMode mode_ = TsShadowMode::smCustom;
  tk::TColor color_ = tk::clBlack;
  int32_t blurCount_ = 4, distance_ = 1;
};

class TsKind {
public:
  explicit TsKind(tk::TControl& label) : label_(label) {}
  TsKindType KindType() const { return kindType_; }
  void SetKindType(TsKindType v) {
    if (v == kindType_) return;
    kindType_ = v;
    label_.Invalidate();
  }
  tk::TColor Color() const { return color_; }
  void SetColor(tk::TColor v) {
    if (v == color_) return;
    color_ = v;
    label_.Invalidate();
  }

private:
  tk::TControl& label_;
  TsKindType kindType_ = TsKindType::ktSkin;
  tk::TColor color_ = tk::clWhite;
};

class TsLabelFX : public TsCustomLabel {
public:
  explicit TsLabelFX(tk::TComponent* owner) : TsCustomLabel(owner) {}
  const char* ClassName() const override { return "TsLabelFX"; }

  TsShadow Shadow{*this};
  TsKind Kind{*this};

  // The colour the text is drawn in now (Kind, skin or Color).
  COLORREF TextColor() const;
  // The margins of the last measuring: the text sits -Before pixels in.
  TsShadowMargins Margins() const { return margins_; }

  bool SetProperty(const std::string& name, const tpf0::Value& value) override;

protected:
  void DoDrawText(HDC dc, RECT& r, UINT flags) override;

private:
  struct ShadowParams {
    bool hasColor;  // clNone: no shadow
    COLORREF color;
    int32_t blur, distance;
  };
  ShadowParams CurrentShadow() const;
  void PaintWithShadow(HDC dc, const RECT& r, UINT flags, const ShadowParams& shadow);
  TsShadowBlur blur_;
  TsShadowMargins margins_;
};

}  // namespace skin
