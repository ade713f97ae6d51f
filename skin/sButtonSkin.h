// What the skinned push buttons share: while skinned, the button never lets
// the system draw it. It keeps its own pressed and hover state, builds its
// cache from the skin section for the button state (0 normal, 1 active,
// 2 pressed), copies it to the screen, clicks on release inside or on
// space (exactly once), and cross-fades its changes of look.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "skin/sAlphaGraph.h"
#include "skin/sCommonData.h"
#include "skin/sFade.h"
#include "toolkit/StdCtrls.h"

namespace skin {

class TsButtonSkin {
public:
  // paintContent draws the caption (and glyph) over the section in the cache.
  using TsContentPainter = void (*)(tk::TButton& button, TsBitmap24& cache, int32_t state);
  TsButtonSkin(tk::TButton& button, TsCommonData& data, TsContentPainter paintContent);
  ~TsButtonSkin();
  TsButtonSkin(const TsButtonSkin&) = delete;
  TsButtonSkin& operator=(const TsButtonSkin&) = delete;

  bool Down = false;
  TorvAnimatEvents AnimatEvents = kDefaultAnimatEvents;
  int32_t FocusMargin = 1;
  uint8_t DisabledKind = dkBlended;  // how the button looks while disabled
  // The caption and glyph over the border image (else under it).
  bool DrawOverBorder = true;
  tk::TNotifyEvent OnMouseEnter, OnMouseLeave;
  // Called with the finished cache each time it is built.
  std::function<void(tk::TComponent* sender, TsBitmap24& cache)> OnPaint;

  int32_t ButtonState() const;
  // The Default button shows the active look while no other button has the focus.
  bool DefaultActive() const { return button_.Default() && button_.Active(); }
  bool Pressed() const { return pressed_; }
  // The colours of the active look: active, default-active or pressed.
  bool ShowsActive(int32_t state) const { return state != 0 || data_.IsActive(); }
  TsFadeTimer* FadeTimer() const { return fade_; }
  void RebuildCache();

  // Handles a message of the button; true when it was answered (result set).
  bool Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
  bool Skinned() const;
  void Paint(HDC dc);
  void Fade(TorvAnimatEvent event, bool half);
  void Repaint();
  // Sets MouseOver and fires OnMouseEnter or OnMouseLeave; false when unchanged.
  bool ChangeMouseOver(bool over);
  void SetMouseOver(bool over);
  // Asks the window system for a WM_MOUSELEAVE when the cursor leaves.
  void TrackLeave();
  // The mouse press ends (released, or the capture went elsewhere): not
  // pressed, hot when the cursor is over the button, fading to that look.
  void EndPress(bool over);

  tk::TButton& button_;
  TsCommonData& data_;
  TsContentPainter paintContent_;
  TsFadeTimer* fade_ = nullptr;
  bool pressed_ = false, clickArmed_ = false;
  bool trackingLeave_ = false;  // a WM_MOUSELEAVE is asked for
  // What the window's shape was cut for: border image, state and size (none
  // yet: image -2); the shape is cut again when any of them changes.
  struct TShapeKey {
    int32_t Image = -2, State = 0, Width = 0, Height = 0;
    bool operator==(const TShapeKey&) const = default;
  };
  TShapeKey shape_;
  void UpdateShape(int32_t state);
};

// Draws the dotted focus frame around a caption rectangle when the button
// is enabled and focused, has a caption and its section shows focus.
void PaintButtonFocus(tk::TButton& button, TsCommonData& data, TsBitmap24& cache, RECT caption, int32_t margin);

}  // namespace skin
