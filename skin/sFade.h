// Cross-fades of windowed buttons: when the look changes, the old cache
// picture is blended into the new one over a few 10 ms frames drawn
// straight into the button's window.
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
// press and release); refused fades repaint at once.
void StartFade(TsCommonData& data, TsFadeTimer*& slot, bool half, bool allowed);
// Stops and frees the timer.
void StopFade(TsFadeTimer*& slot);

}  // namespace skin
