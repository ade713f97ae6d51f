// The caption label an edit carries (BoundLabel): while Active it owns a
// TsEditLabel on the edit's parent, placed left of or above the edit and
// following its moves, visibility and enabled state (the edit forwards
// them through ControlChanged).
#pragma once

#include <memory>
#include <string>

#include "skin/sLabel.h"

namespace skin {

enum class TsCaptionLayout : uint8_t { sclLeft, sclTopLeft, sclTopCenter, sclTopRight };

class TsBoundLabel {
public:
  explicit TsBoundLabel(tk::TWinControl& control) : control_(control) {}
  ~TsBoundLabel();
  TsBoundLabel(const TsBoundLabel&) = delete;
  TsBoundLabel& operator=(const TsBoundLabel&) = delete;

  bool Active() const { return label_ != nullptr || pendingActive_; }
  void SetActive(bool value);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  int Indent() const { return indent_; }
  void SetIndent(int value);
  TsCaptionLayout Layout() const { return layout_; }
  void SetLayout(TsCaptionLayout value);
  int MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int value);
  // The label's font, or the bound label's own while no label exists.
  tk::TFont& Font() { return label_ ? label_->Font() : font_; }
  bool UseSkinColor() const { return label_ ? label_->UseSkinColor : true; }
  void SetUseSkinColor(bool value) {
    if (label_) label_->UseSkinColor = value;
  }
  TsEditLabel* Label() const { return label_; }

  // The edit moved, was resized, shown, hidden, enabled or disabled.
  void ControlChanged();
  // The edit's layout is complete: an Active stored in it takes effect.
  void ControlLoaded();
  // "Active", "Caption", ... relative to BoundLabel.
  bool SetProperty(const std::string& name, const tpf0::Value& value);
  // The label is being destroyed by someone else.
  void LabelDestroyed() { label_ = nullptr; }

private:
  void Create();
  void Place();
  tk::TWinControl& control_;
  TsEditLabel* label_ = nullptr;  // owned by the control as a component
  bool pendingActive_ = false;
  std::string caption_;
  int indent_ = 0, maxWidth_ = 0;
  TsCaptionLayout layout_ = TsCaptionLayout::sclLeft;
  tk::TFont font_;
};

}  // namespace skin
