// A label that keeps itself beside a windowed control (AttachTo) and moves
// the control in turn when it is moved itself. It follows the control's
// moves, sizes, visibility and enabled state through the control's message
// hook chain; a flag held during placement keeps the two from chasing each
// other.
#pragma once

#include "skin/sLabel.h"

namespace skin {

enum class TAlignTo : uint8_t { altLeft, altTop, altBottom, altRight };

// Where `mover` goes to sit on `side` of `reference`, `gap` pixels away,
// keeping its size.
POINT StickyPlace(const RECT& mover, const RECT& reference, TAlignTo side, int gap);
TAlignTo OppositeSide(TAlignTo side);

class TsStickyLabel : public TsLabel {
public:
  explicit TsStickyLabel(tk::TComponent* owner) : TsLabel(owner) {}
  ~TsStickyLabel() override;
  const char* ClassName() const override { return "TsStickyLabel"; }

  tk::TWinControl* AttachTo() const { return target_; }
  void SetAttachTo(tk::TWinControl* control);
  TAlignTo AlignTo() const { return alignTo_; }
  void SetAlignTo(TAlignTo side);
  int Gap() const { return gap_; }
  void SetGap(int gap);

  // A move of the label itself moves the control to the opposite side.
  void SetBounds(int left, int top, int width, int height) override;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  void Loaded() override;

protected:
  void Notification(tk::TComponent* removed) override;

private:
  void Detach();
  // The label beside the control.
  void PlaceSelf();
  intptr_t TargetMessage(const tk::TMessage& m, const tk::TMessageHandler& next);

  tk::TWinControl* target_ = nullptr;
  tk::TMessageHookChain::Id hook_ = 0;
  std::string targetName_;  // named in the layout, found once it is loaded
  TAlignTo alignTo_ = TAlignTo::altLeft;
  int gap_ = 2;
  bool placing_ = false;
};

}  // namespace skin
