// The combo edit: a skinned one-line edit with a glyph button inside its
// right edge (TsEditButton). The text never runs under the button; Alt+Down
// (ClickKey) clicks it. It stays one line: characters below 32 never enter
// its text, so a pasted CR LF cannot break a path, and Enter reaches the
// form's default button.
#pragma once

#include <functional>

#include "skin/sBitmap24.h"
#include "skin/sMaskEdit.h"

namespace skin {

class TsCustomComboEdit;

// The glyph settings of the edit button.
struct TsGlyphMode {
  bool UseDefaultGlyph = true;
  bool Grayed = false;  // grey while the edit is inactive
  int Blend = 0;        // percent blended with the background while inactive
};

class TsEditButton : public tk::TWinControl {
public:
  TsEditButton(tk::TComponent* owner, TsCustomComboEdit& edit);
  const char* ClassName() const override { return "TsEditButton"; }
  bool Hot() const { return hot_; }
  bool Pressed() const { return pressed_; }
  // The frame of the glyph it shows now: 0 normal, 1 hot, 2 pressed.
  int FrameIndex() const { return pressed_ ? 2 : hot_ ? 1 : 0; }
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void CreateParams(tk::TCreateParams& params) override;
  bool PaintWindow(HDC dc) override;

private:
  void SetHot(bool value);
  void SetPressed(bool value);
  TsCustomComboEdit& edit_;
  bool hot_ = false, pressed_ = false;
};

class TsCustomComboEdit : public TsMaskEdit {
public:
  explicit TsCustomComboEdit(tk::TComponent* owner);
  const char* ClassName() const override { return "TsCustomComboEdit"; }

  static constexpr int kButtonWidth = 22;
  static constexpr int kDefaultClickKey = 0x8000 | VK_DOWN;  // scAlt + Down: 32808

  TsGlyphMode GlyphMode;
  bool ShowButton = true;
  int ClickKey = kDefaultClickKey;
  tk::TNotifyEvent OnButtonClick;
  TsEditButton& Button() { return *button_; }

  bool DirectInput() const { return directInput_; }
  void SetDirectInput(bool value);
  bool ReadOnly() const { return comboReadOnly_; }
  void SetReadOnly(bool value) override;
  void SetText(const std::string& text);

  // What a click on the button does (nothing while read-only).
  virtual void ButtonClick();
  // The glyph bitmap: three frames of colour over mask; empty for none.
  virtual const TsBitmap24& Glyph() const;
  // Paints the button at (x, y) of dc: the edit's picture under it, or the
  // flat system button unskinned, and the glyph frame through its mask.
  void PaintButton(HDC dc, int x, int y, int w, int h);

  bool EditActive() const override;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void CreateWnd() override;
  int RightStrip() const override { return 3; }

private:
  void PlaceButton();
  void PasteOneLine();
  TsEditButton* button_;
  bool directInput_ = true, comboReadOnly_ = false;
};

}  // namespace skin
