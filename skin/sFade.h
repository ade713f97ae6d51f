// Cross-fades of buttons: when the look changes, the old cache picture is
// blended into the new one over a few 10 ms frames, drawn straight into a
// windowed button's window, or, for a button without a window, by one
// repaint of the button over its parent per frame.
#pragma once

#include <windows.h>

#include <cstdint>

#include "skin/sBitmap24.h"
#include "skin/sCommonData.h"

namespace skin {

enum TorvAnimatEvent : uint8_t { aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp, aeGlobalDef };
using TorvAnimatEvents = uint8_t;  // bit i: event i
inline constexpr TorvAnimatEvents kDefaultAnimatEvents = 1 << aeGlobalDef;

// The event fades when the control names it, or names aeGlobalDef and the
// manager-wide button events have its bit.
bool FadeAllowed(TorvAnimatEvent event, TorvAnimatEvents controlEvents);

// The timer id a fading button's window receives WM_TIMER with.
inline constexpr UINT_PTR kFadeTimerId = 0x5346;

class TsFadeTimer {
public:
  explicit TsFadeTimer(TsCommonData& data) : data_(data) {}
  ~TsFadeTimer() { SetEnabled(false); }
  TsFadeTimer(const TsFadeTimer&) = delete;
  TsFadeTimer& operator=(const TsFadeTimer&) = delete;

  int32_t Direction = 0;  // 0 none, 1 fading
  int32_t FrameCounter = 1;
  int32_t FadeIterations = 0;
  TsBitmap24 FromBitmap;  // the cache before the change
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  // One frame: called for every WM_TIMER with kFadeTimerId.
  void Tick();

private:
  TsCommonData& data_;
  bool enabled_ = false;
};

// Starts a fade of a windowed button's change of look (half the frames for
// press and release); refused fades, and fades of no frames, repaint at once.
void StartFade(TsCommonData& data, TsFadeTimer*& slot, bool half, bool allowed);
// Stops and frees the timer.
void StopFade(TsFadeTimer*& slot);

// The frames of a control without a window: FrameBitmap holds the last
// blended frame, which the control paints instead of its cache while the
// timer runs. A thread timer without a window drives it.
class TsAnimTimer {
public:
  explicit TsAnimTimer(TsCommonData& data) : data_(data) {}
  ~TsAnimTimer() { SetEnabled(false); }
  TsAnimTimer(const TsAnimTimer&) = delete;
  TsAnimTimer& operator=(const TsAnimTimer&) = delete;

  int32_t FrameCounter = 1;
  int32_t FadeIterations = 0;
  TsBitmap24 FromBitmap, FrameBitmap;
  bool Enabled() const { return id_ != 0; }
  void SetEnabled(bool value);
  // One frame; the last one sends the control SKC_STOPFADE, which may free
  // the timer, so nothing of it is touched after that.
  void Tick();

private:
  TsCommonData& data_;
  UINT_PTR id_ = 0;
  bool producing_ = false;
};

// Starts an animation of a graphic control's change of look: rebuild
// rebuilds its cache in the new state. An animation still running is
// replaced, the new one starting where the old one had frames left.
// Refused or frame-less animations repaint at once.
void StartAnimation(TsCommonData& data, TsAnimTimer*& slot, bool half, bool allowed, void (*rebuild)(tk::TControl*));
// Stops and frees the timer; unless it was at frame 0, the control's cache
// is marked dirty and the control repainted through its parent.
void StopAnimation(TsCommonData& data, TsAnimTimer*& slot);
// Repaints a graphic control at once over its parent, telling the parent
// which child it paints.
void RepaintThroughParent(tk::TControl* control);

}  // namespace skin
