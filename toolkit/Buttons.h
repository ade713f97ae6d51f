// Buttons with glyphs: a push button, and a tool button without a window.
// A glyph's bottom-left colour is transparent.
#pragma once

#include "toolkit/Graphics.h"
#include "toolkit/StdCtrls.h"

namespace tk {

enum class TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The glyph properties both buttons have.
struct TButtonGlyph {
  TBitmap Glyph;
  int NumGlyphs = 1;  // kept within 1..4
  int Spacing = 4;
  int Margin = -1;
  TButtonLayout Layout = TButtonLayout::blGlyphLeft;
  // The stored ones (Glyph.Data, NumGlyphs, Spacing, Margin, Layout); false for other names.
  bool SetGlyphProperty(const std::string& name, const tpf0::Value& value);
};

class TBitBtn : public TButton, public TButtonGlyph {
public:
  explicit TBitBtn(TComponent* owner);
  const char* ClassName() const override { return "TBitBtn"; }

  bool ShowFocus = true;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;

protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT CNDrawItem(DRAWITEMSTRUCT* dis) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

enum class TButtonState : uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };

// A tool button painted by its parent. Pressed while the left button is
// held over it, it clicks when released over it. With a GroupIndex it
// stays Down after a click, and making one button of a group Down lets
// the others of the same parent up; a Down button comes up by a click
// only when AllowAllUp.
class TSpeedButton : public TGraphicControl, public TButtonGlyph {
public:
  explicit TSpeedButton(TComponent* owner);
  const char* ClassName() const override { return "TSpeedButton"; }

  bool Flat = false;
  int GroupIndex = 0;
  bool AllowAllUp = false;
  bool Down() const { return down_; }
  virtual void SetDown(bool down);
  TButtonState State() const { return state_; }
  bool MouseInControl() const { return mouseIn_; }

  void SetEnabled(bool enabled) override;
  void Paint(HDC dc) override;
  LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  void Loaded() override;

protected:
  void SetState(TButtonState state);

private:
  void LetGroupUp();
  TButtonState state_ = TButtonState::bsUp;
  bool down_ = false, dragging_ = false, mouseIn_ = false;
};

}  // namespace tk
