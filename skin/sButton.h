// The skinned push button ("BUTTON"): its caption is centred and written
// with the section's colours; a focused button shows a dotted frame around
// it. Unskinned it is the plain system button.
#pragma once

#include "skin/sButtonSkin.h"
#include "skin/sCommonData.h"
#include "toolkit/StdCtrls.h"

namespace skin {

class TsButton : public tk::TButton {
public:
  explicit TsButton(tk::TComponent* owner);
  const char* ClassName() const override { return "TsButton"; }

  TsCommonData SkinData{this, true};
  TsButtonSkin Skin{*this, SkinData, &PaintCaption};

  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  void Loaded() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // The caption rectangle for a state (moved by one pixel when pressed).
  RECT CaptionRect(HDC dc, int32_t state) const;

private:
  static void PaintCaption(tk::TButton& button, TsBitmap24& cache, int32_t state);
};

// Stored sets of fading events and of disabled looks.
TorvAnimatEvents ValueToAnimatEvents(const std::string& name, const tpf0::Value& value);
uint8_t ValueToDisabledKind(const std::string& name, const tpf0::Value& value);

// The buttons' own published properties, shared by TsButton and TsBitBtn.
bool SetButtonSkinProperty(TsButtonSkin& skin, const std::string& name, const tpf0::Value& value);

}  // namespace skin
