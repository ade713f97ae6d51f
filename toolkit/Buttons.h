// A push button with a glyph: the glyph's bottom-left colour is transparent.
#pragma once

#include "toolkit/Graphics.h"
#include "toolkit/StdCtrls.h"

namespace tk {

enum class TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TBitBtn : public TButton {
public:
  explicit TBitBtn(TComponent* owner);
  const char* ClassName() const override { return "TBitBtn"; }

  TBitmap Glyph;
  int NumGlyphs = 1;
  int Spacing = 4;
  int Margin = -1;
  TButtonLayout Layout = TButtonLayout::blGlyphLeft;
  bool ShowFocus = true;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;

protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT CNDrawItem(DRAWITEMSTRUCT* dis) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace tk
