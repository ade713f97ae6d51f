#include "skin/sBoundLabel.h"

#include <algorithm>

#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"

namespace skin {

namespace {

TsCaptionLayout ValueToCaptionLayout(const std::string& prop, const tpf0::Value& v) {
  const std::string s = tk::ValueToIdent(prop, v);
  if (s == "sclLeft") return TsCaptionLayout::sclLeft;
  if (s == "sclTopLeft") return TsCaptionLayout::sclTopLeft;
  if (s == "sclTopCenter") return TsCaptionLayout::sclTopCenter;
  if (s == "sclTopRight") return TsCaptionLayout::sclTopRight;
  throw tk::EReadError("Invalid property value for " + prop + ": " + s);
}

tk::TAlignment AlignmentOf(TsCaptionLayout layout) {
  switch (layout) {
    case TsCaptionLayout::sclLeft:
    case TsCaptionLayout::sclTopRight:
      return tk::TAlignment::taRightJustify;
    case TsCaptionLayout::sclTopCenter:
      return tk::TAlignment::taCenter;
    case TsCaptionLayout::sclTopLeft:
      break;
  }
  return tk::TAlignment::taLeftJustify;
}

}  // namespace

TsBoundLabel::~TsBoundLabel() {
  if (label_) {
    label_->Unbind();
    delete label_;
  }
}

void TsBoundLabel::SetActive(bool value) {
  if (value == Active()) return;
  if (!value) {
    pendingActive_ = false;
    if (label_) {
      TsEditLabel* label = label_;
      label_ = nullptr;
      label->Unbind();
      delete label;
    }
    return;
  }
  // While the edit is read from its layout the label waits for the end of it.
  if (control_.Loading()) {
    pendingActive_ = true;
    return;
  }
  Create();
}

void TsBoundLabel::ControlLoaded() {
  if (!pendingActive_) return;
  pendingActive_ = false;
  Create();
}

void TsBoundLabel::Create() {
  label_ = new TsEditLabel(&control_, this);
  label_->SetVisible(false);
  label_->Font() = font_;
  label_->Alignment = AlignmentOf(layout_);
  label_->SetName(control_.Name() + "Label");
  label_->SetFocusControl(&control_);
  label_->SetParent(control_.Parent());
  label_->SetCaption(caption_.empty() ? control_.Name() : caption_);
  label_->SetEnabled(control_.Enabled());
  label_->SetVisible(control_.Visible());
  Place();
}

void TsBoundLabel::Place() {
  if (!label_ || !label_->Visible()) return;
  TsEditLabel& l = *label_;
  l.AutoSize = true;
  l.AdjustBounds();
  const RECT c = control_.BoundsRect();
  const int cw = c.right - c.left, ch = c.bottom - c.top;
  int left = c.left, top = c.top - l.Height() - indent_;
  switch (layout_) {
    case TsCaptionLayout::sclLeft:
      left = c.left - l.Width() - indent_ - 4;
      top = c.top + (ch - l.Height()) / 2 - 1;
      break;
    case TsCaptionLayout::sclTopCenter:
      left = c.left + (cw - l.Width()) / 2;
      break;
    case TsCaptionLayout::sclTopRight:
      left = c.right - l.Width();
      break;
    case TsCaptionLayout::sclTopLeft:
      break;
  }
  if (maxWidth_ != 0) {
    l.AutoSize = false;
    l.WordWrap = true;
    l.SetBounds(left, top, maxWidth_, std::max(ch, l.Height()));
  } else {
    l.SetBounds(left, top, l.Width(), l.Height());
  }
}

void TsBoundLabel::ControlChanged() {
  if (!label_) return;
  label_->SetVisible(control_.Visible());
  label_->SetEnabled(control_.Enabled());
  Place();
}

void TsBoundLabel::SetCaption(const std::string& value) {
  caption_ = value;
  if (label_) {
    label_->SetCaption(value.empty() ? control_.Name() : value);
    Place();
  }
}

void TsBoundLabel::SetIndent(int value) {
  indent_ = value;
  Place();
}

void TsBoundLabel::SetLayout(TsCaptionLayout value) {
  layout_ = value;
  if (label_) label_->Alignment = AlignmentOf(layout_);
  Place();
}

void TsBoundLabel::SetMaxWidth(int value) {
  maxWidth_ = value;
  Place();
}

bool TsBoundLabel::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "Active")
    SetActive(tk::ValueToBool(name, v));
  else if (name == "Caption")
    SetCaption(tk::ValueToString(name, v));
  else if (name == "Indent")
    SetIndent(tk::ValueToInt(name, v));
  else if (name == "Layout")
    SetLayout(ValueToCaptionLayout(name, v));
  else if (name == "MaxWidth")
    SetMaxWidth(tk::ValueToInt(name, v));
  else if (name == "UseSkinColor")
    SetUseSkinColor(tk::ValueToBool(name, v));
  else if (name.rfind("Font.", 0) == 0)
    return Font().SetProperty(name.substr(5), v);
  else
    return false;
  return true;
}

}  // namespace skin
