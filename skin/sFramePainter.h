// The picture of a skinned form's frame: the form's section over the whole
// window, the title section over the caption strip, the title-bar piece
// behind the caption buttons and the buttons themselves. The icon and the
// caption text need the system's drawing and are added by the provider.
// Platform-free; the layout comes from sFrameLayout, so what is drawn is
// what a click hits.
#pragma once

#include <cstdint>

#include "skin/sBitmap24.h"
#include "skin/sFrameLayout.h"
#include "skin/sSkinTables.h"

namespace skin {

// The border images have two columns: the active look first, then the
// inactive one.
inline constexpr int32_t kFrameActiveState = 0, kFrameInactiveState = 1;

// Caption button states.
enum TButtonState : int32_t { bsNormal = 0, bsHot = 1, bsPressed = 2 };

// What the frame is painted from: the sections, the caption-button images
// (the restore image already in place of maximise on a maximised form), the
// state of each button and whether the form is active.
struct TFrameLook {
  int32_t FormSection = -1, TitleSection = -1;
  int32_t TitleBarImage = -1;  // "TITLEBAR" of the form's section
  int32_t ButtonImages[cbCount] = {-1, -1, -1, -1};
  int32_t ButtonStates[cbCount] = {};
  bool Active = true;
};

// The caption strip: the window's width, caption and top border high.
TRect TitleRect(const TFrameLayout& f, int32_t windowWidth);

// Paints the frame picture into bmp (the window's size): form section,
// title section, title-bar piece and caption buttons.
void PaintFrame(TsBitmap24& bmp, const TsSkinTables& t, const TFrameLayout& f, const TFrameLook& look);

// One caption button over `background` (the frame before the buttons were
// drawn), so that a state change repaints just that button.
void PaintCaptionButton(TsBitmap24& bmp, const TsBitmap24& background, const TsSkinTables& t, const TFrameLayout& f,
                        const TFrameLook& look, TCaptionButton button);

// An application's title button over `background`: the "TITLEBUTTON"
// image (-1: none) in the state, the glyph centred on it (its bottom-left
// pixel's colour transparent), one pixel down and right while pressed.
void PaintTitleButton(TsBitmap24& bmp, const TsBitmap24& background, const TsSkinTables& t, TFrameRect rect,
                      int32_t image, const TsBitmap24& glyph, int32_t state);

}  // namespace skin
