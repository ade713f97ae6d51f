// The skinned bitmap button ("BUTTON"): its glyph and caption are placed
// together and drawn over the section. Unskinned it is the plain
// owner-drawn glyph button.
#pragma once

#include "skin/sButtonSkin.h"
#include "skin/sCommonData.h"
#include "skin/sGraphUtils.h"
#include "skin/sImageGlyph.h"
#include "toolkit/Buttons.h"

namespace skin {

class TsBitBtn : public tk::TBitBtn {
public:
  explicit TsBitBtn(tk::TComponent* owner);
  const char* ClassName() const override { return "TsBitBtn"; }

  TsCommonData SkinData{this, true};
  TsButtonSkin Skin{*this, SkinData, &PaintContent};
  int32_t Blend = 0;  // 0..100
  uint8_t DisabledGlyphKind = dgBlended;
  bool Grayed = false;
  bool ShowCaption = true;
  tk::TAlignment Alignment = tk::TAlignment::taCenter;
  void SetBlend(int32_t value);
  void SetDisabledGlyphKind(uint8_t value);
  // The glyph taken from an image list while Glyph is empty.
  tk::TImageList* Images() const { return list_.Images; }
  int32_t ImageIndex() const { return list_.ImageIndex; }
  void SetImages(tk::TImageList* value);
  void SetImageIndex(int32_t value);

  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  void Loaded() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // Top-left of the glyph for a state (moved by one pixel when pressed).
  TPoint GlyphPos(int32_t textWidth, int32_t textHeight, int32_t state) const;

protected:
  void Notification(tk::TComponent* removed) override;

private:
  void ListChanged();
  TsListGlyph list_;
  static void PaintContent(tk::TButton& button, TsBitmap24& cache, int32_t state);
};

}  // namespace skin
