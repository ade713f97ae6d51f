// Skinned labels. They have no section and no cache: they paint on their
// parent like plain labels and take their colours from the active skin's
// "GLOBALINFO" section. TsLabelFX adds a blurred drop shadow, TsStickyLabel
// keeps itself beside a control, TsEditLabel is the caption a bound label
// shows beside its edit.
#pragma once

#include "toolkit/StdCtrls.h"

namespace skin {

class TsSkinManager;
class TsBoundLabel;

// The default manager while it shows a skin; otherwise nullptr.
TsSkinManager* ActiveDefaultManager();

class TsCustomLabel : public tk::TLabel {
public:
  explicit TsCustomLabel(tk::TComponent* owner);
  const char* ClassName() const override { return "TsCustomLabel"; }

  tk::TNotifyEvent OnMouseEnter, OnMouseLeave;

  void Paint(HDC dc) override;
  LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void FontChanged() override;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;

protected:
  // Whether the label's font colour follows the skin.
  virtual bool FollowsSkinColor() const { return true; }
  // A disabled label on a skin: the text in 40 % font and 60 % parent colour.
  void DoDrawText(HDC dc, RECT& r, UINT flags) override;
};

class TsLabel : public TsCustomLabel {
public:
  using TsCustomLabel::TsCustomLabel;
  const char* ClassName() const override { return "TsLabel"; }
  bool UseSkinColor = true;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;

protected:
  bool FollowsSkinColor() const override { return UseSkinColor; }
};

// The caption label a bound label owns; it tells the bound label when it goes.
class TsEditLabel : public TsLabel {
public:
  explicit TsEditLabel(tk::TComponent* owner, TsBoundLabel* boundLabel = nullptr)
      : TsLabel(owner), boundLabel_(boundLabel) {}
  ~TsEditLabel() override;
  const char* ClassName() const override { return "TsEditLabel"; }
  void Unbind() { boundLabel_ = nullptr; }

private:
  TsBoundLabel* boundLabel_;
};

}  // namespace skin
