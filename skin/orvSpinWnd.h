// The skinner of an up-down control: its two halves painted as small speed
// buttons ("SPEEDBUTTON_SMALL") with the scroll arrows of the skin, hot
// under the pointer and pressed while held. Clicks and repeats stay the
// control's own.
#pragma once

#include "skin/orvDialogChildren.h"

namespace skin {

class TorvSpinWnd : public TorvChildWnd {
public:
  using TorvChildWnd::TorvChildWnd;
  ~TorvSpinWnd() override;
  // The half (0 up or left, 1 down or right) in client coordinates.
  [[nodiscard]] RECT HalfRect(int32_t half) const;
  [[nodiscard]] int32_t HalfState(int32_t half) const;

protected:
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void PaintContent(TsBitmap24& bmp) override;

private:
  [[nodiscard]] bool Horizontal() const;
  [[nodiscard]] int32_t HalfAt(LPARAM point) const;
  int32_t hotHalf_ = -1, pressedHalf_ = -1;
};

}  // namespace skin
